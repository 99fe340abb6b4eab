#pragma once

#include <climits>
#include <cstdint>

#include "SiteLocation.h"

// The sun's place by NREL's Solar Position Algorithm (Reda and Andreas, 2004; uncertainty
// +-0.0003 degrees from the year -2000 to 6000). docs/quantities.md describes the conventions.
namespace rad {

struct SunPosition {
    double zenithDeg;   // topocentric, without atmospheric refraction
    double azimuthDeg;  // clockwise from north
};

SunPosition ComputeSunPosition(std::int64_t utcSeconds, const SiteLocation& site);
// 90 - zenith.
double SunElevationDeg(std::int64_t utcSeconds, const SiteLocation& site);

// The intermediate results of one run of the algorithm, for the views and the tests.
struct SolarGeometry {
    double distanceAu;            // earth to sun
    double apparentLongitudeDeg;  // geocentric, ecliptic
    double rightAscensionDeg;     // geocentric
    double declinationDeg;        // geocentric
    double topocentricDeclinationDeg;
    double zenithDeg;  // topocentric, without refraction
    double azimuthDeg;
};
// At any instant (seconds since 1970 UTC, fractions allowed) with the given difference
// between terrestrial and universal time.
SolarGeometry ComputeSolarGeometry(double utcSeconds, const SiteLocation& site,
                                   double deltaTSeconds);
// The sun as seen from the earth's centre: what changes slowly.
struct GeocentricSun {
    double distanceAu;
    double apparentLongitudeDeg;
    double rightAscensionDeg;
    double declinationDeg;
    double equationOfEquinoxesDeg;  // apparent minus mean sidereal time
};
GeocentricSun ComputeGeocentricSun(double utcSeconds, double deltaTSeconds);
// The sun at a site from its geocentric place at that instant.
SolarGeometry TopocentricSun(const GeocentricSun& sun, double utcSeconds, const SiteLocation& site);

// The sun at one site for many instants close together (records a minute apart): the
// geocentric place is computed every two hours and interpolated, the rest per instant. Within
// 1e-5 degrees of ComputeSunPosition. One per thread.
class SunTrack {
  public:
    explicit SunTrack(const SiteLocation& site) : m_site(site) {}
    struct Sample {
        SunPosition position;
        double distanceAu;
    };
    Sample At(std::int64_t utcSeconds);

  private:
    SiteLocation m_site;
    std::int64_t m_start = INT64_MIN;  // of the two hours m_begin and m_end enclose
    GeocentricSun m_begin{}, m_end{};
};

// TT - UT in seconds: the polynomials of Espenak and Meeus (NASA, 2006) for the instant's year.
double DeltaTSeconds(double utcSeconds);
// The earth-sun distance in astronomical units.
double EarthSunDistanceAu(std::int64_t utcSeconds);
// The lift of the sun's image by the atmosphere at a true elevation, as the algorithm's report
// computes it from the local pressure and temperature; 0 below the sun's apparent horizon.
double RefractionCorrectionDeg(double elevationDeg, double pressureMbar, double temperatureC);

}  // namespace rad
