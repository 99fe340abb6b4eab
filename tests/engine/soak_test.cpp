// A few hundred fast cycles with random drop-outs and returns of the sensors.
#include <random>

#include "EngineFixture.h"

namespace {

long ResidentKiB() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4;
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// Sanitizers keep freed memory in quarantine and run several times slower: fewer cycles, and
// LeakSanitizer instead of the resident size.
constexpr int kCycles = 60;
constexpr bool kCheckResident = false;
#else
constexpr int kCycles = 200;
constexpr bool kCheckResident = true;
#endif

using Soak = EngineTest;

TEST_F(Soak, EveryCycleIsStoredThroughDropOuts) {
    m_settings.start = 0;
    m_settings.end = 86399;
    m_settings.interval = 1;  // a cycle at every tick
    StartSensors({kQS100, kQS300});
    MakeDoc();
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }));
    m_doc->OnTimerTick();
    std::mt19937 random(11);
    long residentAtStart = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        if (random() % 25 == 0) {
            QsSimFaults drop;
            drop.dropAfter = 1 + static_cast<int>(random() % 20);
            drop.dropMs = 100 + static_cast<int>(random() % 200);
            m_sim->SetFaults(static_cast<int>(random() % 2), drop);
        }
        Tick(1);
        if (cycle == kCycles / 3) residentAtStart = ResidentKiB();
    }
    EXPECT_EQ(m_doc->StoredCycles(), kCycles);
    EXPECT_EQ(m_doc->PendingRecords(), 0);
    EXPECT_EQ(DayFile(m_clock.Now())->GetCount(), kCycles);
    if (kCheckResident) {
        EXPECT_LT(ResidentKiB() - residentAtStart, 16 * 1024) << "memory grows with the cycles";
    }
}

}  // namespace
