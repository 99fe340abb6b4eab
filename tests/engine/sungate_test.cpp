// Runs with TZ=Asia/Tokyo. Measuring by the sun: the gate on a made-up sun, then the controller
// on the fake clock under the real one.
#include "SunGate.h"

#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "SolarPosition.h"

namespace {

// A sun that rises a quarter of a degree a minute and passes 5 degrees at cross.
rad::CSunGate RisingSun(int64_t cross, double limit = 5.0) {
    return rad::CSunGate(limit, [cross](int64_t t) { return 5.0 + (t - cross) / 240.0; });
}

TEST(SunGate, TheNextCycleIsTheFirstSlotWithTheSunHighEnough) {
    const int64_t cross = LocalTime(2024, 7, 1, 6, 12, 30);
    const int64_t night = LocalTime(2024, 7, 1, 3, 0, 0);
    const struct {
        const char* what;
        rad::IntervalWindow window;
        std::optional<int64_t> next;
    } cases[] = {
        {"every minute", {0, 86399, 60}, LocalTime(2024, 7, 1, 6, 13, 0)},
        {"every 10 minutes", {0, 86399, 600}, LocalTime(2024, 7, 1, 6, 20, 0)},
        {"the window opens later", {7 * 3600, 86399, 600}, LocalTime(2024, 7, 1, 7, 0, 0)},
        {"an odd interval", {0, 86399, 7}, LocalTime(2024, 7, 1, 6, 12, 31)},
        {"an empty window", {9 * 3600, 8 * 3600, 60}, std::nullopt},
    };
    const rad::CSunGate gate = RisingSun(cross);
    for (const auto& c : cases) EXPECT_EQ(gate.NextCycle(night, c.window), c.next) << c.what;
    EXPECT_FALSE(gate.Allows(cross - 1));
    EXPECT_TRUE(gate.Allows(cross));
    const rad::CSunGate polar(5.0, [](int64_t) { return -3.0; });
    EXPECT_EQ(polar.NextCycle(night, {0, 86399, 60}), std::nullopt);
    EXPECT_EQ(rad::SunWaitText(gate, night, {0, 86399, 60}),
              "no cycle: the sun stands at -43.1 deg, below [SUN] MINELEVATION 5 deg; "
              "next cycle at 06:13:00");
    EXPECT_EQ(rad::NextCycleText(gate, cross + 600, {0, 6 * 3600, 60}),
              "next cycle at 00:00:00 tomorrow");
    EXPECT_EQ(rad::NextCycleText(polar, night, {0, 86399, 60}), "no cycle in the next two days");
    EXPECT_TRUE(rad::CSunGate().Allows(night)) << "off lets every slot through";
}

TEST(SunGate, TheProfileSwitchesItOnOnlyWithAnAngleAndASite) {
    const struct {
        const char* what;
        std::optional<double> minElevation;
        const char* invalid;
        const char* lat;
        bool active;
        const char* why;
    } cases[] = {
        {"absent", std::nullopt, "", "35.6581", false, ""},
        {"on", 5.0, "", "35.6581", true, ""},
        {"no angle", std::nullopt, "high", "35.6581", false,
         "[SUN] MINELEVATION \"high\" is no angle from -90 to 90: measuring without it"},
        {"no site", 5.0, "", "0", false,
         "[SUN] MINELEVATION needs the station's position ([SITE] LAT and LON): measuring "
         "without it"},
    };
    for (const auto& c : cases) {
        std::string why;
        const SunSettings sun{c.minElevation, c.invalid};
        const rad::CSunGate gate =
            rad::MakeSunGate(sun, c.lat, std::string(c.lat) == "0" ? "0" : "139.7414", "40", &why);
        EXPECT_EQ(gate.Active(), c.active) << c.what;
        EXPECT_EQ(why, c.why) << c.what;
    }
    const struct {
        const char* text;
        std::optional<double> value;
        bool invalid;
    } keys[] = {{"", std::nullopt, false},  {"  ", std::nullopt, false},
                {" 5 ", 5.0, false},        {"-0.833", -0.833, false},
                {"91", std::nullopt, true}, {"5deg", std::nullopt, true}};
    for (const auto& k : keys) {
        CIniFile ini;
        ini.SetText(std::string("[SUN]\nMINELEVATION=") + k.text + "\n");
        const SunSettings sun = LoadSunSettings(ini);
        EXPECT_EQ(sun.minElevationDeg, k.value) << k.text;
        EXPECT_EQ(!sun.invalidText.empty(), k.invalid) << k.text;
    }
}

using SunSchedule = EngineTest;

// Tokyo on 1 July: no cycle in the night, the first at the minute the sun passes 5 degrees.
TEST_F(SunSchedule, NoCycleAtNightAndTheFirstWhenTheSunPassesTheLimit) {
    StartSensors({kQS100});
    m_settings.siteLat = "35.6581";
    m_settings.siteLon = "139.7414";
    m_settings.siteAlt = "40";
    m_settings.sun.minElevationDeg = 5.0;
    m_settings.start = 0;
    m_settings.end = 86399;
    m_settings.interval = 60;
    m_clock.Set(LocalTime(2024, 7, 1, 4, 0, 0));
    const rad::SiteLocation tokyo{35.6581, 139.7414, 40};
    int64_t first = LocalTime(2024, 7, 1, 4, 1, 0);
    while (rad::SunElevationDeg(first, tokyo) < 5.0) first += 60;
    ASSERT_LT(first, LocalTime(2024, 7, 1, 6, 0, 0));
    MakeDoc();
    m_doc->StartInterval();
    ASSERT_TRUE(PumpUntil([&] { return AllReady(); }));
    Tick(1);
    EXPECT_EQ(m_host.notes.size(), 1u);  // said at the start, not at the next slot
    Tick(static_cast<int>(first - m_clock.Now()) - 1);
    EXPECT_EQ(m_doc->State().startedCycles, 0);
    ASSERT_EQ(m_host.notes.size(), 1u);
    EXPECT_TRUE(m_host.notes[0].starts_with("no cycle: the sun stands at -")) << m_host.notes[0];
    EXPECT_TRUE(
        m_host.notes[0].ends_with("; next cycle at " + rad::FormatLocalTime(first, "%H:%M:%S")))
        << m_host.notes[0];
    Tick(121);  // the first minute above the limit and two more
    EXPECT_EQ(m_doc->State().startedCycles, 3);
    const auto set = DayFile(first);
    ASSERT_EQ(set->GetCount(), 3);
    EXPECT_EQ(set->GetAt(0).m_time, first);
    EXPECT_EQ(m_host.notes.size(), 1u);
}

}  // namespace
