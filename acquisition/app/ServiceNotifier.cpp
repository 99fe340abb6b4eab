#include "ServiceNotifier.h"

#include "LinkClock.h"

#ifdef RADLOG_WITH_SYSTEMD
#include <systemd/sd-daemon.h>
#endif

CServiceNotifier::CServiceNotifier(std::function<void(const std::string&)> send, int64_t watchdogMs,
                                   std::function<int64_t()> nowMs, IStationObserver* next)
    : m_send(std::move(send)), m_watchdogMs(watchdogMs), m_nowMs(std::move(nowMs)), m_pNext(next) {}

CServiceNotifier CServiceNotifier::ForSystemd(IStationObserver* next) {
    int64_t watchdogMs = 0;
    std::function<void(const std::string&)> send = [](const std::string&) {};
#ifdef RADLOG_WITH_SYSTEMD
    uint64_t usec = 0;
    if (sd_watchdog_enabled(0, &usec) > 0) watchdogMs = static_cast<int64_t>(usec / 1000);
    send = [](const std::string& state) { sd_notify(0, state.c_str()); };
#endif
    const auto steadyMs = [] { return CSystemLinkClock::Instance().MonotonicMs(); };
    return CServiceNotifier(std::move(send), watchdogMs, steadyMs, next);
}

void CServiceNotifier::AcquisitionChanged(bool running, int64_t now) {
    m_bRunning = running;
    if (running) {
        m_lastPingMs = m_nowMs();
        m_send("READY=1");
    } else {
        m_send("STOPPING=1");
    }
    if (m_pNext) m_pNext->AcquisitionChanged(running, now);
}

void CServiceNotifier::Tick(int64_t now) {
    // Twice per watchdog time, as systemd advises: one late tick is no restart.
    const int64_t nowMs = m_nowMs();
    if (m_bRunning && m_watchdogMs > 0 && nowMs - m_lastPingMs >= m_watchdogMs / 2) {
        m_lastPingMs = nowMs;
        m_send("WATCHDOG=1");
    }
    if (m_pNext) m_pNext->Tick(now);
}

void CServiceNotifier::RecordStored(const StoredRecord& record, bool written) {
    if (m_pNext) m_pNext->RecordStored(record, written);
}

void CServiceNotifier::SensorState(int model, int status, const std::string& text) {
    if (m_pNext) m_pNext->SensorState(model, status, text);
}

void CServiceNotifier::SensorLost(int model) {
    if (m_pNext) m_pNext->SensorLost(model);
}

void CServiceNotifier::SensorChanged(int model, const std::string& detail) {
    if (m_pNext) m_pNext->SensorChanged(model, detail);
}
