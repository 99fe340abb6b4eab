#pragma once

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
// TT - UT in seconds: the polynomials of Espenak and Meeus (NASA, 2006) for the instant's year.
double DeltaTSeconds(double utcSeconds);
// The earth-sun distance in astronomical units.
double EarthSunDistanceAu(std::int64_t utcSeconds);
// The lift of the sun's image by the atmosphere at a true elevation, as the algorithm's report
// computes it from the local pressure and temperature; 0 below the sun's apparent horizon.
double RefractionCorrectionDeg(double elevationDeg, double pressureMbar, double temperatureC);

}  // namespace rad
