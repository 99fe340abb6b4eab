#include "LightQuantities.h"

#include <algorithm>

#include "BandSum.h"
#include "CieTables.h"
#include "Colorimetry.h"
#include "Resample.h"

namespace rad {
namespace {

constexpr double kUvIndexPerWatt = 40.0;  // m2/W
// Melanopic efficacy of luminous radiation of D65 (CIE S 026), W/lm.
constexpr double kMelanopicD65 = 1.3262e-3;
constexpr double kPlanckTimesLight = 1239.84198;  // h*c in eV*nm

constexpr Band kUvb{280, 315}, kUva{315, 400}, kBlue{400, 500}, kGreen{500, 600}, kRed{600, 700},
    kFarRed{700, 750}, kEpar{400, 750}, kPar = kParBand;
constexpr Band kRatioRed{655, 665}, kRatioFarRed{725, 735};
constexpr Band kErythemal{250, 400}, kVisible{kCieFirst, kCieLast}, kApe{350, 1050};
static_assert(kErythemal.from == kQuantityFirstNm && kApe.to == kQuantityLastNm,
              "the weight rows span every band");

constexpr QuantityInfo kTable[] = {
    {Quantity::PhotonUvb, "pfd_uvb", "UV-B photons(umol/m2/s)", 3},
    {Quantity::PhotonUva, "pfd_uva", "UV-A photons(umol/m2/s)", 2},
    {Quantity::PhotonBlue, "pfd_blue", "Blue photons(umol/m2/s)", 2},
    {Quantity::PhotonGreen, "pfd_green", "Green photons(umol/m2/s)", 2},
    {Quantity::PhotonRed, "pfd_red", "Red photons(umol/m2/s)", 2},
    {Quantity::PhotonFarRed, "pfd_farred", "Far-red photons(umol/m2/s)", 2},
    {Quantity::PhotonEpar, "epar", "ePAR(umol/m2/s)", 1},
    {Quantity::EnergyUvb, "e_uvb", "UV-B(W/m2)", 4},
    {Quantity::EnergyUva, "e_uva", "UV-A(W/m2)", 3},
    {Quantity::EnergyBlue, "e_blue", "Blue(W/m2)", 3},
    {Quantity::EnergyGreen, "e_green", "Green(W/m2)", 3},
    {Quantity::EnergyRed, "e_red", "Red(W/m2)", 3},
    {Quantity::EnergyFarRed, "e_farred", "Far-red(W/m2)", 3},
    {Quantity::EnergyEpar, "e_epar", "ePAR band(W/m2)", 2},
    {Quantity::Par, "par", "PAR(W/m2)", 2},
    {Quantity::Ppfd, "ppfd", "PPFD(umol/m2/s)", 1},
    {Quantity::Illuminance, "illuminance", "Illuminance(lx)", 1},
    {Quantity::RedFarRed, "r_fr", "R:FR", 3},
    {Quantity::BlueRed, "b_r", "B:R", 3},
    {Quantity::BlueGreen, "b_g", "B:G", 3},
    {Quantity::Erythemal, "erythemal", "Erythemal UV(W/m2)", 4},
    {Quantity::UvIndex, "uv_index", "UV index", 2},
    {Quantity::ChromaX, "x", "x", 4},
    {Quantity::ChromaY, "y", "y", 4},
    {Quantity::Cct, "cct", "CCT(K)", 0},
    {Quantity::Duv, "duv", "Duv", 4},
    {Quantity::Melanopic, "melanopic", "Melanopic(W/m2)", 4},
    {Quantity::MelanopicEdi, "mel_edi", "Melanopic EDI(lx)", 1},
    {Quantity::Ape, "ape", "APE(eV)", 3},
};
static_assert(std::size(kTable) == kQuantityCount, "one row per quantity");

struct BandSum {
    double sum = 0;
    double coverage = 0;

    QuantityValue Scaled(double factor) const {
        if (coverage <= 0) return {};
        return {sum * factor, coverage};
    }
};

// The whole nanometres any quantity reads.
constexpr int kWeightFirst = kQuantityFirstNm;
constexpr std::size_t kWeightCount = kQuantityLastNm - kQuantityFirstNm + 1;
using WeightRow = std::array<double, kWeightCount>;

// Every weighting function on the grid, computed once: the sums then multiply and add only.
struct Weights {
    WeightRow one{}, photon{}, nm{}, erythema{}, x{}, y{}, z{}, melanopic{};

    Weights() {
        for (std::size_t k = 0; k < kWeightCount; ++k) {
            const int nmValue = kWeightFirst + static_cast<int>(k);
            one[k] = 1.0;
            photon[k] = nmValue / kPerNanometre / kPhotonConstant;
            nm[k] = static_cast<double>(nmValue);
            if (nmValue >= kErythemal.from && nmValue <= kErythemal.to)
                erythema[k] = ErythemaWeight(nmValue);
            if (nmValue >= kCieFirst && nmValue <= kCieLast) {
                const auto c = static_cast<std::size_t>(nmValue - kCieFirst);
                x[k] = kCmfX[c];
                y[k] = kCmfY[c];
                z[k] = kCmfZ[c];
                melanopic[k] = kMelanopic[c];
            }
        }
    }
};

const Weights& TheWeights() {
    static const Weights weights;
    return weights;
}

using Spectrum = GridSpectrum;

// Sums of E(nm) * weight(nm) over the band, one per weight row, in one pass.
template <std::size_t N>
std::array<BandSum, N> SumRows(const Spectrum& s, Band band, bool halfLimits,
                               const std::array<const WeightRow*, N>& rows) {
    const auto terms = [&rows](int nm, double e) {
        const auto k = static_cast<std::size_t>(nm - kWeightFirst);
        std::array<double, N> t;
        for (std::size_t j = 0; j < N; ++j) t[j] = e * (*rows[j])[k];
        return t;
    };
    const BandSums<N> sums = SumBand<N>(s, band, halfLimits, terms);
    std::array<BandSum, N> result;
    for (std::size_t j = 0; j < N; ++j)
        result[j] = {sums.sums[j], static_cast<double>(sums.covered) / (band.to - band.from + 1)};
    return result;
}

BandSum Photons(const Spectrum& s, Band band) {
    return SumRows<1>(s, band, true, {&TheWeights().photon})[0];
}

QuantityValue Ratio(const QuantityValue& a, const QuantityValue& b) {
    if (!a.Available() || !b.Available() || b.value == 0) return {};
    return {a.value / b.value, std::min(a.coverage, b.coverage)};
}

void ComputeBands(const Spectrum& s, LightQuantities& q) {
    struct Row {
        Band band;
        Quantity photons;
        Quantity energy;
    };
    constexpr Row kRows[] = {
        {kUvb, Quantity::PhotonUvb, Quantity::EnergyUvb},
        {kUva, Quantity::PhotonUva, Quantity::EnergyUva},
        {kBlue, Quantity::PhotonBlue, Quantity::EnergyBlue},
        {kGreen, Quantity::PhotonGreen, Quantity::EnergyGreen},
        {kRed, Quantity::PhotonRed, Quantity::EnergyRed},
        {kFarRed, Quantity::PhotonFarRed, Quantity::EnergyFarRed},
        {kEpar, Quantity::PhotonEpar, Quantity::EnergyEpar},
        {kPar, Quantity::Ppfd, Quantity::Par},
    };
    const Weights& w = TheWeights();
    for (const Row& row : kRows) {
        const auto [photons, energy] = SumRows<2>(s, row.band, true, {&w.photon, &w.one});
        q[row.photons] = photons.Scaled(1.0 / kPerNanometre);
        q[row.energy] = energy.Scaled(1.0 / kPerNanometre);
    }
    q[Quantity::RedFarRed] =
        Ratio(Photons(s, kRatioRed).Scaled(1.0), Photons(s, kRatioFarRed).Scaled(1.0));
    q[Quantity::BlueRed] = Ratio(q[Quantity::PhotonBlue], q[Quantity::PhotonRed]);
    q[Quantity::BlueGreen] = Ratio(q[Quantity::PhotonBlue], q[Quantity::PhotonGreen]);
}

void ComputeUv(const Spectrum& s, LightQuantities& q) {
    const BandSum erythemal = SumRows<1>(s, kErythemal, true, {&TheWeights().erythema})[0];
    q[Quantity::Erythemal] = erythemal.Scaled(1.0 / kPerNanometre);
    q[Quantity::UvIndex] = erythemal.Scaled(kUvIndexPerWatt / kPerNanometre);
}

void ComputeColour(const Spectrum& s, LightQuantities& q) {
    const Weights& w = TheWeights();
    const auto [x, y, z, mel] = SumRows<4>(s, kVisible, false, {&w.x, &w.y, &w.z, &w.melanopic});
    q[Quantity::Illuminance] = y.Scaled(kLuminousEfficacy / kPerNanometre);
    q[Quantity::Melanopic] = mel.Scaled(1.0 / kPerNanometre);
    q[Quantity::MelanopicEdi] = mel.Scaled(1.0 / kPerNanometre / kMelanopicD65);
    if (y.coverage <= 0) return;
    const Tristimulus t{x.sum, y.sum, z.sum};
    if (const auto xy = ToChromaticity(t)) {
        q[Quantity::ChromaX] = {xy->x, y.coverage};
        q[Quantity::ChromaY] = {xy->y, y.coverage};
    }
    if (const auto temperature = ToColourTemperature(t)) {
        q[Quantity::Cct] = {temperature->cct, y.coverage};
        q[Quantity::Duv] = {temperature->duv, y.coverage};
    }
}

void ComputeApe(const Spectrum& s, LightQuantities& q) {
    const Weights& w = TheWeights();
    const auto [energy, weighted] = SumRows<2>(s, kApe, true, {&w.one, &w.nm});
    if (energy.coverage <= 0 || weighted.sum == 0) return;
    q[Quantity::Ape] = {kPlanckTimesLight * energy.sum / weighted.sum, energy.coverage};
}

}  // namespace

std::span<const QuantityInfo> QuantityTable() { return kTable; }

const QuantityInfo& InfoOf(Quantity q) { return kTable[static_cast<std::size_t>(q)]; }

Quantity QuantityByKey(std::string_view key) {
    for (const QuantityInfo& info : kTable) {
        if (key == info.key) return info.id;
    }
    return Quantity::Count;
}

LightQuantities ComputeQuantities(const CResample& spectrum) {
    return ComputeQuantities(spectrum.m_pValue, spectrum.m_nFirst);
}

LightQuantities ComputeQuantities(std::span<const double> values, int firstNm) {
    const Spectrum s{values.data(), firstNm, firstNm + static_cast<int>(values.size()) - 1};
    LightQuantities q;
    ComputeBands(s, q);
    ComputeUv(s, q);
    ComputeColour(s, q);
    ComputeApe(s, q);
    return q;
}

double PpfdOf(std::span<const double> values, int firstNm) {
    const Spectrum s{values.data(), firstNm, firstNm + static_cast<int>(values.size()) - 1};
    return Photons(s, kPar).Scaled(1.0 / kPerNanometre).value;
}

}  // namespace rad
