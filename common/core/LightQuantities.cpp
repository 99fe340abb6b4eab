#include "LightQuantities.h"

#include <algorithm>

#include "CieTables.h"
#include "Colorimetry.h"
#include "Resample.h"

namespace rad {
namespace {

constexpr double kPhotonConstant = 0.119625512456;  // lambda*E to photon flux, as PPFD
constexpr double kPerNanometre = 1000.0;            // E is per um, the sums step 1 nm
constexpr double kLuminousEfficacy = 683.0;         // lm/W
constexpr double kUvIndexPerWatt = 40.0;            // m2/W
// Melanopic efficacy of luminous radiation of D65 (CIE S 026), W/lm.
constexpr double kMelanopicD65 = 1.3262e-3;
constexpr double kPlanckTimesLight = 1239.84198;  // h*c in eV*nm

struct Band {
    int from;
    int to;
};
constexpr Band kUvb{280, 315}, kUva{315, 400}, kBlue{400, 500}, kGreen{500, 600}, kRed{600, 700},
    kFarRed{700, 750}, kEpar{400, 750}, kPar{400, 700};
constexpr Band kRatioRed{655, 665}, kRatioFarRed{725, 735};
constexpr Band kErythemal{250, 400}, kVisible{kCieFirst, kCieLast}, kApe{350, 1050};

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

// Sum of E(nm) * weight(nm) over the band; with halfLimits the band limits count half
// (trapezoid rule). Off-grid and non-finite values add nothing and do not count as covered.
template <typename Weight>
BandSum SumBand(const CResample& s, Band band, bool halfLimits, Weight weight) {
    BandSum result;
    int covered = 0;
    const int from = std::max(band.from, s.m_nFirst), to = std::min(band.to, s.m_nLast);
    for (int nm = from; nm <= to && !s.IsEmpty(); ++nm) {
        const double e = s.GetValue(nm);
        if (!std::isfinite(e)) continue;
        const double term = e * weight(nm);
        result.sum += (halfLimits && (nm == band.from || nm == band.to)) ? term * 0.5 : term;
        ++covered;
    }
    result.coverage = static_cast<double>(covered) / (band.to - band.from + 1);
    return result;
}

BandSum Energy(const CResample& s, Band band) {
    return SumBand(s, band, true, [](int) { return 1.0; });
}

BandSum Photons(const CResample& s, Band band) {
    return SumBand(s, band, true, [](int nm) { return nm / kPerNanometre / kPhotonConstant; });
}

BandSum Weighted(const CResample& s, const CieTable& table) {
    return SumBand(s, kVisible, false, [&table](int nm) { return table[nm - kCieFirst]; });
}

QuantityValue Ratio(const QuantityValue& a, const QuantityValue& b) {
    if (!a.Available() || !b.Available() || b.value == 0) return {};
    return {a.value / b.value, std::min(a.coverage, b.coverage)};
}

void ComputeBands(const CResample& s, LightQuantities& q) {
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
    for (const Row& row : kRows) {
        q[row.photons] = Photons(s, row.band).Scaled(1.0 / kPerNanometre);
        q[row.energy] = Energy(s, row.band).Scaled(1.0 / kPerNanometre);
    }
    q[Quantity::RedFarRed] =
        Ratio(Photons(s, kRatioRed).Scaled(1.0), Photons(s, kRatioFarRed).Scaled(1.0));
    q[Quantity::BlueRed] = Ratio(q[Quantity::PhotonBlue], q[Quantity::PhotonRed]);
    q[Quantity::BlueGreen] = Ratio(q[Quantity::PhotonBlue], q[Quantity::PhotonGreen]);
}

void ComputeUv(const CResample& s, LightQuantities& q) {
    const BandSum erythemal =
        SumBand(s, kErythemal, true, [](int nm) { return ErythemaWeight(nm); });
    q[Quantity::Erythemal] = erythemal.Scaled(1.0 / kPerNanometre);
    q[Quantity::UvIndex] = erythemal.Scaled(kUvIndexPerWatt / kPerNanometre);
}

void ComputeColour(const CResample& s, LightQuantities& q) {
    const BandSum x = Weighted(s, kCmfX), y = Weighted(s, kCmfY), z = Weighted(s, kCmfZ);
    q[Quantity::Illuminance] = y.Scaled(kLuminousEfficacy / kPerNanometre);
    const BandSum mel = Weighted(s, kMelanopic);
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

void ComputeApe(const CResample& s, LightQuantities& q) {
    const BandSum energy = Energy(s, kApe);
    const BandSum weighted = SumBand(s, kApe, true, [](int nm) { return static_cast<double>(nm); });
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
    LightQuantities q;
    ComputeBands(spectrum, q);
    ComputeUv(spectrum, q);
    ComputeColour(spectrum, q);
    ComputeApe(spectrum, q);
    return q;
}

}  // namespace rad
