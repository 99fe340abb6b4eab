#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "DocEvents.h"
#include "LateWorkers.h"
#include "SensorSessions.h"

// One measurement cycle at a time: a worker measures the ready sensors side by side, each with
// its attempts, and posts the cycle's result to the user-interface thread.
class CCycleRunner {
  public:
    static constexpr int kAttempts = 3;

    CCycleRunner(CSensorSessions& sensors, CEventQueue& queue, const std::atomic<int>& running,
                 CLateWorkers& workers)
        : m_sensors(sensors), m_queue(queue), m_running(running), m_workers(workers) {}
    CCycleRunner(const CCycleRunner&) = delete;
    CCycleRunner& operator=(const CCycleRunner&) = delete;

    // Waits for the cycle before, then starts one stamped time; false when no thread could be
    // created. A manual cycle asks for the stop when it is done.
    bool Start(int64_t time, uint64_t generation, bool manual);
    // The worker of the last cycle still measures.
    bool Measuring() const { return m_worker && !m_worker->Done(); }
    // Waits for the last cycle's worker (bounded; a late one is kept by the late workers).
    void Join();
    int Started() const { return m_nStarted; }

  private:
    void Body(CCycleResult result, CWorker::Models ready, bool manual);
    void Measure(int model, CCycleResult& result);
    bool Running() const { return m_running.load() == 1; }

    CSensorSessions& m_sensors;
    CEventQueue& m_queue;
    const std::atomic<int>& m_running;
    CLateWorkers& m_workers;
    std::unique_ptr<CWorker> m_worker;
    int m_nStarted = 0;
};
