#include "SimulatedSky.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "DailyLight.h"
#include "LightQuantities.h"
#include "LocalTime.h"
#include "Resample.h"
#include "SyntheticData.h"

namespace {

constexpr int64_t kJuneNoonLon0 = 1782043200;  // 2026-06-21 12:00 UTC
const rad::SiteLocation kSite35N{35.0, 0.0, 40.0};

double Quantity(const std::vector<double>& spectrum, int firstNm, rad::Quantity q) {
    return rad::ComputeQuantities(spectrum, firstNm)[q].value;
}

// W/m2 over the model's whole range.
double GlobalIrradiance(const rad::SkyScene& scene, int64_t t) {
    const std::vector<double> s = rad::SkySpectrum1nm(scene, t, 280, 4000);
    return std::accumulate(s.begin(), s.end(), 0.0) / 1000.0;
}

TEST(SimulatedSky, AClearJuneNoonAt35NorthLooksLikeTheRealOne) {
    const rad::SkyScene clear{rad::SkyKind::Clear, kSite35N};
    const int64_t noon = rad::SolarNoonUtc(kJuneNoonLon0, kSite35N);
    EXPECT_NEAR(static_cast<double>(noon - kJuneNoonLon0), 100, 60);  // equation of time +1.7 min
    const std::vector<double> s = rad::SkySpectrum1nm(clear, noon, 250, 1050);
    const struct {
        rad::Quantity q;
        double low, high;
    } figures[] = {{rad::Quantity::Ppfd, 1800, 2300}, {rad::Quantity::UvIndex, 8, 11}};
    for (const auto& f : figures) {
        const double v = Quantity(s, 250, f.q);
        EXPECT_GE(v, f.low) << rad::InfoOf(f.q).key;
        EXPECT_LE(v, f.high) << rad::InfoOf(f.q).key;
    }
    const double global = GlobalIrradiance(clear, noon);
    EXPECT_GE(global, 900);
    EXPECT_LE(global, 1050);
    // UV ends at the ozone cut-off; the water band at 940 nm is deep.
    EXPECT_EQ(s[295 - 250], 0.0);
    EXPECT_LT(s[300 - 250], 0.05 * s[330 - 250]);
    EXPECT_LT(s[940 - 250], 0.6 * s[870 - 250]);
    // Night is dark; noon stays noon at midnight; the lamp knows no hours.
    const int64_t midnight = noon - 43200;
    EXPECT_EQ(GlobalIrradiance(clear, midnight), 0.0);
    EXPECT_EQ(rad::SkySpectrum1nm({rad::SkyKind::Noon, kSite35N}, midnight, 250, 1050), s);
    const rad::SkyScene lamp{rad::SkyKind::Lamp, kSite35N};
    EXPECT_EQ(rad::SkySpectrum1nm(lamp, midnight, 250, 1050),
              rad::SkySpectrum1nm(lamp, noon, 250, 1050));
}

TEST(SimulatedSky, TheLampIsATungstenLampIndoors) {
    const std::vector<double> s = rad::LampSpectrum1nm(250, 1050);
    EXPECT_NEAR(Quantity(s, 250, rad::Quantity::Illuminance), rad::kLampIlluminanceLx, 1.0);
    EXPECT_NEAR(Quantity(s, 250, rad::Quantity::Cct), 2856, 15);
    EXPECT_LT(Quantity(s, 250, rad::Quantity::UvIndex), 0.5);
}

TEST(SimulatedSky, CloudsDimAndBrieflyEnhanceTheSameWayEveryTime) {
    int dim = 0, enhanced = 0, clear = 0;
    double low = 2, high = 0;
    for (int64_t t = kJuneNoonLon0; t < kJuneNoonLon0 + 86400; t += 10) {
        const double f = rad::CloudFactor(t);
        low = std::min(low, f);
        high = std::max(high, f);
        dim += f < 0.5;
        enhanced += f > 1.05;
        clear += std::abs(f - 1.0) < 0.01;
    }
    EXPECT_NEAR(low, 0.25, 0.01);
    EXPECT_GT(high, 1.15);
    EXPECT_LT(high, 1.25);
    // Clouds pass: clear most of the time, covered a good part, enhanced only briefly.
    EXPECT_GT(clear, 8640 / 2);
    EXPECT_GT(dim, 8640 / 5);
    EXPECT_GT(enhanced, 0);
    EXPECT_LT(enhanced, dim / 4);
    const rad::SkyScene cloudy{rad::SkyKind::Cloudy, kSite35N};
    const rad::SkyScene clearSky{rad::SkyKind::Clear, kSite35N};
    for (const int64_t t : {kJuneNoonLon0, kJuneNoonLon0 + 437, kJuneNoonLon0 + 1999}) {
        EXPECT_NEAR(GlobalIrradiance(cloudy, t),
                    rad::CloudFactor(t) * GlobalIrradiance(clearSky, t), 1e-9);
    }
}

TEST(SimulatedSky, TheDemoSiteFollowsTheClock) {
    const struct {
        int64_t offset;
        double lon;
    } cases[] = {{0, 0},           {9 * 3600, 135},   {-5 * 3600, -75},
                 {19800, 82.5},    {13 * 3600, -165}, {14 * 3600, -150},
                 {-12 * 3600, 180}};
    for (const auto& c : cases) {
        const rad::SiteLocation site = rad::DemoSite(c.offset);
        EXPECT_DOUBLE_EQ(site.longitudeDeg, c.lon) << c.offset;
        // The clock of that offset shows solar noon within the equation of time of 12:00.
        const int64_t clockNoon =
            (rad::SolarNoonUtc(kJuneNoonLon0, site) + c.offset) % 86400 - 43200;
        EXPECT_LT(std::abs(clockNoon), 17 * 60) << c.offset;
    }
    for (const char* name : {"clear", "cloudy", "noon", "lamp"})
        EXPECT_STREQ(rad::SkyKindName(rad::ParseSkyKind(name).value()), name);
    EXPECT_FALSE(rad::ParseSkyKind("Clear"));
    EXPECT_FALSE(rad::ParseSkyKind(""));
}

// rsdtool demo's day through the analysis: the daily light integral of a clear June day.
TEST(SimulatedSky, ADemoDayInJuneHasTheLightOfAClearDay) {
    const int64_t midnight = rad::LocalFieldsToTime(2026, 6, 21, 0, 0, 0).value();
    const rad::SkyScene scene{rad::SkyKind::Clear, rad::MachineDemoSite(midnight + 43200)};
    CRsdData day;
    rad::MakeSkyDay(day, 144, {kQS200, kQS300}, midnight, 600, scene);
    std::vector<rad::LightSample> samples;
    for (int i = 0; i < day.GetCount(); ++i) {
        CResample spectrum;
        spectrum.Resample(day, i);
        const rad::LightQuantities q = rad::ComputeQuantities(spectrum);
        samples.push_back({day.GetAt(i).m_time, q[rad::Quantity::Ppfd].value});
    }
    EXPECT_NEAR(samples.front().ppfd, 0.0, 0.5);  // midnight
    const auto days = rad::SummariseDays(samples, 0);
    ASSERT_EQ(days.size(), 1u);
    EXPECT_GE(days[0].dli, 50);
    EXPECT_LE(days[0].dli, 65);
}

}  // namespace
