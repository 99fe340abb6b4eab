#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DailyLight.h"
#include "LightSeries.h"

class CRsdData;

// Every record of a file placed on the time of day, with the summary of each day it touches.
struct DaySeries {
    std::vector<rad::SeriesRow> rows;  // in time order
    // Per row, the data set its record belongs to: 0 the one the series was built for, else
    // another part of the same day (a sensor unit swapped), sets[part].
    std::vector<int> parts;
    std::vector<const CRsdData*> sets;
    std::vector<double> hours;  // per row: hours since midnight of the first day
    std::vector<rad::DaySummary> days;
    int64_t origin = 0;  // start of the first record's day
    int dayStartHour = 0;
    int dayCount = 0;           // days from the first record's to the last record's
    double spacing = 1.0 / 60;  // median hours between rows; a lone row stands for a minute

    bool Empty() const { return rows.empty(); }
    // The time axis: from the first day's start to the last day's end, in hours.
    double FirstHour() const { return dayStartHour; }
    double LastHour() const { return dayStartHour + 24.0 * dayCount; }
    // The quantity of every row; NaN where not available.
    std::vector<double> Values(rad::Quantity q) const;
    // The clear sky's PPFD at every row; NaN without a site.
    std::vector<double> ClearSkyPpfd() const;
    // The row whose time is nearest to hour; nullopt without rows.
    std::optional<std::size_t> NearestRow(double hour) const;
    // Hours a row's reading stands for: up to the next row, unless the gap to it is longer
    // than twice the median spacing (the gap the daily light integral does not bridge).
    double RowSpan(std::size_t row) const;
    // The row whose span holds hour: the last one starting at or before it, unless its span
    // ends first (a gap, or after the last row); nullopt then and before the first row.
    // Spans of neighbouring rows meet exactly, so evenly spaced rows leave no hour uncovered.
    std::optional<std::size_t> CoveringRow(double hour) const;
    // Header and one line per row, as the series export of the command-line tool writes them;
    // with days, then an empty line and the summaries of the days as its daily export has them.
    std::vector<std::string> CsvLines(bool withDays = false) const;
};

// Throws std::invalid_argument for a record time without a local form.
DaySeries BuildDaySeries(const CRsdData& set, int dayStartHour);
// The same over the parts of a day read as one day: sets[0] and the others after it.
DaySeries BuildDaySeries(const std::vector<const CRsdData*>& sets, int dayStartHour);
