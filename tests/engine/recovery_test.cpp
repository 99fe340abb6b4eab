// End-to-end over pseudo-terminals: sensors that are missing, lost and back, and stops that
// come in the middle of long exposures.
#include <unistd.h>

#include <chrono>

#include "EngineFixture.h"

namespace {

using Recovery = EngineTest;
constexpr const char* kPortFailed = "Error(Opening COM Port failed)";

TEST_F(Recovery, PortMissingAtTheStartJoinsWhenItAppears) {
    StartSensors({kQS100, kQS300});
    std::filesystem::create_directories(m_folder);
    const std::string later = (m_folder / "ttyLATER").string();
    m_settings.ports[1] = later;  // an adapter not plugged in yet
    MakeDoc();
    m_doc->StartInterval();
    EXPECT_EQ(m_doc->SensorStatus(kQS100), kPortFailed);
    ASSERT_TRUE(PumpUntil([&] { return m_doc->SensorStatus(kQS300) == "READY"; }));
    Tick(2);  // 06:00 without the QS-100
    EXPECT_EQ(Count("ERROR QS100 MEAS"), 1);
    ASSERT_EQ(::symlink(m_sim->DevicePath(0).c_str(), later.c_str()), 0);
    ASSERT_TRUE(PumpUntil([&] { return m_doc->SensorStatus(kQS100) == "READY"; }, 10000));
    Tick(600);  // 06:10 with it
    EXPECT_EQ(Count("ERROR QS100 MEAS"), 1);
    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_TRUE(set->GetAt(1).Block(kQS100) && set->GetAt(1).Block(kQS300));
}

TEST_F(Recovery, SensorUnpluggedWhileIdentifiedComesBack) {
    StartSensors({kQS100});
    QsSimFaults drop;
    drop.dropAfter = 3;  // gone after ID and ST
    drop.dropMs = 300;
    m_sim->SetFaults(0, drop);
    MakeDoc();
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }, 10000));
    Tick(2);
    EXPECT_EQ(Count("ERROR QS100 MEAS"), 0);
    EXPECT_TRUE(DayFile(m_clock.Now())->GetAt(0).Block(kQS100));
}

TEST_F(Recovery, SensorReplugedBetweenCyclesMeasuresInTheNextSlot) {
    StartSensors({kQS100, kQS300});
    MakeDoc();
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }));
    Tick(2);  // 06:00
    QsSimFaults unplug;
    unplug.unplugMs = 300;
    m_sim->SetFaults(0, unplug);
    // The loss is seen on the idle port, and the sensor is identified again when it is back.
    ASSERT_TRUE(PumpUntil(
        [&] {
            m_doc->OnTimerTick();
            return m_doc->SensorStatus(kQS100) == "READY";
        },
        10000));
    Tick(600);  // 06:10
    EXPECT_EQ(Count("ERROR QS100 MEAS"), 0);
    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_TRUE(set->GetAt(1).Block(kQS100));
}

TEST_F(Recovery, StopDuringALongExposureIsPrompt) {
    StartSensors({kQS200}, 1.0);  // honest exposures
    QsSimFaults dark;
    dark.peaks.assign(4, 2000);  // too dark: the search stays at 5000 ms
    m_sim->SetFaults(0, dark);
    MakeDoc();
    m_doc->Driver(kQS200).SetTimeScale(1.0);
    m_doc->Driver(kQS200).m_nExpIndex = 8;
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }));
    m_clock.Advance(1);
    m_doc->OnTimerTick();
    m_clock.Advance(1);
    m_doc->OnTimerTick();  // 06:00:00
    ASSERT_TRUE(PumpUntil([&] { return SimReceived(0, "GM,5000,0,1"); }));
    const auto stopAt = std::chrono::steady_clock::now();
    EXPECT_EQ(m_doc->StopMeasurement(), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - stopAt, std::chrono::seconds(2));
    EXPECT_EQ(Count("ERROR THREAD TIMEOUT"), 0);
    EXPECT_EQ(m_doc->StoredCycles(), 0);
}

}  // namespace
