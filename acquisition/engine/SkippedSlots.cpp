#include "SkippedSlots.h"

#include <algorithm>

namespace rad {

SkippedSlots FindSkippedSlots(const IntervalWindow& window, int64_t second, int64_t prevSecond) {
    const int64_t interval = window.interval;
    if (interval <= 0 || prevSecond == 0 || second <= prevSecond) return {};
    // Slot k holds the seconds k * interval .. (k + 1) * interval - 1; it counts when one of
    // them lies inside [start, end].
    const int64_t firstInWindow = window.start / interval;
    const int64_t lastInWindow = window.end / interval;
    const int64_t from = std::max(prevSecond / interval + 1, firstInWindow);
    const int64_t to = std::min(second / interval - 1, lastInWindow);
    if (window.start > window.end || from > to) return {};
    return {to - from + 1, std::max(from * interval, window.start), to * interval};
}

std::string SkippedSlotsText(const SkippedSlots& skipped) {
    if (skipped.count == 1) return "slot " + SecondOfDayText(skipped.firstStart) + " skipped";
    return std::to_string(skipped.count) +
           " slots skipped: " + SecondOfDayText(skipped.firstStart) + " to " +
           SecondOfDayText(skipped.lastStart);
}

}  // namespace rad
