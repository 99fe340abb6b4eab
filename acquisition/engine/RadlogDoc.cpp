#include "RadlogDoc.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>

#include "ClockCheck.h"
#include "LocalTime.h"
#include "Schedule.h"
#include "SkippedSlots.h"
#include "YearLog.h"

namespace {
constexpr int kAttempts = 3;
constexpr const char* kClockFormat = "%Y/%m/%d  %H:%M:%S";
// Logged when a worker outlives the bounded wait and the controller goes on without it.
constexpr const char* kThreadTimeoutText = "ERROR THREAD TIMEOUT";

std::array<std::unique_ptr<CQSDriver>, kModelCount> MakeDrivers(
    const CRadlogDoc::DriverFactory& make) {
    std::array<std::unique_ptr<CQSDriver>, kModelCount> drivers;
    for (const SensorModelInfo& info : kModels)
        drivers[static_cast<std::size_t>(info.model)] =
            make ? make(info.model) : std::make_unique<CQSDriver>(info.model);
    return drivers;
}

CWorker::Models OnlyModel(int model) {
    CWorker::Models models{};
    models[static_cast<std::size_t>(model)] = true;
    return models;
}
}  // namespace

CRadlogDoc::CRadlogDoc(RadlogSettings& settings, IRadlogHost& host, const IClock& clock,
                       ReportLanguage language, DocLimits limits, const DriverFactory& makeDriver)
    : m_settings(settings),
      m_host(host),
      m_clock(clock),
      m_bJapanese(language == ReportLanguage::Japanese),
      m_limits(limits),
      m_pDriver(MakeDrivers(makeDriver)),
      m_store(settings, *this, *this, language, limits.maxPending) {
    m_queue.SetWakeup([this] { m_host.Wake(); });
    // A stop ends every driver wait at once, not only the next attempt.
    for (auto& driver : m_pDriver) driver->SetStopCheck([this] { return m_running.load() != 1; });
    WriteLog("APP START");
}

CRadlogDoc::~CRadlogDoc() {
    // Exit is normally refused while an acquisition runs; a close from outside still stops it.
    if (IsRunning()) CloseAcquisition();
    m_queue.SetWakeup({});
    WriteLog("APP CLOSE");
}

std::string CRadlogDoc::Text(ControllerTextId id) const {
    return rad::ControllerText(id, m_bJapanese);
}

void CRadlogDoc::WriteLog(const std::string& text) {
    const int64_t now = m_clock.Now();
    rad::AppendYearLog(m_settings.rsdFolder, now, text);
    std::string line = rad::FormatLogLine(now, text);
    line.resize(line.size() - 2);  // without CR LF
    m_host.LogWritten(line);
}

// ---- starting and stopping ----

void CRadlogDoc::StartInterval() {
    m_settings.measType = 0;
    StartMeasurement();
}

void CRadlogDoc::StartManual() {
    m_settings.measType = 1;
    StartMeasurement();
}

int CRadlogDoc::StartMeasurement() {
    ReapLateWorkers();
    ++m_nGeneration;
    m_prevSecondOfDay = 0;
    m_running = 1;
    m_bStalled = false;
    m_bManualWaiting = false;
    m_bManualSummaryDue = false;
    m_bWindowNoted = false;
    m_bSunNoted = false;
    m_lostNoted.fill(false);
    m_host.AcquisitionChanged(true);
    m_host.ShowProgress(Text(m_settings.measType == 0 ? kTextTitleInterval : kTextTitleManual));
    WriteLog("INT.MEAS START");
    m_bClockNoted = false;
    CheckClock(m_clock.Now());
    if (m_pObserver) m_pObserver->AcquisitionChanged(true, m_clock.Now());
    std::string sunProblem;
    m_sunGate = m_settings.measType == 0
                    ? rad::MakeSunGate(m_settings.sun, m_settings.siteLat, m_settings.siteLon,
                                       m_settings.siteAlt, &sunProblem)
                    : rad::CSunGate();
    if (!sunProblem.empty()) m_host.Note(sunProblem);

    m_identifyThreads.clear();
    m_enabled = m_settings.use;
    m_sensorState.fill(kStatusNone);
    for (auto& cal : m_readyCal) cal.reset();
    for (int model = 0; model < kModelCount; ++model) {
        if (!m_enabled[model]) continue;
        CQSDriver& driver = Driver(model);
        driver.SetPortMap(m_settings.ports);
        // A driver still held by a worker of an earlier acquisition counts as not openable.
        const bool busy = DriverBusy(model);
        if (busy || !driver.OpenPort(m_settings.comPort[model], kBaudRate)) {
            m_sensorState[model] = kStatusPortFailed;
            m_sensorStatus[model] = rad::StateText(kStatusPortFailed, m_bJapanese);
            UpdateProgressText();
            if (m_pObserver)
                m_pObserver->SensorState(model, kStatusPortFailed, m_sensorStatus[model]);
            // An adapter plugged in later is tried again in the background, which names the
            // cause; a driver still held stays out of this acquisition.
            if (busy) m_host.Note(PortName(model) + ": busy: held by an earlier measurement");
            if (!busy) StartIdentification(model, true);
            continue;
        }
        m_sensorStatus[model] = Text(kTextGettingInfo);
        UpdateProgressText();
        StartIdentification(model, false);
    }
    if (m_settings.measType != 0) {
        m_bManualSummaryDue = true;
        m_bManualWaiting = true;
        m_manualDeadline = m_clock.Now() + (m_limits.threadWaitMs + 999) / 1000;
        CheckManualStart();
    }
    return 1;
}

void CRadlogDoc::CheckManualStart() {
    if (!m_bManualWaiting) return;
    // Nothing to measure: no empty record is stored, and the acquisition ends at once.
    if (std::none_of(m_enabled.begin(), m_enabled.end(), [](bool on) { return on; })) {
        m_bManualWaiting = false;
        m_bStalled = true;
        NoteManualSummary(CCycleResult{});
        m_queue.Post(StopRequestEvent{});
        return;
    }
    bool waiting = false;
    for (int model = 0; model < kModelCount; ++model) {
        if (!m_enabled[model]) continue;
        const int state = m_sensorState[model];
        if (state == kStatusNone) {
            waiting = true;
        } else if (state != kStatusReady) {
            m_bManualWaiting = false;
            m_bStalled = true;
            NoteManualSummary(CCycleResult{});
            return;
        }
    }
    if (waiting) {
        if (m_clock.Now() < m_manualDeadline) return;
        m_bManualWaiting = false;
        m_bStalled = true;
        WriteLog(kThreadTimeoutText);
        NoteManualSummary(CCycleResult{});
        return;
    }
    m_bManualWaiting = false;
    StartCycle(m_clock.Now());
}

void CRadlogDoc::RequestStop() { m_queue.Post(StopRequestEvent{}); }

int CRadlogDoc::StopMeasurement() {
    m_host.HideProgress();
    if (m_settings.measType == 0 && !m_host.ConfirmStop(Text(kTextConfirmStop))) {
        m_host.ShowProgress(Text(kTextTitleInterval));
        return 0;
    }
    CloseAcquisition();
    return 1;
}

void CRadlogDoc::CloseAcquisition() {
    m_running = 0;
    m_bManualWaiting = false;
    for (auto it = m_identifyThreads.rbegin(); it != m_identifyThreads.rend(); ++it)
        WaitWorker(*it);
    m_identifyThreads.clear();
    if (m_cycleThread) WaitWorker(m_cycleThread);
    // A cycle that ended before the flag fell is stored before the stop is logged; the status
    // texts and beeps of the workers' last moments are not shown after it.
    while (auto done = m_queue.TakeFirst<CycleDoneEvent>()) Handle(*done);
    m_store.FlushPendingAtStop();
    // Stopped before its cycle was stored: the manual acquisition still says how it ended.
    if (m_bManualSummaryDue) NoteManualSummary(CCycleResult{});
    ++m_nGeneration;
    ShowWait("");
    for (int model = 0; model < kModelCount; ++model)
        if (!DriverBusy(model)) Driver(model).ClosePort();
    WriteLog("INT.MEAS STOP");
    if (m_pObserver) m_pObserver->AcquisitionChanged(false, m_clock.Now());
}

// ---- workers ----

void CRadlogDoc::StartIdentification(int model, bool reopen) {
    const uint64_t generation = m_nGeneration;
    const int port = m_settings.comPort[model];
    // The worker reads nothing of the settings: they belong to the user-interface thread.
    std::string name = PortName(model);
    try {
        m_identifyThreads.push_back(std::make_unique<CWorker>(
            OnlyModel(model), [this, model, reopen, port, name = std::move(name), generation] {
                IdentifyLoop(model, reopen, port, name, generation);
            }));
    } catch (const std::system_error&) {
        // Not reported: the model simply stays in its state.
    }
}

void CRadlogDoc::PostStatus(int model, std::string text, uint64_t generation) {
    m_queue.Post(
        StatusChangedEvent{generation, model, std::move(text), std::nullopt, std::nullopt});
}

void CRadlogDoc::Pause() const {
    std::this_thread::sleep_for(std::chrono::milliseconds(m_limits.retryMs));
}

void CRadlogDoc::IdentifyLoop(int model, bool reopen, int port, const std::string& portName,
                              uint64_t generation) {
    CQSDriver& driver = Driver(model);
    // A device that vanished (or never was there) is waited for at its path.
    bool open = !reopen;
    std::string said;  // the last note, so that a retry loop says a thing once
    const auto noteOnce = [&](std::string text) {
        if (text != said) PostNote(generation, said = std::move(text));
    };
    while (m_running == 1) {
        if (!open) {
            driver.ClosePort();
            if (!driver.OpenPort(port, kBaudRate)) {
                PostStatus(model, rad::StateText(kStatusPortFailed, m_bJapanese), generation);
                noteOnce(portName + ": " + driver.OpenFailureText());
                Pause();
                continue;
            }
            open = true;
            PostStatus(model, Text(kTextGettingInfo), generation);
        }
        SensorInfoResult info = driver.GetSensorInfo();
        if (m_running != 1) return;  // a stop is no identification failure
        StatusChangedEvent event{generation, model, rad::StateText(info.status, m_bJapanese),
                                 info.status, std::nullopt};
        if (info.Ready()) event.cal = std::move(info.cal);
        m_queue.Post(std::move(event));
        if (info.Ready()) return;
        m_queue.Post(BeepEvent{generation});
        const std::string cause = DescribeFailure(info.failure);
        noteOnce(portName + ": " + rad::StateText(info.status, false) +
                 (cause.empty() ? "" : ": " + cause));
        // Unplugged while it was identified: the closed port is of no use any more.
        open = driver.IsOpen() && !driver.DeviceLost();
        Pause();
    }
}

bool CRadlogDoc::StartCycle(int64_t time) {
    if (m_cycleThread) WaitWorker(m_cycleThread);
    ReapLateWorkers();
    CWorker::Models ready{};
    for (int model = 0; model < kModelCount; ++model) {
        ready[model] =
            m_enabled[model] && m_sensorState[model] == kStatusReady && !DriverBusy(model);
    }
    CCycleResult result;
    result.generation = m_nGeneration;
    result.time = time;
    const bool manual = m_settings.measType != 0;
    try {
        m_cycleThread = std::make_unique<CWorker>(ready, [this, result, ready, manual]() mutable {
            CycleBody(std::move(result), ready, manual);
        });
    } catch (const std::system_error&) {
        return false;
    }
    ++m_nStartedCycles;
    return true;
}

void CRadlogDoc::CycleBody(CCycleResult result, CWorker::Models ready, bool manual) {
    std::vector<std::jthread> threads;
    for (int model = 0; model < kModelCount; ++model) {
        if (!ready[model]) continue;
        try {
            threads.emplace_back([this, model, &result] { MeasureBody(model, result); });
        } catch (const std::system_error&) {
            // Not reported: the model is not measured in this cycle.
        }
    }
    for (auto it = threads.rbegin(); it != threads.rend(); ++it) it->join();
    if (m_running != 1) return;
    m_queue.Post(CycleDoneEvent{std::move(result)});
    if (manual) m_queue.Post(StopRequestEvent{});
}

void CRadlogDoc::MeasureBody(int model, CCycleResult& result) {
    CQSDriver& driver = Driver(model);
    const uint64_t generation = result.generation;
    PostStatus(model, Text(kTextMeasuring), generation);
    MeasureResult measured =
        driver.MeasureWithRetries(kAttempts, [&](int attempt, const LinkFailure& failure) {
            if (m_running != 1) return;  // a stopped cycle is discarded without a word
            PostStatus(model, Text(kTextRetrying), generation);
            m_queue.Post(BeepEvent{generation});
            PostNote(generation, std::string(kModels[model].label) + " attempt " +
                                     std::to_string(attempt) + " of " + std::to_string(kAttempts) +
                                     " failed: " + DescribeFailure(failure));
        });
    if (measured.valid) {
        result.data[model] = std::move(measured.data);
        PostStatus(model, Text(kTextMeasureOk), generation);
        return;
    }
    result.lost[model] = driver.DeviceLost();
    result.failure[model] = DescribeFailure(measured.failure);
    if (m_running == 1) PostStatus(model, Text(kTextMeasureFailed), generation);
}

bool CRadlogDoc::WaitWorker(std::unique_ptr<CWorker>& worker) {
    const bool ended = worker->WaitFor(m_limits.threadWaitMs);
    if (!ended) {
        m_lateThreads.push_back(std::move(worker));
        WriteLog(kThreadTimeoutText);
    }
    worker.reset();
    return ended;
}

void CRadlogDoc::ReapLateWorkers() {
    for (auto it = m_lateThreads.begin(); it != m_lateThreads.end();) {
        if (!(*it)->Done()) {
            ++it;
            continue;
        }
        const CWorker::Models models = (*it)->UsedModels();
        it = m_lateThreads.erase(it);
        // Its acquisition was closed without it: close the ports it kept.
        for (int model = 0; model < kModelCount; ++model)
            if (models[model] && !IsRunning() && !DriverBusy(model)) Driver(model).ClosePort();
    }
}

bool CRadlogDoc::DriverBusy(int model) const {
    for (const auto& worker : m_lateThreads)
        if (worker->Uses(model) && !worker->Done()) return true;
    return false;
}

// ---- the user-interface side ----

void CRadlogDoc::WatchIdlePorts() {
    if (m_cycleThread && !m_cycleThread->Done()) return;
    for (int model = 0; model < kModelCount; ++model) {
        if (!m_enabled[model] || m_sensorState[model] != kStatusReady || DriverBusy(model))
            continue;
        if (!Driver(model).CheckLost()) continue;
        // Unplugged between cycles: reopen now, so that a sensor back before the next slot
        // measures in it.
        MarkLost(model);
        m_sensorStatus[model] = rad::StateText(kStatusPortFailed, m_bJapanese);
        UpdateProgressText();
    }
}

// Unplugged: identify it again in the background; until then it is not measured.
void CRadlogDoc::MarkLost(int model) {
    if (m_pObserver) m_pObserver->SensorLost(model);
    m_host.Note(PortName(model) + ": lost");
    m_lostNoted[model] = true;
    m_sensorState[model] = kStatusNone;
    m_readyCal[model].reset();
    if (IsRunning()) StartIdentification(model, true);
}

void CRadlogDoc::OnTimerTick() {
    ReapLateWorkers();
    if (!IsRunning()) return;
    WatchIdlePorts();
    const int64_t now = m_clock.Now();
    CheckClock(now);
    if (m_pObserver) m_pObserver->Tick(now);
    if (m_settings.measType != 0) {
        CheckManualStart();
        return;
    }
    m_host.SetClockText(rad::FormatLocalTime(now, kClockFormat));
    const auto second = rad::SecondOfDay(now);
    if (!second) return;
    NoteWindow(*second);
    NoteSkippedSlots(*second);
    const rad::IntervalWindow window{m_settings.start, m_settings.end, m_settings.interval};
    const bool due = rad::IsCycleDue(window, *second, m_prevSecondOfDay);
    const bool first = m_prevSecondOfDay == 0 && window.start <= *second && *second <= window.end;
    if ((due || first) && !m_sunGate.Allows(now)) {
        NoteSunWait(now);
    } else if (due) {
        m_bSunNoted = false;
        ShowWait("");
        const auto time = rad::SlotTime(now, *second, window.interval);
        if (!time || !StartCycle(*time)) WriteLog("ERROR MEAS THREAD CREATE");
    }
    m_prevSecondOfDay = *second;
}

int CRadlogDoc::ProcessEvents() {
    int handled = 0;
    while (auto event = m_queue.TryPop()) {
        std::visit([this](auto& e) { Handle(e); }, *event);
        ++handled;
    }
    return handled;
}

int CRadlogDoc::WaitAndProcess(int timeoutMs) {
    m_queue.WaitFor(timeoutMs);
    return ProcessEvents();
}

void CRadlogDoc::ShowWait(const std::string& text) {
    if (text.empty() && !m_bWaitShown) return;
    m_bWaitShown = !text.empty();
    m_host.SetWaitText(text);
}

void CRadlogDoc::NoteSunWait(int64_t now) {
    if (m_bSunNoted) return;
    m_bSunNoted = true;
    ShowWait(
        rad::SunWaitText(m_sunGate, now, {m_settings.start, m_settings.end, m_settings.interval}));
}

void CRadlogDoc::NoteWindow(int64_t second) {
    const int64_t start = m_settings.start, end = m_settings.end;
    if (start <= end && second >= start && second <= end) {
        m_bWindowNoted = false;
        return;
    }
    if (m_bWindowNoted) return;
    m_bWindowNoted = true;
    const auto clock = [](int64_t s) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(s / 3600),
                      static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
        return std::string(text);
    };
    m_bSunNoted = false;
    if (start > end)
        ShowWait("no cycle is due: the window " + clock(start) + " to " + clock(end) + " is empty");
    else if (m_sunGate.Active())
        ShowWait(rad::NextCycleText(m_sunGate, m_clock.Now(), {start, end, m_settings.interval}) +
                 " (the sun must stand at least " + rad::SunDegreesText(m_sunGate.MinElevation()) +
                 " deg high)");
    else
        ShowWait("next cycle at " + clock(start) + (second > end ? " tomorrow" : ""));
}

void CRadlogDoc::NoteSkippedSlots(int64_t second) {
    const rad::IntervalWindow window{m_settings.start, m_settings.end, m_settings.interval};
    const rad::SkippedSlots skipped = rad::FindSkippedSlots(window, second, m_prevSecondOfDay);
    if (skipped.count == 0) return;
    m_nSkippedSlots += skipped.count;
    m_host.Note(rad::SkippedSlotsText(skipped));
}

void CRadlogDoc::CheckClock(int64_t now) {
    const std::string text =
        m_limits.clockFloor > 0 ? rad::ClockNotSetText(now, m_limits.clockFloor) : "";
    if (text.empty() || m_bClockNoted) {
        m_bClockNoted = !text.empty();
        return;
    }
    m_bClockNoted = true;
    m_host.Note(text);
}

void CRadlogDoc::NoteManualSummary(const CCycleResult& result) {
    m_bManualSummaryDue = false;
    std::string text = "manual:";
    for (int model = 0; model < kModelCount; ++model) {
        if (!m_enabled[model]) continue;
        text += text.size() > 7 ? "; " : " ";
        text += kModels[model].label;
        if (result.data[model]) {
            text += " measured";
            continue;
        }
        text += " failed: " + ManualFailureCause(model, result);
    }
    if (text.size() == 7) text += " no sensor enabled";
    m_host.Note(text);
}

std::string CRadlogDoc::ManualFailureCause(int model, const CCycleResult& result) const {
    if (!result.failure[model].empty()) return result.failure[model];
    switch (m_sensorState[model]) {
        case kStatusNone:
            return "not ready";  // still identified, or lost and not back
        case kStatusReady:
            return "stopped before its measurement";
        default:
            return rad::StateText(m_sensorState[model], false);
    }
}

void CRadlogDoc::StoreCycle(const CCycleResult& cycle) {
    CStoreStep::CalSources cals{};
    for (int model = 0; model < kModelCount; ++model)
        if (m_settings.use[model] && m_sensorState[model] == kStatusReady && m_readyCal[model])
            cals[model] = &*m_readyCal[model];
    m_bLastStoreComplete = m_store.Store(cycle, cals).complete;
    ++m_nStoredCycles;
}

void CRadlogDoc::RecordStored(const StoredRecord& record, bool written) {
    if (m_pObserver) m_pObserver->RecordStored(record, written);
}

void CRadlogDoc::SensorChanged(int model, const std::string& detail) {
    if (m_pObserver) m_pObserver->SensorChanged(model, detail);
}

void CRadlogDoc::Handle(CycleDoneEvent& event) {
    if (event.result.generation != m_nGeneration) return;
    StoreCycle(event.result);
    if (m_settings.measType != 0) NoteManualSummary(event.result);
    for (int model = 0; model < kModelCount; ++model) {
        // A loss already seen on the idle port is being handled.
        if (!event.result.lost[model] || m_sensorState[model] != kStatusReady) continue;
        MarkLost(model);
    }
}

void CRadlogDoc::Handle(StopRequestEvent&) {
    if (StopMeasurement() == 1) m_host.AcquisitionChanged(false);
}

void CRadlogDoc::Handle(StatusChangedEvent& event) {
    if (event.generation != m_nGeneration) return;
    m_sensorStatus[event.model] = std::move(event.text);
    if (event.status) m_sensorState[event.model] = *event.status;
    if (event.cal && m_lostNoted[event.model]) {
        m_host.Note(PortName(event.model) + ": back");
        m_lostNoted[event.model] = false;
    }
    if (event.cal) {
        m_store.NoteCalibration(event.model, *event.cal);
        m_readyCal[event.model] = std::move(event.cal);
    }
    UpdateProgressText();
    if (m_pObserver && event.status)
        m_pObserver->SensorState(event.model, *event.status, m_sensorStatus[event.model]);
    CheckManualStart();
}

void CRadlogDoc::Handle(NoteEvent& event) {
    if (event.generation == m_nGeneration) m_host.Note(event.text);
}

void CRadlogDoc::PostNote(uint64_t generation, std::string text) {
    m_queue.Post(NoteEvent{generation, std::move(text)});
}

std::string CRadlogDoc::PortName(int model) const {
    const int port = m_settings.comPort[model];
    const std::string path = rad::ComPortDevice(m_settings.ports, port);
    return std::string(kModels[model].label) + " COM" + std::to_string(port) + " = " +
           (path.empty() ? "(none)" : path);
}

void CRadlogDoc::Handle(BeepEvent& event) {
    if (event.generation == m_nGeneration) m_host.Beep();
}

void CRadlogDoc::UpdateProgressText() {
    std::string text;
    for (int model = 0; model < kModelCount; ++model) {
        if (!m_enabled[model]) continue;
        text += kModels[model].label;
        text += ' ';
        text += m_sensorStatus[model];
        text += '\n';
    }
    m_host.SetProgressText(text);
}
