#include "LocalTime.h"

#include <stdexcept>

namespace rad {

void InitTimeZone()
{
    tzset();
}

std::optional<std::tm> ToLocalTm(int64_t t)
{
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    if (!localtime_r(&tt, &tm)) return std::nullopt;
    return tm;
}

std::string FormatLocalTime(int64_t t, const char* format)
{
    const auto tm = ToLocalTm(t);
    if (!tm) throw std::invalid_argument("time " + std::to_string(t) + " has no local form");
    char buffer[128];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &*tm);
    return std::string(buffer, n);
}

std::optional<int64_t> LocalFieldsToTime(int year, int month, int day, int hour, int minute,
                                         int second)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    // Times before 1970 UTC count as unconvertible, as on the platform the files come from.
    if (t < 0) return std::nullopt;
    return static_cast<int64_t>(t);
}

std::string StandardOffsetText()
{
    tzset();
    const long hours = -timezone / 3600;  // C++ division truncates toward zero
    return (hours >= 0 ? "+" : "") + std::to_string(hours);
}

int64_t Now()
{
    return static_cast<int64_t>(std::time(nullptr));
}

}  // namespace rad
