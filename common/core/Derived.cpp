#include <algorithm>
#include <cmath>

#include "CieTables.h"
#include "Resample.h"

namespace {
constexpr double kLuminousEfficacy = 683.0;         // lm/W
constexpr double kPhotonConstant = 0.119625512456;  // lambda*E to photon flux
constexpr double kPerNanometre = 1000.0;            // E is per um, the sums step 1 nm
constexpr int kParFrom = 400, kParTo = 700;
// V(lambda) is the CIE 1924 photopic luminous efficiency, the y-bar of the 1931 observer.
constexpr int kVFirst = rad::kCieFirst, kVLast = rad::kCieLast;

// Band limits carry half weight (trapezoid on the 1 nm grid); off-grid wavelengths add nothing.
template <typename Term>
double HalfWeightedSum(const CResample& spectrum, int from, int to, Term term) {
    if (to < from || spectrum.IsEmpty()) return 0.0;
    // Only grid wavelengths add anything, so the loop stays on the grid whatever band is asked
    // (a band up to INT_MAX would otherwise overflow its counter).
    const int first = std::max(from, spectrum.m_nFirst);
    const int last = std::min(to, spectrum.m_nLast);
    double sum = 0;
    for (int nm = first; nm <= last; ++nm) {
        if (!std::isfinite(spectrum.GetValue(nm))) continue;
        const double q = term(nm, spectrum.GetValue(nm));
        sum += (nm == from || nm == to) ? q * 0.5 : q;
    }
    return sum;
}
}  // namespace

double CResample::GetIntegral(int from, int to) const {
    return HalfWeightedSum(*this, from, to, [](int, double e) { return e; }) / kPerNanometre;
}

double CResample::GetPAR() const { return GetIntegral(kParFrom, kParTo); }

double CResample::GetPPFD() const {
    const auto photons = [](int nm, double e) { return nm * e / kPerNanometre / kPhotonConstant; };
    return HalfWeightedSum(*this, kParFrom, kParTo, photons) / kPerNanometre;
}

double CResample::GetIlluminance() const {
    double sum = 0;
    for (int nm = kVFirst; nm <= kVLast; ++nm) {
        if (InRange(nm) && std::isfinite(GetValue(nm)))
            sum += GetValue(nm) * rad::kCmfY[static_cast<std::size_t>(nm - kVFirst)];
    }
    return sum / kPerNanometre * kLuminousEfficacy;
}
