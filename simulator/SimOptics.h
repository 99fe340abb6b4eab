#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// How a simulated sensor is built and what it makes of the light: wavelength polynomial, detector
// response, calibration factors, a dark level with noise and a full scale.
class CSimOptics {
  public:
    static constexpr int kFullScale = 32767;

    CSimOptics(int model, std::uint32_t seed);

    int Pixels() const { return static_cast<int>(m_nm.size()); }
    // Coefficient k of the wavelength polynomial as the sensor sends it.
    std::string CoefficientText(int k) const;
    const std::vector<float>& Calibration() const { return m_cal; }

    // Wavelength of each pixel, nm.
    const std::vector<double>& PixelNm() const { return m_nm; }
    // The light at each pixel (W/m2/um) from a spectrum on whole nm, element k at firstNm + k.
    std::vector<double> PixelLight(const std::vector<double>& spectrum1nm, int firstNm) const;

    // Raw counts of one exposure to light (W/m2/um per pixel) times brightness; a peak > 0
    // forces the largest light count to exactly that value (the rest of the spectrum follows it).
    std::vector<std::uint16_t> Expose(int exposureMs, bool shutterOpen,
                                      const std::vector<double>& light, double brightness,
                                      int peak);

  private:
    int m_model;
    double m_coeff[6];
    std::vector<double> m_nm;
    std::vector<double> m_gain;  // counts per ms per W/m2/um, per pixel
    std::vector<float> m_cal;
    std::mt19937 m_rng;
};
