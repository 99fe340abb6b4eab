#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

struct MqttMessage {
    std::string topic;
    std::string payload;
    int qos = 1;
    bool retain = false;
    uint64_t number = 0;  // in the disk queue; 0: kept in memory only
};

// Messages waiting for the broker, bounded: when full, the oldest message goes so that the
// newest always gets in, and the loss is counted. Any thread pushes; the publisher pops.
class CPublishQueue {
  public:
    explicit CPublishQueue(std::size_t capacity) : m_capacity(capacity) {}

    // Never blocks. Returns the disk number of the message it dropped to make room, or 0.
    uint64_t Push(MqttMessage message);
    // The oldest message, or nothing when empty.
    std::optional<MqttMessage> TryPop();
    // Puts a message that could not be handed on back in front, unless newer ones filled
    // the queue meanwhile (then it counts as dropped and its disk number is returned).
    uint64_t PushFront(MqttMessage message);
    // Waits until a message is waiting, timeoutMs passed, or Interrupt was called.
    void WaitFor(int timeoutMs);
    void Interrupt();

    std::size_t Size() const;
    // Messages dropped since the start.
    uint64_t Dropped() const;

  private:
    const std::size_t m_capacity;
    mutable std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<MqttMessage> m_messages;
    uint64_t m_nDropped = 0;
    bool m_bInterrupted = false;
};
