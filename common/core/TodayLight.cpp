#include "TodayLight.h"

#include <cmath>
#include <cstdio>
#include <span>

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

void CTodayLight::StartOver() {
    m_nSeen = 0;
    m_day = 0;
    m_samples.clear();
}

void CTodayLight::Update(const CRsdData& set) {
    const bool sameSet = m_nSeen <= set.GetCount() &&
                         (m_nSeen == 0 || set.GetAt(m_nSeen - 1).m_time == m_lastSeenTime);
    if (!sameSet) StartOver();
    const int count = set.GetCount();
    if (m_nSeen >= count) return;
    std::vector<int> fresh;
    for (int i = m_nSeen; i < count; ++i) fresh.push_back(i);
    for (const rad::SeriesRow& row : rad::ComputeSeries(set, fresh)) {
        if (!rad::ToLocalTm(row.time)) continue;  // a time without a local form has no day
        const int64_t day = rad::DayStartOf(row.time, m_nDayStart);
        if (day > m_day) {
            m_samples.clear();
            m_day = day;
        }
        if (day == m_day) m_samples.push_back(rad::ToLightSample(row));
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
