#include "TodayLight.h"

#include <cmath>
#include <cstdio>
#include <span>
#include <unordered_set>

#include "LightSeries.h"
#include "LocalTime.h"

namespace {

std::string Number(double value, int decimals) {
    if (!std::isfinite(value)) return "-";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

}  // namespace

void CTodayLight::Update(const CRsdData& set, const rad::SeriesRow* latest) {
    const bool sameSet = m_nSeen <= set.GetCount() &&
                         (m_nSeen == 0 || set.GetAt(m_nSeen - 1).m_time == m_lastSeenTime);
    // Another set: a new day file, or another part of the same day (a sensor unit exchanged,
    // or the first one back). The day's samples stay; a time already taken is not taken twice.
    std::unordered_set<int64_t> taken;
    if (!sameSet) {
        m_nSeen = 0;
        for (const rad::LightSample& sample : m_samples) taken.insert(sample.time);
    }
    const int count = set.GetCount();
    if (m_nSeen >= count) return;
    const bool given =
        latest && latest->record == count - 1 && latest->time == set.GetAt(count - 1).m_time;
    std::vector<int> fresh;
    for (int i = m_nSeen; i < (given ? count - 1 : count); ++i) fresh.push_back(i);
    std::vector<rad::SeriesRow> rows = rad::ComputeSeries(set, fresh);
    if (given) rows.push_back(*latest);
    for (const rad::SeriesRow& row : rows) {
        if (!rad::ToLocalTm(row.time)) continue;  // a time without a local form has no day
        const int64_t day = rad::DayStartOf(row.time, m_nDayStart);
        // A day may begin before 1970 UTC (a clock at the epoch east of Greenwich).
        if (m_samples.empty() || day > m_day) {
            m_samples.clear();
            taken.clear();
            m_day = day;
        }
        if (day == m_day && !taken.contains(row.time)) m_samples.push_back(rad::ToLightSample(row));
    }
    m_nSeen = count;
    m_lastSeenTime = set.GetAt(count - 1).m_time;
}

rad::DaySummary CTodayLight::Day() const {
    const auto days = rad::SummariseDays(m_samples, m_nDayStart);
    return days.empty() ? rad::DaySummary{} : days.front();
}

std::string CTodayLight::Line() const {
    if (!HasRecord()) return {};
    return "LIGHT PPFD " + Number(Latest().ppfd, 1) + " umol/m2/s, DLI " + Number(Day().dli, 3) +
           " mol/m2 so far today, UV index " + Number(Latest().uvIndex, 2);
}
