#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "HealthMonitor.h"
#include "MqttPublisher.h"
#include "MqttSettings.h"
#include "QcFlags.h"
#include "RadlogSettings.h"
#include "StationObserver.h"
#include "TodayLight.h"

// The station on MQTT: one record message per stored cycle, the retained status and
// acquisition state, health alerts and Home Assistant discovery. Runs its light maths on the
// user-interface thread (a few milliseconds per record) and leaves the network to the
// publisher's thread.
class CStationTelemetry final : public IStationObserver {
  public:
    // A line for the program's output; may come on any thread.
    using Output = std::function<void(const std::string&)>;

    CStationTelemetry(const MqttSettings& mqtt, const std::string& password,
                      const RadlogSettings& settings, int dayStartHour, Output output);
    ~CStationTelemetry() override;
    // The thresholds of the record's quality flags ([QC] of the profile); defaults until set.
    void SetQcThresholds(const rad::QcThresholds& thresholds) { m_qcThresholds = thresholds; }

    // IStationObserver
    void AcquisitionChanged(bool running, int64_t now) override;
    void Tick(int64_t now) override;
    void RecordStored(const StoredRecord& record, bool written) override;
    void SensorState(int model, int status, const std::string& text) override;
    void SensorLost(int model) override;
    void SensorChanged(int model, const std::string& detail) override;

    uint64_t Dropped() const { return m_publisher->Dropped(); }

  private:
    std::string Topic(const char* leaf) const;
    void Alert(const std::vector<HealthAlert>& alerts, int64_t now);
    void PublishState(bool running, int64_t now);
    // The standing problems, retained, when they changed (Home Assistant's alert sensors).
    void PublishProblems();
    void PublishDiscovery();

    const MqttSettings m_mqtt;
    const RadlogSettings& m_settings;
    const std::string m_topic;  // TOPIC and the station name, as UTF-8
    const std::string m_station;
    const Output m_output;
    CHealthMonitor m_health;
    rad::QcThresholds m_qcThresholds;
    CTodayLight m_today;  // the daily light integral so far
    std::array<std::string, kModelCount> m_statusTexts;
    int64_t m_lastNow = 0;
    bool m_bRunning = false;
    int64_t m_lastStateTime = 0;  // clock seconds of the last state message
    uint64_t m_publishedDrops = 0;
    std::string m_problems;  // the last problems message
    std::unique_ptr<CMqttPublisher> m_publisher;
};
