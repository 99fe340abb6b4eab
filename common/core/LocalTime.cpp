#include "LocalTime.h"

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace rad {

void InitTimeZone() { tzset(); }

std::optional<std::tm> ToLocalTm(int64_t t) {
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    if (!localtime_r(&tt, &tm)) return std::nullopt;
    return tm;
}

std::tm LocalTmOrThrow(int64_t t) {
    const auto tm = ToLocalTm(t);
    if (!tm) {
        // Appended piece by piece: GCC 12 at -O3 misreads "literal" + std::string as an
        // overlapping copy (a false -Wrestrict).
        std::string message = "time ";
        message.append(std::to_string(t)).append(" has no local form");
        throw std::invalid_argument(message);
    }
    return *tm;
}

std::tm LocalTimeCache::Get(int64_t t) {
    constexpr int64_t kHour = 3600;
    if (t < 0 || t > INT64_MAX - 2 * kHour) return LocalTmOrThrow(t);
    const int64_t hour = t - t % kHour;
    if (hour != m_hour) {
        m_hour = hour;
        const auto start = ToLocalTm(hour), end = ToLocalTm(hour + kHour - 1);
        m_plain = start && end && start->tm_min == 0 && start->tm_sec == 0 && end->tm_min == 59 &&
                  end->tm_sec == 59 && end->tm_hour == start->tm_hour &&
                  end->tm_mday == start->tm_mday && end->tm_isdst == start->tm_isdst &&
                  end->tm_gmtoff == start->tm_gmtoff;
        if (m_plain) m_start = *start;
    }
    if (!m_plain) return LocalTmOrThrow(t);
    std::tm tm = m_start;
    tm.tm_min = static_cast<int>((t - hour) / 60);
    tm.tm_sec = static_cast<int>((t - hour) % 60);
    return tm;
}

std::string FormatLocalTm(const std::tm& tm, const char* format) {
    char buffer[128];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &tm);
    return std::string(buffer, n);
}

std::string FormatLocalTime(int64_t t, const char* format) {
    return FormatLocalTm(LocalTmOrThrow(t), format);
}

std::optional<int64_t> LocalFieldsToTime(int year, int month, int day, int hour, int minute,
                                         int second) {
    const auto t = LocalFieldsToAnyTime(year, month, day, hour, minute, second);
    // Times before 1970 UTC count as unconvertible, as on the platform the files come from.
    if (!t || *t < 0) return std::nullopt;
    return t;
}

std::optional<int64_t> LocalFieldsToAnyTime(int year, int month, int day, int hour, int minute,
                                            int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    errno = 0;
    const std::time_t t = std::mktime(&tm);
    // -1 is also one second before 1970 UTC: only errno tells a failure.
    if (t == static_cast<std::time_t>(-1) && errno != 0) return std::nullopt;
    return static_cast<int64_t>(t);
}

std::string StandardOffsetText() {
    tzset();
    const long hours = -timezone / 3600;  // C++ division truncates toward zero
    std::string text = hours >= 0 ? "+" : "";
    return text.append(std::to_string(hours));
}

int64_t Now() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace rad
