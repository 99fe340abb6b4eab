// rsdtool demo: a generated day file for trying the programs without a sensor.
#include "LocalTime.h"
#include "SyntheticData.h"
#include "ToolSupport.h"

namespace {

constexpr const char* kCommand = "demo";
// Radlog's default window: 06:00 to 20:00 every 10 minutes.
constexpr int kFirstHour = 6;
constexpr int kStepSeconds = 600;
constexpr int kDefaultRecords = 85;
constexpr int kMaxRecords = 1440;

// 06:00 local time of today.
int64_t MorningOfToday() {
    const auto now = rad::ToLocalTm(rad::Now());
    if (!now) return 0;
    const auto morning = rad::LocalFieldsToTime(now->tm_year + 1900, now->tm_mon + 1, now->tm_mday,
                                                kFirstHour, 0, 0);
    return morning.value_or(0);
}

}  // namespace

int RunDemo(const CommandArgs& args) {
    const auto parsed = ParseArgs(args, {"--records"}, kCommand);
    if (!parsed) return kExitUsage;
    if (!CheckPositionalCount(*parsed, 1, 1, kCommand)) return kExitUsage;
    int records = kDefaultRecords;
    if (const std::string* text = parsed->Option("--records")) {
        const auto count = ParseRecordIndex(*text);
        if (!count || *count < 1 || *count > kMaxRecords) {
            return UsageError(kCommand, "--records takes a count from 1 to 1440");
        }
        records = *count;
    }
    CRsdData set;
    rad::MakeSyntheticDay(set, records, {kQS200, kQS300}, MorningOfToday(), kStepSeconds);
    if (!set.Save(parsed->positional[0])) return WriteError(parsed->positional[0]);
    return kExitOk;
}
