#include "DocEvents.h"

#include <chrono>

void CEventQueue::SetWakeup(std::function<void()> wakeup) {
    std::lock_guard lock(m_mutex);
    m_wakeup = std::move(wakeup);
}

void CEventQueue::Post(DocEvent event) {
    std::function<void()> wakeup;
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(std::move(event));
        wakeup = m_wakeup;
    }
    m_ready.notify_all();
    if (wakeup) wakeup();
}

std::optional<DocEvent> CEventQueue::TryPop() {
    std::lock_guard lock(m_mutex);
    if (m_events.empty()) return std::nullopt;
    DocEvent event = std::move(m_events.front());
    m_events.pop_front();
    return event;
}

bool CEventQueue::WaitFor(int timeoutMs) {
    std::unique_lock lock(m_mutex);
    return m_ready.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [this] { return !m_events.empty(); });
}
