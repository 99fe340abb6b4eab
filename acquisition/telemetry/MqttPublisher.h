#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "MqttLink.h"

// The station's side of the broker: messages go to a link on its own thread (CMqttLink) and
// nobody calling Publish ever waits for the network. A broker that is down at the start is
// only a notice, and a stop never waits on the network for more than a moment.
class CMqttPublisher {
  public:
    using Config = CMqttLink::Config;
    using Notice = CMqttLink::Notice;
    using SteadyClock = CMqttLink::SteadyClock;

    // notice: lines for the program's output, on the link's thread.
    CMqttPublisher(Config config, Notice notice, SteadyClock clock = {},
                   CBackoff::Random random = {});
    // Hands on what is queued for a short while, says "offline" and disconnects. A link still
    // busy after kStopWaitMs (a name server that does not answer) is left to end with the
    // process, without its notices.
    ~CMqttPublisher();
    CMqttPublisher(const CMqttPublisher&) = delete;
    CMqttPublisher& operator=(const CMqttPublisher&) = delete;

    void Publish(MqttMessage message) { m_link->Publish(std::move(message)); }
    // A retained message that is sent again after every reconnect (discovery, state); an
    // empty payload removes it from the broker.
    void PublishRetained(MqttMessage message) { m_link->PublishRetained(std::move(message)); }
    uint64_t Dropped() const { return m_link->Dropped(); }
    bool Connected() const { return m_link->Connected(); }
    // Any thread: tells an outage that passed its limit (see CMqttLink::CheckOutage).
    void CheckOutage() { m_link->CheckOutage(); }

  private:
    static constexpr int kStopWaitMs = 1500;

    std::shared_ptr<CMqttLink> m_link;  // shared with its thread, which may outlive a stop
    std::thread m_thread;
};
