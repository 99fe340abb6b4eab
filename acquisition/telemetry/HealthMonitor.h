#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "SensorModel.h"

class CRsdData;

// One health alert of the station.
struct HealthAlert {
    enum class Kind {
        NoRecord,        // no stored record for two intervals inside the window
        SensorLost,      // the device vanished, or a ready sensor is missing from a record
        SensorBack,      // a lost sensor is ready or measuring again
        SensorNotReady,  // the first identification after the start failed
        Saturated,       // a frame at the shortest exposure reached the pixel limit
        DarkHigh,        // the dark range is above its limit
        StoreFailed,     // the day file could not be written
        SensorChanged,   // another unit of the model measured: a new part of the day file
        Quality,         // a quality flag (night aside) first seen in this acquisition
    };
    Kind kind;
    int model = -1;  // -1: the station as a whole
    std::string detail;
};

// Machine name of an alert kind ("sensor_lost").
const char* AlertKindName(HealthAlert::Kind kind);

// The kinds that stand for a lasting problem: all but sensor_back, which ends sensor_lost.
const std::vector<HealthAlert::Kind>& ProblemKinds();

// Turns the controller's events into alerts, each once until its cause went away. Pure: times
// come with the calls.
class CHealthMonitor {
  public:
    struct Window {
        int64_t start = 0;  // seconds after local midnight
        int64_t end = 0;
        int64_t interval = 0;  // 0: manual, no schedule to miss
    };

    explicit CHealthMonitor(double darkLimit) : m_darkLimit(darkLimit) {}

    // An acquisition opened with this schedule.
    std::vector<HealthAlert> Started(Window window, int64_t now);
    std::vector<HealthAlert> Tick(int64_t now);
    std::vector<HealthAlert> RecordStored(const CRsdData& day, bool written, int64_t now);
    std::vector<HealthAlert> SensorState(int model, int status);
    std::vector<HealthAlert> SensorLost(int model);
    // The quality flags (QcFlag bits) of the record just stored.
    std::vector<HealthAlert> RecordFlags(unsigned qc);
    // Whether a problem of this kind stands now, for any sensor.
    bool Standing(HealthAlert::Kind kind) const;

  private:
    bool InsideWindow(int64_t now) const;

    Window m_window;
    const double m_darkLimit;
    int64_t m_lastProgress = 0;  // last stored record, or the start
    bool m_bNoRecordReported = false;
    bool m_bStoreFailed = false;
    std::array<bool, kModelCount> m_firstStatusSeen{};
    std::array<bool, kModelCount> m_ready{};  // identified in this acquisition: expected
    std::array<bool, kModelCount> m_lost{};
    std::array<bool, kModelCount> m_saturated{};
    std::array<bool, kModelCount> m_darkHigh{};
    unsigned m_qcSeen = 0;  // flags already told in this acquisition
};
