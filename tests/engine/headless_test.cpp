// radlog --headless as a field station runs it: exit codes, output and the close signals, on
// the fake clock with the runner in this process; one smoke test of the program itself.
#include <poll.h>
#include <signal.h>

#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "CloseSignals.h"
#include "EngineFixture.h"
#include "HeadlessRunner.h"
#include "SimulatedSky.h"
#include "SolarPosition.h"

#ifdef RADLOG_PATH
#include <QCoreApplication>
#include <QProcess>
#endif

namespace {

// The loop's time in the test's hand: a wait with nothing to read moves the loop's clock by the
// whole time-out and the controller's clock with it. While busy() holds (a worker's event is
// due) the wait is for that event, bounded so that a lost wake fails instead of hanging.
class FakeLoopWait final : public ILoopWait {
  public:
    FakeLoopWait(FakeClock& clock, std::function<bool()> busy)
        : m_clock(clock), m_busy(std::move(busy)) {}
    int64_t NowMs() const override { return m_ms; }
    void Wait(std::span<const int> fds, int timeoutMs) override {
        std::vector<pollfd> polled;
        for (int fd : fds) polled.push_back({fd, POLLIN, 0});
        if (::poll(polled.data(), polled.size(), m_busy() ? 10000 : 0) > 0) return;
        const int64_t before = m_ms / 1000;
        m_ms += timeoutMs;
        m_clock.Advance(m_ms / 1000 - before);
        if (onSecond) onSecond(m_clock.Now());
    }
    std::function<void(int64_t)> onSecond;

  private:
    FakeClock& m_clock;
    std::function<bool()> m_busy;
    int64_t m_ms = 0;
};

class HeadlessRun : public OutputFolderTest {
  protected:
    void SetUp() override {
        OutputFolderTest::SetUp();
        m_clock.Set(LocalTime(2024, 7, 1, 5, 59, 58));
        NewOutput();
    }
    void NewOutput() {
        m_file.reset(std::tmpfile());
        m_out = m_file.get();
    }
    // Runs the runner to its end; busy as FakeLoopWait's.
    int Run(bool manual, std::function<bool(const CHeadlessRunner&)> busy = {}) {
        m_runner = std::make_unique<CHeadlessRunner>(
            m_settings, m_clock, CHeadlessRunner::Options{manual, "", "", m_out},
            [this] { ++m_saves; });
        FakeLoopWait wait(m_clock, [&] { return busy && busy(*m_runner); });
        wait.onSecond = onSecond;
        return m_runner->Run(wait);
    }
    std::string Output() {
        std::fflush(m_out);
        return ReadFile("/proc/self/fd/" + std::to_string(::fileno(m_out)));
    }
    // The printed log line of text, found in the output from `from` on.
    std::size_t FindLog(const std::string& text, std::size_t from = 0) {
        return Output().find("," + text + "\n", from);
    }

    FakeClock m_clock;
    std::function<void(int64_t)> onSecond;
    std::unique_ptr<CHeadlessRunner> m_runner;
    int m_saves = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_file{nullptr, std::fclose};
    std::FILE* m_out = nullptr;
};

// A cycle was started and its result is not stored yet.
bool CycleOnItsWay(const CHeadlessRunner& runner) {
    return runner.Doc() &&
           runner.Doc()->State().startedCycles != runner.Doc()->State().storedCycles;
}

// A manual run succeeds when every enabled sensor was measured, and fails naming the one that
// was not; with no sensor enabled it stores nothing and fails.
TEST_F(HeadlessRun, ManualRunsExitCodeTellsWhetherEverySensorWasMeasured) {
    EXPECT_EQ(Run(true, CycleOnItsWay), 1) << Output();
    // The year log's lines are printed too.
    EXPECT_NE(FindLog("APP CLOSE", FindLog("INT.MEAS STOP")), std::string::npos) << Output();
    EXPECT_NE(Output().find("manual: no sensor enabled\n"), std::string::npos) << Output();
    EXPECT_EQ(m_saves, 1);
    EXPECT_FALSE(std::filesystem::exists(rad::DayFilePath(m_settings.rsdFolder, m_clock.Now())));

    NewOutput();
    m_settings.use[kQS100] = true;
    m_settings.comPort[kQS100] = 3;
    m_settings.ports[3] = "/nonexistent/ttyQS";
    // The background reopen names the cause; the stop waits for it.
    const std::string cause = "QS-100 COM3 = /nonexistent/ttyQS: no such file or directory\n";
    EXPECT_EQ(
        Run(true,
            [&](const CHeadlessRunner&) { return Output().find(cause) == std::string::npos; }),
        1);
    const std::string out = Output();
    EXPECT_NE(out.find("manual: QS-100 failed: Error(Opening COM Port failed)\n"),
              std::string::npos)
        << out;
    EXPECT_LT(out.find(cause), FindLog("INT.MEAS STOP")) << out;
    EXPECT_EQ(m_saves, 2);
}

TEST_F(HeadlessRun, CloseSignalsStopAnIntervalAcquisitionCleanly) {
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(sig);
        m_clock.Set(LocalTime(2024, 7, 1, 5, 59, 58));
        NewOutput();
        m_saves = 0;
        bool raised = false;
        onSecond = [&](int64_t now) {
            if (!raised && now >= LocalTime(2024, 7, 1, 6, 0, 5)) raised = ::raise(sig) == 0;
        };
        EXPECT_EQ(Run(false, CycleOnItsWay), 0);
        const std::string out = Output();
        // The one minute line per minute, the cycle of 06:00:00 stored before the stop.
        EXPECT_NE(out.find("\n2024/07/01  05:59:59\n"), std::string::npos) << out;
        EXPECT_NE(out.find("\n2024/07/01  06:00:00\n"), std::string::npos) << out;
        EXPECT_EQ(out.find("2024/07/01  06:00:01"), std::string::npos) << out;
        const std::size_t stop = FindLog("INT.MEAS STOP");
        ASSERT_NE(stop, std::string::npos) << out;
        EXPECT_EQ(out.find("\n", FindLog("APP CLOSE", stop) + 1), out.size() - 1) << out;
        EXPECT_EQ(m_saves, 1);
        const auto set = DayFile(m_clock.Now());
        ASSERT_EQ(set->GetCount(), 1);
        EXPECT_EQ(set->GetAt(0).m_time, LocalTime(2024, 7, 1, 6, 0, 0));
        std::filesystem::remove_all(m_folder);
    }
}

// Started under nohup, the station must outlive the terminal session that started it.
TEST(CloseSignals, AnIgnoredSignalStaysIgnoredAndDispositionsComeBack) {
    std::signal(SIGHUP, SIG_IGN);
    {
        CCloseSignals close;
        ASSERT_GE(close.Fd(), 0);
        ASSERT_EQ(::raise(SIGHUP), 0);
        EXPECT_FALSE(close.Take());
        ASSERT_EQ(::raise(SIGTERM), 0);
        EXPECT_TRUE(close.Take());
    }
    struct sigaction hup = {}, term = {};
    ::sigaction(SIGHUP, nullptr, &hup);
    ::sigaction(SIGTERM, nullptr, &term);
    EXPECT_EQ(hup.sa_handler, SIG_IGN);
    EXPECT_EQ(term.sa_handler, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
}

TEST_F(HeadlessRun, PrintsEachChangedStatusLineAndTheClockOncePerMinute) {
    CHeadlessRunner runner(m_settings, m_clock, {false, "", "", m_out}, {});
    SensorSnapshot sensors;
    sensors.enabled[kQS100] = sensors.enabled[kQS300] = true;
    sensors.phase[kQS100] = SensorPhase::At(SensorStep::GettingInfo);  // QS-300 still blank
    runner.SensorsChanged(sensors);
    sensors.phase[kQS300] = SensorPhase::Of(kStatusReady);
    runner.SensorsChanged(sensors);
    sensors.phase[kQS100] = SensorPhase::Of(kStatusReady);
    runner.SensorsChanged(sensors);
    for (int second : {58, 59, 60}) runner.ClockTick(LocalTime(2024, 7, 1, 5, 59, second));
    runner.Beep();  // not a terminal: no bell
    EXPECT_EQ(Output(),
              "QS-100 Getting the sensor information\nQS-300 READY\nQS-100 READY\n"
              "2024/07/01  05:59:58\n2024/07/01  06:00:00\n");
}

using EngineLoop = EngineTest;

TEST_F(EngineLoop, NeitherTickNorPumpReentersTheController) {
    MakeDoc();
    CEngineLoop loop(*m_doc, false);
    m_doc->StartInterval();
    loop.Tick();  // 05:59:58, the first tick
    m_clock.Set(LocalTime(2024, 7, 1, 6, 0, 0));
    loop.Enter([&] {
        loop.Tick();
        EXPECT_FALSE(loop.Pump());
    });
    EXPECT_EQ(m_doc->State().startedCycles, 0);
    loop.Tick();  // the late tick still finds its slot
    EXPECT_EQ(m_doc->State().startedCycles, 1);
    ASSERT_TRUE(PumpUntil([&] { return m_doc->State().storedCycles == 1; }));
    EXPECT_TRUE(loop.Pump());
}

// A port that cannot be opened stalls a manual acquisition: the window's Abort ends it without a
// question; the headless loop, where no one can, ends it itself.
TEST_F(EngineLoop, AStalledManualAcquisitionStopsOnlyWhereNoOneCanAbortIt) {
    m_settings.use[kQS100] = true;
    m_settings.comPort[kQS100] = 3;
    m_settings.ports[3] = "/nonexistent/ttyQS";
    m_host.confirm = false;  // a manual stop asks nothing
    for (const bool stopWhenStalled : {false, true}) {
        SCOPED_TRACE(stopWhenStalled);
        MakeDoc();
        CEngineLoop loop(*m_doc, stopWhenStalled);
        m_doc->StartManual();
        ASSERT_TRUE(m_doc->State().stalled);
        loop.Tick();
        loop.Pump();
        EXPECT_EQ(m_host.progress, "QS-100 Error(Opening COM Port failed)\n");
        EXPECT_EQ(m_doc->IsRunning(), !stopWhenStalled);
        if (!stopWhenStalled) m_doc->RequestStop();
        ASSERT_TRUE(PumpUntil([&] { return !m_doc->IsRunning(); }));
        EXPECT_EQ(m_doc->State().startedCycles, 0);
        EXPECT_EQ(Count("ERROR QS100 MEAS"), 0);
    }
}

#ifdef RADLOG_PATH
// radlog itself in a process of its own, its output merged.
class Headless : public ::testing::Test {
  protected:
    // Runs radlog until its output holds `until`, then sends SIGTERM; with no `until` it ends
    // by itself. Returns all it printed.
    std::string Run(const QStringList& args, const char* until = nullptr) {
        m_radlog.setProcessChannelMode(QProcess::MergedChannels);
        m_radlog.start(RADLOG_PATH, args);
        QByteArray output;
        while (until && !output.contains(until) && m_radlog.waitForReadyRead(30000))
            output += m_radlog.readAll();
        if (until) m_radlog.terminate();
        EXPECT_TRUE(m_radlog.waitForFinished(30000));
        return (output + m_radlog.readAll()).toStdString();
    }

    int m_argc = 1;
    char m_name[21] = "engine_headless_test";
    char* m_argv[2] = {m_name, nullptr};
    QCoreApplication m_app{m_argc, m_argv};
    QProcess m_radlog;
};

TEST_F(Headless, SigtermStopsAnIntervalAcquisitionCleanly) {
    const std::string output =
        Run({"--headless", "--demo", "--sky", "noon", "--interval-seconds", "1"}, "Measurement OK");
    EXPECT_EQ(m_radlog.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_radlog.exitCode(), 0) << output;
    const std::size_t stop = output.find("INT.MEAS STOP\n");
    ASSERT_NE(stop, std::string::npos) << output;
    EXPECT_LT(output.find("Measurement OK"), stop) << output;
    // Nothing of the discarded cycle after the stop: only the program's close follows it.
    const std::string after = output.substr(stop + 14);
    EXPECT_EQ(after.find("QS-"), std::string::npos) << after;
    EXPECT_NE(after.find("APP CLOSE"), std::string::npos) << after;
}

// The demo with a profile of its own keeps the profile's site and measures by its sun: on the
// night side of the earth no cycle runs, and the output says so.
TEST_F(Headless, TheDemoHonoursTheSiteAndTheSunOfItsProfile) {
    double nightLon = 0;
    for (double lon = -180; lon < 180; lon += 15) {
        if (rad::SunElevationDeg(rad::Now(), {0, lon, 0}) <
            rad::SunElevationDeg(rad::Now(), {0, nightLon, 0}))
            nightLon = lon;
    }
    const std::string lon = rad::FormatSite({0, nightLon, 0}).lon;
    const std::string profile = ::testing::TempDir() + "sun_demo_profile.ini";
    const std::string text = "[SITE]\nLAT=1.5\nLON=" + lon + "\nALT=0\n[SUN]\nMINELEVATION=0\n";
    std::ofstream(profile) << text;
    const std::string output = Run({"--headless", "--demo", "--sky", "noon", "--profile",
                                    QString::fromStdString(profile), "--interval-seconds", "1"},
                                   "no cycle: the sun stands at");
    EXPECT_NE(output.find("Demo sky: noon at latitude 1.5000, longitude " + lon), std::string::npos)
        << output;
    EXPECT_NE(output.find("below [SUN] MINELEVATION 0 deg; next cycle at "), std::string::npos)
        << output;
    EXPECT_EQ(output.find("Measurement OK"), std::string::npos) << output;
    EXPECT_EQ(ReadFile(profile), text) << "the demo never writes its profile";
}

// A profile that exists but cannot be read, or holds no valid line, would lose its ports,
// folders and site under the defaults: the station says so, stops and leaves it as it is.
TEST_F(Headless, UnusableProfileIsNeverWrittenAndTheStationDoesNotRun) {
    const std::string dir = ::testing::TempDir() + "headless_profiles/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "folder.ini");
    const struct {
        const char* file;
        const char* content;  // nullptr: a directory
        const char* said;
    } cases[] = {
        {"empty.ini", "", "holds no valid line"},
        {"garbage.ini", "\x01\x02\x03 not a profile\n", "holds no valid line"},
        {"folder.ini", nullptr, "cannot be read: is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = dir + c.file;
        if (c.content) std::ofstream(path, std::ios::binary) << c.content;
        const std::string output =
            Run({"--headless", "--manual", "--profile", QString::fromStdString(path)});
        EXPECT_EQ(m_radlog.exitCode(), 1) << output;
        EXPECT_NE(output.find(c.said), std::string::npos) << output;
        EXPECT_EQ(output.find("INT.MEAS START"), std::string::npos) << output;
        if (c.content) {
            EXPECT_EQ(ReadFile(path), c.content);
        }
    }
    std::filesystem::remove_all(dir);
}
#endif

}  // namespace
