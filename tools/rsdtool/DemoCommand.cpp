// rsdtool demo: a generated day file for trying the programs without a sensor.
#include "LocalTime.h"
#include "SimulatedSky.h"
#include "SyntheticData.h"
#include "ToolSupport.h"

namespace {

constexpr const char* kCommand = "demo";
// The whole of today every 10 minutes, night included.
constexpr int kStepSeconds = 600;
constexpr int kDefaultRecords = 144;
constexpr int kMaxRecords = 1440;

// 00:00 local time of today.
int64_t MidnightOfToday() {
    const auto now = rad::ToLocalTm(rad::Now());
    if (!now) return 0;
    const auto midnight =
        rad::LocalFieldsToTime(now->tm_year + 1900, now->tm_mon + 1, now->tm_mday, 0, 0, 0);
    return midnight.value_or(0);
}

}  // namespace

int RunDemo(const CommandArgs& args) {
    const auto parsed = ParseArgs(args, {"--records", "--sky"}, kCommand);
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
    rad::SkyScene scene;
    if (const std::string* text = parsed->Option("--sky")) {
        const auto kind = rad::ParseSkyKind(*text);
        if (!kind) return UsageError(kCommand, std::string("--sky takes ") + rad::kSkyChoices);
        scene.kind = *kind;
    }
    const int64_t first = MidnightOfToday();
    scene.site = rad::MachineDemoSite(first + 43200);
    CRsdData set;
    rad::MakeSkyDay(set, records, {kQS200, kQS300}, first, kStepSeconds, scene);
    if (!set.Save(parsed->positional[0])) return WriteError(parsed->positional[0]);
    return kExitOk;
}
