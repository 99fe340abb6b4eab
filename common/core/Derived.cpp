#include <array>

#include "BandSum.h"
#include "CieTables.h"
#include "Resample.h"

namespace {
using rad::kPerNanometre;

rad::GridSpectrum GridOf(const CResample& spectrum) {
    return {spectrum.m_pValue.data(), spectrum.m_nFirst,
            spectrum.m_nFirst + static_cast<int>(spectrum.m_pValue.size()) - 1};
}

// Band limits carry half weight (trapezoid on the 1 nm grid).
template <typename Term>
double HalfWeightedSum(const CResample& spectrum, int from, int to, Term term) {
    const auto terms = [&](int nm, double e) { return std::array<double, 1>{term(nm, e)}; };
    return rad::SumBand<1>(GridOf(spectrum), {from, to}, true, terms).sums[0];
}
}  // namespace

double CResample::GetIntegral(int from, int to) const {
    return HalfWeightedSum(*this, from, to, [](int, double e) { return e; }) / kPerNanometre;
}

double CResample::GetPAR() const { return GetIntegral(rad::kParBand.from, rad::kParBand.to); }

double CResample::GetPPFD() const {
    const auto photons = [](int nm, double e) {
        return nm * e / kPerNanometre / rad::kPhotonConstant;
    };
    return HalfWeightedSum(*this, rad::kParBand.from, rad::kParBand.to, photons) / kPerNanometre;
}

// V(lambda) is the CIE 1924 photopic luminous efficiency, the y-bar of the 1931 observer.
double CResample::GetIlluminance() const {
    const auto lumens = [](int nm, double e) {
        return std::array<double, 1>{e * rad::kCmfY[static_cast<std::size_t>(nm - rad::kCieFirst)]};
    };
    const double sum =
        rad::SumBand<1>(GridOf(*this), {rad::kCieFirst, rad::kCieLast}, false, lumens).sums[0];
    return sum / kPerNanometre * rad::kLuminousEfficacy;
}
