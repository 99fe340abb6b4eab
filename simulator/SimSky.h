#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "SimulatedSky.h"

// The sky a simulated sensor looks at: a scene and the clock that gives its instant.
struct SimSky {
    rad::SkyScene scene;
    std::function<std::int64_t()> utcNow;  // seconds since 1970 UTC
};

// A clear June noon at 35 degrees north, the same on every run: for tests and benchmarks,
// and the light the simulated sensors are designed for.
SimSky ReferenceSky();
// Its spectrum on whole nm from kReferenceFirstNm to kReferenceLastNm, taken once.
inline constexpr int kReferenceFirstNm = 290;
inline constexpr int kReferenceLastNm = 1710;
const std::vector<double>& ReferenceSkySpectrum();
// The scene under the machine's wall clock.
SimSky WallClockSky(const rad::SkyScene& scene);

// The spectrum of a sky, taken again only when its clock has moved on by a second: an exposure
// search asks for it many times a second.
class CSkyLight {
  public:
    explicit CSkyLight(SimSky sky, int firstNm, int lastNm);
    const std::vector<double>& Spectrum();
    int FirstNm() const { return m_firstNm; }

  private:
    SimSky m_sky;
    int m_firstNm;
    int m_lastNm;
    bool m_taken = false;
    std::int64_t m_at = 0;
    std::vector<double> m_spectrum;
};
