#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ControllerTexts.h"
#include "LocalTime.h"
#include "OutputPaths.h"
#include "QsSim.h"
#include "RadlogDoc.h"

// A clock the test moves by hand: a day's schedule runs in seconds.
class FakeClock final : public IClock {
  public:
    int64_t Now() const override { return m_now.load(); }
    void Set(int64_t t) { m_now = t; }
    void Advance(int64_t seconds) { m_now += seconds; }

  private:
    std::atomic<int64_t> m_now{0};
};

// Records what the controller shows.
class RecordingHost final : public IRadlogHost {
  public:
    void SensorsChanged(const SensorSnapshot& sensors) override {
        progress = rad::ProgressText(sensors, false);
    }
    void LogWritten(const std::string& line) override { logLines.push_back(line.substr(20)); }
    void Beep() override { ++beeps; }
    void Note(const std::string& line) override { notes.push_back(line); }
    void AcquisitionChanged(bool running) override { changes.push_back(running); }
    bool ConfirmStop() override { return confirm; }

    std::string progress;
    std::vector<std::string> logLines;  // texts only, without the time stamp
    std::vector<bool> changes;
    std::vector<std::string> notes;
    int beeps = 0;
    bool confirm = true;
};

inline int64_t LocalTime(int y, int mo, int d, int h, int mi, int s) {
    return rad::LocalFieldsToTime(y, mo, d, h, mi, s).value();
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A fresh output folder per test, removed afterwards.
class OutputFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("radengine-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        m_settings.rsdFolder = m_folder.string() + "/";
        m_settings.csvFolder = m_settings.rsdFolder;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    // The day file read back.
    std::unique_ptr<CRsdData> DayFile(int64_t t) const {
        auto set = std::make_unique<CRsdData>();
        EXPECT_GE(set->Load(rad::DayFilePath(m_settings.rsdFolder, t)), 0);
        return set;
    }

    std::filesystem::path m_folder;
    RadlogSettings m_settings;
};

// Simulated sensors on pseudo-terminals mapped to COM1.., a controller on a fake clock and
// a fresh output folder. Time-outs and exposures are shortened so that cycles take ~0.1 s.
class EngineTest : public OutputFolderTest {
  protected:
    static constexpr int kPollMs = 10;  // the longest wait for the next event of the workers

    void SetUp() override {
        OutputFolderTest::SetUp();
        m_clock.Set(LocalTime(2024, 7, 1, 5, 59, 58));
    }
    void TearDown() override {
        m_doc.reset();
        m_sim.reset();
        OutputFolderTest::TearDown();
    }
    // One simulated sensor per model given, on COM1, COM2, ... in that order.
    void StartSensors(const std::vector<int>& models) {
        m_sim = std::make_unique<CQsSim>(QsSimOptions{.exposureScale = 0.02});
        const auto paths = m_sim->Start(models);
        ASSERT_EQ(paths.size(), models.size());
        for (std::size_t i = 0; i < models.size(); ++i) {
            m_settings.use[models[i]] = true;
            m_settings.comPort[models[i]] = static_cast<int>(i) + 1;
            m_settings.ports[static_cast<int>(i) + 1] = paths[i];
        }
    }
    void MakeDoc(const CRadlogDoc::DriverFactory& makeDriver = {}) {
        m_doc = std::make_unique<CRadlogDoc>(m_settings, m_host, m_clock, ReportLanguage::English,
                                             DocLimits{20000, 50}, makeDriver);
        for (int model = 0; model < kModelCount; ++model) m_doc->Driver(model).SetTimeScale(0.25);
    }
    // Pumps the controller's events until pred holds. False when no event at all came for
    // maxQuietPolls waits in a row: the acquisition is stuck, not merely slow.
    template <class Pred>
    bool PumpUntil(Pred pred, int maxQuietPolls = 3000) {
        for (int quiet = 0; !pred();) {
            quiet = m_doc->WaitAndProcess(kPollMs) > 0 ? 0 : quiet + 1;
            if (quiet > maxQuietPolls) return false;
        }
        return true;
    }
    // A sensor's status as the progress dialog says it in English.
    std::string Status(int model) const {
        return rad::PhaseText(m_doc->State().sensors.phase[static_cast<std::size_t>(model)], false);
    }
    bool AllReady() {
        for (int model = 0; model < kModelCount; ++model)
            if (m_settings.use[model] && Status(model) != "READY") return false;
        return true;
    }
    // Ticks one second at a time; every cycle started is stored before the next tick.
    void Tick(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            m_clock.Advance(1);
            m_doc->OnTimerTick();
            m_doc->ProcessEvents();
            ASSERT_TRUE(PumpUntil([&] {
                const AcquisitionState state = m_doc->State();
                return state.storedCycles == state.startedCycles;
            }));
        }
    }
    // How often the text was noted, or logged.
    int CountNotes(const std::string& text) const { return std::ranges::count(m_host.notes, text); }
    int Count(const std::string& text) const { return std::ranges::count(m_host.logLines, text); }

    FakeClock m_clock;
    RecordingHost m_host;
    std::unique_ptr<CQsSim> m_sim;
    std::unique_ptr<CRadlogDoc> m_doc;
};
