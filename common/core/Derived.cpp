#include <array>
#include <cmath>

#include "Resample.h"

namespace {
constexpr double kLuminousEfficacy = 683.0;            // lm/W
constexpr double kPhotonConstant = 0.119625512456;    // lambda*E to photon flux
constexpr double kPerNanometre = 1000.0;              // E is per um, the sums step 1 nm
constexpr int kParFrom = 400, kParTo = 700;
constexpr int kVFirst = 380, kVLast = 780, kVStep = 5;

// CIE 1924 photopic luminous efficiency V(lambda), 380..780 nm at 5 nm.
constexpr std::array<double, 81> kV5 = {
    0.000039, 0.000064, 0.000120, 0.000217, 0.000396, 0.000640, 0.001210, 0.002180, 0.004000,
    0.007300, 0.011600, 0.016840, 0.023000, 0.029800, 0.038000, 0.048000, 0.060000, 0.073900,
    0.090980, 0.112600, 0.139020, 0.169300, 0.208020, 0.258600, 0.323000, 0.407300, 0.503000,
    0.608200, 0.710000, 0.793200, 0.862000, 0.914850, 0.954000, 0.980300, 0.994950, 1.000000,
    0.995000, 0.978600, 0.952000, 0.915400, 0.870000, 0.816300, 0.757000, 0.694900, 0.631000,
    0.566800, 0.503000, 0.441200, 0.381000, 0.321000, 0.265000, 0.217000, 0.175000, 0.138200,
    0.107000, 0.081600, 0.061000, 0.044580, 0.032000, 0.023200, 0.017000, 0.011920, 0.008210,
    0.005723, 0.004102, 0.002929, 0.002091, 0.001484, 0.001047, 0.000740, 0.000520, 0.000361,
    0.000249, 0.000172, 0.000120, 0.000085, 0.000060, 0.000042, 0.000030, 0.000021, 0.000015,
};

// The 5 nm table interpolated linearly to every whole nanometre.
constexpr std::array<double, kVLast - kVFirst + 1> MakeV1()
{
    std::array<double, kVLast - kVFirst + 1> v{};
    for (int k = 0; k + 1 < static_cast<int>(kV5.size()); ++k) {
        for (int j = 0; j < kVStep; ++j)
            v[k * kVStep + j] = kV5[k] + (kV5[k + 1] - kV5[k]) * j / kVStep;
    }
    v.back() = kV5.back();
    return v;
}
constexpr auto kV1 = MakeV1();

// Band limits carry half weight (trapezoid on the 1 nm grid); off-grid wavelengths add nothing.
template <typename Term>
double HalfWeightedSum(const CResample& spectrum, int from, int to, Term term)
{
    if (to < from) return 0.0;
    double sum = 0;
    for (int nm = from; nm <= to; ++nm) {
        if (!spectrum.InRange(nm) || !std::isfinite(spectrum.GetValue(nm))) continue;
        const double q = term(nm, spectrum.GetValue(nm));
        sum += (nm == from || nm == to) ? q * 0.5 : q;
    }
    return sum;
}
}  // namespace

double CResample::GetIntegral(int from, int to) const
{
    return HalfWeightedSum(*this, from, to, [](int, double e) { return e; }) / kPerNanometre;
}

double CResample::GetPAR() const
{
    return GetIntegral(kParFrom, kParTo);
}

double CResample::GetPPFD() const
{
    const auto photons = [](int nm, double e) { return nm * e / kPerNanometre / kPhotonConstant; };
    return HalfWeightedSum(*this, kParFrom, kParTo, photons) / kPerNanometre;
}

double CResample::GetIlluminance() const
{
    double sum = 0;
    for (int nm = kVFirst; nm <= kVLast; ++nm) {
        if (InRange(nm) && std::isfinite(GetValue(nm))) sum += GetValue(nm) * kV1[nm - kVFirst];
    }
    return sum / kPerNanometre * kLuminousEfficacy;
}
