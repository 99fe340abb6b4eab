#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "LoopDriverFixture.h"

namespace {

using Identification = LoopDriver;
using ExposureSearch = LoopDriver;
using Measurement = LoopDriver;

TEST_F(Identification, EveryFailureGivesTheCodeOfItsCause) {
    const struct {
        const char* name;
        int model;
        QsSimFaults faults;
        int status;
        const char* notSent;  // a command the failure must keep the driver from sending
    } cases[] = {
        {"silent", kQS100, {.silent = true}, kStatusNoReply, "ID"},
        {"overlong line", kQS100, {.longLine = true}, kStatusNoReply, "ID"},
        {"ID refused", kQS200, {.ngCommand = "ID"}, kStatusIdentityFailed, "ST"},
        {"C5 refused", kQS300, {.ngCommand = "C5"}, kStatusIdentityFailed, "CALB"},
        {"other model", kQS100, {.wrongModel = "QS-200"}, kStatusWrongModel, "CALB"},
        {"garbage", kQS300, {.garbage = "~#"}, kStatusWrongModel, "CALB"},
        {"short CALB", kQS300, {.shortCalb = 1}, kStatusCalFailed, ""},
        {"short CALB masked", kQS400, {.shortCalb = 10}, kStatusCalFailed, "PXSB"},
        {"short PXSB", kQS400, {.shortPxsb = 1}, kStatusCalFailed, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.model, c.faults);
        const SensorInfoResult info = m_driver->GetSensorInfo();
        EXPECT_FALSE(info.Ready());
        EXPECT_EQ(info.status, c.status);
        EXPECT_TRUE(!*c.notSent || !WasSent(c.notSent)) << c.notSent;
    }
}

TEST_F(ExposureSearch, FollowsThePeakToTheAcceptedExposure) {
    const struct {
        const char* name;
        int model;
        int startIndex;
        std::vector<int> peaks;
        std::vector<int> lightMs;
    } cases[] = {
        {"worked example", kQS100, 3, {4000, 8000, 20000}, {100, 200, 500}},
        {"exactly LOW lengthens", kQS100, 3, {10000, 20000}, {100, 200}},
        {"exactly HIGH shortens", kQS100, 3, {25000, 20000}, {100, 50}},
        {"shortest kept", kQS100, 0, {30000}, {10}},
        {"longest kept", kQS100, 8, {5000}, {5000}},
        {"QS-200 HIGH shortens", kQS200, 4, {17700, 12000}, {200, 100}},
        {"QS-200 LOW lengthens", kQS200, 4, {7000, 12000}, {200, 500}},
        {"QS-300 below HIGH accepted", kQS300, 3, {29999}, {100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartReady(c.model, {.peaks = c.peaks});
        m_driver->m_nExpIndex = c.startIndex;
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        EXPECT_EQ(LightExposures(), c.lightMs);
        EXPECT_EQ(measured.data.ET, c.lightMs.back());
        EXPECT_EQ(Sent()[Sent().size() - 4],
                  "GM," + std::to_string(c.lightMs.back()) + ",0,1");  // dark
    }
}

TEST_F(ExposureSearch, NextMeasurementStartsFromTheLastAcceptedExposure) {
    QsSimFaults f{.peaks = {4000, 8000, 20000, 20000, 4000, 20000, 20000}};
    StartReady(kQS100, f);
    m_driver->m_nExpIndex = 3;
    ASSERT_TRUE(m_driver->Measure().valid);
    ASSERT_TRUE(m_driver->Measure().valid);
    EXPECT_EQ(LightExposures(), std::vector<int>{500});

    // This one fails in SER, after its light and dark readings at 1000 ms were complete:
    // that exposure stays the starting point.
    f.ngCommand = "SER";
    m_port->faults = f;
    const MeasureResult failed = m_driver->Measure();
    EXPECT_FALSE(failed.valid);
    EXPECT_EQ(failed.failure.cause, LinkFailure::kRefused);
    EXPECT_EQ(failed.failure.command, "SER");
    EXPECT_EQ(LightExposures(), (std::vector<int>{500, 1000}));
    f.ngCommand.clear();
    m_port->faults = f;
    ASSERT_TRUE(m_driver->Measure().valid);
    EXPECT_EQ(LightExposures(), std::vector<int>{1000});

    // One whose exposure never ends still closes the shutter and keeps the starting point.
    const int index = m_driver->m_nExpIndex;
    m_port->faults.noGmReply = true;
    EXPECT_FALSE(m_driver->Measure().valid);
    EXPECT_EQ(Sent().back(), "CL");
    EXPECT_EQ(Sent()[Sent().size() - 2], "GM,1000,0,1");
    EXPECT_EQ(m_driver->m_nExpIndex, index);
}

TEST_F(ExposureSearch, FifteenthPassThatMovesTakesTheLightAgain) {
    QsSimFaults f;
    for (int pass = 0; pass < 15; ++pass) f.peaks.push_back(pass % 2 == 0 ? 26000 : 5000);
    f.peaks.push_back(15000);
    StartReady(kQS100, f);
    m_driver->m_nExpIndex = 3;
    const MeasureResult measured = m_driver->Measure();
    ASSERT_TRUE(measured.valid);
    const std::vector<int> light = LightExposures();
    ASSERT_EQ(light.size(), 16u);
    EXPECT_EQ(light[14], 100);
    EXPECT_EQ(light[15], 50);
    EXPECT_EQ(measured.data.ET, 50);
    const float peak = *std::max_element(measured.data.MD.begin(), measured.data.MD.end());
    EXPECT_FLOAT_EQ(peak, 15000 / 0.05f);
}

TEST_F(Measurement, PixelsAboveHighAreZeroedAndNegativeCountsKept) {
    const std::pair<int, int> cases[] = {{kQS100, 25000}, {kQS200, 17700}, {kQS300, 30000}};
    for (const auto& [model, high] : cases) {
        SCOPED_TRACE(kModels[model].label);
        const auto raw = [](int v) { return static_cast<std::uint16_t>(v); };
        StartReady(model, {.rawPixels = {
                               {10, raw(high + 1)}, {11, raw(high)}, {12, 0x8000}, {13, 0xFFFF}}});
        m_driver->m_nExpIndex = 0;
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        const SensorData& d = measured.data;  // at 10 ms
        EXPECT_EQ(d.MD[10], 0.0f);
        EXPECT_EQ(d.DD[10], 0.0f);
        EXPECT_FLOAT_EQ(d.MD[11], high / 0.01f);
        EXPECT_GT(d.DD[11], 0.0f);
        EXPECT_FLOAT_EQ(d.MD[12], -32768 / 0.01f);
        EXPECT_FLOAT_EQ(d.MD[13], -1 / 0.01f);
    }
}

// Every model becomes ready with its calibration, and the values the driver parses land where
// its layout says, with the sensor's serial and the time of the measurement: the simulated
// sensors report a 12 V supply and a sensor at 25 deg C (visible) or -10 deg C (near-infrared).
TEST_F(Measurement, EveryModelIsIdentifiedAndItsStatusSitsWhereItsLayoutSays) {
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(kModels[model].label);
        StartReady(model);
        const SensorCal& cal = m_info->cal;
        const SensorModelInfo& info = kModels[model];
        EXPECT_STREQ(cal.ST, info.label);
        EXPECT_EQ(cal.CAL.size(), static_cast<std::size_t>(info.pixels));
        EXPECT_STREQ(cal.FT, "2015/04/01 10:20:30");
        EXPECT_TRUE(cal.HasUsableWavelengths());
        EXPECT_NEAR(cal.WL.front(), info.shortWave ? 300 : 900, 10);
        EXPECT_NEAR(cal.WL.back(), info.shortWave ? 1100 : 1700, 10);
        EXPECT_GT(cal.CAL[cal.CAL.size() / 2], 0.0f);
        EXPECT_EQ(WasSent("PXSB"), info.pixelMask);
        const int64_t start = m_clock.Now();
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        const SensorData& d = measured.data;
        EXPECT_EQ(d.m_nModel, model);
        EXPECT_EQ(d.MD.size(), static_cast<std::size_t>(info.pixels));
        EXPECT_EQ(d.DD.size(), static_cast<std::size_t>(info.pixels));
        EXPECT_TRUE(AutoExposure(info) || d.ET == info.fixedExposureMs) << d.ET;
        EXPECT_STREQ(d.SN, m_info->cal.SN);
        EXPECT_TRUE(d.MT >= start && d.MT <= m_clock.Now()) << d.MT;
        const StatusLayout& at = info.status;
        EXPECT_NEAR(d.statusFloat[at.supplyVolt], 12.0, 0.1);
        EXPECT_NEAR(d.statusFloat[at.sensorTemp], info.shortWave ? 25 : -10, 0.4);
        // The simulated Peltier drive heats or cools; every other status word reads 0.
        EXPECT_EQ(std::abs(d.statusInt[at.peltierState]), 1);
    }
}

TEST_F(Measurement, MaskedModelZeroesUnusedPixelsAndSkipsSaturation) {
    StartReady(kQS400, {.rawPixels = {{5, 32767}, {97, 20000}}});
    const std::string mask = m_port->Instrument().Mask(0);
    ASSERT_EQ(mask[97], '\0');
    const MeasureResult measured = m_driver->Measure();
    ASSERT_TRUE(measured.valid);
    const SensorData& d = measured.data;  // at its fixed 30 ms
    EXPECT_FLOAT_EQ(d.MD[5], static_cast<float>(32767 / 0.03));
    for (int k = 0; k < 256; ++k) {
        if (mask[static_cast<std::size_t>(k)] != '\0') continue;
        EXPECT_EQ(d.MD[k], 0.0f) << k;
        EXPECT_EQ(d.DD[k], 0.0f) << k;
    }
    EXPECT_GT(d.DD[6], 0.0f);
}

// The masked model asks its firmware at every measurement and fails without the answer.
TEST_F(Measurement, SecondTemperatureOnlyForItsFirmware) {
    const std::pair<const char*, bool> cases[] = {
        {"1.80", true}, {"1.81", false}, {"1.8", false}, {"1.80a", false}};
    for (const auto& [firmware, asksT2] : cases) {
        SCOPED_TRACE(firmware);
        StartReady(kQS400);
        m_port->Instrument().m_firmware = firmware;
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        EXPECT_EQ(WasSent("T2"), asksT2);
        EXPECT_FLOAT_EQ(measured.data.statusFloat[6], asksT2 ? 36.4f : kNoTemperature);
    }
    m_port->faults.ngCommand = "FV";
    const MeasureResult refused = m_driver->Measure();
    EXPECT_FALSE(refused.valid);
    EXPECT_EQ(refused.failure.command, "FV");
}

}  // namespace
