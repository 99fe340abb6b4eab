#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "SensorModel.h"

// The values the Measurement Settings dialog edits, and its rules, kept free of widgets so the
// dialog only maps them onto controls.
struct ConfValues {
    bool autoStart = false;
    std::string csvFolder;
    std::string rsdFolder;
    bool csvSave = true;
    std::string memo;
    int integFrom = 300;
    int integTo = 1800;
    int csvFrom = 300;
    int csvTo = 1800;
    int pitch = 0;  // radio index: 0 "Raw", 1 "1nm"
    bool merge = true;
    std::array<bool, kModelCount> csvModel = kAllModels;
    std::array<bool, kModelCount> use{};
    std::array<int, kModelCount> port{};  // 0 = none
    int64_t start = 21600;                // seconds after local midnight
    int64_t finish = 72000;
    int64_t interval = 600;  // seconds
};

// Which controls the enabling rules leave enabled.
struct ConfEnabling {
    std::array<bool, kModelCount> portList{};
    std::array<bool, kModelCount> csvModel{};
    bool csvFolder = false;  // also its Browse button
    bool pitch = false;
    bool merge = false;
    bool csvRange = false;
};

// Spin ranges of the schedule controls.
inline constexpr int kHourMax = 23;
inline constexpr int kMinuteMax = 59;
inline constexpr int kIntervalMinMinutes = 1;
inline constexpr int kIntervalMaxMinutes = 720;

namespace rad {

// A click on a use box clears the other model of its pair (QS-100/QS-200, QS-300/QS-400).
void ApplyPairRule(ConfValues& values, int clickedModel);
// Data Selection boxes follow their model's use box; Merge needs a short- and a long-wave model.
void ApplySelectionRules(ConfValues& values);
ConfEnabling ComputeEnabling(const ConfValues& values);

// Spin positions shown for the stored seconds.
int HourOf(int64_t secondOfDay);
int MinuteOf(int64_t secondOfDay);
int IntervalMinutesOf(int64_t intervalSeconds);
// Whether the interval spin can show the stored interval (whole minutes, 1..720); a demo's
// interval in seconds cannot, and is kept as it is.
bool IsMinuteInterval(int64_t intervalSeconds);
// Seconds stored on OK for the spin positions.
int64_t SecondOfDay(int hour, int minute);
int64_t IntervalSeconds(int minutes);

// A memo the day file gives back unchanged: the reader splits fields at ",", CR and LF and cuts
// them to 31 bytes, so anything else would come back altered.
bool MemoReadsBackWhole(const std::string& utf8);
// The part of a typed or pasted memo that reads back whole: without the field separators and
// cut after the last whole character that fits the field.
std::string FitMemo(const std::string& utf8);
// Folder settings end with the path separator.
std::string WithTrailingSeparator(std::string folder);

}  // namespace rad
