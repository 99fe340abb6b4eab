#include "ClearSky.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "SolarPosition.h"

namespace {

double CosDeg(double deg) { return std::cos(deg * std::numbers::pi / 180.0); }
double SinDeg(double deg) { return std::sin(deg * std::numbers::pi / 180.0); }

// The example NREL publishes with its C version of the model (spectest.c): Atlanta
// (33.65 N, 84.43 W), 22 July 1999 9:45:37 EST, 1006 mbar, 27 C, aerosol depth 0.2 at
// 500 nm, water 1.36 cm, ozone by the program's own climatology, ground 0.2, on a plane
// tilted at the latitude facing south-east. Columns: extraterrestrial, global and diffuse on
// the plane, direct normal, W/m2/um.
struct Published {
    double nm, extraterrestrial, global, direct, diffuse;
};
constexpr Published kAtlanta[] = {
    {300, 518.7, 2.7, 0.9, 1.8},          {350, 944.3, 483.9, 271.0, 236.6},
    {450, 1940.8, 1446.4, 1066.0, 473.6}, {550, 1831.4, 1457.9, 1220.4, 344.1},
    {724.4, 1329.0, 998.5, 923.4, 155.9}, {831.5, 1004.8, 839.4, 797.3, 111.8},
    {965, 743.7, 550.7, 538.3, 59.6},     {1170, 516.3, 375.9, 376.7, 32.1},
    {1477, 297.5, 101.6, 104.8, 6.0},     {1678, 213.4, 191.2, 197.1, 11.4},
    {2100, 89.4, 74.8, 78.2, 3.5},        {3900, 9.2, 7.4, 7.9, 0.2},
};

TEST(ClearSky, NrelExampleSpectrum) {
    const rad::SiteLocation atlanta{33.65, -84.43, 0.0};
    const std::int64_t instant = 932654737;  // 1999-07-22 14:45:37 UTC
    const auto sun = rad::ComputeSunPosition(instant, atlanta);
    const double zenith =
        sun.zenithDeg - rad::RefractionCorrectionDeg(90.0 - sun.zenithDeg, 1006.0, 27.0);
    // The program's ozone climatology for 33.65 N, 84.43 W and day 203, atm-cm.
    const double ozone =
        0.235 + (150.0 + 40.0 * SinDeg(0.9865 * (203 - 30)) + 20.0 * SinDeg(3.0 * -84.43)) *
                    std::pow(SinDeg(1.28 * 33.65), 2) / 1000.0;
    const rad::ClearSkyConditions conditions{
        .ozoneAtmCm = ozone, .waterCm = 1.36, .turbidity500 = 0.2, .alpha = 1.14, .albedo = 0.2};
    // The example's sun-distance factor (Spencer's series for day 203) is 518.7 / 535.9.
    const double distance = 1.0 / std::sqrt(518.7 / 535.9);
    const auto points = rad::ClearSkyModelSpectrum(zenith, 1006.0, distance, conditions);
    ASSERT_EQ(points.size(), 122u);

    // The plane: tilt 33.65, facing 135 degrees.
    const double tilt = 33.65;
    const double cosIncidence = CosDeg(zenith) * CosDeg(tilt) +
                                SinDeg(zenith) * SinDeg(tilt) * CosDeg(sun.azimuthDeg - 135.0);
    for (const Published& row : kAtlanta) {
        const auto it = std::find_if(points.begin(), points.end(),
                                     [&](const auto& p) { return std::abs(p.nm - row.nm) < 0.01; });
        ASSERT_NE(it, points.end()) << row.nm;
        // Horizontal to tilted as the report's equation 3-18 does it.
        const double directShare = it->directNormal / it->extraterrestrial;
        const double diffuseOnPlane =
            it->global * 0.2 * (1.0 - CosDeg(tilt)) / 2.0 +
            it->diffuse * directShare * cosIncidence / CosDeg(zenith) +
            it->diffuse * (1.0 - directShare) * (1.0 + CosDeg(tilt)) / 2.0;
        const double globalOnPlane = it->directNormal * cosIncidence + diffuseOnPlane;
        const auto near = [](double expected) { return 0.1 + 0.01 * expected; };
        EXPECT_NEAR(it->extraterrestrial, row.extraterrestrial, near(row.extraterrestrial))
            << row.nm;
        EXPECT_NEAR(it->directNormal, row.direct, near(row.direct)) << row.nm;
        EXPECT_NEAR(diffuseOnPlane, row.diffuse, near(row.diffuse)) << row.nm;
        EXPECT_NEAR(globalOnPlane, row.global, near(row.global)) << row.nm;
    }
}

TEST(ClearSky, WholeNanometresFollowTheModelLinearly) {
    const std::int64_t instant = 1718851320;
    const double distance = rad::EarthSunDistanceAu(instant);
    const double pressure = rad::PressureAtAltitudeMbar(500.0);
    const double zenith = 30.0;
    const auto spectrum = rad::ClearSkySpectrum1nm(zenith, instant, 500.0, 290, 4010);
    ASSERT_EQ(spectrum.size(), 4010u - 290u + 1u);
    const auto at = [&](int nm) { return spectrum[static_cast<std::size_t>(nm - 290)]; };
    const auto points = rad::ClearSkyModelSpectrum(
        zenith - rad::RefractionCorrectionDeg(60.0, pressure, 15.0), pressure, distance);
    EXPECT_EQ(at(299), 0.0);  // the model starts at 300 nm
    EXPECT_EQ(at(4001), 0.0);
    EXPECT_NEAR(at(300), points[0].global, 1e-9);
    EXPECT_NEAR(at(4000), points.back().global, 1e-9);
    // 550 and 570 nm are neighbours in the model: 560 nm lies half-way.
    EXPECT_NEAR(at(560), (points[30].global + points[31].global) / 2.0, 1e-9);
    // A part of the range gives the same values.
    const auto part = rad::ClearSkySpectrum1nm(zenith, instant, 500.0, 555, 565);
    for (int nm = 555; nm <= 565; ++nm) EXPECT_DOUBLE_EQ(part[nm - 555], at(nm)) << nm;
}

TEST(ClearSky, JuneNoonAt35NorthAltitudeAndSunHeight) {
    // Solar noon on 20 June 2024 at 35 N, 0 E: zenith 11.56 degrees.
    const rad::SiteLocation site{35.0, 0.0, 0.0};
    const std::int64_t noon = 1718885040;  // 2024-06-20 12:04 UTC
    const double zenith = rad::ComputeSunPosition(noon, site).zenithDeg;
    ASSERT_NEAR(zenith, 11.56, 0.05);
    // The figures of a clear June day are the simulated sky's and the day's clear-sky DLI.
    // Thinner air above lets more through; a lower sun less.
    const double ppfd = rad::ClearSkyPpfd(zenith, noon, 0.0);
    EXPECT_GT(rad::ClearSkyPpfd(zenith, noon, 2000.0), ppfd);
    EXPECT_LT(rad::ClearSkyPpfd(60.0, noon, 0.0), ppfd / 1.8);
}

TEST(ClearSky, NoLightWithTheSunAtOrBelowTheHorizon) {
    for (const double zenith : {90.0, 95.0, 180.0, std::nan("")}) {
        EXPECT_EQ(rad::ClearSkyPpfd(zenith, 1718885040, 0.0), 0.0) << zenith;
        for (const double e : rad::ClearSkySpectrum1nm(zenith, 1718885040, 0.0, 300, 800))
            ASSERT_EQ(e, 0.0) << zenith;
    }
    EXPECT_GT(rad::ClearSkyPpfd(89.0, 1718885040, 0.0), 0.0);
    EXPECT_TRUE(rad::ClearSkySpectrum1nm(30.0, 1718885040, 0.0, 500, 499).empty());
}

TEST(ClearSky, StandardAtmospherePressure) {
    struct Row {
        double altitude, mbar;
    };
    // The International Standard Atmosphere's table.
    for (const Row& row :
         {Row{0, 1013.25}, Row{1000, 898.76}, Row{2000, 795.01}, Row{5000, 540.48}})
        EXPECT_NEAR(rad::PressureAtAltitudeMbar(row.altitude), row.mbar, 0.5) << row.altitude;
}

}  // namespace
