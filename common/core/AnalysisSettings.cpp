#include "AnalysisSettings.h"

#include "IniFile.h"

namespace {
constexpr const char* kSection = "ANALYSIS";
constexpr const char* kDayStartKey = "DAYSTART";
constexpr int kHoursPerDay = 24;
}  // namespace

void AnalysisSettings::Load(const CIniFile& ini) {
    dayStart.reset();
    if (!ini.HasKey(kSection, kDayStartKey)) return;
    const int hour = ini.GetInt(kSection, kDayStartKey, kDefaultDayStart);
    if (hour >= 0 && hour < kHoursPerDay) dayStart = hour;
}

void AnalysisSettings::Save(CIniFile& ini) const {
    if (dayStart) ini.SetInt(kSection, kDayStartKey, *dayStart);
}
