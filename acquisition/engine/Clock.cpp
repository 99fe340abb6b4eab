#include "Clock.h"

#include "LocalTime.h"

int64_t CSystemClock::Now() const { return rad::Now(); }
