#pragma once

#include <cstdint>
#include <optional>

// Tells once when the broker has been out of reach for longer than a limit, and once when it
// is back after that. Milliseconds of a steady clock the caller owns.
class COutageWatch {
  public:
    enum class Change { None, Unreachable, Back };

    explicit COutageWatch(int64_t limitMs) : m_limit(limitMs) {}

    // A connection attempt failed or the link broke.
    Change Down(int64_t nowMs);
    // The broker accepted the connection.
    Change Up();
    // Time passes without a change of the link.
    Change Check(int64_t nowMs);

  private:
    const int64_t m_limit;
    std::optional<int64_t> m_downSince;
    bool m_bReported = false;
};
