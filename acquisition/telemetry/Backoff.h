#pragma once

#include <cstdint>

// When to try the broker again: the wait doubles after every failed attempt from first up to
// last, and a success starts over. Times are milliseconds of a steady clock the caller owns.
class CBackoff {
  public:
    CBackoff(int64_t firstMs, int64_t lastMs) : m_first(firstMs), m_last(lastMs) {}

    bool Due(int64_t nowMs) const { return nowMs >= m_nextAttempt; }
    void Failed(int64_t nowMs);
    void Succeeded();
    int64_t CurrentWaitMs() const { return m_wait; }

  private:
    const int64_t m_first;
    const int64_t m_last;
    int64_t m_wait = 0;
    int64_t m_nextAttempt = 0;
};
