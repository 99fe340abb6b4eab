#pragma once

#include <optional>
#include <vector>

struct SensorCal;

// Where two sensors' calibrations share wavelengths: every kStepNm from the first whole
// nanometre both cover, with the pixel interval of each sensor and the place within it worked
// out once per pair of calibrations, so that comparing two spectra there costs a few sums per
// record. Smooth spectra have nearly the same mean at 5 nm as at 1 nm, for a fifth of the cost.
namespace rad {

struct SensorSpectrum;

class SensorOverlap {
  public:
    static constexpr double kStepNm = 5;

    // nullopt when the two share less than a nanometre. Both must have usable wavelengths.
    static std::optional<SensorOverlap> Of(const SensorCal& a, const SensorCal& b);

    // Σ|a − b| / Σ(|a| + |b|)/2 over the overlap of two spectra made with these calibrations
    // (a's first); nullopt when their mean level there, (|a| + |b|)/2, is below least.
    std::optional<double> Deviation(const SensorSpectrum& a, const SensorSpectrum& b,
                                    double least) const;

  private:
    struct Place {
        int pixel;     // between pixel and pixel + 1
        double share;  // of the way to pixel + 1
    };
    std::vector<std::pair<Place, Place>> m_points;
};

}  // namespace rad
