#include "Backoff.h"

#include <algorithm>
#include <memory>
#include <random>

namespace {

CBackoff::Random SeededRandom() {
    auto engine = std::make_shared<std::mt19937_64>(std::random_device{}());
    return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

}  // namespace

CBackoff::CBackoff(int64_t firstMs, int64_t lastMs, Random random)
    : m_first(firstMs), m_last(lastMs), m_random(random ? std::move(random) : SeededRandom()) {}

void CBackoff::Failed(int64_t nowMs) {
    m_wait = m_wait == 0 ? m_first : std::min(m_wait * 2, m_last);
    const double part = std::clamp(m_random(), 0.0, 1.0) * 0.5;
    m_nextAttempt = nowMs + m_wait + static_cast<int64_t>(static_cast<double>(m_wait) * part);
}

void CBackoff::Succeeded() {
    m_wait = 0;
    m_nextAttempt = 0;
}
