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
    int calls = 0;
};

struct Notified {
    std::vector<std::string> sent;
    int64_t nowMs = 5000;
    CServiceNotifier Make(int64_t watchdogMs, IStationObserver* next) {
        return CServiceNotifier([this](const std::string& s) { sent.push_back(s); }, watchdogMs,
                                [this] { return nowMs; }, next);
    }
};

TEST(ServiceNotifier, PingsEveryHalfWatchdogWhileTheAcquisitionTicks) {
    Notified n;
    CountingObserver telemetry;
    CServiceNotifier notifier = n.Make(10000, &telemetry);
    notifier.Tick(0);  // before the start: nothing runs yet
    notifier.AcquisitionChanged(true, 0);
    for (int second = 1; second <= 12; ++second) {
        n.nowMs += 1000;
        notifier.Tick(second);
    }
    notifier.SensorLost(1);
    notifier.AcquisitionChanged(false, 13);
    n.nowMs += 60000;
    notifier.Tick(14);  // a tick after the close pings no more
    const std::vector<std::string> expected = {"READY=1", "WATCHDOG=1", "WATCHDOG=1", "STOPPING=1"};
    EXPECT_EQ(n.sent, expected);
    EXPECT_EQ(telemetry.calls, 17);
}

TEST(ServiceNotifier, WithoutAWatchdogOnlyReadyAndStopping) {
    Notified n;
    CServiceNotifier notifier = n.Make(0, nullptr);
    notifier.AcquisitionChanged(true, 0);
    n.nowMs += 100000;
    notifier.Tick(100);
    notifier.AcquisitionChanged(false, 101);
    EXPECT_EQ(n.sent, (std::vector<std::string>{"READY=1", "STOPPING=1"}));
}

}  // namespace
