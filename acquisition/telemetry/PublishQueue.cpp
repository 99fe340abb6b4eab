#include "PublishQueue.h"

#include <chrono>

uint64_t CPublishQueue::Push(MqttMessage message) {
    uint64_t dropped = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_capacity == 0) {
            ++m_nDropped;
            return message.number;
        }
        if (m_messages.size() >= m_capacity) {
            dropped = m_messages.front().number;
            m_messages.pop_front();
            ++m_nDropped;
        }
        m_messages.push_back(std::move(message));
    }
    m_ready.notify_one();
    return dropped;
}

std::optional<MqttMessage> CPublishQueue::TryPop() {
    std::lock_guard lock(m_mutex);
    if (m_messages.empty()) return std::nullopt;
    MqttMessage message = std::move(m_messages.front());
    m_messages.pop_front();
    return message;
}

uint64_t CPublishQueue::PushFront(MqttMessage message) {
    std::lock_guard lock(m_mutex);
    if (m_messages.size() >= m_capacity) {
        ++m_nDropped;
        return message.number;
    }
    m_messages.push_front(std::move(message));
    return 0;
}

void CPublishQueue::WaitFor(int timeoutMs) {
    std::unique_lock lock(m_mutex);
    m_ready.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                     [this] { return !m_messages.empty() || m_bInterrupted; });
    m_bInterrupted = false;
}

void CPublishQueue::Interrupt() {
    {
        std::lock_guard lock(m_mutex);
        m_bInterrupted = true;
    }
    m_ready.notify_all();
}

std::size_t CPublishQueue::Size() const {
    std::lock_guard lock(m_mutex);
    return m_messages.size();
}

uint64_t CPublishQueue::Dropped() const {
    std::lock_guard lock(m_mutex);
    return m_nDropped;
}
