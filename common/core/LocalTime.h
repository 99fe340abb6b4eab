#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace rad {

// Reads TZ once more so that later conversions see the current zone.
void InitTimeZone();
// Local calendar time of t; nullopt when the C library cannot convert it.
std::optional<std::tm> ToLocalTm(int64_t t);
// strftime of the local time of t; throws std::invalid_argument when t cannot be converted.
// An empty formatting result gives "".
std::string FormatLocalTime(int64_t t, const char* format);
// The local calendar time of t; throws std::invalid_argument as FormatLocalTime does.
std::tm LocalTmOrThrow(int64_t t);
// strftime of tm; "" when the result is empty.
std::string FormatLocalTm(const std::tm& tm, const char* format);
// Local calendar fields to seconds since 1970, DST decided by the C library for that date.
// Fields are passed as they stand (day 30 of February rolls over); nullopt when mktime fails.
std::optional<int64_t> LocalFieldsToTime(int year, int month, int day, int hour, int minute,
                                         int second);
// The same, but a time before 1970 UTC is kept: the start of 1 January 1970 in a zone east of
// UTC, where a board without a battery clock starts. nullopt only when mktime fails.
std::optional<int64_t> LocalFieldsToAnyTime(int year, int month, int day, int hour, int minute,
                                            int second);
// Local calendar times of many stamps in a row: the conversion of each whole hour is kept and
// reused for the seconds in it when the hour is plain (begins at minute 0 and holds no change
// of offset and no leap second), which spares thousands of calls into the C library and its
// zone lock. The same results as LocalTmOrThrow; for one thread, and not across InitTimeZone.
class LocalTimeCache {
  public:
    std::tm Get(int64_t t);

  private:
    int64_t m_hour = -1;
    bool m_plain = false;
    std::tm m_start{};
};

// Standard (non-DST) offset from UTC in whole hours, "%+d", truncated toward zero.
std::string StandardOffsetText();
// Current wall time in seconds since 1970.
int64_t Now();

}  // namespace rad
