#include "SunGate.h"

#include <cstdio>
#include <utility>

#include "LocalTime.h"
#include "SiteLocation.h"
#include "SolarPosition.h"

namespace rad {
namespace {

constexpr int64_t kSearchSeconds = 2 * 86400;
constexpr int64_t kStep = 60;  // the sun moves a quarter of a degree a minute at most

bool InWindow(const IntervalWindow& window, int64_t second) {
    return window.start <= second && second <= window.end;
}

}  // namespace

std::string SunDegreesText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string s = text;
    if (s.size() > 2 && s.ends_with(".0")) s.resize(s.size() - 2);
    return s == "-0" ? "0" : s;
}

namespace {

// "06:13:00", " tomorrow" or " on 2024/07/03" when t falls on a later local day than now.
std::string WhenText(int64_t now, int64_t t) {
    std::string text = FormatLocalTime(t, "%H:%M:%S");
    const auto today = ToLocalTm(now);
    const auto then = ToLocalTm(t);
    if (!today || !then || (today->tm_yday == then->tm_yday && today->tm_year == then->tm_year))
        return text;
    const auto tomorrow = ToLocalTm(now + 86400);
    if (tomorrow && tomorrow->tm_yday == then->tm_yday) return text + " tomorrow";
    return text + " on " + FormatLocalTime(t, "%Y/%m/%d");
}

}  // namespace

CSunGate::CSunGate(double minElevationDeg, ElevationAt elevation)
    : m_minElevation(minElevationDeg), m_elevation(std::move(elevation)) {}

std::optional<int64_t> CSunGate::NextCycle(int64_t now, const IntervalWindow& window) const {
    if (window.interval <= 0 || window.start > window.end) return std::nullopt;
    const auto open = [&](int64_t t) {
        const auto second = SecondOfDay(t);
        return second && InWindow(window, *second) && Allows(t);
    };
    // By minutes to where the window is open and the sun high enough, back to the second it
    // opened, then on to the slot start at or after it, which must pass both tests too.
    int64_t shut = now;
    for (int64_t t = now + 1; t <= now + kSearchSeconds;) {
        const auto second = SecondOfDay(t);
        if (!second) return std::nullopt;
        if (!open(t)) {
            shut = t;
            t += kStep - *second % kStep;
            continue;
        }
        for (int64_t low = shut, high = t; high - low > 1;) {
            const int64_t mid = low + (high - low) / 2;
            (open(mid) ? high : low) = mid;
            t = high;
        }
        const int64_t opened = *SecondOfDay(t);
        const int64_t slot = t + (window.interval - opened % window.interval) % window.interval;
        if (open(slot)) return slot;
        shut = slot;
        t = slot + 1;
    }
    return std::nullopt;
}

CSunGate MakeSunGate(const SunSettings& sun, const std::string& lat, const std::string& lon,
                     const std::string& alt, std::string* why) {
    if (!sun.invalidText.empty()) {
        if (why)
            *why = "[SUN] MINELEVATION \"" + sun.invalidText +
                   "\" is no angle from -90 to 90: measuring without it";
        return {};
    }
    if (!sun.minElevationDeg) return {};
    const std::optional<SiteLocation> site = ParseSite(lat, lon, alt);
    if (!site) {
        if (why)
            *why =
                "[SUN] MINELEVATION needs the station's position ([SITE] LAT and LON): "
                "measuring without it";
        return {};
    }
    return CSunGate(*sun.minElevationDeg,
                    [s = *site](int64_t utc) { return SunElevationDeg(utc, s); });
}

std::string NextCycleText(const CSunGate& gate, int64_t now, const IntervalWindow& window) {
    const std::optional<int64_t> next = gate.NextCycle(now, window);
    return next ? "next cycle at " + WhenText(now, *next) : "no cycle in the next two days";
}

std::string SunWaitText(const CSunGate& gate, int64_t now, const IntervalWindow& window) {
    return "no cycle: the sun stands at " + SunDegreesText(gate.Elevation(now)) +
           " deg, below [SUN] MINELEVATION " + SunDegreesText(gate.MinElevation()) + " deg; " +
           NextCycleText(gate, now, window);
}

}  // namespace rad
