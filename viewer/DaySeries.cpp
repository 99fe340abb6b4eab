#include "DaySeries.h"

#include <algorithm>
#include <cmath>

#include "DaySun.h"
#include "RsdData.h"
#include "ViewerZone.h"

namespace {

constexpr double kSecondsPerHour = 3600;
constexpr int64_t kSecondsPerDay = 86400;

}  // namespace

DaySeries BuildDaySeries(const CRsdData& set, int dayStartHour) {
    return BuildDaySeries(std::vector<const CRsdData*>{&set}, dayStartHour);
}

DaySeries BuildDaySeries(const std::vector<const CRsdData*>& sets, int dayStartHour) {
    DaySeries series;
    series.dayStartHour = dayStartHour;
    series.sets = sets;
    std::vector<std::pair<rad::SeriesRow, int>> tagged;
    for (std::size_t part = 0; part < sets.size(); ++part)
        for (rad::SeriesRow& row : rad::ComputeSeries(*sets[part]))
            tagged.emplace_back(std::move(row), static_cast<int>(part));
    if (tagged.empty()) return series;
    std::stable_sort(tagged.begin(), tagged.end(),
                     [](const auto& a, const auto& b) { return a.first.time < b.first.time; });
    series.rows.reserve(tagged.size());
    series.parts.reserve(tagged.size());
    for (auto& [row, part] : tagged) {
        series.rows.push_back(std::move(row));
        series.parts.push_back(part);
    }
    // The parts of a day are of one station.
    rad::RecordSun sun(rad::SiteOf(*sets.front()), ViewerZoneOf(*sets.front()));
    unsigned expected = 0;  // a model of any part is expected of the day's records
    for (const CRsdData* set : sets) expected |= rad::ExpectedModels(*set);
    rad::AddSun(series.rows, sun, {{}, expected});
    std::vector<rad::LightSample> samples, clearSky;
    samples.reserve(series.rows.size());
    clearSky.reserve(series.rows.size());
    for (const rad::SeriesRow& row : series.rows) {
        samples.push_back(rad::ToLightSample(row));
        clearSky.push_back(rad::ToClearSkySample(row));
    }
    series.days = rad::SummariseDays(samples, dayStartHour);
    rad::AddDaySun(series.days, clearSky, dayStartHour, sun);
    series.origin = rad::DayStartOf(series.rows.front().time, dayStartHour);
    const int64_t lastDay = rad::DayStartOf(series.rows.back().time, dayStartHour);
    // Rounded: a day across a clock change is 23 or 25 hours long.
    series.dayCount = static_cast<int>(std::lround(static_cast<double>(lastDay - series.origin) /
                                                   kSecondsPerDay)) +
                      1;
    series.hours.reserve(series.rows.size());
    for (const rad::SeriesRow& row : series.rows)
        series.hours.push_back(dayStartHour + (row.time - series.origin) / kSecondsPerHour);
    if (series.hours.size() > 1) {
        std::vector<double> gaps;
        gaps.reserve(series.hours.size() - 1);
        for (std::size_t i = 1; i < series.hours.size(); ++i)
            gaps.push_back(series.hours[i] - series.hours[i - 1]);
        const auto middle = gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 2);
        std::nth_element(gaps.begin(), middle, gaps.end());
        series.spacing = *middle;
    }
    return series;
}

std::vector<double> DaySeries::Values(rad::Quantity q) const {
    std::vector<double> values;
    values.reserve(rows.size());
    for (const rad::SeriesRow& row : rows) values.push_back(row.quantities[q].value);
    return values;
}

std::vector<double> DaySeries::ClearSkyPpfd() const {
    std::vector<double> values;
    values.reserve(rows.size());
    for (const rad::SeriesRow& row : rows) values.push_back(row.sun.clearSkyPpfd);
    return values;
}

std::optional<std::size_t> DaySeries::NearestRow(double hour) const {
    if (hours.empty()) return std::nullopt;
    const auto after = std::lower_bound(hours.begin(), hours.end(), hour);
    if (after == hours.begin()) return 0;
    if (after == hours.end()) return hours.size() - 1;
    const auto before = after - 1;
    const auto pick = (hour - *before <= *after - hour) ? before : after;
    return static_cast<std::size_t>(pick - hours.begin());
}

double DaySeries::RowSpan(std::size_t row) const {
    if (row + 1 >= hours.size()) return spacing;
    const double gap = hours[row + 1] - hours[row];
    return gap > 2 * spacing ? spacing : gap;
}

std::optional<std::size_t> DaySeries::CoveringRow(double hour) const {
    const auto after = std::upper_bound(hours.begin(), hours.end(), hour);
    if (after == hours.begin()) return std::nullopt;
    const auto row = static_cast<std::size_t>(after - hours.begin()) - 1;
    // Compared with the next row's own start, not a sum that rounding may leave short of it.
    const bool reachesNext = row + 1 < hours.size() && RowSpan(row) == hours[row + 1] - hours[row];
    if (reachesNext || hour < hours[row] + RowSpan(row)) return row;
    return std::nullopt;
}

std::vector<std::string> DaySeries::CsvLines(bool withDays) const {
    std::vector<std::string> lines;
    lines.reserve(rows.size() + days.size() + 3);
    lines.push_back(rad::SeriesCsvHeader());
    for (const rad::SeriesRow& row : rows) lines.push_back(rad::SeriesCsvLine(row));
    if (!withDays) return lines;
    lines.emplace_back();
    lines.push_back(rad::DailyCsvHeader());
    for (const rad::DaySummary& day : days) lines.push_back(rad::DailyCsvLine(day));
    return lines;
}
