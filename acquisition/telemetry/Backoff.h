#pragma once

#include <cstdint>
#include <functional>

// When to try the broker again: the wait doubles after every failed attempt from first up to
// last, and a success starts over. Each wait is lengthened by a random part of up to half of
// it, so that many stations that lost the same broker do not all return in the same second.
// Times are milliseconds of a steady clock the caller owns.
class CBackoff {
  public:
    // A random number in [0, 1).
    using Random = std::function<double()>;

    CBackoff(int64_t firstMs, int64_t lastMs, Random random);

    bool Due(int64_t nowMs) const { return nowMs >= m_nextAttempt; }
    void Failed(int64_t nowMs);
    void Succeeded();
    // The doubled wait, without its random part.
    int64_t CurrentWaitMs() const { return m_wait; }

  private:
    const int64_t m_first;
    const int64_t m_last;
    const Random m_random;
    int64_t m_wait = 0;
    int64_t m_nextAttempt = 0;
};
