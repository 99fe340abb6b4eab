#pragma once

#include <cstdint>
#include <string>

#include "Schedule.h"

namespace rad {

// Slots of the window that the timer passed by between two ticks: a store that took longer
// than the interval, a machine that stalled. Starts are seconds of the local day.
struct SkippedSlots {
    int64_t count = 0;
    int64_t firstStart = 0;
    int64_t lastStart = 0;
};

// The slots after the one of prevSecond and before the one of second that have a second
// inside the window. None when second is not later on the same day (the first tick, a new
// day, a clock set back).
SkippedSlots FindSkippedSlots(const IntervalWindow& window, int64_t second, int64_t prevSecond);

// "slot 12:00:02 skipped" or "3 slots skipped: 12:00:02 to 12:00:04".
std::string SkippedSlotsText(const SkippedSlots& skipped);

}  // namespace rad
