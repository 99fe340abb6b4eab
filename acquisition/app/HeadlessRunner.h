#pragma once

#include <QObject>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Clock.h"
#include "RadlogDoc.h"
#include "RadlogHost.h"
#include "TodayLight.h"

class QSocketNotifier;

// Radlog without a window, for field stations run by systemd: runs one acquisition from the
// profile and prints what the progress dialog would show, and every log event, to stdout.
class CHeadlessRunner final : public QObject, public IRadlogHost {
  public:
    struct Options {
        bool manual = false;
        std::string banner;  // first output line (the demo names its folder here)
        // Tried first for records that cannot reach their day file by the stop.
        std::string dataFolder;
    };

    CHeadlessRunner(RadlogSettings& settings, const IClock& clock, Options options,
                    std::function<void()> save);
    ~CHeadlessRunner() override;

    // Runs until SIGINT or SIGTERM (interval) or after the one cycle (manual); the exit code:
    // 0, or for a manual acquisition non-zero unless every enabled sensor measured.
    int Run();
    // Follows the acquisition from its start (null: nobody); not owned, outlives Run.
    void SetObserver(IStationObserver* observer) { m_pObserver = observer; }
    // Prints a line on the loop's thread; any thread may call it.
    void PrintLater(const std::string& line);

    // IRadlogHost
    void Wake() override;
    void SetClockText(const std::string& text) override;
    void SetProgressText(const std::string& text) override;
    void AcquisitionChanged(bool running) override;
    void LogWritten(const std::string& line) override;
    void CycleStored() override;
    void Beep() override;
    void Note(const std::string& line) override;

  private:
    void Print(const std::string& line);
    void InstallSignalHandlers();

    RadlogSettings& m_settings;
    const IClock& m_clock;
    const Options m_options;
    std::function<void()> m_save;
    IStationObserver* m_pObserver = nullptr;
    std::unique_ptr<CRadlogDoc> m_doc;
    QTimer m_timer;
    QSocketNotifier* m_signalNotifier = nullptr;
    std::string m_lastMinute;
    std::vector<std::string> m_lastLines;
    bool m_bBell = false;
    CTodayLight m_today;
};
