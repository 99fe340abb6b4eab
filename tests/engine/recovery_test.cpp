// End-to-end over pseudo-terminals: sensors that are missing, lost and back, and how a manual
// acquisition and a window without a slot are said.
#include <unistd.h>

#include "EngineFixture.h"

namespace {

using Recovery = EngineTest;

TEST_F(Recovery, PortMissingAtTheStartJoinsWhenItAppears) {
    StartSensors({kQS100, kQS300});
    std::filesystem::create_directories(m_folder);
    const std::string later = (m_folder / "ttyLATER").string();
    m_settings.ports[1] = later;  // an adapter not plugged in yet
    MakeDoc();
    m_doc->StartInterval();
    EXPECT_EQ(Status(kQS100), "Error(Opening COM Port failed)");
    const std::string port = "QS-100 COM1 = " + later;
    ASSERT_TRUE(PumpUntil([&] { return Status(kQS300) == "READY"; }));
    // The reopen thread names the cause on its first try, which may come after the QS-300.
    EXPECT_TRUE(PumpUntil([&] { return CountNotes(port + ": no such file or directory") == 1; }));
    Tick(2);  // 06:00 without the QS-100
    EXPECT_EQ(Count("ERROR QS100 MEAS"), 1);
    ASSERT_EQ(::symlink(m_sim->DevicePath(0).c_str(), later.c_str()), 0);
    ASSERT_TRUE(PumpUntil([&] { return Status(kQS100) == "READY"; }));
    Tick(600);  // 06:10 with it
    EXPECT_EQ(Count("ERROR QS100 MEAS"), 1);
    // The reopen loop said it once, however often it tried.
    EXPECT_EQ(CountNotes(port + ": no such file or directory"), 1);
    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_TRUE(set->GetAt(1).Block(kQS100) && set->GetAt(1).Block(kQS300));
}

TEST_F(Recovery, SensorUnpluggedWhileIdentifiedComesBack) {
    StartSensors({kQS100});
    m_sim->SetFaults(0, {.dropAfter = 3, .dropMs = 300});  // gone after ID and ST
    MakeDoc();
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }));
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
    m_sim->SetFaults(0, {.unplugMs = 300});
    // The loss is seen on the idle port, and the sensor is identified again when it is back.
    ASSERT_TRUE(PumpUntil([&] {
        m_doc->OnTimerTick();
        return Status(kQS100) == "READY";
    }));
    Tick(600);  // 06:10
    EXPECT_EQ(Count("ERROR QS100 MEAS"), 0);
    const auto set = DayFile(m_clock.Now());
    ASSERT_EQ(set->GetCount(), 2);
    EXPECT_TRUE(set->GetAt(1).Block(kQS100));
    const std::string port = "QS-100 COM1 = " + m_sim->DevicePath(0);
    EXPECT_EQ(CountNotes(port + ": lost"), 1);
    EXPECT_EQ(CountNotes(port + ": back"), 1);
}

TEST_F(Recovery, EachFailedAttemptAndTheManualOutcomeAreNamed) {
    StartSensors({kQS100, kQS300});
    m_sim->SetFaults(1, {.ngCommand = "SS"});  // asked only after a measurement
    MakeDoc();
    m_doc->StartManual();
    ASSERT_TRUE(PumpUntil([&] { return !m_doc->IsRunning(); }));
    for (int attempt = 1; attempt <= 3; ++attempt)
        EXPECT_EQ(CountNotes("QS-300 attempt " + std::to_string(attempt) +
                             " of 3 failed: SS refused (no OK)"),
                  1);
    ASSERT_FALSE(m_host.notes.empty());
    EXPECT_EQ(m_host.notes.back(), "manual: QS-100 measured; QS-300 failed: SS refused (no OK)");
}

TEST_F(Recovery, AManualAcquisitionSaysHowItEndedWhenASensorNeverBecameReady) {
    StartSensors({kQS100});
    m_sim->SetFaults(0, {.silent = true});
    const std::string summary = "manual: QS-100 failed: not ready";
    // The manual wait ends at its deadline, or a stop ends it earlier.
    for (const bool atDeadline : {true, false}) {
        SCOPED_TRACE(atDeadline ? "deadline" : "stop");
        MakeDoc();
        m_host.notes.clear();
        m_host.logLines.clear();
        m_doc->Driver(kQS100).SetTimeScale(1.0);  // its first reply is not due for seconds
        m_doc->StartManual();
        if (atDeadline) {
            m_clock.Advance(21);
            m_doc->OnTimerTick();
            EXPECT_TRUE(m_doc->State().stalled);
            EXPECT_EQ(Count("ERROR THREAD TIMEOUT"), 1);
            ASSERT_FALSE(m_host.notes.empty());
            EXPECT_EQ(m_host.notes.back(), summary);
        }
        EXPECT_EQ(m_doc->StopMeasurement(), 1);
        EXPECT_EQ(CountNotes(summary), 1);
    }
}

TEST_F(Recovery, OutsideTheWindowTheNextCycleIsNamedOnce) {
    m_settings.start = 7 * 3600;
    m_settings.end = 8 * 3600;
    MakeDoc();
    m_doc->StartInterval();
    Tick(5);
    EXPECT_EQ(m_host.notes, std::vector<std::string>{"next cycle at 07:00:00"});
    m_settings.start = 9 * 3600;  // an empty window
    m_doc->StopMeasurement();
    m_doc->StartInterval();
    Tick(1);
    EXPECT_EQ(m_host.notes.back(), "no cycle is due: the window 09:00:00 to 08:00:00 is empty");
}

}  // namespace
