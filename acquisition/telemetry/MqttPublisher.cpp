#include "MqttPublisher.h"

#include <mosquitto.h>

#include <chrono>
#include <cstring>
#include <mutex>
#include <vector>

namespace {
constexpr int kKeepAliveSeconds = 30;
constexpr int kLoopMs = 100;
constexpr int kDrainMs = 2000;  // how long a closing program still hands on queued messages
constexpr const char* kOnline = "online";
constexpr const char* kOffline = "offline";

void InitLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

CMqttPublisher::CMqttPublisher(Config config, Notice notice, SteadyClock clock)
    : m_config(std::move(config)),
      m_notice(std::move(notice)),
      m_clock(clock ? std::move(clock) : SteadyClock(SteadyMs)),
      m_queue(m_config.queueCapacity),
      m_outage(m_config.outageNoticeMs) {
    PublishRetained({m_config.statusTopic, kOnline, 1, true});
    m_thread = std::jthread([this](std::stop_token stop) { Run(stop); });
}

CMqttPublisher::~CMqttPublisher() {
    m_thread.request_stop();
    m_queue.Interrupt();
    m_thread.join();
}

void CMqttPublisher::Publish(MqttMessage message) { m_queue.Push(std::move(message)); }

void CMqttPublisher::PublishRetained(MqttMessage message) {
    message.retain = true;
    {
        std::lock_guard lock(m_retainedMutex);
        m_changedRetained.insert(message.topic);
        m_retained[message.topic] = std::move(message);
    }
    m_queue.Interrupt();
}

int64_t CMqttPublisher::NowMs() const { return m_clock(); }

void CMqttPublisher::Tell(COutageWatch::Change change) {
    if (!m_notice) return;
    if (change == COutageWatch::Change::Unreachable)
        m_notice("MQTT BROKER UNREACHABLE " + m_config.host + ":" + std::to_string(m_config.port));
    else if (change == COutageWatch::Change::Back)
        m_notice("MQTT BROKER BACK " + m_config.host + ":" + std::to_string(m_config.port));
}

bool CMqttPublisher::Setup() {
    InitLibrary();
    m_mosq = mosquitto_new(m_config.clientId.c_str(), true, this);
    if (!m_mosq) return false;
    mosquitto_connect_callback_set(m_mosq, OnConnect);
    mosquitto_disconnect_callback_set(m_mosq, OnDisconnect);
    mosquitto_publish_callback_set(m_mosq, OnPublish);
    mosquitto_will_set(m_mosq, m_config.statusTopic.c_str(),
                       static_cast<int>(std::strlen(kOffline)), kOffline, 1, true);
    if (!m_config.user.empty())
        mosquitto_username_pw_set(m_mosq, m_config.user.c_str(),
                                  m_config.password.empty() ? nullptr : m_config.password.c_str());
    if (m_config.tls &&
        mosquitto_tls_set(m_mosq, m_config.caFile.empty() ? nullptr : m_config.caFile.c_str(),
                          m_config.caFile.empty() ? "/etc/ssl/certs" : nullptr, nullptr, nullptr,
                          nullptr) != MOSQ_ERR_SUCCESS) {
        if (m_notice) m_notice("MQTT TLS SETUP FAILED " + m_config.caFile);
        return false;
    }
    return true;
}

void CMqttPublisher::Run(std::stop_token stop) {
    if (!Setup()) {
        if (m_mosq) mosquitto_destroy(m_mosq);
        return;
    }
    while (!stop.stop_requested()) {
        const int64_t now = NowMs();
        if (!m_bSocket && m_backoff.Due(now)) Connect(now);
        if (!m_bSocket) {
            Tell(m_outage.Check(now));
            m_queue.WaitFor(kLoopMs);
            continue;
        }
        HandOn();
        if (mosquitto_loop(m_mosq, kLoopMs, 1) != MOSQ_ERR_SUCCESS) LinkDown(NowMs());
    }
    Drain();
    mosquitto_destroy(m_mosq);
}

void CMqttPublisher::Connect(int64_t now) {
    const int rc = m_bEverConnected ? mosquitto_reconnect(m_mosq)
                                    : mosquitto_connect(m_mosq, m_config.host.c_str(),
                                                        m_config.port, kKeepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS) {
        LinkDown(now);
        return;
    }
    m_bEverConnected = true;
    m_bSocket = true;
    m_bConnAckSeen = false;
}

void CMqttPublisher::LinkDown(int64_t now) {
    m_bSocket = false;
    m_bConnAck = false;
    m_backoff.Failed(now);
    Tell(m_outage.Down(now));
}

bool CMqttPublisher::RetainedWaiting() {
    std::lock_guard lock(m_retainedMutex);
    return !m_changedRetained.empty();
}

void CMqttPublisher::SendRetained(bool all) {
    std::vector<MqttMessage> toSend;
    {
        std::lock_guard lock(m_retainedMutex);
        for (const auto& [topic, message] : m_retained)
            if (all || m_changedRetained.count(topic)) toSend.push_back(message);
        m_changedRetained.clear();
    }
    for (const MqttMessage& message : toSend)
        if (mosquitto_publish(m_mosq, nullptr, message.topic.c_str(),
                              static_cast<int>(message.payload.size()), message.payload.data(),
                              message.qos, true) == MOSQ_ERR_SUCCESS &&
            message.qos > 0)
            ++m_nInFlight;
}

void CMqttPublisher::HandOn() {
    if (!m_bConnAck) return;
    if (!m_bConnAckSeen) {
        // A new connection: the broker gets the whole current set (it may have restarted).
        m_bConnAckSeen = true;
        m_backoff.Succeeded();
        Tell(m_outage.Up());
        SendRetained(true);
    } else if (RetainedWaiting()) {
        SendRetained(false);
    }
    while (m_nInFlight < kMaxInFlight) {
        std::optional<MqttMessage> message = m_queue.TryPop();
        if (!message) break;
        const int rc = mosquitto_publish(m_mosq, nullptr, message->topic.c_str(),
                                         static_cast<int>(message->payload.size()),
                                         message->payload.data(), message->qos, message->retain);
        if (rc != MOSQ_ERR_SUCCESS) {
            m_queue.PushFront(std::move(*message));
            break;
        }
        if (message->qos > 0) ++m_nInFlight;
    }
    const uint64_t dropped = m_queue.Dropped();
    if (dropped != m_nReportedDrops && m_notice) {
        m_nReportedDrops = dropped;
        m_notice("MQTT QUEUE FULL, DROPPED " + std::to_string(dropped));
    }
}

void CMqttPublisher::Drain() {
    if (!m_bConnAck) return;
    const int64_t until = NowMs() + kDrainMs;
    while (NowMs() < until && (m_queue.Size() > 0 || m_nInFlight > 0 || RetainedWaiting()) &&
           m_bConnAck) {
        HandOn();
        if (mosquitto_loop(m_mosq, kLoopMs, 1) != MOSQ_ERR_SUCCESS) return;
    }
    // A clean disconnect suppresses the last will, so the offline status is said here.
    if (mosquitto_publish(m_mosq, nullptr, m_config.statusTopic.c_str(),
                          static_cast<int>(std::strlen(kOffline)), kOffline, 1,
                          true) == MOSQ_ERR_SUCCESS)
        ++m_nInFlight;
    const int64_t offlineUntil = NowMs() + kDrainMs;
    while (NowMs() < offlineUntil && m_nInFlight > 0 && m_bConnAck)
        if (mosquitto_loop(m_mosq, kLoopMs, 1) != MOSQ_ERR_SUCCESS) return;
    mosquitto_disconnect(m_mosq);
    mosquitto_loop(m_mosq, kLoopMs, 1);
}

void CMqttPublisher::OnConnect(struct mosquitto*, void* self, int rc) {
    auto* publisher = static_cast<CMqttPublisher*>(self);
    publisher->m_bConnAck = rc == 0;
}

void CMqttPublisher::OnDisconnect(struct mosquitto*, void* self, int) {
    auto* publisher = static_cast<CMqttPublisher*>(self);
    publisher->m_bConnAck = false;
}

void CMqttPublisher::OnPublish(struct mosquitto*, void* self, int) {
    auto* publisher = static_cast<CMqttPublisher*>(self);
    if (publisher->m_nInFlight > 0) --publisher->m_nInFlight;
}
