#include "QcDays.h"

#include <map>

#include "LocalTime.h"

namespace rad {
namespace {
constexpr const char* kDateFormat = "%Y/%m/%d";
}  // namespace

std::vector<QcDay> CountQcByDay(std::span<const LightSample> samples, int dayStartHour) {
    std::map<int64_t, QcDay> byStart;
    const auto flags = QcFlagTable();
    for (const LightSample& sample : samples) {
        const int64_t start = DayStartOf(sample.time, dayStartHour);
        QcDay& day = byStart[start];
        day.start = start;
        ++day.records;
        for (std::size_t f = 0; f < flags.size(); ++f)
            if (sample.qc & flags[f].flag) ++day.counts[f];
    }
    std::vector<QcDay> days;
    days.reserve(byStart.size());
    for (const auto& entry : byStart) days.push_back(entry.second);
    return days;
}

std::string QcDayCsvHeader() {
    std::string line = "Date,Records";
    for (const QcFlagInfo& info : QcFlagTable()) line += std::string(",") + info.name;
    return line;
}

std::string QcDayCsvLine(const QcDay& day) {
    std::string line = FormatLocalTime(day.start, kDateFormat) + "," + std::to_string(day.records);
    for (const int count : day.counts) line += "," + std::to_string(count);
    return line;
}

std::string QcDayJsonLine(const QcDay& day) {
    std::string line = "{\"date\":\"" + FormatLocalTime(day.start, kDateFormat) +
                       "\",\"records\":" + std::to_string(day.records);
    const auto flags = QcFlagTable();
    for (std::size_t f = 0; f < flags.size(); ++f)
        line += ",\"" + std::string(flags[f].name) + "\":" + std::to_string(day.counts[f]);
    return line + "}";
}

}  // namespace rad
