#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "LightConstants.h"

// The one band-sum kernel of the derived light values.
namespace rad {

// A spectrum on whole nanometres: element k belongs to first + k nm; last < first when empty.
struct GridSpectrum {
    const double* values;
    int first;
    int last;
};

template <std::size_t N>
struct BandSums {
    std::array<double, N> sums{};
    int covered = 0;  // grid nanometres of the band with a finite value
};

// Sums terms(nm, E(nm)) -> std::array<double, N> over the band, in wavelength order, term by
// term; with halfLimits the band limits count half (trapezoid rule). Off-grid and non-finite
// values add nothing and do not count as covered. The loop stays on the grid whatever band is
// asked (a band up to INT_MAX would otherwise overflow its counter).
template <std::size_t N, typename Terms>
BandSums<N> SumBand(const GridSpectrum& s, Band band, bool halfLimits, Terms terms) {
    BandSums<N> result;
    const int from = std::max(band.from, s.first), to = std::min(band.to, s.last);
    for (int nm = from; nm <= to; ++nm) {
        const double e = s.values[nm - s.first];
        if (!std::isfinite(e)) continue;
        const bool half = halfLimits && (nm == band.from || nm == band.to);
        const std::array<double, N> t = terms(nm, e);
        for (std::size_t j = 0; j < N; ++j) result.sums[j] += half ? t[j] * 0.5 : t[j];
        ++result.covered;
    }
    return result;
}

}  // namespace rad
