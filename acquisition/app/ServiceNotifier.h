#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "StationObserver.h"

// Tells the service manager how the station is doing (systemd's Type=notify and WatchdogSec=):
// ready once the acquisition is open, a watchdog ping on its timer ticks, stopping once it
// closes. The pings come only while the acquisition's loop goes on, so a station whose loop
// hangs misses them and is restarted. Every call is passed on to the observer behind it
// (telemetry, or null).
class CServiceNotifier final : public IStationObserver {
  public:
    // send: one notification ("READY=1", "WATCHDOG=1", ...); watchdogMs: the manager's watchdog
    // time (0: none); nowMs: a steady clock for spacing the pings.
    CServiceNotifier(std::function<void(const std::string&)> send, int64_t watchdogMs,
                     std::function<int64_t()> nowMs, IStationObserver* next);
    // Through libsystemd when the program runs under a service manager that listens.
    static CServiceNotifier ForSystemd(IStationObserver* next);

    void AcquisitionChanged(bool running, int64_t now) override;
    void Tick(int64_t now) override;
    void RecordStored(const StoredRecord& record, bool written) override;
    void SensorState(int model, int status, const std::string& text) override;
    void SensorLost(int model) override;
    void SensorChanged(int model, const std::string& detail) override;

  private:
    std::function<void(const std::string&)> m_send;
    const int64_t m_watchdogMs;
    std::function<int64_t()> m_nowMs;
    IStationObserver* m_pNext;
    bool m_bRunning = false;
    int64_t m_lastPingMs = 0;
};
