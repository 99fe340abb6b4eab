#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "DailyLight.h"
#include "RecordSun.h"

// The sun's share of the daily summaries: photoperiod, clear-sky DLI and the measured DLI
// against the clear sky's.
namespace rad {

struct DaySunTotals {
    double photoperiodHours = kNotAvailable;
    double clearSkyDli = kNotAvailable;  // mol/m2/d
};

// Over the record times [start, end) of one day, from the sun's path a minute at a time.
DaySunTotals SummariseDaySun(int64_t start, int64_t end, RecordSun& sun);

// Fills the sun's fields of days (as SummariseDays made them with dayStartHour). clearSky holds
// the same records as the measured samples with the clear-sky PPFD (ToClearSkySample): the
// ratio compares the measured DLI with the clear sky's over the same records, so that gaps in
// the records do not count as clouds.
void AddDaySun(std::vector<DaySummary>& days, std::span<const LightSample> clearSky,
               int dayStartHour, RecordSun& sun);

}  // namespace rad
