#include "LateWorkers.h"

bool CLateWorkers::Wait(std::unique_ptr<CWorker>& worker) {
    const bool ended = worker->WaitFor(m_waitMs);
    if (!ended) {
        m_late.push_back(std::move(worker));
        if (m_timedOut) m_timedOut();
    }
    worker.reset();
    return ended;
}

CWorker::Models CLateWorkers::Reap() {
    CWorker::Models used{};
    std::erase_if(m_late, [&used](const std::unique_ptr<CWorker>& worker) {
        if (!worker->Done()) return false;
        for (int model = 0; model < kModelCount; ++model)
            used[static_cast<std::size_t>(model)] |= worker->Uses(model);
        return true;
    });
    return used;
}

bool CLateWorkers::Busy(int model) const {
    for (const auto& worker : m_late)
        if (worker->Uses(model) && !worker->Done()) return true;
    return false;
}
