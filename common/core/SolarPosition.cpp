#include "SolarPosition.h"

#include <cmath>
#include <numbers>

#include "SolarPositionTables.h"

namespace rad {
namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kJulianDayOf1970 = 2440587.5;
constexpr double kJulianDayOf2000 = 2451545.0;  // J2000.0
constexpr double kDaysPerCentury = 36525.0;
constexpr double kEarthFlattening = 0.99664719;  // polar over equatorial radius
constexpr double kEarthRadiusM = 6378140.0;
constexpr double kSunRadiusDeg = 0.26667;
constexpr double kHorizonRefractionDeg = 0.5667;

double Radians(double deg) { return deg * std::numbers::pi / 180.0; }
double Degrees(double rad) { return rad * 180.0 / std::numbers::pi; }
double Wrapped360(double deg) {
    const double wrapped = std::fmod(deg, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

// Sum over the series of (sum of its terms) * JME^i, in 1e-8 radians or AU.
double SeriesSum(std::span<const std::span<const spa::PeriodicTerm>> series, double jme) {
    double total = 0, power = 1;
    for (const auto terms : series) {
        double sum = 0;
        for (const auto& t : terms) sum += t.a * std::cos(t.b + t.c * jme);
        total += sum * power;
        power *= jme;
    }
    return total / 1e8;
}

double Polynomial(double x, std::initializer_list<double> coefficients) {
    double sum = 0, power = 1;
    for (const double c : coefficients) {
        sum += c * power;
        power *= x;
    }
    return sum;
}

struct Nutation {
    double longitudeDeg;
    double obliquityDeg;
};

Nutation NutationAt(double jce) {
    const double x[5] = {
        Polynomial(jce, {297.85036, 445267.111480, -0.0019142, 1.0 / 189474}),
        Polynomial(jce, {357.52772, 35999.050340, -0.0001603, -1.0 / 300000}),
        Polynomial(jce, {134.96298, 477198.867398, 0.0086972, 1.0 / 56250}),
        Polynomial(jce, {93.27191, 483202.017538, -0.0036825, 1.0 / 327270}),
        Polynomial(jce, {125.04452, -1934.136261, 0.0020708, 1.0 / 450000}),
    };
    double psi = 0, epsilon = 0;
    for (const auto& term : spa::NutationTerms()) {
        double argument = 0;
        for (int i = 0; i < 5; ++i) argument += term.y[i] * x[i];
        argument = Radians(argument);
        psi += (term.a + term.b * jce) * std::sin(argument);
        epsilon += (term.c + term.d * jce) * std::cos(argument);
    }
    constexpr double kTenThousandthArcsecond = 1.0 / 36000000.0;
    return {psi * kTenThousandthArcsecond, epsilon * kTenThousandthArcsecond};
}

// Mean obliquity of the ecliptic in arc seconds, U in units of 10000 years from J2000.
double MeanObliquityArcsec(double jme) {
    return Polynomial(jme / 10.0, {84381.448, -4680.93, -1.55, 1999.25, -51.38, -249.67, -39.05,
                                   7.12, 27.87, 5.79, 2.45});
}

double JulianEphemerisMillennia(double utcSeconds, double deltaTSeconds) {
    const double jde = (utcSeconds + deltaTSeconds) / kSecondsPerDay + kJulianDayOf1970;
    return (jde - kJulianDayOf2000) / kDaysPerCentury / 10.0;
}

}  // namespace

double DeltaTSeconds(double utcSeconds) {
    const double year = 1970.0 + utcSeconds / (365.2425 * kSecondsPerDay);
    const double u = (year - 1820.0) / 100.0;
    if (year < 1961 || year >= 2150) return -20.0 + 32.0 * u * u;
    if (year < 1986) {
        const double t = year - 1975.0;
        return Polynomial(t, {45.45, 1.067, -1.0 / 260, -1.0 / 718});
    }
    const double t = year - 2000.0;
    if (year < 2005)
        return Polynomial(t, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599});
    if (year < 2050) return Polynomial(t, {62.92, 0.32217, 0.005589});
    return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - year);
}

double EarthSunDistanceAu(std::int64_t utcSeconds) {
    const double t = static_cast<double>(utcSeconds);
    return SeriesSum(spa::RadiusSeries(), JulianEphemerisMillennia(t, DeltaTSeconds(t)));
}

GeocentricSun ComputeGeocentricSun(double utcSeconds, double deltaTSeconds) {
    const double jme = JulianEphemerisMillennia(utcSeconds, deltaTSeconds);
    const double jce = jme * 10.0;

    // The earth seen from the sun, turned around.
    const double r = SeriesSum(spa::RadiusSeries(), jme);
    const double theta = Wrapped360(Degrees(SeriesSum(spa::LongitudeSeries(), jme)) + 180.0);
    const double beta = -Degrees(SeriesSum(spa::LatitudeSeries(), jme));

    const Nutation nutation = NutationAt(jce);
    const double epsilon = MeanObliquityArcsec(jme) / 3600.0 + nutation.obliquityDeg;
    const double aberration = -20.4898 / (3600.0 * r);
    const double lambda = theta + nutation.longitudeDeg + aberration;

    const double sinLambda = std::sin(Radians(lambda)), cosEps = std::cos(Radians(epsilon)),
                 sinEps = std::sin(Radians(epsilon));
    const double alpha = Wrapped360(Degrees(std::atan2(
        sinLambda * cosEps - std::tan(Radians(beta)) * sinEps, std::cos(Radians(lambda)))));
    const double delta = Degrees(
        std::asin(std::sin(Radians(beta)) * cosEps + std::cos(Radians(beta)) * sinEps * sinLambda));
    return {
        .distanceAu = r,
        .apparentLongitudeDeg = Wrapped360(lambda),
        .rightAscensionDeg = alpha,
        .declinationDeg = delta,
        .equationOfEquinoxesDeg = nutation.longitudeDeg * cosEps,
    };
}

SolarGeometry TopocentricSun(const GeocentricSun& sun, double utcSeconds,
                             const SiteLocation& site) {
    const double jd = utcSeconds / kSecondsPerDay + kJulianDayOf1970;
    const double jc = (jd - kJulianDayOf2000) / kDaysPerCentury;
    const double meanSidereal =
        Wrapped360(280.46061837 + 360.98564736629 * (jd - kJulianDayOf2000) +
                   jc * jc * (0.000387933 - jc / 38710000.0));
    const double sidereal = meanSidereal + sun.equationOfEquinoxesDeg;
    const double hourAngle = Wrapped360(sidereal + site.longitudeDeg - sun.rightAscensionDeg);

    // Parallax: the observer stands on the earth's surface, not at its centre.
    const double sinXi = std::sin(Radians(8.794 / (3600.0 * sun.distanceAu)));
    const double latitude = Radians(site.latitudeDeg);
    const double sinLat = std::sin(latitude), cosLat = std::cos(latitude);
    const double u = std::atan(kEarthFlattening * sinLat / cosLat);
    const double heightRatio = site.altitudeM / kEarthRadiusM;
    const double x = std::cos(u) + heightRatio * cosLat;
    const double y = kEarthFlattening * std::sin(u) + heightRatio * sinLat;
    const double h = Radians(hourAngle), d = Radians(sun.declinationDeg);
    const double sinH = std::sin(h), cosH = std::cos(h), sinD = std::sin(d), cosD = std::cos(d);
    const double below = cosD - x * sinXi * cosH;
    const double deltaAlpha = std::atan2(-x * sinXi * sinH, below);
    const double deltaPrime = std::atan2((sinD - y * sinXi) * std::cos(deltaAlpha), below);
    const double hPrime = h - deltaAlpha;
    const double sinHp = std::sin(hPrime), cosHp = std::cos(hPrime);
    const double sinDp = std::sin(deltaPrime), cosDp = std::cos(deltaPrime);

    const double elevation = Degrees(std::asin(sinLat * sinDp + cosLat * cosDp * cosHp));
    const double astronomersAzimuth =
        Degrees(std::atan2(sinHp, cosHp * sinLat - sinDp / cosDp * cosLat));
    return {
        .distanceAu = sun.distanceAu,
        .apparentLongitudeDeg = sun.apparentLongitudeDeg,
        .rightAscensionDeg = sun.rightAscensionDeg,
        .declinationDeg = sun.declinationDeg,
        .topocentricDeclinationDeg = Degrees(deltaPrime),
        .zenithDeg = 90.0 - elevation,
        .azimuthDeg = Wrapped360(astronomersAzimuth + 180.0),
    };
}

SolarGeometry ComputeSolarGeometry(double utcSeconds, const SiteLocation& site,
                                   double deltaTSeconds) {
    return TopocentricSun(ComputeGeocentricSun(utcSeconds, deltaTSeconds), utcSeconds, site);
}

SunTrack::Sample SunTrack::At(std::int64_t utcSeconds) {
    constexpr std::int64_t kStep = 2 * 3600;
    const std::int64_t start = utcSeconds - ((utcSeconds % kStep) + kStep) % kStep;
    if (start != m_start) {
        const auto at = [](std::int64_t t) {
            const double seconds = static_cast<double>(t);
            return ComputeGeocentricSun(seconds, DeltaTSeconds(seconds));
        };
        m_begin = start == m_start + kStep ? m_end : at(start);
        m_end = at(start + kStep);
        m_start = start;
    }
    // The sun's place among the stars moves smoothly: within two hours a straight line stays
    // within 10^-5 degrees of the full series.
    const double f = static_cast<double>(utcSeconds - start) / kStep;
    const auto between = [f](double a, double b) { return a + f * (b - a); };
    double endRa = m_end.rightAscensionDeg;
    if (endRa - m_begin.rightAscensionDeg < -180.0) endRa += 360.0;
    const GeocentricSun sun{
        .distanceAu = between(m_begin.distanceAu, m_end.distanceAu),
        .apparentLongitudeDeg = m_begin.apparentLongitudeDeg,
        .rightAscensionDeg = between(m_begin.rightAscensionDeg, endRa),
        .declinationDeg = between(m_begin.declinationDeg, m_end.declinationDeg),
        .equationOfEquinoxesDeg =
            between(m_begin.equationOfEquinoxesDeg, m_end.equationOfEquinoxesDeg),
    };
    const SolarGeometry g = TopocentricSun(sun, static_cast<double>(utcSeconds), m_site);
    return {{g.zenithDeg, g.azimuthDeg}, sun.distanceAu};
}

SunPosition ComputeSunPosition(std::int64_t utcSeconds, const SiteLocation& site) {
    const double t = static_cast<double>(utcSeconds);
    const SolarGeometry g = ComputeSolarGeometry(t, site, DeltaTSeconds(t));
    return {g.zenithDeg, g.azimuthDeg};
}

double SunElevationDeg(std::int64_t utcSeconds, const SiteLocation& site) {
    return 90.0 - ComputeSunPosition(utcSeconds, site).zenithDeg;
}

double RefractionCorrectionDeg(double elevationDeg, double pressureMbar, double temperatureC) {
    if (elevationDeg < -(kSunRadiusDeg + kHorizonRefractionDeg)) return 0.0;
    return pressureMbar / 1010.0 * 283.0 / (273.0 + temperatureC) * 1.02 /
           (60.0 * std::tan(Radians(elevationDeg + 10.3 / (elevationDeg + 5.11))));
}

}  // namespace rad
