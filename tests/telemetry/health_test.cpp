// Health alerts from the controller's events, each once until its cause went away.
#include <gtest/gtest.h>

#include "DriverStatus.h"
#include "HealthMonitor.h"
#include "LocalTime.h"
#include "ProtocolConstants.h"
#include "QcFlags.h"
#include "RsdData.h"
#include "SyntheticData.h"

namespace {

using Kind = HealthAlert::Kind;

int64_t At(int hour, int minute = 0, int second = 0) {
    return *rad::LocalFieldsToTime(2026, 6, 1, hour, minute, second);
}

using Kinds = std::vector<Kind>;

Kinds Of(const std::vector<HealthAlert>& alerts) {
    Kinds kinds;
    for (const HealthAlert& alert : alerts) kinds.push_back(alert.kind);
    return kinds;
}

// The problems that stand now (Home Assistant's alert sensors).
Kinds Standing(const CHealthMonitor& monitor) {
    Kinds kinds;
    for (const Kind kind : ProblemKinds())
        if (monitor.Standing(kind)) kinds.push_back(kind);
    return kinds;
}

class HealthMonitor : public ::testing::Test {
  protected:
    void SetUp() override { rad::InitTimeZone(); }
    // 06:00 to 20:00 every 60 s.
    static constexpr CHealthMonitor::Window kWindow{6 * 3600, 20 * 3600, 60};
    CHealthMonitor m_monitor{1e9};
};

TEST_F(HealthMonitor, MissingRecordsAreReportedAfterTwoIntervalsInsideTheWindowOnly) {
    m_monitor.Started(kWindow, At(7));
    EXPECT_TRUE(m_monitor.Tick(At(7, 2)).empty());  // exactly two intervals: not yet
    EXPECT_EQ(Of(m_monitor.Tick(At(7, 2, 1))), Kinds{Kind::NoRecord});
    EXPECT_TRUE(m_monitor.Tick(At(7, 5)).empty());  // once
    CRsdData day;
    rad::MakeSyntheticDay(day, 1, {kQS100}, At(7, 5), 60);
    m_monitor.RecordStored(day, true, At(7, 5));
    EXPECT_EQ(Of(m_monitor.Tick(At(7, 7, 1))), Kinds{Kind::NoRecord});

    CHealthMonitor night(1e9);
    night.Started(kWindow, At(20));
    EXPECT_TRUE(night.Tick(At(21)).empty());  // outside the window nothing is due
    CHealthMonitor manual(1e9);
    manual.Started({6 * 3600, 20 * 3600, 0}, At(7));
    EXPECT_TRUE(manual.Tick(At(9)).empty());
}

TEST_F(HealthMonitor, SensorEventsFollowTheIdentificationsAndLosses) {
    struct Step {
        const char* what;
        int model;
        int status;  // -1: the sensor was lost
        Kinds expected;
        Kinds standing;
    };
    constexpr Kind kNotReady = Kind::SensorNotReady, kLost = Kind::SensorLost;
    const std::vector<Step> steps = {
        {"first identification fails", kQS100, kStatusNoReply, {kNotReady}, {kNotReady}},
        {"a retry fails again", kQS100, kStatusNoReply, {}, {kNotReady}},
        {"it becomes ready", kQS100, kStatusReady, {}, {}},
        {"another ready at once", kQS300, kStatusReady, {}, {}},
        {"it vanishes", kQS300, -1, {kLost}, {kLost}},
        {"the reopen fails", kQS300, kStatusPortFailed, {}, {kLost}},
        {"it vanishes again before it came back", kQS300, -1, {}, {kLost}},
        {"back", kQS300, kStatusReady, {Kind::SensorBack}, {}},
        {"ready again is no news", kQS300, kStatusReady, {}, {}},
    };
    m_monitor.Started(kWindow, At(7));
    for (const Step& step : steps) {
        const auto alerts = step.status < 0 ? m_monitor.SensorLost(step.model)
                                            : m_monitor.SensorState(step.model, step.status);
        EXPECT_EQ(Of(alerts), step.expected) << step.what;
        EXPECT_EQ(Standing(m_monitor), step.standing) << step.what;
        for (const HealthAlert& alert : alerts) EXPECT_EQ(alert.model, step.model);
    }
}

TEST_F(HealthMonitor, AReadySensorMissingFromTheStoredRecordsIsLostUntilItMeasuresAgain) {
    CRsdData both, qs100Only;
    rad::MakeSyntheticDay(both, 1, {kQS100, kQS300}, At(12), 60);
    rad::MakeSyntheticDay(qs100Only, 1, {kQS100}, At(12), 60);
    struct Step {
        const char* what;
        const CRsdData* record;  // nullptr: the sensor vanished (the driver saw it go)
        Kinds expected;
    };
    const std::vector<Step> steps = {
        {"both measured", &both, {}},
        {"the QS-300 stops answering", &qs100Only, {Kind::SensorLost}},
        {"still silent", &qs100Only, {}},
        {"it measures again", &both, {Kind::SensorBack}},
        {"it vanishes", nullptr, {Kind::SensorLost}},
        {"a cycle without it while it is lost", &qs100Only, {}},
        {"measured before it was identified again", &both, {Kind::SensorBack}},
    };
    m_monitor.Started(kWindow, At(12));
    m_monitor.SensorState(kQS100, kStatusReady);
    m_monitor.SensorState(kQS300, kStatusReady);
    for (const Step& step : steps) {
        const auto alerts = step.record ? m_monitor.RecordStored(*step.record, true, At(12))
                                        : m_monitor.SensorLost(kQS300);
        EXPECT_EQ(Of(alerts), step.expected) << step.what;
        for (const HealthAlert& alert : alerts) EXPECT_EQ(alert.model, kQS300) << step.what;
    }

    // A new acquisition judges the first identification again, and a sensor never identified
    // in it is not expected in the records.
    m_monitor.Started(kWindow, At(13));
    m_monitor.SensorState(kQS100, kStatusReady);
    EXPECT_EQ(Of(m_monitor.SensorState(kQS300, kStatusNoReply)), Kinds{Kind::SensorNotReady});
    EXPECT_TRUE(m_monitor.RecordStored(qs100Only, true, At(13)).empty());
}

TEST_F(HealthMonitor, StoreFailuresSaturationAndDarkRangeAreReportedOnTheirEdges) {
    CRsdData day;
    rad::MakeSyntheticDay(day, 1, {kQS100}, At(12), 60);
    SensorData& block = *day.GetAt(0).Block(kQS100);
    const double dark = day.GetDarkRange(kQS100, 0);
    CHealthMonitor monitor(dark + 1);
    monitor.Started(kWindow, At(12));

    EXPECT_EQ(Of(monitor.RecordStored(day, false, At(12))), Kinds{Kind::StoreFailed});
    EXPECT_TRUE(monitor.RecordStored(day, false, At(12, 1)).empty());
    EXPECT_EQ(Standing(monitor), Kinds{Kind::StoreFailed});
    EXPECT_TRUE(monitor.RecordStored(day, true, At(12, 2)).empty());
    EXPECT_EQ(Standing(monitor), Kinds{});
    EXPECT_EQ(Of(monitor.RecordStored(day, false, At(12, 3))), Kinds{Kind::StoreFailed});

    // The shortest exposure with a pixel at the high limit: saturated, whatever the exposure
    // above it shows.
    const int high = kModels[kQS100].highCounts;
    block.ET = kExposureTable[0];
    block.MD[100] = static_cast<float>(high * 1000.0 / block.ET);
    EXPECT_EQ(Of(monitor.RecordStored(day, true, At(12, 4))), Kinds{Kind::Saturated});
    EXPECT_TRUE(monitor.RecordStored(day, true, At(12, 5)).empty());
    EXPECT_EQ(Standing(monitor), Kinds{Kind::Saturated});
    block.MD[100] = static_cast<float>((high - 100) * 1000.0 / block.ET);
    EXPECT_TRUE(monitor.RecordStored(day, true, At(12, 6)).empty());
    EXPECT_EQ(Standing(monitor), Kinds{});
    block.ET = kExposureTable[1];
    block.MD[100] = static_cast<float>(high * 1000.0 / block.ET);
    EXPECT_TRUE(monitor.RecordStored(day, true, At(12, 7)).empty());

    block.DD[10] += 1000;
    const auto alerts = monitor.RecordStored(day, true, At(12, 8));
    ASSERT_EQ(Of(alerts), Kinds{Kind::DarkHigh});
    EXPECT_EQ(alerts[0].model, kQS100);
}

TEST_F(HealthMonitor, EachQualityFlagIsToldOncePerAcquisitionAndNightNever) {
    m_monitor.Started(kWindow, At(6));
    const std::pair<unsigned, const char*> steps[] = {
        {rad::kQcNight, ""},
        {rad::kQcSaturated | rad::kQcNight, "quality: first record flagged saturated"},
        {rad::kQcSaturated, ""},
        {0, ""},
        {rad::kQcSaturated | rad::kQcSensorsApart, "quality: first record flagged sensors_apart"},
    };
    for (const auto& [qc, told] : steps) {
        std::string alerts;
        for (const HealthAlert& alert : m_monitor.RecordFlags(qc))
            alerts += AlertKindName(alert.kind) + (": " + alert.detail);
        EXPECT_EQ(alerts, told) << qc;
    }
    EXPECT_TRUE(Standing(m_monitor).empty());
    m_monitor.Started(kWindow, At(6));
    EXPECT_EQ(Of(m_monitor.RecordFlags(rad::kQcSaturated)), Kinds{Kind::Quality});
}

}  // namespace
