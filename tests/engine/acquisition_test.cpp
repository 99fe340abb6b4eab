// End-to-end: the controller drives simulated sensors over pseudo-terminals on a fake clock.
#include <sys/stat.h>

#include "EngineFixture.h"
#include "LoopbackEngine.h"
#include "OutputPaths.h"

namespace {

using Acquisition = EngineTest;

std::size_t Commas(const std::string& path) {
    const std::string text = ReadFile(path);
    const std::string first = text.substr(0, text.find('\n'));
    return static_cast<std::size_t>(std::count(first.begin(), first.end(), ','));
}

ino_t Inode(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

TEST_F(Acquisition, IntervalCyclesFillDayAndHourFiles) {
    StartSensors({kQS100, kQS300});
    MakeDoc();
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }));
    EXPECT_EQ(m_host.progress, "QS-100 READY\nQS-300 READY\n");
    const std::string hour06 = rad::HourFilePath(m_settings.csvFolder, m_clock.Now() + 2);
    Tick(2);  // 06:00:00
    const std::size_t oneGroup = Commas(hour06) - 1;
    Tick(1200);  // 06:10, 06:20
    EXPECT_EQ(Commas(hour06), 1 + 3 * oneGroup);
    Tick(2400);  // 06:30 .. 07:00: a new hour file with one group
    EXPECT_EQ(Commas(rad::HourFilePath(m_settings.csvFolder, m_clock.Now())), 1 + oneGroup);

    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 7);
    EXPECT_TRUE(set->HasUsableCal(kQS100) && set->HasUsableCal(kQS300));
    for (int i = 0; i < set->GetCount(); ++i) {
        EXPECT_EQ(set->GetAt(i).m_time, LocalTime(2024, 7, 1, 6, 0, 0) + 600 * i);
        EXPECT_TRUE(set->GetAt(i).Block(kQS100) && set->GetAt(i).Block(kQS300));
        EXPECT_FALSE(set->GetAt(i).Block(kQS200));
    }
}

// Without sensors every slot still gets its empty record; a declined stop changes nothing.
TEST_F(Acquisition, StartOnASlotBoundaryWaitsForTheNextSlot) {
    m_settings.end = 6 * 3600 + 30 * 60;
    m_clock.Set(LocalTime(2024, 7, 1, 6, 10, 0));
    MakeDoc();
    m_doc->StartInterval();
    m_doc->OnTimerTick();
    m_host.confirm = false;
    EXPECT_EQ(m_doc->StopMeasurement(), 0);
    Tick(3000);  // to 07:00: 06:20 and 06:30 only, END included
    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_EQ(set->GetAt(0).m_time, LocalTime(2024, 7, 1, 6, 20, 0));
    EXPECT_EQ(set->GetAt(1).m_time, LocalTime(2024, 7, 1, 6, 30, 0));
    EXPECT_EQ(set->m_strTZ, "+9");
}

// A silent sensor beeps and is left out of the records while the other is measured; once it
// answers, its calibration joins the day file, written whole once and then appended to.
TEST_F(Acquisition, SilentSensorBeepsAndJoinsTheDayFileOnceWhenItAnswers) {
    StartSensors({kQS100, kQS300});
    m_sim->SetFaults(1, {.silent = true});
    MakeDoc();
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return Status(kQS100) == "READY" && m_host.beeps >= 2; }));
    EXPECT_EQ(Status(kQS300), "Error(Communication with the sensor failed)");
    Tick(2);  // 06:00 without the QS-300
    EXPECT_EQ(Count("ERROR QS300 MEAS"), 1);
    const std::string path = rad::DayFilePath(m_settings.rsdFolder, m_clock.Now());
    const ino_t first = Inode(path);
    m_sim->SetFaults(1, {});
    ASSERT_TRUE(PumpUntil([&] { return Status(kQS300) == "READY"; }));
    Tick(600);  // 06:10: the calibration joins, the file is written whole
    const ino_t rewritten = Inode(path);
    EXPECT_NE(rewritten, first);
    Tick(600);  // 06:20: appended
    EXPECT_EQ(Inode(path), rewritten);
    EXPECT_EQ(Count("ERROR QS300 MEAS"), 1);
    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 3);
    EXPECT_TRUE(set->HasUsableCal(kQS300));
    EXPECT_FALSE(set->GetAt(0).Block(kQS300));
    EXPECT_TRUE(set->GetAt(1).Block(kQS300) && set->GetAt(2).Block(kQS300));
}

using LoopbackAcquisition = LoopbackEngineTest;

TEST_F(LoopbackAcquisition, StopDuringAHungCycleIsPromptAndStoresNothing) {
    MakeLoopbackDoc(kQS100);
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }));
    m_port[kQS100]->Loop().faults.noGmReply = true;
    HoldAtStop(kQS100, "GM");
    m_clock.Advance(1);
    m_doc->OnTimerTick();
    m_clock.Advance(1);
    m_doc->OnTimerTick();  // 06:00:00: the cycle starts and hangs in GM
    ASSERT_EQ(m_doc->State().startedCycles, 1);
    ASSERT_TRUE(PumpUntil([&] { return m_port[kQS100]->Held(); }));
    EXPECT_EQ(m_doc->StopMeasurement(), 1);
    // The driver sees the stop inside its wait for GM: no more line time, no thread time-out,
    // no status after it.
    EXPECT_EQ(m_linkClock[kQS100].MonotonicMs(), m_port[kQS100]->HeldAtMs());
    EXPECT_EQ(Count("ERROR THREAD TIMEOUT"), 0);
    m_host.progress.clear();
    m_host.beeps = 0;
    m_doc->ProcessEvents();  // the workers have ended: whatever they said is queued
    EXPECT_EQ(m_host.progress, "");
    EXPECT_EQ(m_host.beeps, 0);
    EXPECT_EQ(m_doc->State().storedCycles, 0);
    // A second stop request: ports closed again, the stop logged again, nothing to wait for.
    EXPECT_EQ(m_doc->StopMeasurement(), 1);
    EXPECT_EQ(Count("INT.MEAS STOP"), 2);
    EXPECT_FALSE(std::filesystem::exists(rad::DayFilePath(m_settings.rsdFolder, m_clock.Now())));
}

// A manual cycle stores one record and closes the ports; its measurement is never stored again
// under the time of a later cycle whose sensor fails.
TEST_F(Acquisition, ManualCycleStoresOneRecordAndCloses) {
    StartSensors({kQS100, kQS300});
    MakeDoc();
    m_doc->StartManual();
    ASSERT_TRUE(PumpUntil([&] { return !m_doc->IsRunning(); }));
    EXPECT_TRUE(m_doc->State().lastStoreComplete);
    EXPECT_EQ(DayFile(m_clock.Now())->GetCount(), 1);
    EXPECT_FALSE(m_doc->Driver(kQS100).IsOpen());
    EXPECT_EQ(m_host.changes, (std::vector<bool>{true, false}));
    m_sim->SetFaults(0, {.wrongModel = "QS-200"});
    m_doc->StartInterval();
    Tick(2);
    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_FALSE(set->GetAt(1).Block(kQS100));
    EXPECT_EQ(Count("ERROR QS100 MEAS"), 1);
}

TEST_F(Acquisition, VanishedDeviceIsReopenedInTheBackground) {
    StartSensors({kQS100});
    MakeDoc();
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }));
    m_sim->SetFaults(0, {.dropAfter = 1, .dropMs = 300});
    Tick(2);  // 06:00: lost in the middle of the measurement
    EXPECT_EQ(Count("ERROR QS100 MEAS"), 1);
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }));
    Tick(600);
    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_FALSE(set->GetAt(0).Block(kQS100));
    EXPECT_TRUE(set->GetAt(1).Block(kQS100));
}

}  // namespace
