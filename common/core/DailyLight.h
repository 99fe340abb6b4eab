#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

// Days of a light series: the daily light integral and the day's extremes.
namespace rad {

inline constexpr double kNotAvailable = std::numeric_limits<double>::quiet_NaN();

// What a day summary needs of one record; NaN where the record has no value.
struct LightSample {
    int64_t time = 0;
    double ppfd = kNotAvailable;  // umol/m2/s
    double redFarRed = kNotAvailable;
    double uvIndex = kNotAvailable;
    unsigned qc = 0;  // QcFlag bits
};

struct DaySummary {
    int64_t start = 0;           // the local time at which the day begins
    int count = 0;               // records in the day
    int flagged = 0;             // records with a flag that says something is wrong
    double dli = kNotAvailable;  // mol/m2/d; NaN when no two records could be bridged
    double coverage = 0;         // bridged time / first-to-last time of the day's records
    double maxPpfd = kNotAvailable;
    int64_t maxPpfdTime = 0;
    double meanRedFarRed = kNotAvailable;  // over records with PPFD above 10 umol/m2/s
    double maxUvIndex = kNotAvailable;
    // The sun's (AddDaySun): hours with the sun above the horizon, the clear sky's DLI over
    // the whole day, and the measured DLI over the clear sky's integral of the same records.
    double photoperiodHours = kNotAvailable;
    double clearSkyDli = kNotAvailable;
    double clearSkyRatio = kNotAvailable;
};

// Start of the day holding t (local time, days beginning at dayStartHour); the day of a time
// before that hour is the previous date's. Throws std::invalid_argument for a time without a
// local form.
int64_t DayStartOf(int64_t t, int dayStartHour);

// One summary per day that holds a record, in time order. samples need not be sorted.
std::vector<DaySummary> SummariseDays(std::span<const LightSample> samples, int dayStartHour);

}  // namespace rad
