#include "SimOptics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "SensorModel.h"

namespace {

// Visible models cover about 300 to 1100 nm, near-infrared ones about 900 to 1700 nm; the
// polynomial is written for pixel numbers from 1, highest power last.
struct Design {
    double c0, spanNm, bend;
    double countsPerMs;
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

double Planck(double nm, double kelvin) {
    const double m = nm * 1e-9;
    return 1.0 / (std::pow(m, 5) * (std::exp(1.4388e-2 / (m * kelvin)) - 1.0));
}

// Transmission of the air: oxygen and water bands.
double Atmosphere(double nm) {
    struct Band {
        double centre, width, depth;
    };
    constexpr Band bands[] = {{687, 4, 0.3},   {760, 4, 0.6},    {940, 25, 0.5},
                              {1130, 30, 0.6}, {1380, 60, 0.95}, {1870, 80, 0.95}};
    double t = 1.0;
    for (const Band& b : bands) {
        const double x = (nm - b.centre) / b.width;
        t *= 1.0 - b.depth * std::exp(-0.5 * x * x);
    }
    return t;
}

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
    m_countsPerMs = d.countsPerMs;
    // Linear span plus a gentle curvature that keeps the wavelengths rising.
    m_coeff[0] = d.c0;
    m_coeff[1] = d.spanNm * (1.0 - d.bend) / n;
    m_coeff[2] = d.spanNm * d.bend / (static_cast<double>(n) * n);
    m_coeff[3] = m_coeff[4] = m_coeff[5] = 0.0;

    std::vector<double> irradiance(static_cast<std::size_t>(n));
    m_shape.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double p = i + 1.0;
        const double nm = m_coeff[0] + m_coeff[1] * p + m_coeff[2] * p * p;
        irradiance[static_cast<std::size_t>(i)] = Planck(nm, 5778.0) * Atmosphere(nm);
        m_shape[static_cast<std::size_t>(i)] =
            irradiance[static_cast<std::size_t>(i)] * Response(nm, shortWave);
    }
    const double shapeMax = *std::max_element(m_shape.begin(), m_shape.end());
    const double irrMax = Planck(502.0, 5778.0);
    m_cal.resize(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < m_shape.size(); ++i) {
        m_shape[i] /= shapeMax;
        // Clear-sky noon: about 2000 W/m2/um at the solar maximum.
        const double wm2um = 2000.0 * irradiance[i] / irrMax;
        const double countsPerSecond = m_shape[i] * m_countsPerMs * 1000.0;
        m_cal[i] = static_cast<float>(countsPerSecond > 0 ? wm2um / countsPerSecond : 0.0);
    }
}

std::string CSimOptics::CoefficientText(int k) const {
    char text[32];
    std::snprintf(text, sizeof text, "%.9e", m_coeff[k]);
    return text;
}

std::vector<std::uint16_t> CSimOptics::Expose(int exposureMs, bool shutterOpen, double brightness,
                                              int peak) {
    std::normal_distribution<double> noise(0.0, kNoiseCounts);
    const double dark = kDarkCounts + kDarkPerMs * exposureMs;
    double lightPeak = shutterOpen ? brightness * m_countsPerMs * exposureMs : 0.0;
    if (shutterOpen && peak > 0) lightPeak = peak - dark;
    std::vector<std::uint16_t> counts(m_shape.size());
    for (std::size_t i = 0; i < m_shape.size(); ++i) {
        const bool isPeak = m_shape[i] == 1.0;
        double c = dark + lightPeak * m_shape[i] + (isPeak && peak > 0 ? 0.0 : noise(m_rng));
        if (peak > 0 && shutterOpen) c = std::min(c, isPeak ? peak : peak - 1.0);
        counts[i] = static_cast<std::uint16_t>(
            std::clamp(std::lround(c), 0L, static_cast<long>(kFullScale)));
    }
    return counts;
}
