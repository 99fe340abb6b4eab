#pragma once

#include <cstdint>
#include <vector>

// The spectrum of a cloudless sky on a horizontal surface by Bird and Riordan's simple spectral
// model (SPCTRAL2, SERI/TR-215-2436, 1984). docs/quantities.md lists the sources of its tables.
namespace rad {

// The atmosphere the model assumes; the defaults are a clean rural mid-latitude sky.
struct ClearSkyConditions {
    double ozoneAtmCm = 0.3;      // total ozone column
    double waterCm = 1.4;         // precipitable water
    double turbidity500 = 0.084;  // aerosol optical depth at 500 nm
    double alpha = 1.14;          // Angstrom exponent of the aerosol
    double albedo = 0.2;          // of the ground
};

// Global horizontal spectral irradiance in W/m2/um at every whole nm from firstNm to lastNm:
// the model's 122 wavelengths interpolated linearly, 0 where it has no light (below 300 nm,
// beyond 4000 nm, the sun at or below the horizon). zenithDeg is the sun's topocentric zenith
// without refraction; utcSeconds gives the earth-sun distance; altitudeM the air pressure.
std::vector<double> ClearSkySpectrum1nm(double zenithDeg, std::int64_t utcSeconds, double altitudeM,
                                        int firstNm, int lastNm, const ClearSkyConditions& = {});
// The clear sky's photosynthetic photon flux density (400-700 nm) in umol/m2/s.
double ClearSkyPpfd(double zenithDeg, std::int64_t utcSeconds, double altitudeM,
                    const ClearSkyConditions& = {});

// The clear-sky PPFD of one altitude against the sun's zenith, tabulated once (every 0.5
// degrees, every 0.02 degrees near the horizon) and interpolated, within 0.1 umol/m2/s of
// ClearSkyPpfd: for the many records of a site.
class ClearSkyPpfdCurve {
  public:
    explicit ClearSkyPpfdCurve(double altitudeM, const ClearSkyConditions& = {});
    // The PPFD at a zenith (without refraction) and earth-sun distance.
    double At(double zenithDeg, double distanceAu) const;
    double AltitudeM() const { return m_altitude; }

  private:
    double m_altitude;
    std::vector<double> m_ppfd;  // at 1 AU
};

// Air pressure in mbar at an altitude in metres by the standard barometric formula.
double PressureAtAltitudeMbar(double altitudeM);

// The model at its own wavelengths, for the tests: extraterrestrial, global, direct normal
// and diffuse horizontal spectral irradiance in W/m2/um. The zenith here is the apparent
// (refracted) one, the pressure in mbar and the earth-sun distance in AU.
struct ClearSkyPoint {
    double nm;
    double extraterrestrial;
    double global;
    double directNormal;
    double diffuse;
};
std::vector<ClearSkyPoint> ClearSkyModelSpectrum(double apparentZenithDeg, double pressureMbar,
                                                 double distanceAu, const ClearSkyConditions& = {});

}  // namespace rad
