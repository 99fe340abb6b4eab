#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <variant>

#include "SensorBlocks.h"
#include "SensorModel.h"
#include "SensorPhase.h"

// What one measurement cycle hands back to the user-interface thread: its own time stamp and
// copies of the blocks measured in this cycle, so neither a newer cycle nor an older
// measurement can end up under this time.
struct CCycleResult {
    uint64_t generation = 0;  // acquisition the cycle belongs to
    int64_t time = 0;         // the cycle's time stamp (measTime)
    std::array<std::optional<SensorData>, kModelCount> data;
    std::array<bool, kModelCount> lost{};          // the device vanished during the measurement
    std::array<std::string, kModelCount> failure;  // why the last attempt failed
};

// WM_CYCLE_DONE
struct CycleDoneEvent {
    CCycleResult result;
};
// WM_STOP_REQUEST
struct StopRequestEvent {};
// WM_STATUS_CHANGED, carrying the new phase (a driver state after an identification attempt)
// so that the user-interface thread never reads a driver a worker is using.
struct StatusChangedEvent {
    uint64_t generation = 0;
    int model = 0;
    SensorPhase phase;
    std::optional<int> status;     // set after an identification attempt
    std::optional<SensorCal> cal;  // set when the sensor became ready
};
// The error beep of a worker, sounded by the user-interface thread.
struct BeepEvent {
    uint64_t generation = 0;
};

// A line for the field station's output (IRadlogHost::Note).
struct NoteEvent {
    uint64_t generation = 0;
    std::string text;
};

using DocEvent =
    std::variant<CycleDoneEvent, StopRequestEvent, StatusChangedEvent, BeepEvent, NoteEvent>;

// The queue between the workers and the user-interface thread, which pumps it.
class CEventQueue {
  public:
    // Called after every Post, on the posting thread; it only has to wake the pump.
    void SetWakeup(std::function<void()> wakeup);
    void Post(DocEvent event);
    std::optional<DocEvent> TryPop();
    // Blocks until an event is waiting or timeoutMs passed; true when one is waiting.
    bool WaitFor(int timeoutMs);
    // Removes and returns the first waiting event of kind T, leaving the others in order.
    template <class T>
    std::optional<T> TakeFirst() {
        std::lock_guard lock(m_mutex);
        for (auto it = m_events.begin(); it != m_events.end(); ++it)
            if (auto* event = std::get_if<T>(&*it)) {
                T taken = std::move(*event);
                m_events.erase(it);
                return taken;
            }
        return std::nullopt;
    }

    // The workers' usual posts.
    void PostPhase(uint64_t generation, int model, SensorPhase phase) {
        Post(StatusChangedEvent{generation, model, phase, std::nullopt, std::nullopt});
    }
    void PostNote(uint64_t generation, std::string text) {
        Post(NoteEvent{generation, std::move(text)});
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<DocEvent> m_events;
    std::function<void()> m_wakeup;
};
