#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DocEvents.h"
#include "LateWorkers.h"
#include "QsDriver.h"
#include "RadlogSettings.h"
#include "SensorPhase.h"

// The sensors of an acquisition: each driver's port, its identification in the background,
// and a sensor lost and back. State changes reach the user-interface thread as events, which
// Apply takes in; everything but the identification workers runs on that thread.
class CSensorSessions {
  public:
    using DriverFactory = std::function<std::unique_ptr<CQSDriver>(int model)>;
    // What the sessions share with the controller.
    struct Links {
        const RadlogSettings& settings;
        CEventQueue& queue;
        const std::atomic<int>& running;  // 1 while the acquisition is open
        CLateWorkers& workers;
        std::function<void(const std::string&)> note;  // a line for the station's output
        int retryMs = 500;                             // pause between identification attempts
    };

    // Without makeDriver the drivers talk to the serial ports.
    CSensorSessions(Links links, const DriverFactory& makeDriver);
    CSensorSessions(const CSensorSessions&) = delete;
    CSensorSessions& operator=(const CSensorSessions&) = delete;

    CQSDriver& Driver(int model) { return *m_drivers[static_cast<std::size_t>(model)]; }
    // A port that could not be opened at the start.
    struct PortFailure {
        int model = 0;
        bool busy = false;  // held by a worker of an earlier acquisition
    };
    // Opens the port of every enabled sensor and identifies it in the background; a port that
    // fails is tried again in the background unless it is busy.
    std::vector<PortFailure> Open(uint64_t generation);
    // After the running flag fell: waits for the identification workers.
    void JoinIdentification();
    // Closes every port that no late worker holds.
    void ClosePorts();
    // Takes in a status event of this acquisition; the calibration of a sensor that became
    // ready, else null.
    const SensorCal* Apply(StatusChangedEvent& event);
    // Ready sensors whose idle port vanished; each is marked lost.
    std::vector<int> CheckIdlePorts();
    // Unplugged: identified again in the background; until then it is not measured.
    void MarkLost(int model);

    bool Enabled(int model) const { return m_enabled[static_cast<std::size_t>(model)]; }
    bool AnyEnabled() const;
    // The driver status after the last identification attempt, kStatusNone before one.
    int State(int model) const { return m_state[static_cast<std::size_t>(model)]; }
    // The calibration of a ready sensor, else null.
    const SensorCal* ReadyCal(int model) const;
    // The sensors a cycle measures: enabled, ready and not held by a late worker.
    CWorker::Models Measurable() const;
    SensorSnapshot Snapshot() const { return {m_enabled, m_phase}; }
    // "QS-100 COM3 = /dev/ttyUSB2"
    std::string PortName(int model) const;

  private:
    void StartIdentification(int model, bool reopen);
    void IdentifyLoop(int model, bool reopen, int port, const std::string& portName,
                      uint64_t generation);

    Links m_links;
    std::array<std::unique_ptr<CQSDriver>, kModelCount> m_drivers;
    uint64_t m_generation = 0;
    std::array<bool, kModelCount> m_enabled{};
    std::array<int, kModelCount> m_state{};                        // as last reported
    std::array<std::optional<SensorCal>, kModelCount> m_readyCal;  // of the ready sensors
    std::array<bool, kModelCount> m_lostNoted{};                   // "lost" said, "back" not yet
    std::array<SensorPhase, kModelCount> m_phase{};                // what the progress dialog shows
    std::vector<std::unique_ptr<CWorker>> m_identifyThreads;
};
