#pragma once

#include <cstdint>

// The driver's two clocks: a monotonic one for reply deadlines and the wall clock for the
// measurement time. Injected so that a test can run every time-out without waiting for it.
class ILinkClock {
  public:
    virtual ~ILinkClock() = default;
    // Milliseconds on a clock that never jumps.
    virtual std::int64_t MonotonicMs() const = 0;
    // Seconds since 1970 UTC.
    virtual std::int64_t Now() const = 0;
};

// The machine's clocks.
class CSystemLinkClock final : public ILinkClock {
  public:
    std::int64_t MonotonicMs() const override;
    std::int64_t Now() const override;
    static const CSystemLinkClock& Instance();
};
