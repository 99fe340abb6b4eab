#include "ClearSky.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ClearSkyTables.h"
#include "LightQuantities.h"
#include "SolarPosition.h"

namespace rad {
namespace {

// Constants of the model as NREL's C version (spectrl2_2.c) has them.
constexpr double kReferencePressureMbar = 1013.0;
constexpr double kOzoneHeightRatio = 22.0 / 6370.0;  // height of the ozone layer / earth radius
constexpr double kScatteringAlbedo400 = 0.945;       // aerosol single-scattering albedo, 400 nm
constexpr double kScatteringAlbedoSlope = 0.095;
constexpr double kAerosolAsymmetry = 0.65;  // mean cosine of the scattering angle
constexpr double kPrimedAirMass = 1.8;      // the sky's reflectivity is taken at this air mass
constexpr double kStandardTemperatureC = 15.0;
constexpr int kParFirstNm = 400, kParLastNm = 700;

double CosDeg(double deg) { return std::cos(deg * std::numbers::pi / 180.0); }

// Kasten and Young (1989), of the apparent zenith.
double RelativeAirMass(double apparentZenithDeg) {
    return 1.0 /
           (CosDeg(apparentZenithDeg) + 0.50572 * std::pow(96.07995 - apparentZenithDeg, -1.6364));
}

struct Atmosphere {
    double cosZenith;
    double airMass;          // relative
    double pressureAirMass;  // scaled by the pressure: Rayleigh scattering and mixed gases
    double ozoneAirMass;
    double forwardScattering;        // Fs
    double forwardScatteringPrimed;  // Fs at the primed air mass
    double distanceFactor;           // (1 AU / distance)^2
    ClearSkyConditions conditions;
};

Atmosphere AtmosphereOf(double apparentZenithDeg, double pressureMbar, double distanceAu,
                        const ClearSkyConditions& conditions) {
    Atmosphere a{};
    a.cosZenith = CosDeg(apparentZenithDeg);
    a.airMass = RelativeAirMass(apparentZenithDeg);
    a.pressureAirMass = a.airMass * pressureMbar / kReferencePressureMbar;
    a.ozoneAirMass =
        (1.0 + kOzoneHeightRatio) / std::sqrt(a.cosZenith * a.cosZenith + 2.0 * kOzoneHeightRatio);
    const double alg = std::log(1.0 - kAerosolAsymmetry);
    const double afs = alg * (1.459 + alg * (0.1595 + alg * 0.4129));
    const double bfs = alg * (0.0783 + alg * (-0.3824 - alg * 0.5874));
    a.forwardScattering = 1.0 - 0.5 * std::exp((afs + bfs * a.cosZenith) * a.cosZenith);
    a.forwardScatteringPrimed = 1.0 - 0.5 * std::exp((afs + bfs / kPrimedAirMass) / kPrimedAirMass);
    a.distanceFactor = 1.0 / (distanceAu * distanceAu);
    a.conditions = conditions;
    return a;
}

struct Transmittance {
    double rayleigh, aerosol, water, mixedGases, aerosolScattering, aerosolAbsorption;
};

// Of the gases and aerosol at one wavelength along an air mass; ozone apart, since its path
// depends on the zenith alone.
Transmittance TransmittanceAt(const spctral2::Wavelength& w, double airMass, double pressureAirMass,
                              double aerosolDepth, double ssa, const ClearSkyConditions& c) {
    const double um = w.nm / 1000.0;
    const double aw = w.water * c.waterCm * airMass;
    const double au = w.mixedGases * pressureAirMass;
    return {
        .rayleigh =
            std::exp(-pressureAirMass / (um * um * um * um * (115.6406 - 1.3366 / (um * um)))),
        .aerosol = std::exp(-aerosolDepth * airMass),
        .water = std::exp(-0.2385 * aw / std::pow(1.0 + 20.07 * aw, 0.45)),
        .mixedGases = std::exp(-1.41 * au / std::pow(1.0 + 118.3 * au, 0.45)),
        .aerosolScattering = std::exp(-ssa * aerosolDepth * airMass),
        .aerosolAbsorption = std::exp(-(1.0 - ssa) * aerosolDepth * airMass),
    };
}

ClearSkyPoint PointAt(const spctral2::Wavelength& w, const Atmosphere& a) {
    const ClearSkyConditions& c = a.conditions;
    const double aerosolDepth = c.turbidity500 * std::pow(w.nm / 500.0, -c.alpha);
    const double logRatio = std::log(w.nm / 400.0);
    const double ssa =
        kScatteringAlbedo400 * std::exp(-kScatteringAlbedoSlope * logRatio * logRatio);
    const Transmittance t = TransmittanceAt(w, a.airMass, a.pressureAirMass, aerosolDepth, ssa, c);
    // The primed terms take the air mass 1.8 without the pressure, as the C version does.
    const Transmittance p =
        TransmittanceAt(w, kPrimedAirMass, kPrimedAirMass, aerosolDepth, ssa, c);
    const double ozone = std::exp(-w.ozone * c.ozoneAtmCm * a.ozoneAirMass);

    const double outside = w.extraterrestrial * a.distanceFactor;
    const double direct = outside * t.rayleigh * t.aerosol * t.water * ozone * t.mixedGases;
    const double common =
        outside * a.cosZenith * ozone * t.mixedGases * t.water * t.aerosolAbsorption;
    const double rayleighDiffuse = common * (1.0 - std::pow(t.rayleigh, 0.95)) * 0.5;
    const double aerosolDiffuse =
        common * std::pow(t.rayleigh, 1.5) * (1.0 - t.aerosolScattering) * a.forwardScattering;
    const double skyReflectivity =
        p.mixedGases * p.water * p.aerosolAbsorption *
        (0.5 * (1.0 - p.rayleigh) +
         (1.0 - a.forwardScatteringPrimed) * p.rayleigh * (1.0 - p.aerosolScattering));
    const double groundDiffuse = (direct * a.cosZenith + rayleighDiffuse + aerosolDiffuse) *
                                 skyReflectivity * c.albedo / (1.0 - skyReflectivity * c.albedo);
    // The blue end of the diffuse light, corrected against the rigorous model.
    const double blueCorrection = w.nm <= 450.0 ? std::pow((w.nm + 550.0) / 1000.0, 1.8) : 1.0;
    const double diffuse = (rayleighDiffuse + aerosolDiffuse + groundDiffuse) * blueCorrection;
    return {w.nm, outside, direct * a.cosZenith + diffuse, direct, diffuse};
}

// The model's global irradiance interpolated to whole nanometres; the model is evaluated only
// at the wavelengths the range needs.
std::vector<double> Interpolated(const Atmosphere& a, int firstNm, int lastNm) {
    std::vector<double> out(static_cast<std::size_t>(std::max(0, lastNm - firstNm + 1)), 0.0);
    const auto table = spctral2::Table();
    const int from = std::max(firstNm, static_cast<int>(table.front().nm));
    const int to = std::min(lastNm, static_cast<int>(table.back().nm));
    if (from > to) return out;
    // The entries from the last one at or below `from` to the first one at or above `to`.
    const auto begin = std::partition_point(table.begin(), table.end(),
                                            [&](const auto& w) { return w.nm <= from; }) -
                       1;
    const auto end =
        std::partition_point(table.begin(), table.end(), [&](const auto& w) { return w.nm < to; }) +
        1;
    std::vector<ClearSkyPoint> points;
    for (auto it = begin; it != end && it != table.end(); ++it) points.push_back(PointAt(*it, a));
    std::size_t k = 0;
    for (int nm = from; nm <= to; ++nm) {
        while (k + 1 < points.size() && points[k + 1].nm <= nm) ++k;
        const ClearSkyPoint& left = points[k];
        double value = left.global;
        if (k + 1 < points.size() && nm > left.nm) {
            const ClearSkyPoint& right = points[k + 1];
            value += (nm - left.nm) / (right.nm - left.nm) * (right.global - left.global);
        }
        out[static_cast<std::size_t>(nm - firstNm)] = value;
    }
    return out;
}

}  // namespace

double PressureAtAltitudeMbar(double altitudeM) {
    return 1013.25 * std::pow(1.0 - 2.25577e-5 * altitudeM, 5.25588);
}

std::vector<ClearSkyPoint> ClearSkyModelSpectrum(double apparentZenithDeg, double pressureMbar,
                                                 double distanceAu,
                                                 const ClearSkyConditions& conditions) {
    const Atmosphere a = AtmosphereOf(apparentZenithDeg, pressureMbar, distanceAu, conditions);
    std::vector<ClearSkyPoint> points;
    for (const auto& w : spctral2::Table()) points.push_back(PointAt(w, a));
    return points;
}

namespace {

std::vector<double> SpectrumAt(double zenithDeg, double distanceAu, double altitudeM, int firstNm,
                               int lastNm, const ClearSkyConditions& conditions) {
    if (!(zenithDeg < 90.0))
        return std::vector<double>(static_cast<std::size_t>(std::max(0, lastNm - firstNm + 1)));
    const double pressure = PressureAtAltitudeMbar(altitudeM);
    const double apparentZenith =
        zenithDeg - RefractionCorrectionDeg(90.0 - zenithDeg, pressure, kStandardTemperatureC);
    return Interpolated(AtmosphereOf(apparentZenith, pressure, distanceAu, conditions), firstNm,
                        lastNm);
}

double PpfdAt(double zenithDeg, double distanceAu, double altitudeM,
              const ClearSkyConditions& conditions) {
    if (!(zenithDeg < 90.0)) return 0.0;
    return PpfdOf(SpectrumAt(zenithDeg, distanceAu, altitudeM, kParFirstNm, kParLastNm, conditions),
                  kParFirstNm);
}

// The curve's zeniths: every 0.5 degrees up to 85, then every 0.02 degrees, where the path
// through the air lengthens fast.
constexpr double kCoarseStepDeg = 0.5, kFineStepDeg = 0.02, kFineFromDeg = 85.0;
constexpr int kCoarseSteps = 170, kFineSteps = 250;
static_assert(kCoarseSteps * kCoarseStepDeg == kFineFromDeg &&
              kFineFromDeg + kFineSteps * kFineStepDeg == 90.0);

double CurveZenith(int k) {
    return k <= kCoarseSteps ? k * kCoarseStepDeg
                             : kFineFromDeg + (k - kCoarseSteps) * kFineStepDeg;
}

}  // namespace

std::vector<double> ClearSkySpectrum1nm(double zenithDeg, std::int64_t utcSeconds, double altitudeM,
                                        int firstNm, int lastNm,
                                        const ClearSkyConditions& conditions) {
    // The distance is needed only with the sun up.
    const double distance = zenithDeg < 90.0 ? EarthSunDistanceAu(utcSeconds) : 1.0;
    return SpectrumAt(zenithDeg, distance, altitudeM, firstNm, lastNm, conditions);
}

double ClearSkyPpfd(double zenithDeg, std::int64_t utcSeconds, double altitudeM,
                    const ClearSkyConditions& conditions) {
    if (!(zenithDeg < 90.0)) return 0.0;
    return PpfdAt(zenithDeg, EarthSunDistanceAu(utcSeconds), altitudeM, conditions);
}

ClearSkyPpfdCurve::ClearSkyPpfdCurve(double altitudeM, const ClearSkyConditions& conditions)
    : m_altitude(altitudeM) {
    m_ppfd.reserve(kCoarseSteps + kFineSteps + 1);
    for (int k = 0; k <= kCoarseSteps + kFineSteps; ++k)
        m_ppfd.push_back(PpfdAt(CurveZenith(k), 1.0, altitudeM, conditions));
}

double ClearSkyPpfdCurve::At(double zenithDeg, double distanceAu) const {
    if (!(zenithDeg < 90.0)) return 0.0;
    const double z = std::max(zenithDeg, 0.0);
    const double position =
        z < kFineFromDeg ? z / kCoarseStepDeg : kCoarseSteps + (z - kFineFromDeg) / kFineStepDeg;
    const auto k = std::min(static_cast<std::size_t>(position), m_ppfd.size() - 2);
    const double f = position - static_cast<double>(k);
    return (m_ppfd[k] + f * (m_ppfd[k + 1] - m_ppfd[k])) / (distanceAu * distanceAu);
}

}  // namespace rad
