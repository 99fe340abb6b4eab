#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "Backoff.h"
#include "OutageWatch.h"
#include "PublishQueue.h"

struct mosquitto;

// The link to the MQTT broker, on its own thread: messages wait in a bounded queue while the
// broker is away, the link is retried with back-off, and a broker that is down at the start
// is only a notice. Nobody calling Publish ever waits for the network.
class CMqttPublisher {
  public:
    struct Config {
        std::string host;
        int port = 1883;
        bool tls = false;
        std::string caFile;
        std::string user;
        std::string password;
        std::string clientId;
        std::string statusTopic;  // retained "online", "offline" as the last will
        std::size_t queueCapacity = 1000;
        int64_t outageNoticeMs = 300000;
    };
    // A line for the program's own output ("MQTT ..."); called on the publisher's thread.
    using Notice = std::function<void(const std::string&)>;
    using SteadyClock = std::function<int64_t()>;  // milliseconds

    CMqttPublisher(Config config, Notice notice, SteadyClock clock = {});
    // Hands on what is queued for a short while, says "offline", disconnects, joins.
    ~CMqttPublisher();
    CMqttPublisher(const CMqttPublisher&) = delete;
    CMqttPublisher& operator=(const CMqttPublisher&) = delete;

    void Publish(MqttMessage message);
    // A retained message that is sent again after every reconnect (discovery, state).
    void PublishRetained(MqttMessage message);
    uint64_t Dropped() const { return m_queue.Dropped(); }
    bool Connected() const { return m_bConnAck.load(); }

  private:
    static constexpr int kMaxInFlight = 20;  // messages handed to the library, not yet acked

    void Run(std::stop_token stop);
    bool Setup();
    void Connect(int64_t now);
    void HandOn();
    void SendRetained(bool all);
    bool RetainedWaiting();
    void LinkDown(int64_t now);
    void Drain();
    void Tell(COutageWatch::Change change);
    int64_t NowMs() const;

    static void OnConnect(struct mosquitto*, void* self, int rc);
    static void OnDisconnect(struct mosquitto*, void* self, int rc);
    static void OnPublish(struct mosquitto*, void* self, int mid);

    const Config m_config;
    const Notice m_notice;
    const SteadyClock m_clock;
    CPublishQueue m_queue;
    std::mutex m_retainedMutex;
    std::map<std::string, MqttMessage> m_retained;  // by topic
    std::set<std::string> m_changedRetained;        // topics not yet sent on this connection

    // Publisher thread only.
    struct mosquitto* m_mosq = nullptr;
    bool m_bSocket = false;
    bool m_bEverConnected = false;
    bool m_bConnAckSeen = false;  // retained messages sent for this connection
    std::atomic<bool> m_bConnAck{false};
    std::atomic<int> m_nInFlight{0};
    CBackoff m_backoff{1000, 60000};
    COutageWatch m_outage;
    uint64_t m_nReportedDrops = 0;
    std::jthread m_thread;
};
