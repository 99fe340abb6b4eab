#include "SensorSessions.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>

namespace {
CWorker::Models OnlyModel(int model) {
    CWorker::Models models{};
    models[static_cast<std::size_t>(model)] = true;
    return models;
}
}  // namespace

CSensorSessions::CSensorSessions(Links links, const DriverFactory& makeDriver)
    : m_links(std::move(links)) {
    for (const SensorModelInfo& info : kModels) {
        auto& driver = m_drivers[static_cast<std::size_t>(info.model)];
        driver = makeDriver ? makeDriver(info.model) : std::make_unique<CQSDriver>(info.model);
        // A stop ends every driver wait at once, not only the next attempt.
        driver->SetStopCheck([&running = m_links.running] { return running.load() != 1; });
    }
}

std::vector<CSensorSessions::PortFailure> CSensorSessions::Open(uint64_t generation) {
    const RadlogSettings& settings = m_links.settings;
    m_generation = generation;
    m_identifyThreads.clear();
    m_enabled = settings.use;
    m_state.fill(kStatusNone);
    for (auto& cal : m_readyCal) cal.reset();
    m_lostNoted.fill(false);
    std::vector<PortFailure> failed;
    for (int model = 0; model < kModelCount; ++model) {
        if (!Enabled(model)) continue;
        CQSDriver& driver = Driver(model);
        driver.SetPortMap(settings.ports);
        // A driver still held by a worker of an earlier acquisition counts as not openable.
        const bool busy = m_links.workers.Busy(model);
        if (busy || !driver.OpenPort(settings.comPort[model], kBaudRate)) {
            m_state[model] = kStatusPortFailed;
            m_phase[model] = SensorPhase::Of(kStatusPortFailed);
            failed.push_back({model, busy});
            // An adapter plugged in later is tried again in the background, which names the
            // cause; a driver still held stays out of this acquisition.
            if (!busy) StartIdentification(model, true);
            continue;
        }
        m_phase[model] = SensorPhase::At(SensorStep::GettingInfo);
        StartIdentification(model, false);
    }
    return failed;
}

void CSensorSessions::JoinIdentification() {
    for (auto it = m_identifyThreads.rbegin(); it != m_identifyThreads.rend(); ++it)
        m_links.workers.Wait(*it);
    m_identifyThreads.clear();
}

void CSensorSessions::ClosePorts() {
    for (int model = 0; model < kModelCount; ++model)
        if (!m_links.workers.Busy(model)) Driver(model).ClosePort();
}

void CSensorSessions::StartIdentification(int model, bool reopen) {
    const uint64_t generation = m_generation;
    const int port = m_links.settings.comPort[model];
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

void CSensorSessions::IdentifyLoop(int model, bool reopen, int port, const std::string& portName,
                                   uint64_t generation) {
    CQSDriver& driver = Driver(model);
    CEventQueue& queue = m_links.queue;
    const auto running = [this] { return m_links.running.load() == 1; };
    const auto pause = [this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(m_links.retryMs));
    };
    // A device that vanished (or never was there) is waited for at its path.
    bool open = !reopen;
    std::string said;  // the last note, so that a retry loop says a thing once
    const auto noteOnce = [&](std::string text) {
        if (text != said) queue.PostNote(generation, said = std::move(text));
    };
    while (running()) {
        if (!open) {
            driver.ClosePort();
            if (!driver.OpenPort(port, kBaudRate)) {
                queue.PostPhase(generation, model, SensorPhase::Of(kStatusPortFailed));
                noteOnce(portName + ": " + driver.OpenFailureText());
                pause();
                continue;
            }
            open = true;
            queue.PostPhase(generation, model, SensorPhase::At(SensorStep::GettingInfo));
        }
        SensorInfoResult info = driver.GetSensorInfo();
        if (!running()) return;  // a stop is no identification failure
        StatusChangedEvent event{generation, model, SensorPhase::Of(info.status), info.status,
                                 std::nullopt};
        if (info.Ready()) event.cal = std::move(info.cal);
        queue.Post(std::move(event));
        if (info.Ready()) return;
        queue.Post(BeepEvent{generation});
        const std::string cause = DescribeFailure(info.failure);
        noteOnce(portName + ": " + DriverStatusText(info.status, false) +
                 (cause.empty() ? "" : ": " + cause));
        // Unplugged while it was identified: the closed port is of no use any more.
        open = driver.IsOpen() && !driver.DeviceLost();
        pause();
    }
}

const SensorCal* CSensorSessions::Apply(StatusChangedEvent& event) {
    const auto model = static_cast<std::size_t>(event.model);
    m_phase[model] = event.phase;
    if (event.status) m_state[model] = *event.status;
    if (!event.cal) return nullptr;
    if (m_lostNoted[model]) {
        m_links.note(PortName(event.model) + ": back");
        m_lostNoted[model] = false;
    }
    m_readyCal[model] = std::move(event.cal);
    return &*m_readyCal[model];
}

std::vector<int> CSensorSessions::CheckIdlePorts() {
    std::vector<int> lost;
    for (int model = 0; model < kModelCount; ++model) {
        if (!Enabled(model) || State(model) != kStatusReady || m_links.workers.Busy(model))
            continue;
        if (!Driver(model).CheckLost()) continue;
        // Unplugged between cycles: reopen now, so that a sensor back before the next slot
        // measures in it.
        MarkLost(model);
        m_phase[model] = SensorPhase::Of(kStatusPortFailed);
        lost.push_back(model);
    }
    return lost;
}

void CSensorSessions::MarkLost(int model) {
    m_links.note(PortName(model) + ": lost");
    m_lostNoted[model] = true;
    m_state[model] = kStatusNone;
    m_readyCal[model].reset();
    if (m_links.running.load() == 1) StartIdentification(model, true);
}

bool CSensorSessions::AnyEnabled() const {
    return std::any_of(m_enabled.begin(), m_enabled.end(), [](bool on) { return on; });
}

const SensorCal* CSensorSessions::ReadyCal(int model) const {
    const auto& cal = m_readyCal[static_cast<std::size_t>(model)];
    return State(model) == kStatusReady && cal ? &*cal : nullptr;
}

CWorker::Models CSensorSessions::Measurable() const {
    CWorker::Models ready{};
    for (int model = 0; model < kModelCount; ++model)
        ready[model] =
            Enabled(model) && State(model) == kStatusReady && !m_links.workers.Busy(model);
    return ready;
}

std::string CSensorSessions::PortName(int model) const {
    const int port = m_links.settings.comPort[model];
    const std::string path = rad::ComPortDevice(m_links.settings.ports, port);
    return std::string(kModels[model].label) + " COM" + std::to_string(port) + " = " +
           (path.empty() ? "(none)" : path);
}
