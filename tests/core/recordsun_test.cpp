#include "RecordSun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "DaySun.h"
#include "LocalTime.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int64_t kJune20 = 1718841600;   // 2024-06-20 00:00 UTC
constexpr int64_t kMarch20 = 1710892800;  // 2024-03-20 00:00 UTC: right ascension wraps

TEST(SunTrack, FollowsTheFullAlgorithm) {
    const rad::SiteLocation sites[] = {{35.68, 139.77, 40}, {-33.9, 18.4, 10}, {78.2, 15.6, 0}};
    for (const auto& site : sites) {
        for (const int64_t day : {kJune20, kMarch20}) {
            rad::SunTrack track(site);
            for (int64_t t = day; t < day + 86400; t += 7 * 60 + 13) {
                const auto full = rad::ComputeSunPosition(t, site);
                const auto fast = track.At(t);
                ASSERT_NEAR(fast.position.zenithDeg, full.zenithDeg, 1e-5) << t;
                ASSERT_NEAR(std::remainder(fast.position.azimuthDeg - full.azimuthDeg, 360.0), 0.0,
                            1e-4)
                    << t;
                ASSERT_NEAR(fast.distanceAu, rad::EarthSunDistanceAu(t), 1e-8) << t;
            }
        }
    }
}

TEST(ClearSkyPpfdCurve, FollowsTheModel) {
    for (const double altitude : {0.0, 1830.0}) {
        const rad::ClearSkyPpfdCurve curve(altitude);
        for (double zenith = 0.0; zenith < 90.0; zenith += 0.37) {
            const double distance = rad::EarthSunDistanceAu(kJune20);
            EXPECT_NEAR(curve.At(zenith, distance), rad::ClearSkyPpfd(zenith, kJune20, altitude),
                        0.1)
                << zenith;
        }
        EXPECT_EQ(curve.At(90.0, 1.0), 0.0);
        EXPECT_EQ(curve.At(kNaN, 1.0), 0.0);
    }
}

TEST(RecordSun, ValuesOfARecord) {
    const rad::SiteLocation tokyo{35.68, 139.77, 40};
    rad::RecordSun sun(tokyo, rad::RecordZone::Machine());
    const int64_t noon = kJune20 + 2 * 3600 + 42 * 60;
    const rad::SunValues values = sun.At(noon, 1000.0);
    const auto position = rad::ComputeSunPosition(noon, tokyo);
    EXPECT_NEAR(values.zenithDeg, position.zenithDeg, 1e-5);
    EXPECT_NEAR(values.azimuthDeg, position.azimuthDeg, 1e-4);
    EXPECT_NEAR(values.clearSkyPpfd, rad::ClearSkyPpfd(position.zenithDeg, noon, 40), 0.1);
    EXPECT_DOUBLE_EQ(values.clearSkyIndex, 1000.0 / values.clearSkyPpfd);
    EXPECT_TRUE(std::isnan(sun.At(noon).clearSkyIndex));  // no measured PPFD
    // Near sunset (below 5 degrees) the index is left out; at night the clear sky is dark.
    const int64_t low = kJune20 + 9 * 3600 + 50 * 60;
    ASSERT_LT(90.0 - sun.At(low).zenithDeg, 5.0);
    ASSERT_GT(90.0 - sun.At(low).zenithDeg, 0.0);
    EXPECT_GT(sun.At(low, 10.0).clearSkyPpfd, 0.0);
    EXPECT_TRUE(std::isnan(sun.At(low, 10.0).clearSkyIndex));
    EXPECT_EQ(sun.At(noon + 12 * 3600, 0.0).clearSkyPpfd, 0.0);
    // A Tokyo file read here (any zone): 11:42 local is the sun's Tokyo noon at UTC+9.
    const int64_t read = *rad::LocalFieldsToTime(2024, 6, 20, 11, 42, 0);
    rad::RecordSun fixed(tokyo, rad::RecordZone::Fixed(9 * 3600));
    EXPECT_NEAR(fixed.At(read).zenithDeg, position.zenithDeg, 1e-5);
}

TEST(RecordSun, NoSiteNoValues) {
    rad::RecordSun sun(std::nullopt, rad::RecordZone::Machine());
    EXPECT_FALSE(sun.HasSite());
    const rad::SunValues values = sun.At(kJune20, 100.0);
    for (const double v :
         {values.zenithDeg, values.azimuthDeg, values.clearSkyPpfd, values.clearSkyIndex})
        EXPECT_TRUE(std::isnan(v));
    std::vector<rad::DaySummary> days(1);
    rad::AddDaySun(days, {}, 0, sun);
    EXPECT_TRUE(std::isnan(days[0].photoperiodHours));
}

TEST(DaySun, PhotoperiodFollowsLatitudeAndSeason) {
    // The geometric day: cos H = -tan(latitude) tan(declination), hours = 2 H / 15.
    const auto hours = [](double latitude, double declination) {
        const double r = std::numbers::pi / 180.0;
        const double c = std::clamp(-std::tan(latitude * r) * std::tan(declination * r), -1.0, 1.0);
        return 2.0 * std::acos(c) / r / 15.0;
    };
    struct Row {
        double latitude;
        int64_t midnightUtc;  // of the day at longitude 0
        double declination;
    };
    for (const Row& row :
         {Row{35.0, kJune20, 23.43}, Row{-35.0, kJune20, 23.43}, Row{0.0, kMarch20, 0.0},
          Row{70.0, kJune20, 23.43}, Row{70.0, 1734739200, -23.43}}) {  // 2024-12-21
        rad::RecordSun sun(rad::SiteLocation{row.latitude, 0.0, 0.0}, rad::RecordZone::Machine());
        const auto totals = rad::SummariseDaySun(row.midnightUtc, row.midnightUtc + 86400, sun);
        EXPECT_NEAR(totals.photoperiodHours, hours(row.latitude, row.declination), 0.03)
            << row.latitude << " " << row.midnightUtc;
        EXPECT_EQ(totals.clearSkyDli > 5.0, totals.photoperiodHours > 0) << row.latitude;
    }
    // A clear June day at 35 N: DLI 50-65 mol/m2/d.
    rad::RecordSun sun(rad::SiteLocation{35.0, 0.0, 0.0}, rad::RecordZone::Machine());
    const double dli = rad::SummariseDaySun(kJune20, kJune20 + 86400, sun).clearSkyDli;
    EXPECT_GT(dli, 50.0);
    EXPECT_LT(dli, 65.0);
}

TEST(DaySun, RatioComparesTheSameRecords) {
    rad::RecordSun sun(rad::SiteLocation{35.0, 0.0, 0.0}, rad::RecordZone::Machine());
    // Half the clear sky every 10 minutes from 06:00 to 18:00 UTC, the hours 10-12 missing.
    std::vector<rad::LightSample> measured, clear;
    for (int64_t t = kJune20 + 6 * 3600; t <= kJune20 + 18 * 3600; t += 600) {
        if (t > kJune20 + 10 * 3600 && t < kJune20 + 12 * 3600) continue;
        const double c = sun.At(t).clearSkyPpfd;
        measured.push_back({t, c / 2});
        clear.push_back({t, c});
    }
    // Days by UTC dates whatever the machine's zone: the record times are UTC-shaped here.
    auto days = rad::SummariseDays(measured, 0);
    rad::AddDaySun(days, clear, 0, sun);
    ASSERT_GE(days.size(), 1u);
    const auto& day = days.back().count > days.front().count ? days.back() : days.front();
    EXPECT_NEAR(day.clearSkyRatio, 0.5, 1e-9);
    EXPECT_GT(day.clearSkyDli, 2.0 * day.dli);  // the whole day, gap and all
}

}  // namespace
