#include "Worker.h"

#include <chrono>

CWorker::CWorker(Models models, std::function<void()> body)
    : m_state(std::make_shared<State>()), m_models(models) {
    m_thread = std::jthread([state = m_state, body = std::move(body)] {
        body();
        {
            std::lock_guard lock(state->mutex);
            state->done = true;
        }
        state->ended.notify_all();
    });
}

bool CWorker::WaitFor(int timeoutMs) const {
    std::unique_lock lock(m_state->mutex);
    return m_state->ended.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                   [this] { return m_state->done; });
}
