#include "DailyLight.h"

#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisSettings.h"
#include "IniFile.h"
#include "LocalTime.h"

namespace {

int64_t At(int day, int hour, int minute = 0) {
    return *rad::LocalFieldsToTime(2024, 6, day, hour, minute, 0);
}

// PPFD 500 every minute from 06:00 to 18:00 (721 records, 12 hours), minus [gapFrom, gapTo).
std::vector<rad::LightSample> ConstantDay(int day, int gapFromMinute = -1, int gapToMinute = -1) {
    std::vector<rad::LightSample> samples;
    for (int m = 0; m <= 12 * 60; ++m) {
        if (m > gapFromMinute && m < gapToMinute) continue;
        samples.push_back({At(day, 6) + m * 60, 500.0, 1.2, 0.5});
    }
    return samples;
}

class DailyLight : public ::testing::Test {
  protected:
    void SetUp() override { rad::InitTimeZone(); }
};

// Twelve hours at 500 give a DLI of 21.6; a gap is not bridged and the coverage says so, but a
// step of exactly twice the median spacing still is.
TEST_F(DailyLight, ConstantPpfdGivesItsDliAndGapsAreLeftOut) {
    const struct {
        int gapFrom, gapTo, count;
        double dli, coverage;
    } cases[] = {
        {-1, -1, 721, 21.6, 1.0},
        {4 * 60, 6 * 60, 602, 500e-6 * 10 * 3600, 10.0 / 12.0},  // 10:00 and 12:00 remain
        {99, 101, 720, 21.6, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gapFrom);
        const auto days = rad::SummariseDays(ConstantDay(10, c.gapFrom, c.gapTo), 0);
        ASSERT_EQ(days.size(), 1u);
        EXPECT_EQ(days[0].start, At(10, 0));
        EXPECT_EQ(days[0].count, c.count);
        EXPECT_NEAR(days[0].dli, c.dli, 1e-9);
        EXPECT_NEAR(days[0].coverage, c.coverage, 1e-12);
        EXPECT_EQ(days[0].maxPpfd, 500.0);
        EXPECT_EQ(days[0].maxPpfdTime, At(10, 6));  // the first of equal maxima
    }
}

TEST_F(DailyLight, DayStartHourMovesRecordsToTheDayBefore) {
    std::vector<rad::LightSample> samples = {
        {At(10, 3), 100.0}, {At(10, 4), 100.0}, {At(10, 5), 200.0},
        {At(10, 6), 200.0}, {At(10, 7), 200.0}, {At(11, 4, 30), 50.0},
    };
    const auto midnight = rad::SummariseDays(samples, 0);
    ASSERT_EQ(midnight.size(), 2u);
    EXPECT_EQ(midnight[0].count, 5);
    const auto fiveOClock = rad::SummariseDays(samples, 5);
    ASSERT_EQ(fiveOClock.size(), 2u);
    EXPECT_EQ(fiveOClock[0].start, At(9, 5));
    EXPECT_EQ(fiveOClock[0].count, 2);
    // 03:00..04:00 at 100: 0.36 mol.
    EXPECT_NEAR(fiveOClock[0].dli, 100e-6 * 3600, 1e-12);
    EXPECT_EQ(fiveOClock[1].start, At(10, 5));
    EXPECT_EQ(fiveOClock[1].count, 4);  // 05:00, 06:00, 07:00 and 04:30 of the next date
    // 05:00..07:00 at 200 is bridged; the 21.5 h step to 04:30 is a gap.
    EXPECT_NEAR(fiveOClock[1].dli, 200e-6 * 7200, 1e-12);
    EXPECT_NEAR(fiveOClock[1].coverage, 2.0 / 23.5, 1e-12);
}

TEST_F(DailyLight, MeansAndMaximaSkipDarkAndMissingRecords) {
    std::vector<rad::LightSample> samples = {
        {At(10, 6), 5.0, 9.0, 0.1},
        {At(10, 7), 300.0, 1.0, rad::kNotAvailable},
        {At(10, 8), rad::kNotAvailable, 5.0, 3.0},
        {At(10, 9), 900.0, 2.0, 2.0},
        {At(10, 10), 11.0, 3.0, 1.0},
    };
    const auto days = rad::SummariseDays(samples, 0);
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].count, 5);
    EXPECT_EQ(days[0].maxPpfd, 900.0);
    EXPECT_EQ(days[0].maxPpfdTime, At(10, 9));
    EXPECT_DOUBLE_EQ(days[0].meanRedFarRed, 2.0);  // records above 10 umol/m2/s only
    EXPECT_EQ(days[0].maxUvIndex, 3.0);

    const rad::LightSample single[] = {{At(10, 12), 100.0}};
    const auto lone = rad::SummariseDays(single, 0);
    EXPECT_TRUE(std::isnan(lone[0].dli));
    EXPECT_EQ(lone[0].coverage, 0.0);
    EXPECT_TRUE(rad::SummariseDays({}, 0).empty());
}

TEST_F(DailyLight, DayStartIsWrittenOnlyWhenSet) {
    CIniFile ini;
    ini.SetText("[GRAPH]\nGRID=1\n");
    AnalysisSettings settings;
    settings.Load(ini);
    EXPECT_FALSE(settings.dayStart);
    EXPECT_EQ(settings.DayStartHour(), 0);
    settings.Save(ini);
    EXPECT_FALSE(ini.HasSection("ANALYSIS"));

    for (const auto& [text, expected] :
         std::vector<std::pair<const char*, int>>{{"5", 5}, {"23", 23}, {"24", 0}, {"-1", 0}}) {
        ini.SetString("ANALYSIS", "DAYSTART", text);
        settings.Load(ini);
        EXPECT_EQ(settings.DayStartHour(), expected) << text;
    }
    settings.dayStart = 6;
    settings.Save(ini);
    EXPECT_EQ(ini.GetInt("ANALYSIS", "DAYSTART", -1), 6);
}

}  // namespace
