#pragma once

#include <cstdint>
#include <string>

// A clock that reads before this program was built was never set: a board without a battery
// clock starts at 1970 until NTP answers. The station says so, since its records then carry
// times that are plainly wrong.
namespace rad {

// When this program was built, in seconds since 1970 UTC.
int64_t BuildTime();

// "CLOCK NOT SET? it reads 1970/01/01 09:00:30, before this program was built (2026/12/07)"
// when now lies before built; "" otherwise.
std::string ClockNotSetText(int64_t now, int64_t built);

// Says that the clock is not set once, until it has been set; floor 0 never says it.
class CClockWatch {
  public:
    explicit CClockWatch(int64_t floor) : m_floor(floor) {}
    // A new acquisition says it again.
    void Rearm() { m_bNoted = false; }
    // The text to say now, else "".
    std::string Check(int64_t now);

  private:
    const int64_t m_floor;
    bool m_bNoted = false;
};

}  // namespace rad
