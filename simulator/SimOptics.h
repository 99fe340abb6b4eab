#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// What a simulated sensor sees and how it is built: wavelength polynomial, calibration factors,
// a sun-like spectrum with atmospheric absorption, a dark level with noise and a full scale.
class CSimOptics {
  public:
    static constexpr int kFullScale = 32767;

    CSimOptics(int model, std::uint32_t seed);

    int Pixels() const { return static_cast<int>(m_shape.size()); }
    // Coefficient k of the wavelength polynomial as the sensor sends it.
    std::string CoefficientText(int k) const;
    const std::vector<float>& Calibration() const { return m_cal; }

    // Raw counts of one exposure. brightness scales the nominal daylight; a peak > 0 forces the
    // largest light count to exactly that value (the rest of the spectrum follows it).
    std::vector<std::uint16_t> Expose(int exposureMs, bool shutterOpen, double brightness,
                                      int peak);

  private:
    int m_model;
    double m_coeff[6];
    double m_countsPerMs;         // peak light counts per ms of exposure at brightness 1
    std::vector<double> m_shape;  // relative light counts per pixel, largest 1
    std::vector<float> m_cal;
    std::mt19937 m_rng;
};
