#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "ControllerTexts.h"
#include "DocEvents.h"
#include "LogSink.h"
#include "QsDriver.h"
#include "RadlogHost.h"
#include "RadlogSettings.h"
#include "StationObserver.h"
#include "StoreStep.h"
#include "SunGate.h"
#include "Worker.h"

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

// The measurement controller: drives the four sensors through an acquisition, hands every
// cycle to its store step (day, hour and log files), and tells its host what to show. Everything
// but the workers runs on the user-interface thread, which pumps ProcessEvents.
class CRadlogDoc final : public ILogSink, private IStoreListener {
  public:
    // The driver of a model; tests hand in drivers on their own transport and clock.
    using DriverFactory = std::function<std::unique_ptr<CQSDriver>(int model)>;

    // Logs "APP START". Without makeDriver the drivers talk to the serial ports.
    CRadlogDoc(RadlogSettings& settings, IRadlogHost& host, const IClock& clock,
               ReportLanguage language = ReportLanguage::English, DocLimits limits = {},
               const DriverFactory& makeDriver = {});
    // Closes an open acquisition without asking, joins every thread, logs "APP CLOSE".
    ~CRadlogDoc() override;
    CRadlogDoc(const CRadlogDoc&) = delete;
    CRadlogDoc& operator=(const CRadlogDoc&) = delete;

    // The view commands Start Interval Measurement and Manual Measurement.
    void StartInterval();
    void StartManual();
    int StartMeasurement();
    // 0 when the user declined the stop, 1 when the acquisition is closed.
    int StopMeasurement();
    // Posts WM_STOP_REQUEST, as the progress dialog's Abort does; any thread.
    void RequestStop();
    bool StartCycle(int64_t time);
    // Timer 1, every second while an acquisition is open.
    void OnTimerTick();
    // Handles every queued event; returns how many.
    int ProcessEvents();
    // Waits up to timeoutMs for an event, then handles all waiting ones.
    int WaitAndProcess(int timeoutMs);
    void UpdateProgressText();
    // ILogSink: the year log, also shown by the host.
    void WriteLog(const std::string& text) override;
    // Follows the acquisition from now on (null: nobody); not owned.
    void SetObserver(IStationObserver* observer) { m_pObserver = observer; }
    // As CStoreStep::SetRecoveryFolders.
    void SetRecoveryFolders(std::vector<std::string> folders) {
        m_store.SetRecoveryFolders(std::move(folders));
    }

    bool IsRunning() const { return m_running.load() == 1; }
    // The manual acquisition waits no longer: a sensor failed before its measurement.
    bool IsStalled() const { return m_bStalled; }
    // Every enabled model had a valid block in the last stored record.
    bool LastStoreComplete() const { return m_bLastStoreComplete; }
    int StartedCycles() const { return m_nStartedCycles; }
    int StoredCycles() const { return m_nStoredCycles; }
    // Slots of the window the timer passed by, each said in the output.
    int64_t SkippedSlotCount() const { return m_nSkippedSlots; }
    int PendingRecords() const { return m_store.PendingRecords(); }
    CQSDriver& Driver(int model) { return *m_pDriver[static_cast<std::size_t>(model)]; }
    const std::string& SensorStatus(int model) const {
        return m_sensorStatus[static_cast<std::size_t>(model)];
    }
    // The day's data set and the report of the last record, as the views show them.
    const CStoreStep& StoreStep() const { return m_store; }

  private:
    void StartIdentification(int model, bool reopen);
    void IdentifyLoop(int model, bool reopen, int port, const std::string& portName,
                      uint64_t generation);
    void Pause() const;
    void CycleBody(CCycleResult result, CWorker::Models ready, bool manual);
    void MeasureBody(int model, CCycleResult& result);
    void PostStatus(int model, std::string text, uint64_t generation);
    void Handle(CycleDoneEvent& event);
    void Handle(StopRequestEvent& event);
    void Handle(StatusChangedEvent& event);
    void Handle(BeepEvent& event);
    void Handle(NoteEvent& event);
    // "QS-100 COM3 = /dev/ttyUSB2"
    std::string PortName(int model) const;
    void PostNote(uint64_t generation, std::string text);
    void NoteWindow(int64_t second);
    // Why the sun holds the due cycle back, once per wait; the wait text cleared by a cycle.
    void NoteSunWait(int64_t now);
    void ShowWait(const std::string& text);
    void NoteSkippedSlots(int64_t second);
    void CheckClock(int64_t now);
    // "manual: QS-100 measured; QS-300 failed: <why>", once per manual acquisition.
    void NoteManualSummary(const CCycleResult& result);
    std::string ManualFailureCause(int model, const CCycleResult& result) const;
    void CheckManualStart();
    void WatchIdlePorts();
    void MarkLost(int model);
    bool WaitWorker(std::unique_ptr<CWorker>& worker);
    void ReapLateWorkers();
    bool DriverBusy(int model) const;
    void CloseAcquisition();
    std::string Text(ControllerTextId id) const;

    void StoreCycle(const CCycleResult& cycle);
    // IStoreListener
    void Note(const std::string& line) override { m_host.Note(line); }
    void CycleStored() override { m_host.CycleStored(); }
    void RecordStored(const StoredRecord& record, bool written) override;
    void SensorChanged(int model, const std::string& detail) override;

    RadlogSettings& m_settings;
    IRadlogHost& m_host;
    IStationObserver* m_pObserver = nullptr;
    const IClock& m_clock;
    const bool m_bJapanese;  // string-table language of the status texts
    const DocLimits m_limits;

    std::array<std::unique_ptr<CQSDriver>, kModelCount> m_pDriver;
    std::atomic<int> m_running{0};
    CEventQueue m_queue;
    uint64_t m_nGeneration = 0;
    int64_t m_prevSecondOfDay = 0;
    bool m_bManualWaiting = false;
    int64_t m_manualDeadline = 0;
    bool m_bStalled = false;
    bool m_bManualSummaryDue = false;  // a manual acquisition has not said how it ended
    bool m_bLastStoreComplete = false;
    int m_nStartedCycles = 0;
    int m_nStoredCycles = 0;

    std::array<bool, kModelCount> m_enabled{};
    std::array<int, kModelCount> m_sensorState{};                  // driver status as last reported
    std::array<std::optional<SensorCal>, kModelCount> m_readyCal;  // of the ready sensors
    std::array<std::string, kModelCount> m_sensorStatus;
    std::array<bool, kModelCount> m_lostNoted{};  // "lost" said, "back" not yet
    bool m_bWindowNoted = false;                  // the next due cycle has been named
    rad::CSunGate m_sunGate;                      // [SUN] of the acquisition
    bool m_bSunNoted = false;                     // the sun's wait has been told
    bool m_bWaitShown = false;                    // the host shows a wait text
    bool m_bClockNoted = false;                   // "CLOCK NOT SET?" said, the clock not set since
    int64_t m_nSkippedSlots = 0;
    std::vector<std::unique_ptr<CWorker>> m_identifyThreads;
    std::unique_ptr<CWorker> m_cycleThread;
    std::vector<std::unique_ptr<CWorker>> m_lateThreads;  // outlived their wait

    CStoreStep m_store;
};
