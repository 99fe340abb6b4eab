#include "LinkClock.h"

#include <chrono>

#include "LocalTime.h"

std::int64_t CSystemLinkClock::MonotonicMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t CSystemLinkClock::Now() const { return rad::Now(); }

const CSystemLinkClock& CSystemLinkClock::Instance() {
    static const CSystemLinkClock clock;
    return clock;
}
