#include "StationTelemetry.h"

#include <unistd.h>

#include <optional>

#include "Discovery.h"
#include "JsonWriter.h"
#include "LightQuantities.h"
#include "RecordMessage.h"
#include "RecordQc.h"
#include "RsdData.h"
#include "StationIdentity.h"
#include "StoredRecord.h"
#include "TextEncoding.h"

namespace {
constexpr std::size_t kQueueCapacity = 1000;  // over 16 hours of one-minute records
constexpr int kMillisecondsPerSecond = 1000;
constexpr int64_t kDroppedStateSeconds = 60;  // a changed drop count is told at most this often
constexpr const char* kQueueFileName = "MQTT.QUEUE";  // beside the year logs

// The state message; dropped unknown (null) in the last will, which is set at the start.
std::string StateJson(bool running, const RadlogSettings& settings,
                      std::optional<uint64_t> dropped) {
    CJsonWriter json;
    json.BeginObject();
    json.Key("acquisition").String(running ? "running" : "stopped");
    json.Key("mode").String(settings.measType == MeasType::Interval ? "interval" : "manual");
    json.Key("dropped");
    if (dropped)
        json.Integer(static_cast<long long>(*dropped));
    else
        json.Null();
    json.EndObject();
    return json.Text();
}

CHealthMonitor::Window WindowOf(const RadlogSettings& settings) {
    // A manual acquisition has no schedule to fall behind.
    return {settings.start, settings.end,
            settings.measType == MeasType::Interval ? settings.interval : 0};
}
}  // namespace

CStationTelemetry::CStationTelemetry(const MqttSettings& mqtt, const std::string& password,
                                     const RadlogSettings& settings, int dayStartHour,
                                     Output output)
    : m_mqtt(mqtt),
      m_settings(settings),
      m_topic(rad::ToUtf8(mqtt.topic)),
      m_station(rad::ToUtf8(mqtt.StationName())),
      m_output(std::move(output)),
      m_health(mqtt.darkLimit),
      m_today(dayStartHour) {
    CMqttPublisher::Config config;
    config.login = rad::LoginOf(mqtt, password);
    config.clientId = "radlog-" + rad::TopicSafe(m_station) + "-" + std::to_string(::getpid());
    config.statusTopic = Topic("status");
    config.stateWill = {Topic("state"), StateJson(false, settings, std::nullopt), 1, true};
    if (mqtt.discovery) config.resendTopic = rad::ToUtf8(mqtt.discoveryPrefix) + "/status";
    if (!settings.rsdFolder.empty()) config.queueFile = settings.rsdFolder + kQueueFileName;
    config.queueCapacity = kQueueCapacity;
    config.outageNoticeMs = static_cast<int64_t>(mqtt.offlineAlert) * kMillisecondsPerSecond;
    m_publisher = std::make_unique<CMqttPublisher>(config, m_output);
    PublishState(false, 0);
    PublishProblems();
    if (mqtt.discovery) PublishDiscovery();
}

CStationTelemetry::~CStationTelemetry() = default;

std::string CStationTelemetry::Topic(const char* leaf) const {
    return m_topic + "/" + m_station + "/" + leaf;
}

void CStationTelemetry::PublishState(bool running, int64_t now) {
    m_bRunning = running;
    m_lastStateTime = now;
    m_publishedDrops = m_publisher->Dropped();
    m_publisher->PublishRetained(
        {Topic("state"), StateJson(running, m_settings, m_publishedDrops), 1, true});
}

void CStationTelemetry::PublishProblems() {
    CJsonWriter json;
    json.BeginObject();
    for (const HealthAlert::Kind kind : ProblemKinds())
        json.Key(AlertKindName(kind)).Bool(m_health.Standing(kind));
    json.EndObject();
    if (json.Text() == m_problems) return;
    m_problems = json.Text();
    m_publisher->PublishRetained({Topic("problems"), m_problems, 1, true});
}

void CStationTelemetry::PublishDiscovery() {
    for (MqttMessage& message : rad::DiscoveryMessages(rad::DeviceOf(m_mqtt, m_settings)))
        m_publisher->PublishRetained(std::move(message));
}

void CStationTelemetry::Alert(const std::vector<HealthAlert>& alerts, int64_t now) {
    for (const HealthAlert& alert : alerts) {
        const char* sensor =
            IsValidModel(alert.model) ? kModels[static_cast<std::size_t>(alert.model)].label : "";
        CJsonWriter json;
        json.BeginObject();
        json.Key("time").String(rad::IsoLocalTime(now));
        json.Key("alert").String(AlertKindName(alert.kind));
        if (*sensor) json.Key("sensor").String(sensor);
        json.Key("detail").String(alert.detail);
        json.EndObject();
        m_publisher->Publish({Topic("alert"), json.Text(), 1, false});
        if (m_output)
            m_output(std::string("ALERT ") + AlertKindName(alert.kind) + (*sensor ? " " : "") +
                     sensor + ": " + alert.detail);
    }
    PublishProblems();
}

void CStationTelemetry::AcquisitionChanged(bool running, int64_t now) {
    m_lastNow = now;
    if (running) Alert(m_health.Started(WindowOf(m_settings), now), now);
    PublishState(running, now);
}

void CStationTelemetry::Tick(int64_t now) {
    m_lastNow = now;
    m_publisher->CheckOutage();
    Alert(m_health.Tick(now), now);
    if (m_publisher->Dropped() != m_publishedDrops && now - m_lastStateTime >= kDroppedStateSeconds)
        PublishState(m_bRunning, now);
}

void CStationTelemetry::RecordStored(const StoredRecord& record, bool written) {
    const CRsdData& day = record.day;
    const int index = day.GetCount() - 1;
    if (index < 0) return;
    const int64_t recordTime = day.GetAt(index).m_time;
    // The store step's spectrum and quantities: no resample here.
    const CResample& spectrum = record.spectrum;
    const rad::LightQuantities& quantities = record.row.quantities;
    m_today.Update(day, &record.row);
    const double dli = m_today.Day().dli;
    const RecordMessageInputs inputs{
        day, index, m_statusTexts, quantities,
        spectrum.GetIntegral(m_settings.integ.left, m_settings.integ.right), dli,
        m_mqtt.spectrum ? &spectrum : nullptr,
        // The station's clock is the machine's: its record times are true instants.
        rad::RecordQcFlags(day, index, quantities[rad::Quantity::Ppfd].value,
                           rad::RecordZone::Machine(), m_qcThresholds)};
    m_publisher->Publish({Topic("record"), rad::BuildRecordMessage(inputs), 1, false});
    // The record's own time stands for now when no tick came yet (a manual cycle).
    const int64_t now = std::max(m_lastNow, recordTime);
    std::vector<HealthAlert> alerts = m_health.RecordStored(day, written, now);
    for (HealthAlert& alert : m_health.RecordFlags(inputs.qc)) alerts.push_back(std::move(alert));
    Alert(alerts, now);
}

void CStationTelemetry::SensorState(int model, int status, const std::string& text) {
    if (!IsValidModel(model)) return;
    m_statusTexts[static_cast<std::size_t>(model)] = text;
    Alert(m_health.SensorState(model, status), m_lastNow);
}

void CStationTelemetry::SensorLost(int model) { Alert(m_health.SensorLost(model), m_lastNow); }

void CStationTelemetry::SensorChanged(int model, const std::string& detail) {
    // Each change is news: no state to wait for its cause to go away.
    Alert({{HealthAlert::Kind::SensorChanged, model, detail}}, m_lastNow);
}
