// The service manager hears "ready" at the start, watchdog pings only while the acquisition
// ticks, and "stopping" at the end; the telemetry behind still hears everything.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ServiceNotifier.h"

namespace {

struct CountingObserver final : IStationObserver {
    void AcquisitionChanged(bool, int64_t) override { ++calls; }
    void Tick(int64_t) override { ++calls; }
    void RecordStored(const StoredRecord&, bool) override { ++calls; }
    void SensorState(int, int, const std::string&) override { ++calls; }
    void SensorLost(int) override { ++calls; }
    void SensorChanged(int, const std::string&) override { ++calls; }
    int calls = 0;
};

// Without a watchdog only ready and stopping; without telemetry behind, nothing is passed on.
TEST(ServiceNotifier, PingsEveryHalfWatchdogWhileTheAcquisitionTicks) {
    const struct {
        int64_t watchdogMs;
        bool telemetryBehind;
        std::vector<std::string> expected;
    } rows[] = {
        {10000, true, {"READY=1", "WATCHDOG=1", "WATCHDOG=1", "STOPPING=1"}},
        {0, false, {"READY=1", "STOPPING=1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.watchdogMs);
        std::vector<std::string> sent;
        int64_t nowMs = 5000;
        CountingObserver telemetry;
        CServiceNotifier notifier([&sent](const std::string& s) { sent.push_back(s); },
                                  row.watchdogMs, [&nowMs] { return nowMs; },
                                  row.telemetryBehind ? &telemetry : nullptr);
        notifier.Tick(0);  // before the start: nothing runs yet
        notifier.AcquisitionChanged(true, 0);
        for (int second = 1; second <= 12; ++second) {
            nowMs += 1000;
            notifier.Tick(second);
        }
        notifier.SensorLost(1);
        notifier.SensorChanged(1, "another unit");
        notifier.AcquisitionChanged(false, 13);
        nowMs += 60000;
        notifier.Tick(14);  // a tick after the close pings no more
        EXPECT_EQ(sent, row.expected);
        EXPECT_EQ(telemetry.calls, row.telemetryBehind ? 18 : 0);
    }
}

}  // namespace
