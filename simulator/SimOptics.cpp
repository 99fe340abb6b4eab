#include "SimOptics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "SensorModel.h"
#include "SimSky.h"

namespace {

// Visible models cover about 300 to 1100 nm, near-infrared ones about 900 to 1700 nm; the
// polynomial is written for pixel numbers from 1, highest power last.
struct Design {
    double c0, spanNm, bend;
    double countsPerMs;  // on the brightest pixel under the reference sky (a clear June noon)
};

constexpr Design kDesigns[] = {
    {300.0, 800.0, 0.02, 175.0},  // peak about 17500 at 100 ms
    {300.0, 800.0, 0.02, 60.0},   // peak about 12000 at 200 ms
    {900.0, 800.0, 0.04, 200.0},  // peak about 20000 at 100 ms
    {900.0, 800.0, 0.04, 650.0},  // peak about 19500 at its fixed 30 ms
};

constexpr double kDarkCounts = 300.0;
constexpr double kDarkPerMs = 0.2;
constexpr double kNoiseCounts = 4.0;

// Detector response: silicon for the visible models, InGaAs for the others.
double Response(double nm, bool shortWave) {
    const double centre = shortWave ? 750.0 : 1300.0;
    const double width = shortWave ? 300.0 : 350.0;
    const double x = (nm - centre) / width;
    return 0.1 + std::exp(-0.5 * x * x);
}

}  // namespace

CSimOptics::CSimOptics(int model, std::uint32_t seed) : m_model(model), m_rng(seed) {
    const Design& d = kDesigns[model];
    const int n = PixelCount(model);
    const bool shortWave = kModels[static_cast<std::size_t>(model)].shortWave;
    // Linear span plus a gentle curvature that keeps the wavelengths rising.
    m_coeff[0] = d.c0;
    m_coeff[1] = d.spanNm * (1.0 - d.bend) / n;
    m_coeff[2] = d.spanNm * d.bend / (static_cast<double>(n) * n);
    m_coeff[3] = m_coeff[4] = m_coeff[5] = 0.0;

    m_nm.resize(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < m_nm.size(); ++i) {
        const double p = static_cast<double>(i) + 1.0;
        m_nm[i] = m_coeff[0] + m_coeff[1] * p + m_coeff[2] * p * p;
    }
    // Counts follow light times response; the scale puts the reference sky's brightest pixel at
    // the design's counts per ms.
    const std::vector<double> reference = PixelLight(ReferenceSkySpectrum(), kReferenceFirstNm);
    m_gain.resize(m_nm.size());
    double brightest = 0;
    for (std::size_t i = 0; i < m_nm.size(); ++i) {
        m_gain[i] = Response(m_nm[i], shortWave);
        brightest = std::max(brightest, reference[i] * m_gain[i]);
    }
    m_cal.resize(m_nm.size());
    for (std::size_t i = 0; i < m_nm.size(); ++i) {
        m_gain[i] *= d.countsPerMs / brightest;
        // The factor back from counts per second to W/m2/um, as the instrument reports it.
        m_cal[i] = static_cast<float>(1.0 / (m_gain[i] * 1000.0));
    }
}

std::vector<double> CSimOptics::PixelLight(const std::vector<double>& spectrum1nm,
                                           int firstNm) const {
    std::vector<double> light(m_nm.size());
    for (std::size_t i = 0; i < m_nm.size(); ++i)
        light[i] = rad::SpectrumAt(spectrum1nm, firstNm, m_nm[i]);
    return light;
}

std::string CSimOptics::CoefficientText(int k) const {
    char text[32];
    std::snprintf(text, sizeof text, "%.9e", m_coeff[k]);
    return text;
}

std::vector<std::uint16_t> CSimOptics::Expose(int exposureMs, bool shutterOpen,
                                              const std::vector<double>& light, double brightness,
                                              int peak) {
    std::normal_distribution<double> noise(0.0, kNoiseCounts);
    const double dark = kDarkCounts + kDarkPerMs * exposureMs;
    std::vector<double> signal(m_nm.size(), 0.0);
    if (shutterOpen) {
        for (std::size_t i = 0; i < signal.size() && i < light.size(); ++i)
            signal[i] = std::max(0.0, light[i]) * brightness * m_gain[i] * exposureMs;
    }
    const auto top = std::max_element(signal.begin(), signal.end());
    const bool forced = shutterOpen && peak > 0;
    if (forced && *top > 0) {
        const double scale = (peak - dark) / *top;
        for (double& s : signal) s *= scale;
    }
    std::vector<std::uint16_t> counts(m_nm.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const bool isPeak = static_cast<std::ptrdiff_t>(i) == top - signal.begin();
        double c = dark + signal[i] + (isPeak && forced ? 0.0 : noise(m_rng));
        if (forced) c = isPeak ? peak : std::min(c, peak - 1.0);
        counts[i] = static_cast<std::uint16_t>(
            std::clamp(std::lround(c), 0L, static_cast<long>(kFullScale)));
    }
    return counts;
}
