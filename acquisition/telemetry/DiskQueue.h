#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "PublishQueue.h"

// The messages waiting for the broker, kept on disk so that a restart of the station loses
// none: an append-only file of numbered messages and of the numbers that are done
// (acknowledged by the broker, or dropped from the full queue). It is rewritten with only the
// waiting messages when enough are done, and emptied when none waits. A torn last entry (a
// power cut in the middle of a write) ends the file. Any thread may call; the file is only
// ever touched under the lock.
class CDiskQueue {
  public:
    CDiskQueue(std::string path, std::size_t capacity);
    ~CDiskQueue();
    CDiskQueue(const CDiskQueue&) = delete;
    CDiskQueue& operator=(const CDiskQueue&) = delete;

    // The messages an earlier run left waiting, oldest first and at most capacity of them,
    // each with its number; the file is compacted to them.
    std::vector<MqttMessage> Load();
    // Writes message and returns its number, 0 when the file cannot be written (the message
    // then only waits in memory).
    uint64_t Append(const MqttMessage& message);
    // The message with this number no longer waits.
    void Done(uint64_t number);
    std::size_t Waiting() const;

  private:
    void Rewrite(const std::vector<MqttMessage>& keep);
    // The waiting messages of the file; nullopt when it cannot be read.
    std::optional<std::vector<MqttMessage>> ReadWaiting();
    // Appends one whole entry, or leaves the file as it was.
    bool AppendEntry(const std::string& entry);
    bool OpenForAppend();

    const std::string m_path;
    const std::size_t m_capacity;
    mutable std::mutex m_mutex;
    int m_fd = -1;
    uint64_t m_nextNumber = 1;
    std::set<uint64_t> m_waiting;
    std::size_t m_nDoneInFile = 0;  // "done" entries since the last rewrite
};
