#include "SolarPosition.h"

#include <gtest/gtest.h>

#include <cmath>

#include "SiteLocation.h"

namespace {

double AngleBetween(double a, double b) {
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// The worked example of the algorithm's report (NREL/TP-560-34302, table A5.1): Golden,
// Colorado, 17 October 2003 12:30:30 local time at UTC-7, delta T 67 s.
constexpr std::int64_t kReportInstant = 1066419030;  // 2003-10-17 19:30:30 UTC
constexpr rad::SiteLocation kGolden{39.742476, -105.1786, 1830.14};

// The azimuth is one formula for every hour: the example's value fixes its origin and sense.
TEST(SolarPosition, ReportExampleStepByStep) {
    const auto g = rad::ComputeSolarGeometry(kReportInstant, kGolden, 67.0);
    EXPECT_NEAR(g.distanceAu, 0.9965422974, 1e-9);
    EXPECT_NEAR(g.apparentLongitudeDeg, 204.0085519281, 1e-7);
    EXPECT_NEAR(g.rightAscensionDeg, 202.22741, 1e-5);
    EXPECT_NEAR(g.declinationDeg, -9.31434, 1e-5);
    EXPECT_NEAR(g.topocentricDeclinationDeg, -9.316179, 1e-6);
    EXPECT_NEAR(g.zenithDeg, 90.0 - 39.872046, 1e-6);  // e0, before refraction
    EXPECT_NEAR(g.azimuthDeg, 194.340241, 1e-6);
    // The report's final zenith adds the refraction of 820 mbar and 11 C.
    const double refraction = rad::RefractionCorrectionDeg(90.0 - g.zenithDeg, 820.0, 11.0);
    EXPECT_NEAR(refraction, 0.016332, 1e-6);
    EXPECT_NEAR(g.zenithDeg - refraction, 50.11162, 1e-5);
}

TEST(SolarPosition, RecordEntryUsesItsOwnDeltaT) {
    // Delta T of about 65 s instead of 67 s moves the sun by far less than the algorithm's
    // uncertainty of 0.0003 degrees.
    const auto p = rad::ComputeSunPosition(kReportInstant, kGolden);
    EXPECT_NEAR(p.zenithDeg, 90.0 - 39.872046, 3e-4);
    EXPECT_NEAR(p.azimuthDeg, 194.340241, 3e-4);
    EXPECT_NEAR(rad::SunElevationDeg(kReportInstant, kGolden), 39.872046, 3e-4);
    EXPECT_NEAR(rad::DeltaTSeconds(kReportInstant), 64.6, 1.0);  // observed: 64.5 s
}

TEST(SolarPosition, EquinoxesAndSolsticesOf2024) {
    // Instants to the minute as the US Naval Observatory publishes them; the sun's apparent
    // longitude moves 0.0007 degrees a minute.
    struct Row {
        std::int64_t utc;
        double longitudeDeg;
        double declinationDeg;
    };
    const rad::SiteLocation anywhere{0.0, 0.0, 0.0};
    const double obliquity = 23.4385;                         // mean obliquity 2024, nutation apart
    for (const Row& row : {Row{1710903960, 0.0, 0.0},         // 20 Mar 03:06
                           Row{1718916660, 90.0, obliquity},  // 20 Jun 20:51
                           Row{1727009040, 180.0, 0.0},       // 22 Sep 12:44
                           Row{1734772860, 270.0, -obliquity}}) {  // 21 Dec 09:21
        const double t = static_cast<double>(row.utc);
        const auto g = rad::ComputeSolarGeometry(t, anywhere, rad::DeltaTSeconds(t));
        EXPECT_LT(AngleBetween(g.apparentLongitudeDeg, row.longitudeDeg), 5e-4) << row.utc;
        EXPECT_NEAR(g.declinationDeg, row.declinationDeg, 3e-3) << row.utc;
    }
}

TEST(SolarPosition, PerihelionAndAphelionOf2024) {
    // 3 Jan 00:39 UTC at 147 100 632 km, 5 Jul 05:06 UTC at 152 099 968 km.
    constexpr double kAuKm = 149597870.7;
    EXPECT_NEAR(rad::EarthSunDistanceAu(1704242340), 147100632.0 / kAuKm, 2e-6);
    EXPECT_NEAR(rad::EarthSunDistanceAu(1720155960), 152099968.0 / kAuKm, 2e-6);
}

TEST(SiteLocation, PlainDecimalNumbersOrNoSite) {
    struct Row {
        const char* lat;
        const char* lon;
        const char* alt;
        bool site;
        double altitude;
    };
    const Row rows[] = {
        {"35.68", "139.77", "40", true, 40.0},
        {" -33.9 ", "+18.4", "  12.5", true, 12.5},
        {"35.68", "0", "", true, 0.0},           // on the prime meridian
        {"51.5", "-0.1", "high", true, 0.0},     // an unreadable altitude counts as 0 m
        {"00.000", "000.000", "0", false, 0.0},  // the factory default
        {"0", "0", "100", false, 0.0},
        {"35°41'N", "139.77", "", false, 0.0},
        {"N35.68", "139.77", "", false, 0.0},
        {"3.5e1", "139.77", "", false, 0.0},  // not a plain decimal
        {"35.6.8", "139.77", "", false, 0.0},
        {"-", "139.77", "", false, 0.0},
        {".", "139.77", "", false, 0.0},
        {"", "139.77", "", false, 0.0},
        {"90.5", "139.77", "", false, 0.0},
        {"35.68", "-180.01", "", false, 0.0},
    };
    for (const Row& row : rows) {
        const auto site = rad::ParseSite(row.lat, row.lon, row.alt);
        ASSERT_EQ(site.has_value(), row.site) << row.lat << " " << row.lon;
        if (!site) continue;
        EXPECT_DOUBLE_EQ(site->latitudeDeg, *rad::ParsePlainDecimal(row.lat));
        EXPECT_DOUBLE_EQ(site->longitudeDeg, *rad::ParsePlainDecimal(row.lon));
        EXPECT_DOUBLE_EQ(site->altitudeM, row.altitude);
    }
    EXPECT_DOUBLE_EQ(*rad::ParsePlainDecimal(" -33.9 "), -33.9);
}

}  // namespace
