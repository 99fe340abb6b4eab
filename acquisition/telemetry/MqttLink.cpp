#include "MqttLink.h"

#include <mosquitto.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "LinkClock.h"

namespace {
constexpr int kKeepAliveSeconds = 30;
constexpr int kLoopMs = 100;
constexpr int64_t kConnectTimeoutMs = 10000;  // a broker that does not answer by then is away
// How long a stop still hands on what waits; the program must be gone within 2 s of a stop.
constexpr int64_t kDrainMs = 800;
constexpr int64_t kFirstRetryMs = 1000;
constexpr int64_t kLastRetryMs = 60000;
constexpr int64_t kWillRetryMs = 5000;
constexpr const char* kOnline = "online";
constexpr const char* kOffline = "offline";

int64_t SteadyMs() { return CSystemLinkClock::Instance().MonotonicMs(); }

CMqttLink& Link(void* self) {
    return *static_cast<CMqttLink*>(static_cast<MqttClientOwner*>(self));
}
}  // namespace

CMqttLink::CMqttLink(Config config, Notice notice, SteadyClock clock, CBackoff::Random random)
    : m_config(std::move(config)),
      m_clock(clock ? std::move(clock) : SteadyClock(SteadyMs)),
      m_queue(m_config.queueCapacity),
      m_notice(std::move(notice)),
      m_backoff(kFirstRetryMs, kLastRetryMs, std::move(random)),
      m_outage(m_config.outageNoticeMs) {
    if (!m_config.queueFile.empty()) {
        m_disk = std::make_unique<CDiskQueue>(m_config.queueFile, m_config.queueCapacity);
        for (MqttMessage& message : m_disk->Load()) m_queue.Push(std::move(message));
    }
    PublishRetained({m_config.statusTopic, kOnline, 1, true});
}

CMqttLink::~CMqttLink() {
    if (m_mosq) mosquitto_destroy(m_mosq);
    if (m_willMosq) mosquitto_destroy(m_willMosq);
}

void CMqttLink::Stop() {
    m_bStop = true;
    m_queue.Interrupt();
}

bool CMqttLink::WaitFinished(int timeoutMs) {
    std::unique_lock lock(m_finishedMutex);
    return m_finishedChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                      [this] { return m_bFinished; });
}

void CMqttLink::Silence() {
    std::lock_guard lock(m_noticeMutex);
    m_notice = nullptr;
}

void CMqttLink::Say(const std::string& line) {
    std::lock_guard lock(m_noticeMutex);
    if (m_notice) m_notice(line);
}

void CMqttLink::Publish(MqttMessage message) {
    if (m_disk) message.number = m_disk->Append(message);
    if (const uint64_t dropped = m_queue.Push(std::move(message)); dropped && m_disk)
        m_disk->Done(dropped);
}

void CMqttLink::PublishRetained(MqttMessage message) {
    message.retain = true;
    {
        std::lock_guard lock(m_retainedMutex);
        m_changedRetained.insert(message.topic);
        m_retained[message.topic] = std::move(message);
    }
    m_queue.Interrupt();
}

int64_t CMqttLink::NowMs() const { return m_clock(); }

void CMqttLink::CheckOutage() {
    std::lock_guard lock(m_outageMutex);
    Tell(m_outage.Check(NowMs()));
}

void CMqttLink::OutageDown(int64_t now) {
    std::lock_guard lock(m_outageMutex);
    Tell(m_outage.Down(now));
}

void CMqttLink::OutageUp() {
    std::lock_guard lock(m_outageMutex);
    Tell(m_outage.Up());
}

void CMqttLink::Tell(COutageWatch::Change change) {
    if (change == COutageWatch::Change::Unreachable)
        Say("MQTT BROKER UNREACHABLE " + m_config.login.Address());
    else if (change == COutageWatch::Change::Back)
        Say("MQTT BROKER BACK " + m_config.login.Address());
}

bool CMqttLink::Setup() {
    std::string error;
    m_mosq = rad::NewMqttClient(m_config.clientId, m_config.login, this, error);
    if (!m_mosq) {
        Say("MQTT " + error);
        return false;
    }
    mosquitto_connect_callback_set(m_mosq, OnConnect);
    mosquitto_disconnect_callback_set(m_mosq, OnDisconnect);
    mosquitto_publish_callback_set(m_mosq, OnPublish);
    mosquitto_message_callback_set(m_mosq, OnMessage);
    mosquitto_will_set(m_mosq, m_config.statusTopic.c_str(),
                       static_cast<int>(std::strlen(kOffline)), kOffline, 1, true);
    return SetupWill();
}

bool CMqttLink::SetupWill() {
    const MqttMessage& will = m_config.stateWill;
    if (will.topic.empty()) return true;
    std::string error;
    m_willMosq =
        rad::NewMqttClient(m_config.clientId + "-will", m_config.login, &m_willOwner, error);
    if (!m_willMosq) {
        Say("MQTT " + error);
        return false;
    }
    mosquitto_will_set(m_willMosq, will.topic.c_str(), static_cast<int>(will.payload.size()),
                       will.payload.data(), will.qos, true);
    return true;
}

void CMqttLink::KeepWill(int64_t now) {
    if (!m_willMosq) return;
    if (m_bWillSocket) {
        if (mosquitto_loop(m_willMosq, 0, 1) == MOSQ_ERR_SUCCESS) return;
        m_bWillSocket = false;
        m_willRetryAt = now + kWillRetryMs;
        return;
    }
    // Opened only once the broker took the main connection, so it never waits either.
    if (!m_bConnAck || now < m_willRetryAt) return;
    const int rc = m_bWillConnectCalled
                       ? mosquitto_reconnect_async(m_willMosq)
                       : mosquitto_connect_async(m_willMosq, m_config.login.host.c_str(),
                                                 m_config.login.port, kKeepAliveSeconds);
    m_bWillConnectCalled = true;
    m_bWillSocket = rc == MOSQ_ERR_SUCCESS;
    if (!m_bWillSocket) m_willRetryAt = now + kWillRetryMs;
}

void CMqttLink::CloseWill() {
    // A clean disconnect: the broker keeps the will to itself.
    if (!m_willMosq || !m_bWillSocket) return;
    mosquitto_disconnect(m_willMosq);
    mosquitto_loop(m_willMosq, kLoopMs, 1);
}

void CMqttLink::Run() {
    if (Setup()) {
        while (!m_bStop) {
            const int64_t now = NowMs();
            if (!m_bSocket && m_backoff.Due(now)) Connect(now);
            // A connection the broker never answers (a host that drops packets) is given up.
            if (m_bSocket && !m_bConnAck && now - m_connectStarted > kConnectTimeoutMs)
                LinkDown(now, 0);
            CheckOutage();
            KeepWill(now);
            if (!m_bSocket) {
                m_queue.WaitFor(kLoopMs);
                continue;
            }
            HandOn();
            const int rc = mosquitto_loop(m_mosq, kLoopMs, 1);
            if (rc != MOSQ_ERR_SUCCESS || m_connack != 0) LinkDown(NowMs(), rc);
        }
        Drain();
        CloseWill();
    }
    std::lock_guard lock(m_finishedMutex);
    m_bFinished = true;
    m_finishedChanged.notify_all();
}

void CMqttLink::Connect(int64_t now) {
    lastLibraryError.clear();
    m_connack = 0;
    m_connectStarted = now;
    m_bAccepted = false;
    // The outage is counted from the first attempt, so a broker that never answers is told.
    OutageDown(now);
    // Neither call waits for the broker: the TCP and TLS handshakes go on in the loop. Only
    // the name lookup may block, and CheckOutage from another thread covers that.
    const int rc = m_bConnectCalled
                       ? mosquitto_reconnect_async(m_mosq)
                       : mosquitto_connect_async(m_mosq, m_config.login.host.c_str(),
                                                 m_config.login.port, kKeepAliveSeconds);
    m_bConnectCalled = true;
    if (rc != MOSQ_ERR_SUCCESS) {
        LinkDown(NowMs(), rc);
        return;
    }
    m_bSocket = true;
    m_bConnAckSeen = false;
}

void CMqttLink::LinkDown(int64_t now, int loopError) {
    if (!m_bAccepted) {
        // The broker's reason for not taking this connection is told at once.
        const std::string failure =
            rad::BrokerFailureLine(m_config.login, m_connack, loopError, lastLibraryError);
        if (!failure.empty() && failure != m_lastFailure) Say(failure);
        m_lastFailure = failure;
    }
    m_bSocket = false;
    m_bConnAck = false;
    m_connack = 0;
    m_backoff.Failed(now);
    OutageDown(now);
}

bool CMqttLink::RetainedWaiting() {
    std::lock_guard lock(m_retainedMutex);
    return !m_changedRetained.empty();
}

void CMqttLink::SendRetained(bool all) {
    std::vector<MqttMessage> toSend;
    {
        std::lock_guard lock(m_retainedMutex);
        for (const auto& [topic, message] : m_retained)
            if (all || m_changedRetained.count(topic)) toSend.push_back(message);
        m_changedRetained.clear();
    }
    for (const MqttMessage& message : toSend) {
        int mid = 0;
        if (mosquitto_publish(m_mosq, &mid, message.topic.c_str(),
                              static_cast<int>(message.payload.size()), message.payload.data(),
                              message.qos, true) == MOSQ_ERR_SUCCESS &&
            message.qos > 0)
            m_inFlight[mid] = 0;
    }
}

void CMqttLink::HandOn() {
    if (!m_bConnAck) return;
    if (!m_bConnAckSeen) {
        // A new connection: the broker gets the whole current set (it may have restarted).
        m_bConnAckSeen = true;
        m_lastFailure.clear();
        m_backoff.Succeeded();
        OutageUp();
        if (!m_config.resendTopic.empty())
            mosquitto_subscribe(m_mosq, nullptr, m_config.resendTopic.c_str(), 0);
        SendRetained(true);
    } else if (m_bResendAll) {
        SendRetained(true);
    } else if (RetainedWaiting()) {
        SendRetained(false);
    }
    m_bResendAll = false;
    while (m_inFlight.size() < kMaxInFlight) {
        std::optional<MqttMessage> message = m_queue.TryPop();
        if (!message) break;
        int mid = 0;
        const int rc = mosquitto_publish(m_mosq, &mid, message->topic.c_str(),
                                         static_cast<int>(message->payload.size()),
                                         message->payload.data(), message->qos, message->retain);
        if (rc != MOSQ_ERR_SUCCESS) {
            if (const uint64_t dropped = m_queue.PushFront(std::move(*message)); dropped && m_disk)
                m_disk->Done(dropped);
            break;
        }
        if (message->qos > 0)
            m_inFlight[mid] = message->number;
        else if (m_disk && message->number)
            m_disk->Done(message->number);
    }
    const uint64_t dropped = m_queue.Dropped();
    if (dropped != m_nReportedDrops) {
        m_nReportedDrops = dropped;
        Say("MQTT QUEUE FULL, DROPPED " + std::to_string(dropped));
    }
}

void CMqttLink::Drain() {
    const int64_t until = NowMs() + kDrainMs;
    const auto loop = [&] { return mosquitto_loop(m_mosq, kLoopMs, 1) == MOSQ_ERR_SUCCESS; };
    while (m_bConnAck && NowMs() < until &&
           (m_queue.Size() > 0 || !m_inFlight.empty() || RetainedWaiting())) {
        HandOn();
        if (!loop()) return;
    }
    if (!m_bConnAck) return;
    // A clean disconnect suppresses the last will, so the offline status is said here.
    int mid = 0;
    if (mosquitto_publish(m_mosq, &mid, m_config.statusTopic.c_str(),
                          static_cast<int>(std::strlen(kOffline)), kOffline, 1,
                          true) == MOSQ_ERR_SUCCESS)
        m_inFlight[mid] = 0;
    while (m_bConnAck && NowMs() < until && m_inFlight.count(mid))
        if (!loop()) return;
    mosquitto_disconnect(m_mosq);
    mosquitto_loop(m_mosq, kLoopMs, 1);
}

void CMqttLink::Acknowledged(int mid) {
    const auto it = m_inFlight.find(mid);
    if (it == m_inFlight.end()) return;
    if (it->second && m_disk) m_disk->Done(it->second);
    m_inFlight.erase(it);
}

void CMqttLink::OnConnect(struct mosquitto*, void* self, int rc) {
    CMqttLink& link = Link(self);
    link.m_connack = rc;
    link.m_bAccepted = rc == 0;
    link.m_bConnAck = rc == 0;
}

void CMqttLink::OnDisconnect(struct mosquitto*, void* self, int) { Link(self).m_bConnAck = false; }

void CMqttLink::OnPublish(struct mosquitto*, void* self, int mid) { Link(self).Acknowledged(mid); }

void CMqttLink::OnMessage(struct mosquitto*, void* self, const struct mosquitto_message* message) {
    CMqttLink& link = Link(self);
    if (message && message->topic && link.m_config.resendTopic == message->topic &&
        std::string_view(static_cast<const char*>(message->payload),
                         static_cast<std::size_t>(message->payloadlen)) == kOnline)
        link.m_bResendAll = true;
}
