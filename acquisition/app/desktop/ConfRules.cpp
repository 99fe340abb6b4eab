#include "ConfRules.h"

#include "SensorModel.h"

namespace rad {

void ApplyPairRule(ConfValues& values, int clickedModel) {
    if (!IsValidModel(clickedModel)) return;
    values.use[static_cast<std::size_t>(ModelInfo(clickedModel).partner)] = false;
}

void ApplySelectionRules(ConfValues& values) {
    for (int m = 0; m < kModelCount; ++m) values.csvModel[m] = values.csvModel[m] && values.use[m];
    values.merge = values.merge && HasBothBands(values.use);
}

ConfEnabling ComputeEnabling(const ConfValues& values) {
    ConfEnabling e;
    for (int m = 0; m < kModelCount; ++m) {
        e.portList[m] = values.use[m];
        e.csvModel[m] = values.csvSave && values.use[m];
    }
    e.csvFolder = values.csvSave;
    e.pitch = values.csvSave;
    e.merge = values.csvSave && HasBothBands(values.use);
    e.csvRange = values.csvSave && values.pitch == 1;
    return e;
}

int HourOf(int64_t secondOfDay) { return static_cast<int>((secondOfDay / 3600) % 24); }

int MinuteOf(int64_t secondOfDay) { return static_cast<int>((secondOfDay / 60) % 60); }

int IntervalMinutesOf(int64_t intervalSeconds) {
    const int64_t minutes = intervalSeconds / 60;
    if (minutes < kIntervalMinMinutes) return kIntervalMinMinutes;
    if (minutes > kIntervalMaxMinutes) return kIntervalMaxMinutes;
    return static_cast<int>(minutes);
}

bool IsMinuteInterval(int64_t intervalSeconds) {
    return intervalSeconds % 60 == 0 && intervalSeconds / 60 >= kIntervalMinMinutes &&
           intervalSeconds / 60 <= kIntervalMaxMinutes;
}

int64_t SecondOfDay(int hour, int minute) { return (int64_t{hour} * 60 + minute) * 60; }

int64_t IntervalSeconds(int minutes) { return int64_t{minutes} * 60; }

bool MemoReadsBackWhole(const std::string& utf8) {
    if (utf8.size() >= static_cast<std::size_t>(kTextFieldSize)) return false;
    return utf8.find_first_of(",\r\n") == std::string::npos;
}

std::string FitMemo(const std::string& utf8) {
    std::string memo;
    for (const char c : utf8)
        if (c != ',' && c != '\r' && c != '\n') memo += c;
    const auto limit = static_cast<std::size_t>(kTextFieldSize - 1);
    if (memo.size() <= limit) return memo;
    // Back to the start of the character that would cross the limit: no half characters.
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(memo[cut]) & 0xC0) == 0x80) --cut;
    memo.resize(cut);
    return memo;
}

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace rad
