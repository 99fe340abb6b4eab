#include "Backoff.h"

#include <algorithm>

void CBackoff::Failed(int64_t nowMs) {
    m_wait = m_wait == 0 ? m_first : std::min(m_wait * 2, m_last);
    m_nextAttempt = nowMs + m_wait;
}

void CBackoff::Succeeded() {
    m_wait = 0;
    m_nextAttempt = 0;
}
