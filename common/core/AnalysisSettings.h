#pragma once

#include <optional>

class CIniFile;

// [ANALYSIS] of either program's profile: settings of the light analysis. Keys are written
// only when set, so a profile that never used them stays as it was.
struct AnalysisSettings {
    static constexpr int kDefaultDayStart = 0;  // days run midnight to midnight

    std::optional<int> dayStart;  // [ANALYSIS] DAYSTART, hour 0..23 at which a day begins

    int DayStartHour() const { return dayStart.value_or(kDefaultDayStart); }
    // A value outside 0..23 counts as not set.
    void Load(const CIniFile& ini);
    void Save(CIniFile& ini) const;
};
