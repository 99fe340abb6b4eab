#pragma once

#include <cstdint>

// Wall time for the schedule, the file names and the log lines. Injected so that tests can
// run a whole day (or a daylight-saving change day) in seconds.
class IClock {
  public:
    virtual ~IClock() = default;
    // Seconds since 1970 UTC.
    virtual int64_t Now() const = 0;
};

class CSystemClock final : public IClock {
  public:
    int64_t Now() const override;
};
