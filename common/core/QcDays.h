#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "DailyLight.h"
#include "QcFlags.h"

// Per day, how many records carry each quality flag.
namespace rad {

struct QcDay {
    int64_t start = 0;  // the local time at which the day begins
    int records = 0;
    std::array<int, kQcFlagCount> counts{};  // in QcFlagTable order
};

// One per day that holds a sample, in time order; samples need not be sorted. Throws
// std::invalid_argument for a time without a local form.
std::vector<QcDay> CountQcByDay(std::span<const LightSample> samples, int dayStartHour);

// "Date,Records,nonfinite,saturated,..." and one line per day; JSON: one object per day.
std::string QcDayCsvHeader();
std::string QcDayCsvLine(const QcDay& day);
std::string QcDayJsonLine(const QcDay& day);

}  // namespace rad
