#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "Schedule.h"
#include "SunSettings.h"

namespace rad {

// Measuring by the sun: a slot of the interval schedule runs only while the sun stands at
// least the profile's [SUN] MINELEVATION high. Off, it lets every slot through.
class CSunGate {
  public:
    // The sun's elevation in degrees at an instant (seconds since 1970 UTC).
    using ElevationAt = std::function<double(int64_t utc)>;

    CSunGate() = default;
    CSunGate(double minElevationDeg, ElevationAt elevation);

    bool Active() const { return static_cast<bool>(m_elevation); }
    double MinElevation() const { return m_minElevation; }
    double Elevation(int64_t utc) const { return m_elevation ? m_elevation(utc) : 90.0; }
    bool Allows(int64_t utc) const { return !Active() || Elevation(utc) >= m_minElevation; }

    // The first slot start after now inside window with the sun high enough, searched for at
    // most two days ahead; nullopt when there is none (an empty window, the polar night).
    std::optional<int64_t> NextCycle(int64_t now, const IntervalWindow& window) const;

  private:
    double m_minElevation = 0;
    ElevationAt m_elevation;
};

// The gate of a profile: its [SUN] at its [SITE]. Off without MINELEVATION; off as well, with
// the reason in *why, when MINELEVATION is no angle or the site has no position.
CSunGate MakeSunGate(const SunSettings& sun, const std::string& lat, const std::string& lon,
                     const std::string& alt, std::string* why);

// An angle as the notes say it: one decimal, none for whole degrees ("5", "-12.3").
std::string SunDegreesText(double degrees);

// "next cycle at 06:13:00" (" tomorrow", or " on 2024/07/03" further ahead), or "no cycle in
// the next two days".
std::string NextCycleText(const CSunGate& gate, int64_t now, const IntervalWindow& window);

// "no cycle: the sun stands at -12.3 deg, below [SUN] MINELEVATION 5 deg; next cycle at
// 06:13:00", as NextCycleText says it.
std::string SunWaitText(const CSunGate& gate, int64_t now, const IntervalWindow& window);

}  // namespace rad
