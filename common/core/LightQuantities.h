#pragma once

#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <string_view>

class CResample;

// Light-quality quantities of one resampled spectrum: band photon fluxes and irradiances,
// photon ratios, erythemal UV, colour, melanopic and average photon energy.
// docs/quantities.md defines each of them.
namespace rad {

enum class Quantity {
    PhotonUvb,
    PhotonUva,
    PhotonBlue,
    PhotonGreen,
    PhotonRed,
    PhotonFarRed,
    PhotonEpar,
    EnergyUvb,
    EnergyUva,
    EnergyBlue,
    EnergyGreen,
    EnergyRed,
    EnergyFarRed,
    EnergyEpar,
    Par,
    Ppfd,
    Illuminance,
    RedFarRed,
    BlueRed,
    BlueGreen,
    Erythemal,
    UvIndex,
    ChromaX,
    ChromaY,
    Cct,
    Duv,
    Melanopic,
    MelanopicEdi,
    Ape,
    Count
};
inline constexpr std::size_t kQuantityCount = static_cast<std::size_t>(Quantity::Count);

struct QuantityInfo {
    Quantity id;
    const char* key;     // JSON member name and command-line name
    const char* header;  // CSV column title, unit in parentheses
    int decimals;        // digits after the point in CSV and on screen
};

// Every quantity in column order.
std::span<const QuantityInfo> QuantityTable();
const QuantityInfo& InfoOf(Quantity q);
// The quantity whose key is key, or Quantity::Count.
Quantity QuantityByKey(std::string_view key);

// One quantity of one spectrum. A band the spectrum does not reach at all gives no value
// (NaN, coverage 0), which is not the same as a measured 0.
struct QuantityValue {
    double value = std::numeric_limits<double>::quiet_NaN();
    double coverage = 0;  // fraction of the band's whole nanometres that the spectrum holds

    bool Available() const { return std::isfinite(value); }
};

struct LightQuantities {
    std::array<QuantityValue, kQuantityCount> values;

    const QuantityValue& operator[](Quantity q) const {
        return values[static_cast<std::size_t>(q)];
    }
    QuantityValue& operator[](Quantity q) { return values[static_cast<std::size_t>(q)]; }
};

// The whole nanometres the quantities read: a spectrum cut to them gives the same values.
inline constexpr int kQuantityFirstNm = 250;
inline constexpr int kQuantityLastNm = 1050;

// Values that are not finite are left out of every sum and of the coverage.
LightQuantities ComputeQuantities(const CResample& spectrum);
// The same of values on whole nanometres, element k at firstNm + k.
LightQuantities ComputeQuantities(std::span<const double> values, int firstNm);
// PPFD alone of values on whole nanometres, as ComputeQuantities gives it; NaN when the
// values do not reach 400-700 nm at all.
double PpfdOf(std::span<const double> values, int firstNm);

}  // namespace rad
