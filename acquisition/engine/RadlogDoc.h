#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "Clock.h"
#include "ClockCheck.h"
#include "CycleRunner.h"
#include "DocEvents.h"
#include "IntervalTimer.h"
#include "LateWorkers.h"
#include "LogSink.h"
#include "ManualRun.h"
#include "RadlogHost.h"
#include "RadlogSettings.h"
#include "SensorSessions.h"
#include "StationObserver.h"
#include "StoreRelay.h"
#include "StoreStep.h"

// Limits of the controller's waits on the user-interface thread, and of what it keeps.
struct DocLimits {
    int threadWaitMs = 30000;  // for a worker to end; a dead adapter must not hang the program
    int retryMs = 500;         // pause between identification attempts
    // Records kept for a later store when their day file cannot be written: a day of
    // one-minute cycles. Beyond it the oldest are dropped, so memory stays bounded.
    std::size_t maxPending = 1440;
    // A clock before this time is said to be not set (0: never said); the programs give the
    // time they were built.
    int64_t clockFloor = 0;
};

// How an acquisition goes, as its hosts and tests read it.
struct AcquisitionState {
    bool running = false;
    bool stalled = false;            // a manual acquisition waits no longer: a sensor failed
    bool lastStoreComplete = false;  // every enabled model had a block in the last record
    int startedCycles = 0;
    int storedCycles = 0;
    int64_t skippedSlots = 0;  // slots of the window the timer passed by
    int pendingRecords = 0;    // kept for a day file that could not be written
    SensorSnapshot sensors;
};

// The measurement controller: opens an acquisition, runs its cycles through the sensor
// sessions and the cycle runner, hands every cycle to its store step (day, hour and log
// files), and reports to its host. Everything but the workers runs on the user-interface
// thread, which pumps ProcessEvents.
class CRadlogDoc final : public ILogSink {
  public:
    using DriverFactory = CSensorSessions::DriverFactory;

    // Logs "APP START". Without makeDriver the drivers talk to the serial ports. language is
    // the one of the status reports the store step writes.
    CRadlogDoc(RadlogSettings& settings, IRadlogHost& host, const IClock& clock,
               ReportLanguage language = ReportLanguage::English, DocLimits limits = {},
               const DriverFactory& makeDriver = {});
    // Closes an open acquisition without asking, joins every thread, logs "APP CLOSE".
    ~CRadlogDoc() override;
    CRadlogDoc(const CRadlogDoc&) = delete;
    CRadlogDoc& operator=(const CRadlogDoc&) = delete;

    // The view commands Start Interval Measurement and Manual Measurement.
    void StartInterval() { StartMeasurement(MeasType::Interval); }
    void StartManual() { StartMeasurement(MeasType::Manual); }
    int StartMeasurement(MeasType type);
    // 0 when the user declined the stop, 1 when the acquisition is closed.
    int StopMeasurement();
    // Posts WM_STOP_REQUEST, as the progress dialog's Abort does; any thread.
    void RequestStop() { m_queue.Post(StopRequestEvent{}); }
    bool StartCycle(int64_t time);
    // Timer 1, every second while an acquisition is open.
    void OnTimerTick();
    // Handles every queued event; returns how many.
    int ProcessEvents();
    // Waits up to timeoutMs for an event, then handles all waiting ones.
    int WaitAndProcess(int timeoutMs) {
        m_queue.WaitFor(timeoutMs);
        return ProcessEvents();
    }
    // ILogSink: the year log, also shown by the host.
    void WriteLog(const std::string& text) override;
    // Follows the acquisition from now on (null: nobody); not owned.
    void SetObserver(IStationObserver* observer) { m_relay.SetObserver(observer); }
    // As CStoreStep::SetRecoveryFolders.
    void SetRecoveryFolders(std::vector<std::string> folders) {
        m_store.SetRecoveryFolders(std::move(folders));
    }

    // Any thread.
    bool IsRunning() const { return m_running.load() == 1; }
    AcquisitionState State() const;
    CQSDriver& Driver(int model) { return m_sensors.Driver(model); }
    // The day's data set and the report of the last record, as the views show them.
    const CStoreStep& StoreStep() const { return m_store; }

  private:
    void CloseAcquisition();
    void CheckManualStart();
    void NoteClock(int64_t now);
    void MarkLost(int model);
    void ReportSensors();
    void ReapLateWorkers();
    void Handle(CycleDoneEvent& event);
    void Handle(StatusChangedEvent& event);
    IStationObserver* Observer() const { return m_relay.Observer(); }

    RadlogSettings& m_settings;
    IRadlogHost& m_host;
    const IClock& m_clock;
    const DocLimits m_limits;
    std::atomic<int> m_running{0};
    uint64_t m_nGeneration = 0;
    bool m_bLastStoreComplete = false;
    int m_nStoredCycles = 0;

    CEventQueue m_queue;
    // The sessions and the runner only keep a reference to the late workers, which end (and
    // are joined) before the drivers and the queue they use are gone.
    CSensorSessions m_sensors;
    CCycleRunner m_cycles;
    CLateWorkers m_lateWorkers;
    CManualRun m_manual;
    CIntervalTimer m_timer;
    rad::CClockWatch m_clockWatch;
    CStoreRelay m_relay;
    CStoreStep m_store;
};
