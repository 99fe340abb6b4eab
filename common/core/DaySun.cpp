#include "DaySun.h"

#include <cmath>

namespace rad {
namespace {

constexpr int64_t kStepSeconds = 60;
constexpr double kMolesPerMicromole = 1e-6;

}  // namespace

DaySunTotals SummariseDaySun(int64_t start, int64_t end, RecordSun& sun) {
    if (!sun.HasSite() || end <= start) return {};
    double aboveSeconds = 0, integral = 0;
    SunValues previous = sun.At(start);
    for (int64_t t = start; t < end;) {
        const int64_t next = std::min(t + kStepSeconds, end);
        const SunValues now = sun.At(next);
        const double dt = static_cast<double>(next - t);
        const double e0 = 90.0 - previous.zenithDeg, e1 = 90.0 - now.zenithDeg;
        // The horizon crossed inside a step is placed by the elevation's straight line.
        if (e0 > 0 && e1 > 0)
            aboveSeconds += dt;
        else if (e0 > 0 || e1 > 0)
            aboveSeconds += dt * std::max(e0, e1) / std::abs(e1 - e0);
        integral += (previous.clearSkyPpfd + now.clearSkyPpfd) / 2 * dt;
        previous = now;
        t = next;
    }
    return {aboveSeconds / 3600.0, integral * kMolesPerMicromole};
}

void AddDaySun(std::vector<DaySummary>& days, std::span<const LightSample> clearSky,
               int dayStartHour, RecordSun& sun) {
    if (!sun.HasSite()) return;
    const std::vector<DaySummary> clearDays = SummariseDays(clearSky, dayStartHour);
    for (std::size_t i = 0; i < days.size(); ++i) {
        DaySummary& day = days[i];
        const int64_t end = DayStartOf(day.start + 36 * 3600, dayStartHour);
        const DaySunTotals totals = SummariseDaySun(day.start, end, sun);
        day.photoperiodHours = totals.photoperiodHours;
        day.clearSkyDli = totals.clearSkyDli;
        if (i < clearDays.size() && clearDays[i].start == day.start && clearDays[i].dli > 0)
            day.clearSkyRatio = day.dli / clearDays[i].dli;
    }
}

}  // namespace rad
