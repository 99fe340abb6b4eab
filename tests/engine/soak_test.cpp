// A few hundred fast cycles with random drop-outs and returns of the sensors and late replies.
#include <random>

#include "EngineFixture.h"

namespace {

// Every count of every stored frame lies within what the sensor can send: a frame read with
// shifted or stray bytes would show counts below 0.
void ExpectPlausible(const CRsdData& set) {
    for (int i = 0; i < set.GetCount(); ++i) {
        for (int model = 0; model < kModelCount; ++model) {
            const SensorData* d = set.GetAt(i).Block(model);
            if (!d) continue;
            const double seconds = d->ET / 1000.0;
            for (std::size_t k = 0; k < d->MD.size(); ++k) {
                ASSERT_TRUE(d->MD[k] >= 0 && d->MD[k] * seconds <= 32767.5) << i << " " << k;
                ASSERT_TRUE(d->DD[k] >= 0 && d->DD[k] * seconds <= 32767.5) << i << " " << k;
            }
        }
    }
}

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
            const int after = 1 + static_cast<int>(random() % 20);
            const int ms = 100 + static_cast<int>(random() % 200);
            m_sim->SetFaults(static_cast<int>(random() % 2), {.dropAfter = after, .dropMs = ms});
        }
        // Now and then one command's replies come after its (shortened) time-out.
        static const char* const kCommands[] = {"", "OP", "GM", "RB", "CL", "SER", "SS"};
        for (int sensor = 0; sensor < 2; ++sensor) {
            QsSimFaults faults = m_sim->Faults(sensor);
            const bool late = random() % 30 == 0;
            faults.lateCommand = late ? kCommands[random() % 7] : "";
            faults.lateMs = late ? 550 + static_cast<int>(random() % 400) : 0;
            m_sim->SetFaults(sensor, faults);
        }
        Tick(1);
        if (cycle == kCycles / 3) residentAtStart = ResidentKiB();
    }
    EXPECT_EQ(m_doc->State().storedCycles, kCycles);
    EXPECT_EQ(m_doc->State().pendingRecords, 0);
    const auto set = DayFile(m_clock.Now());
    EXPECT_EQ(set->GetCount(), kCycles);
    ExpectPlausible(*set);
    if (kCheckResident) {
        EXPECT_LT(ResidentKiB() - residentAtStart, 16 * 1024) << "memory grows with the cycles";
    }
}

}  // namespace
