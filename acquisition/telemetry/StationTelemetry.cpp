#include "StationTelemetry.h"

#include <unistd.h>

#include "Discovery.h"
#include "JsonWriter.h"
#include "LightQuantities.h"
#include "RecordMessage.h"
#include "Resample.h"
#include "RsdData.h"

namespace {
constexpr std::size_t kQueueCapacity = 1000;  // over 16 hours of one-minute records
constexpr int kMillisecondsPerSecond = 1000;

CHealthMonitor::Window WindowOf(const RadlogSettings& settings) {
    // A manual acquisition has no schedule to fall behind.
    return {settings.start, settings.end, settings.measType == 0 ? settings.interval : 0};
}
}  // namespace

CStationTelemetry::CStationTelemetry(const MqttSettings& mqtt, const std::string& password,
                                     const RadlogSettings& settings, int dayStartHour,
                                     Output output)
    : m_mqtt(mqtt),
      m_settings(settings),
      m_station(mqtt.StationName()),
      m_output(std::move(output)),
      m_health(mqtt.darkLimit),
      m_today(dayStartHour) {
    CMqttPublisher::Config config;
    config.host = mqtt.host;
    config.port = mqtt.port;
    config.tls = mqtt.tls;
    config.caFile = mqtt.caFile;
    config.user = mqtt.user;
    config.password = password;
    config.clientId = "radlog-" + rad::TopicSafe(m_station) + "-" + std::to_string(::getpid());
    config.statusTopic = Topic("status");
    config.queueCapacity = kQueueCapacity;
    config.outageNoticeMs = static_cast<int64_t>(mqtt.offlineAlert) * kMillisecondsPerSecond;
    m_publisher = std::make_unique<CMqttPublisher>(config, m_output);
    PublishState(false);
    if (mqtt.discovery) PublishDiscovery();
}

CStationTelemetry::~CStationTelemetry() = default;

std::string CStationTelemetry::Topic(const char* leaf) const {
    return m_mqtt.topic + "/" + m_station + "/" + leaf;
}

void CStationTelemetry::PublishState(bool running) {
    CJsonWriter json;
    json.BeginObject();
    json.Key("acquisition").String(running ? "running" : "stopped");
    json.Key("mode").String(m_settings.measType == 0 ? "interval" : "manual");
    json.Key("dropped").Integer(static_cast<long long>(m_publisher->Dropped()));
    json.EndObject();
    m_publisher->PublishRetained({Topic("state"), json.Text(), 1, true});
}

void CStationTelemetry::PublishDiscovery() {
    for (MqttMessage& message : rad::DiscoveryMessages(m_mqtt.topic, m_station, m_settings.use))
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
}

void CStationTelemetry::AcquisitionChanged(bool running, int64_t now) {
    m_lastNow = now;
    if (running) Alert(m_health.Started(WindowOf(m_settings), now), now);
    PublishState(running);
}

void CStationTelemetry::Tick(int64_t now) {
    m_lastNow = now;
    Alert(m_health.Tick(now), now);
}

void CStationTelemetry::RecordStored(const CRsdData& day, bool written) {
    const int index = day.GetCount() - 1;
    if (index < 0) return;
    const int64_t recordTime = day.GetAt(index).m_time;
    CResample spectrum;
    spectrum.Resample(day, index);
    const rad::LightQuantities quantities = rad::ComputeQuantities(spectrum);
    m_today.Update(day);
    const double dli = m_today.Day().dli;
    const RecordMessageInputs inputs{
        day,
        index,
        m_statusTexts,
        quantities,
        spectrum.GetIntegral(m_settings.integ.left, m_settings.integ.right),
        dli,
        m_mqtt.spectrum ? &spectrum : nullptr};
    m_publisher->Publish({Topic("record"), rad::BuildRecordMessage(inputs), 1, false});
    // The record's own time stands for now when no tick came yet (a manual cycle).
    const int64_t now = std::max(m_lastNow, recordTime);
    Alert(m_health.RecordStored(day, written, now), now);
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
