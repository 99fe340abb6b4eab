#include "SimSky.h"

#include <utility>

#include "LocalTime.h"

namespace {
// 2026-06-21 12:00 UTC: solar noon at longitude 0 near the solstice.
constexpr std::int64_t kReferenceInstant = 1782043200;
}  // namespace

SimSky ReferenceSky() {
    return {{rad::SkyKind::Clear, {35.0, 0.0, 40.0}}, [] { return kReferenceInstant; }};
}

const std::vector<double>& ReferenceSkySpectrum() {
    static const std::vector<double> spectrum = [] {
        const SimSky sky = ReferenceSky();
        return rad::SkySpectrum1nm(sky.scene, sky.utcNow(), kReferenceFirstNm, kReferenceLastNm);
    }();
    return spectrum;
}

SimSky WallClockSky(const rad::SkyScene& scene) {
    return {scene, [] { return rad::Now(); }};
}

CSkyLight::CSkyLight(SimSky sky, int firstNm, int lastNm)
    : m_sky(std::move(sky)), m_firstNm(firstNm), m_lastNm(lastNm) {}

const std::vector<double>& CSkyLight::Spectrum() {
    const std::int64_t now = m_sky.utcNow ? m_sky.utcNow() : 0;
    if (!m_taken || now != m_at) {
        m_spectrum = rad::SkySpectrum1nm(m_sky.scene, now, m_firstNm, m_lastNm);
        m_at = now;
        m_taken = true;
    }
    return m_spectrum;
}
