#include <gtest/gtest.h>

#include <QLabel>

#include "LocalTime.h"
#include "Resample.h"
#include "SyntheticData.h"
#include "TodayDock.h"

namespace {

TEST(TodayDock, ShowsTheLatestRecordAndTheDaySoFar) {
    rad::InitTimeZone();
    CTodayDock dock;
    EXPECT_EQ(dock.windowTitle(), QStringLiteral("Today"));
    EXPECT_EQ(dock.PpfdText(), QStringLiteral("\u2014"));
    EXPECT_EQ(dock.DliText(), QStringLiteral("\u2014"));

    CRsdData set;
    rad::MakeSyntheticDay(set, 1, {kQS200, kQS300}, *rad::LocalFieldsToTime(2024, 6, 1, 12, 0, 0),
                          600);
    dock.Update(set);
    CResample noon;
    noon.Resample(set, 0);
    EXPECT_EQ(dock.PpfdText(), QString::number(noon.GetPPFD(), 'f', 1));
    EXPECT_EQ(dock.DliText(), QStringLiteral("\u2014"));  // one record spans no time yet
    rad::MakeSyntheticDay(set, 2, {kQS200, kQS300}, *rad::LocalFieldsToTime(2024, 6, 1, 12, 10, 0),
                          600);
    dock.Update(set);
    EXPECT_GT(dock.DliText().toDouble(), 0.0);
    EXPECT_NE(dock.UvIndexText(), QStringLiteral("\u2014"));
}

}  // namespace
