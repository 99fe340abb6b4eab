#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Clock.h"
#include "EngineLoop.h"
#include "RadlogDoc.h"
#include "RadlogHost.h"
#include "TodayLight.h"

// Radlog without a window, for field stations run by systemd: runs one acquisition from the
// profile and prints what the progress dialog would show, and every log event, one line each.
class CHeadlessRunner final : public IRadlogHost {
  public:
    struct Options {
        bool manual = false;
        std::string banner;  // first output line (the demo names its folder here)
        // Tried first for records that cannot reach their day file by the stop.
        std::string dataFolder;
        std::FILE* out = stdout;  // a terminal also hears the error beep
        int dayStartHour = 0;     // the hour the light of a day is counted from
        int64_t clockFloor = 0;   // a clock before it is said not to be set (0: never said)
    };

    CHeadlessRunner(RadlogSettings& settings, const IClock& clock, Options options,
                    std::function<void()> save);
    ~CHeadlessRunner() override;

    // Runs until SIGINT, SIGTERM or SIGHUP (interval) or after the one cycle (manual); the exit
    // code: 0, or for a manual acquisition non-zero unless every enabled sensor measured.
    int Run();
    // The same on the loop's time and wait given.
    int Run(ILoopWait& wait);
    // Follows the acquisition from its start (null: nobody); not owned, outlives Run.
    void SetObserver(IStationObserver* observer) { m_pObserver = observer; }
    // Prints a line; any thread may call it.
    void PrintLater(const std::string& line) { Print(line); }
    // The controller while Run runs, else null.
    const CRadlogDoc* Doc() const { return m_doc.get(); }

    // IRadlogHost
    void Wake() override;
    // The clock, once a minute.
    void ClockTick(int64_t now) override;
    // The sensor lines that changed.
    void SensorsChanged(const SensorSnapshot& sensors) override;
    void LogWritten(const std::string& line) override;
    void CycleStored() override;
    void Beep() override;
    void Note(const std::string& line) override;

  private:
    void Print(const std::string& line);

    RadlogSettings& m_settings;
    const IClock& m_clock;
    const Options m_options;
    std::function<void()> m_save;
    IStationObserver* m_pObserver = nullptr;
    std::unique_ptr<CRadlogDoc> m_doc;
    std::unique_ptr<CEngineLoop> m_loop;  // set before the workers start, reset after them
    std::mutex m_outMutex;                // the telemetry prints from its own thread
    std::string m_lastMinute;
    std::vector<std::string> m_lastLines;
    const bool m_bBell;
    const bool m_bJapanese;  // the language of the status lines
    CTodayLight m_today;
};
