#pragma once

#include <cstddef>
#include <utility>

struct DaySeries;

// A stretch of the day view's time axis, in the series' hours.
struct HourRange {
    double from = 0;
    double to = 24;

    double Span() const { return to - from; }
    bool operator==(const HourRange&) const = default;
};

// The narrowest range a zoom reaches: one minute.
inline constexpr double kMinZoomHours = 1.0 / 60;

// The hours of the day of series.days[day] (a day across a clock change keeps its own length),
// or of every day from the first to the last with day < 0 or out of range.
HourRange DayHours(const DaySeries& series, int day);
// range zoomed by factor (below 1 in, above 1 out) about hour, which stays where it was drawn;
// kept inside limits and no narrower than kMinZoomHours (or limits, when they are narrower).
HourRange ZoomedRange(HourRange range, double hour, double factor, HourRange limits);
// from..to in either order, kept inside limits and no narrower than kMinZoomHours.
HourRange RangeBetween(double from, double to, HourRange limits);
// The share of window that the rows' readings stand for (see DaySeries::RowSpan): what the
// user sees measured, whatever lies outside the window.
double WindowCoverage(const DaySeries& series, HourRange window);
// Rows first..last (last excluded) whose times lie in window.
std::pair<std::size_t, std::size_t> RowsIn(const DaySeries& series, HourRange window);
// Whether the rows of window are drawn as points: few of them, or far enough apart on a plot
// of plotWidth units that a line alone would hide how few there are.
bool WantsMarkers(const DaySeries& series, HourRange window, int plotWidth);
// Whether a row stands alone: no neighbour within the gap the daily light integral bridges,
// so a line through the rows draws nothing for it.
bool IsolatedRow(const DaySeries& series, std::size_t row);
