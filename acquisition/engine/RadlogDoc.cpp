#include "RadlogDoc.h"

#include <type_traits>
#include <variant>

#include "YearLog.h"

namespace {
// Logged when a worker outlives the bounded wait and the controller goes on without it.
constexpr const char* kThreadTimeoutText = "ERROR THREAD TIMEOUT";
}  // namespace

CRadlogDoc::CRadlogDoc(RadlogSettings& settings, IRadlogHost& host, const IClock& clock,
                       ReportLanguage language, DocLimits limits, const DriverFactory& makeDriver)
    : m_settings(settings),
      m_host(host),
      m_clock(clock),
      m_limits(limits),
      m_sensors({settings, m_queue, m_running, m_lateWorkers,
                 [&host](const std::string& line) { host.Note(line); }, limits.retryMs},
                makeDriver),
      m_cycles(m_sensors, m_queue, m_running, m_lateWorkers),
      m_lateWorkers(limits.threadWaitMs, [this] { WriteLog(kThreadTimeoutText); }),
      m_timer(settings, host),
      m_clockWatch(limits.clockFloor),
      m_relay(host),
      m_store(settings, *this, m_relay, language, limits.maxPending) {
    m_queue.SetWakeup([this] { m_host.Wake(); });
    WriteLog("APP START");
}

CRadlogDoc::~CRadlogDoc() {
    // Exit is normally refused while an acquisition runs; a close from outside still stops it.
    if (IsRunning()) CloseAcquisition();
    m_queue.SetWakeup({});
    WriteLog("APP CLOSE");
}

void CRadlogDoc::WriteLog(const std::string& text) {
    const int64_t now = m_clock.Now();
    rad::AppendYearLog(m_settings.rsdFolder, now, text);
    std::string line = rad::FormatLogLine(now, text);
    line.resize(line.size() - 2);  // without CR LF
    m_host.LogWritten(line);
}

AcquisitionState CRadlogDoc::State() const {
    return {
        IsRunning(),     m_manual.Stalled(),     m_bLastStoreComplete,     m_cycles.Started(),
        m_nStoredCycles, m_timer.SkippedSlots(), m_store.PendingRecords(), m_sensors.Snapshot()};
}

// ---- starting and stopping ----

int CRadlogDoc::StartMeasurement(MeasType type) {
    m_settings.measType = type;
    const bool interval = type == MeasType::Interval;
    ReapLateWorkers();
    ++m_nGeneration;
    m_running = 1;
    m_host.AcquisitionChanged(true);
    m_host.ShowProgress(type);
    WriteLog("INT.MEAS START");
    m_clockWatch.Rearm();
    NoteClock(m_clock.Now());
    if (Observer()) Observer()->AcquisitionChanged(true, m_clock.Now());
    m_timer.Begin(interval);
    m_manual.Begin(!interval, m_clock.Now() + (m_limits.threadWaitMs + 999) / 1000);
    const auto failures = m_sensors.Open(m_nGeneration);
    ReportSensors();
    for (const CSensorSessions::PortFailure& failure : failures) {
        if (Observer())
            Observer()->SensorState(failure.model, kStatusPortFailed,
                                    DriverStatusText(kStatusPortFailed, false));
        if (failure.busy)
            m_host.Note(m_sensors.PortName(failure.model) +
                        ": busy: held by an earlier measurement");
    }
    CheckManualStart();
    return 1;
}

void CRadlogDoc::CheckManualStart() {
    switch (m_manual.Check(m_sensors, m_clock.Now())) {
        case CManualRun::Next::Wait:
            return;
        case CManualRun::Next::Measure:
            StartCycle(m_clock.Now());
            return;
        case CManualRun::Next::TimedOut:
            WriteLog(kThreadTimeoutText);
            break;
        case CManualRun::Next::NothingEnabled:
            // Nothing to measure: no empty record is stored, and the acquisition ends at once.
            RequestStop();
            break;
        case CManualRun::Next::Failed:
            break;
    }
    m_host.Note(m_manual.TakeSummary(CCycleResult{}, m_sensors));
}

int CRadlogDoc::StopMeasurement() {
    m_host.HideProgress();
    if (m_settings.measType == MeasType::Interval && !m_host.ConfirmStop()) {
        m_host.ShowProgress(MeasType::Interval);
        return 0;
    }
    CloseAcquisition();
    return 1;
}

void CRadlogDoc::CloseAcquisition() {
    m_running = 0;
    m_manual.Cancel();
    m_sensors.JoinIdentification();
    m_cycles.Join();
    // A cycle that ended before the flag fell is stored before the stop is logged; the status
    // texts and beeps of the workers' last moments are not shown after it.
    while (auto done = m_queue.TakeFirst<CycleDoneEvent>()) Handle(*done);
    m_store.FlushPendingAtStop();
    // Stopped before its cycle was stored: the manual acquisition still says how it ended.
    if (m_manual.SummaryDue()) m_host.Note(m_manual.TakeSummary(CCycleResult{}, m_sensors));
    ++m_nGeneration;
    m_timer.ClearWait();
    m_sensors.ClosePorts();
    WriteLog("INT.MEAS STOP");
    if (Observer()) Observer()->AcquisitionChanged(false, m_clock.Now());
}

// ---- cycles ----

bool CRadlogDoc::StartCycle(int64_t time) {
    ReapLateWorkers();
    return m_cycles.Start(time, m_nGeneration, m_settings.measType == MeasType::Manual);
}

void CRadlogDoc::ReapLateWorkers() {
    const CWorker::Models used = m_lateWorkers.Reap();
    // Their acquisition was closed without them: close the ports they kept.
    if (IsRunning()) return;
    for (int model = 0; model < kModelCount; ++model)
        if (used[model] && !m_lateWorkers.Busy(model)) Driver(model).ClosePort();
}

void CRadlogDoc::OnTimerTick() {
    ReapLateWorkers();
    if (!IsRunning()) return;
    if (!m_cycles.Measuring()) {
        const std::vector<int> lost = m_sensors.CheckIdlePorts();
        for (int model : lost)
            if (Observer()) Observer()->SensorLost(model);
        if (!lost.empty()) ReportSensors();
    }
    const int64_t now = m_clock.Now();
    NoteClock(now);
    if (Observer()) Observer()->Tick(now);
    if (m_settings.measType == MeasType::Manual) {
        CheckManualStart();
        return;
    }
    m_host.ClockTick(now);
    const CIntervalTimer::Tick tick = m_timer.OnTick(now);
    if (tick.due && !(tick.slot && StartCycle(*tick.slot))) WriteLog("ERROR MEAS THREAD CREATE");
}

void CRadlogDoc::NoteClock(int64_t now) {
    const std::string text = m_clockWatch.Check(now);
    if (!text.empty()) m_host.Note(text);
}

// ---- events from the workers ----

int CRadlogDoc::ProcessEvents() {
    int handled = 0;
    while (auto event = m_queue.TryPop()) {
        std::visit(
            [this](auto& e) {
                using Event = std::decay_t<decltype(e)>;
                if constexpr (std::is_same_v<Event, StopRequestEvent>) {
                    if (StopMeasurement() == 1) m_host.AcquisitionChanged(false);
                } else if constexpr (std::is_same_v<Event, BeepEvent>) {
                    if (e.generation == m_nGeneration) m_host.Beep();
                } else if constexpr (std::is_same_v<Event, NoteEvent>) {
                    if (e.generation == m_nGeneration) m_host.Note(e.text);
                } else {
                    Handle(e);
                }
            },
            *event);
        ++handled;
    }
    return handled;
}

void CRadlogDoc::Handle(CycleDoneEvent& event) {
    const CCycleResult& cycle = event.result;
    if (cycle.generation != m_nGeneration) return;
    CStoreStep::CalSources cals{};
    for (int model = 0; model < kModelCount; ++model)
        if (m_settings.use[model]) cals[model] = m_sensors.ReadyCal(model);
    m_bLastStoreComplete = m_store.Store(cycle, cals).complete;
    ++m_nStoredCycles;
    if (m_settings.measType == MeasType::Manual)
        m_host.Note(m_manual.TakeSummary(cycle, m_sensors));
    for (int model = 0; model < kModelCount; ++model) {
        // A loss already seen on the idle port is being handled.
        if (!cycle.lost[model] || m_sensors.State(model) != kStatusReady) continue;
        MarkLost(model);
    }
}

void CRadlogDoc::MarkLost(int model) {
    if (Observer()) Observer()->SensorLost(model);
    m_sensors.MarkLost(model);
}

void CRadlogDoc::Handle(StatusChangedEvent& event) {
    if (event.generation != m_nGeneration) return;
    if (const SensorCal* cal = m_sensors.Apply(event)) m_store.NoteCalibration(event.model, *cal);
    ReportSensors();
    if (Observer() && event.status)
        Observer()->SensorState(event.model, *event.status, DriverStatusText(*event.status, false));
    CheckManualStart();
}

void CRadlogDoc::ReportSensors() { m_host.SensorsChanged(m_sensors.Snapshot()); }
