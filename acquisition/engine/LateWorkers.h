#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "Worker.h"

// The bounded wait for a worker, and the workers that outlived it: a dead adapter must not hang
// the program, and the drivers such a worker holds stay out of every other thread's hands
// until it ends.
class CLateWorkers {
  public:
    // timedOut is called for each worker that outlives its wait (the controller logs it).
    CLateWorkers(int waitMs, std::function<void()> timedOut)
        : m_waitMs(waitMs), m_timedOut(std::move(timedOut)) {}

    // Waits for worker to end; one that does not is kept here. worker is empty afterwards.
    bool Wait(std::unique_ptr<CWorker>& worker);
    // Forgets the kept workers that have ended; returns the models they used.
    CWorker::Models Reap();
    // A kept worker that has not ended uses the model's driver.
    bool Busy(int model) const;

  private:
    const int m_waitMs;
    std::function<void()> m_timedOut;
    std::vector<std::unique_ptr<CWorker>> m_late;
};
