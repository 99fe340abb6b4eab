#include "TodayLight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "LocalTime.h"
#include "Resample.h"
#include "spectral_fixture.h"

namespace {

// A QS-100 seeing 1000 W/m2/um everywhere: PPFD 1379.3 and no UV index below 300 nm worth
// noting; one record per 10 minutes.
class TodayLight : public ::testing::Test {
  protected:
    void SetUp() override {
        rad::InitTimeZone();
        NewFile();
    }
    void NewFile() {
        m_set.Clear();
        m_set.SetCal(kQS100, fixture::LinearCal(kQS100, 300.0, 1.0));
    }
    int64_t At(int day, int hour, int minute) const {
        return *rad::LocalFieldsToTime(2024, 6, day, hour, minute, 0);
    }
    void Add(int64_t time, float value) {
        fixture::AddRecord(m_set, time, {fixture::RampBlock(kQS100, value)});
    }
    CRsdData m_set;
};

TEST_F(TodayLight, IntegratesTheDaySoFarAndStartsOverWithANewDay) {
    CTodayLight today;
    EXPECT_EQ(today.Line(), "");
    Add(At(3, 10, 0), 1000.0f);
    today.Update(m_set);
    EXPECT_NEAR(today.Latest().ppfd, 1379.3, 0.05);
    EXPECT_TRUE(std::isnan(today.Day().dli));  // one record bridges nothing yet
    Add(At(3, 10, 10), 1000.0f);
    Add(At(3, 10, 20), 0.0f);
    today.Update(m_set);
    CResample s;
    s.Resample(m_set, 0);
    const double ppfd = s.GetPPFD();
    // 10 minutes at ppfd, then 10 minutes falling linearly to 0.
    EXPECT_NEAR(today.Day().dli, (ppfd * 600 + ppfd / 2 * 600) * 1e-6, 1e-9);
    EXPECT_EQ(today.Day().count, 3);
    EXPECT_EQ(today.Line().rfind("LIGHT PPFD 0.0 umol/m2/s, DLI ", 0), 0u) << today.Line();

    Add(At(4, 0, 10), 1000.0f);
    today.Update(m_set);
    EXPECT_EQ(today.Day().count, 1);
    EXPECT_EQ(today.Day().start, At(4, 0, 0));

    // Another part of the same day (a sensor unit swapped): the day goes on.
    NewFile();
    for (const int minute : {0, 10, 20, 30}) Add(At(4, 11, minute), 500.0f);
    today.Update(m_set);
    EXPECT_EQ(today.Day().count, 5);
    EXPECT_NEAR(today.Latest().ppfd, 1379.3 / 2, 0.05);
    // Back to the first part, which grew: its record taken before is not taken twice.
    NewFile();
    Add(At(4, 0, 10), 1000.0f);
    Add(At(4, 11, 40), 1000.0f);
    today.Update(m_set);
    EXPECT_EQ(today.Day().count, 6);

    // A photoperiod from 06:00: 05:50 still belongs to the day before.
    CTodayLight fromSix(6);
    NewFile();
    for (const int64_t t : {At(3, 5, 50), At(3, 6, 0), At(3, 6, 10)}) Add(t, 1000.0f);
    fromSix.Update(m_set);
    EXPECT_EQ(fromSix.Day().start, At(3, 6, 0));
    EXPECT_EQ(fromSix.Day().count, 2);
}

// A board without a battery clock starts at 1970: east of Greenwich its day began before 1970
// UTC, west of it on 31 December 1969. No zone may make the figures throw.
TEST_F(TodayLight, ClockAtTheEpochInAnyZone) {
    const char* const original = std::getenv("TZ");
    const std::string restore = original ? original : "";
    const struct {
        const char* zone;
        int64_t dayStart;
    } zones[] = {{"UTC", 0}, {"Asia/Tokyo", -9 * 3600}, {"America/New_York", -19 * 3600}};
    for (const auto& z : zones) {
        SCOPED_TRACE(z.zone);
        ::setenv("TZ", z.zone, 1);
        rad::InitTimeZone();
        NewFile();
        Add(30, 1000.0f);
        Add(630, 1000.0f);
        CTodayLight today;
        EXPECT_NO_THROW(today.Update(m_set));
        EXPECT_EQ(today.Day().count, 2);
        EXPECT_EQ(today.Day().start, z.dayStart);
    }
    ::setenv("TZ", restore.c_str(), 1);
    rad::InitTimeZone();
}

}  // namespace
