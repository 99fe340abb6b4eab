#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "Backoff.h"
#include "DiskQueue.h"
#include "MqttClient.h"
#include "OutageWatch.h"
#include "PublishQueue.h"

struct mosquitto;

// The connection to the broker and everything that waits for it, run by one thread (Run)
// that never blocks on the network: connections are opened without waiting (an attempt that
// gets no answer is given up after a while), so a stop is seen within a loop step and the
// outage notice comes in time. Messages wait in a bounded queue, on disk too when a queue
// file is given.
class CMqttLink : public MqttClientOwner {
  public:
    struct Config {
        MqttLogin login;
        std::string clientId;
        std::string statusTopic;  // retained "online", "offline" as the last will
        // A second last will (the acquisition's state after a crash). MQTT gives a connection
        // one will, so a second connection carries it; empty topic: none.
        MqttMessage stateWill;
        // "online" on this topic (Home Assistant's status) sends every retained message again.
        std::string resendTopic;
        std::string queueFile;  // empty: the queue lives in memory only
        std::size_t queueCapacity = 1000;
        int64_t outageNoticeMs = 300000;
    };
    // A line for the program's own output ("MQTT ..."); called on the link's thread.
    using Notice = std::function<void(const std::string&)>;
    using SteadyClock = std::function<int64_t()>;  // milliseconds

    CMqttLink(Config config, Notice notice, SteadyClock clock, CBackoff::Random random);
    ~CMqttLink();
    CMqttLink(const CMqttLink&) = delete;
    CMqttLink& operator=(const CMqttLink&) = delete;

    // The link's thread: until Stop, then hands on what waits for a moment and says "offline".
    void Run();
    // Any thread.
    void Stop();
    // Waits up to timeoutMs for Run to end; true when it did.
    bool WaitFinished(int timeoutMs);
    // No more notices: whoever receives them may be gone.
    void Silence();
    // Tells an outage longer than the limit. The link's own loop calls it too; another thread
    // calling it keeps the notice on time even while the link waits for a name server.
    void CheckOutage();

    void Publish(MqttMessage message);
    void PublishRetained(MqttMessage message);
    uint64_t Dropped() const { return m_queue.Dropped(); }
    bool Connected() const { return m_bConnAck.load(); }

  private:
    static constexpr int kMaxInFlight = 20;  // messages handed to the library, not yet acked

    bool Setup();
    void Connect(int64_t now);
    void HandOn();
    void SendRetained(bool all);
    bool RetainedWaiting();
    void LinkDown(int64_t now, int loopError);
    void Drain();
    void Say(const std::string& line);
    void OutageDown(int64_t now);
    void OutageUp();
    void Tell(COutageWatch::Change change);
    void Acknowledged(int mid);
    bool SetupWill();
    void KeepWill(int64_t now);
    void CloseWill();
    int64_t NowMs() const;

    static void OnConnect(struct mosquitto*, void* self, int rc);
    static void OnDisconnect(struct mosquitto*, void* self, int rc);
    static void OnPublish(struct mosquitto*, void* self, int mid);
    static void OnMessage(struct mosquitto*, void* self, const struct mosquitto_message* message);

    const Config m_config;
    const SteadyClock m_clock;
    std::unique_ptr<CDiskQueue> m_disk;
    CPublishQueue m_queue;
    std::mutex m_retainedMutex;
    std::map<std::string, MqttMessage> m_retained;  // by topic
    std::set<std::string> m_changedRetained;        // topics not yet sent on this connection
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bConnAck{false};

    std::mutex m_noticeMutex;
    Notice m_notice;  // emptied by Silence

    std::mutex m_finishedMutex;
    std::condition_variable m_finishedChanged;
    bool m_bFinished = false;

    // Link thread only.
    struct mosquitto* m_mosq = nullptr;
    bool m_bSocket = false;
    bool m_bConnectCalled = false;
    bool m_bConnAckSeen = false;  // retained messages sent for this connection
    bool m_bResendAll = false;    // Home Assistant came online
    bool m_bAccepted = false;     // the broker took this connection
    int m_connack = 0;            // the broker's refusal of this attempt
    int64_t m_connectStarted = 0;
    std::string m_lastFailure;           // told once until it changes or a connection works
    std::map<int, uint64_t> m_inFlight;  // message id -> disk number (0: not on disk)
    struct mosquitto* m_willMosq = nullptr;
    MqttClientOwner m_willOwner;
    bool m_bWillSocket = false;
    bool m_bWillConnectCalled = false;
    int64_t m_willRetryAt = 0;
    CBackoff m_backoff;
    std::mutex m_outageMutex;
    COutageWatch m_outage;
    uint64_t m_nReportedDrops = 0;
};
