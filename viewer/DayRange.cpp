#include "DayRange.h"

#include <algorithm>
#include <cmath>

#include "DaySeries.h"
#include "LocalTime.h"

namespace {

constexpr double kSecondsPerHour = 3600;
constexpr std::size_t kFewRows = 60;  // up to this many rows, each is marked
constexpr double kSparseUnits = 6;    // rows this far apart on the plot are marked too

double HourOf(const DaySeries& series, int64_t t) {
    return series.dayStartHour + static_cast<double>(t - series.origin) / kSecondsPerHour;
}

}  // namespace

HourRange DayHours(const DaySeries& series, int day) {
    if (day < 0 || static_cast<std::size_t>(day) >= series.days.size())
        return {series.FirstHour(), series.LastHour()};
    const int64_t start = series.days[static_cast<std::size_t>(day)].start;
    int64_t end = start + 24 * 3600;
    try {
        // Six hours past a day's nominal end lies in the next day whatever the clock did.
        end = rad::DayStartOf(start + 30 * 3600, series.dayStartHour);
    } catch (const std::invalid_argument&) {
    }
    return {HourOf(series, start), HourOf(series, end)};
}

HourRange RangeBetween(double from, double to, HourRange limits) {
    if (to < from) std::swap(from, to);
    const double least = std::min(kMinZoomHours, limits.Span());
    if (to - from < least) {
        const double middle = (from + to) / 2;
        from = middle - least / 2;
        to = middle + least / 2;
    }
    const double span = std::min(to - from, limits.Span());
    from = std::clamp(from, limits.from, limits.to - span);
    return {from, from + span};
}

HourRange ZoomedRange(HourRange range, double hour, double factor, HourRange limits) {
    if (!(factor > 0) || !std::isfinite(hour)) return range;
    return RangeBetween(hour - (hour - range.from) * factor, hour + (range.to - hour) * factor,
                        limits);
}

double WindowCoverage(const DaySeries& series, HourRange window) {
    if (!(window.Span() > 0)) return 0;
    double covered = 0;
    // A row before the window may reach into it.
    const auto [first, last] = RowsIn(series, window);
    for (std::size_t row = first > 0 ? first - 1 : 0; row < last; ++row) {
        const double start = std::max(series.hours[row], window.from);
        const double end = std::min(series.hours[row] + series.RowSpan(row), window.to);
        if (end > start) covered += end - start;
    }
    return std::min(1.0, covered / window.Span());
}

std::pair<std::size_t, std::size_t> RowsIn(const DaySeries& series, HourRange window) {
    const auto begin = std::lower_bound(series.hours.begin(), series.hours.end(), window.from);
    const auto end = std::upper_bound(begin, series.hours.end(), window.to);
    return {static_cast<std::size_t>(begin - series.hours.begin()),
            static_cast<std::size_t>(end - series.hours.begin())};
}

bool WantsMarkers(const DaySeries& series, HourRange window, int plotWidth) {
    const auto [first, last] = RowsIn(series, window);
    if (last - first <= kFewRows) return true;
    return window.Span() > 0 && series.spacing * plotWidth / window.Span() >= kSparseUnits;
}

bool IsolatedRow(const DaySeries& series, std::size_t row) {
    const std::vector<double>& h = series.hours;
    const double gap = 2 * series.spacing;
    return (row == 0 || h[row] - h[row - 1] > gap) &&
           (row + 1 >= h.size() || h[row + 1] - h[row] > gap);
}
