#include "Schedule.h"

#include <cstdio>

#include "LocalTime.h"

namespace rad {

std::optional<int64_t> SecondOfDay(int64_t t) {
    const auto tm = ToLocalTm(t);
    if (!tm) return std::nullopt;
    return int64_t{tm->tm_hour} * 3600 + tm->tm_min * 60 + tm->tm_sec;
}

std::string SecondOfDayText(int64_t second) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(second / 3600),
                  static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
    return text;
}

bool IsCycleDue(const IntervalWindow& window, int64_t second, int64_t prevSecond) {
    // A hand-edited interval of 0 or less would divide by zero: such a schedule never measures.
    if (window.interval <= 0) return false;
    return window.start <= second && second <= window.end && prevSecond != 0 &&
           second / window.interval != prevSecond / window.interval;
}

std::optional<int64_t> SlotTime(int64_t now, int64_t second, int64_t interval) {
    if (interval <= 0) return std::nullopt;
    const int64_t slotStart = second / interval * interval;
    const auto today = ToLocalTm(now);
    if (!today) return std::nullopt;
    const int hour = static_cast<int>(slotStart / 3600);
    const int minute = static_cast<int>(slotStart / 60 % 60);
    const int sec = static_cast<int>(slotStart % 60);

    const int64_t elapsed = now - (second - slotStart);
    if (const auto back = ToLocalTm(elapsed); back && back->tm_hour == hour &&
                                              back->tm_min == minute && back->tm_sec == sec &&
                                              back->tm_mday == today->tm_mday)
        return elapsed;
    return LocalFieldsToTime(today->tm_year + 1900, today->tm_mon + 1, today->tm_mday, hour, minute,
                             sec);
}

}  // namespace rad
