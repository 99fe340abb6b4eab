#include "DailyLight.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "LocalTime.h"
#include "QcFlags.h"

namespace rad {
namespace {

constexpr double kMolesPerMicromole = 1e-6;
constexpr double kGapFactor = 2.0;          // a step above twice the median spacing is a gap
constexpr double kRatioMinimumPpfd = 10.0;  // umol/m2/s: R:FR of darker records is noise

int64_t LocalDayStart(int year, int month, int day, int hour) {
    // The day of a clock at the epoch begins before 1970 UTC east of Greenwich.
    const auto t = LocalFieldsToAnyTime(year, month, day, hour, 0, 0);
    if (!t) throw std::invalid_argument("no local day start");
    return *t;
}

double Median(std::vector<double> values) {
    if (values.empty()) return kNotAvailable;
    const std::size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(mid),
                     values.end());
    const double upper = values[mid];
    if (values.size() % 2 == 1) return upper;
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(mid));
    return (lower + upper) / 2;
}

// Trapezoid integral of PPFD over the day's records, gaps left out.
void Integrate(std::span<const LightSample> day, DaySummary& summary) {
    std::vector<const LightSample*> lit;
    for (const LightSample& s : day) {
        if (std::isfinite(s.ppfd)) lit.push_back(&s);
    }
    if (lit.size() < 2) return;
    std::vector<double> steps;
    for (std::size_t i = 1; i < lit.size(); ++i)
        steps.push_back(static_cast<double>(lit[i]->time - lit[i - 1]->time));
    const double limit = kGapFactor * Median(steps);
    double integral = 0, bridged = 0;
    for (std::size_t i = 1; i < lit.size(); ++i) {
        const double dt = steps[i - 1];
        if (dt > limit) continue;
        integral += (lit[i - 1]->ppfd + lit[i]->ppfd) / 2 * dt;
        bridged += dt;
    }
    const double window = static_cast<double>(lit.back()->time - lit.front()->time);
    if (window <= 0) return;
    summary.dli = integral * kMolesPerMicromole;
    summary.coverage = bridged / window;
}

void Extremes(std::span<const LightSample> day, DaySummary& summary) {
    double ratioSum = 0;
    int ratioCount = 0;
    for (const LightSample& s : day) {
        if (std::isfinite(s.ppfd) && !(s.ppfd <= summary.maxPpfd)) {
            summary.maxPpfd = s.ppfd;
            summary.maxPpfdTime = s.time;
        }
        if (std::isfinite(s.uvIndex) && !(s.uvIndex <= summary.maxUvIndex))
            summary.maxUvIndex = s.uvIndex;
        if (s.ppfd > kRatioMinimumPpfd && std::isfinite(s.redFarRed)) {
            ratioSum += s.redFarRed;
            ++ratioCount;
        }
    }
    if (ratioCount > 0) summary.meanRedFarRed = ratioSum / ratioCount;
}

}  // namespace

int64_t DayStartOf(int64_t t, int dayStartHour) {
    const auto tm = ToLocalTm(t);
    if (!tm) throw std::invalid_argument("time without a local form");
    const int day = tm->tm_hour < dayStartHour ? tm->tm_mday - 1 : tm->tm_mday;
    return LocalDayStart(tm->tm_year + 1900, tm->tm_mon + 1, day, dayStartHour);
}

std::vector<DaySummary> SummariseDays(std::span<const LightSample> samples, int dayStartHour) {
    std::vector<LightSample> sorted(samples.begin(), samples.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const LightSample& a, const LightSample& b) { return a.time < b.time; });
    std::vector<DaySummary> days;
    std::size_t first = 0;
    while (first < sorted.size()) {
        DaySummary summary;
        summary.start = DayStartOf(sorted[first].time, dayStartHour);
        // The next day's start, found from a time safely inside it (days last 23..25 hours).
        const int64_t next = DayStartOf(summary.start + 36 * 3600, dayStartHour);
        std::size_t end = first;
        while (end < sorted.size() && sorted[end].time < next) ++end;
        const std::span<const LightSample> day(sorted.data() + first, end - first);
        summary.count = static_cast<int>(day.size());
        summary.flagged = static_cast<int>(std::count_if(
            day.begin(), day.end(), [](const LightSample& s) { return (s.qc & kQcFaults) != 0; }));
        Integrate(day, summary);
        Extremes(day, summary);
        days.push_back(summary);
        first = end;
    }
    return days;
}

}  // namespace rad
