#pragma once

#include <array>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "SensorModel.h"

// One worker thread with a bounded wait for its end. The drivers it uses are named, so that a
// worker that outlives its wait keeps its drivers out of every other thread's hands.
class CWorker {
  public:
    using Models = std::array<bool, kModelCount>;

    // Starts body at once; throws std::system_error when no thread can be created.
    CWorker(Models models, std::function<void()> body);
    // Joins: no thread outlives its owner.
    ~CWorker() = default;
    CWorker(const CWorker&) = delete;
    CWorker& operator=(const CWorker&) = delete;

    // True when the body has ended within timeoutMs.
    bool WaitFor(int timeoutMs) const;
    bool Done() const { return WaitFor(0); }
    bool Uses(int model) const { return m_models[static_cast<std::size_t>(model)]; }
    const Models& UsedModels() const { return m_models; }

  private:
    struct State {
        mutable std::mutex mutex;
        mutable std::condition_variable ended;
        bool done = false;
    };
    std::shared_ptr<State> m_state;
    Models m_models;
    std::jthread m_thread;
};
