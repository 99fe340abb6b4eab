#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "LoopDriverFixture.h"

namespace {

using Identification = LoopDriver;
using ExposureSearch = LoopDriver;
using Measurement = LoopDriver;

TEST_F(Identification, EveryModelBecomesReadyWithItsCalibration) {
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(kModels[model].label);
        Start(model);
        const SensorInfoResult info = m_driver->GetSensorInfo();
        ASSERT_EQ(info.status, kStatusReady);
        const SensorCal& cal = info.cal;
        EXPECT_STREQ(cal.ST, kModels[model].label);
        EXPECT_STREQ(cal.FT, "2015/04/01 10:20:30");
        EXPECT_TRUE(cal.HasUsableWavelengths());
        EXPECT_NEAR(cal.WL.front(), kModels[model].shortWave ? 300 : 900, 10);
        EXPECT_NEAR(cal.WL.back(), kModels[model].shortWave ? 1100 : 1700, 10);
        EXPECT_GT(cal.CAL[cal.CAL.size() / 2], 0.0f);
        EXPECT_EQ(WasSent("PXSB"), model == kQS400);
    }
}

struct FailureCase {
    const char* name;
    int model;
    QsSimFaults faults;
    int status;
    const char* notSent;  // a command the failure must keep the driver from sending
};

QsSimFaults With(void (*set)(QsSimFaults&)) {
    QsSimFaults f;
    set(f);
    return f;
}

TEST_F(Identification, EveryFailureGivesTheCodeOfItsCause) {
    const FailureCase cases[] = {
        {"silent", kQS100, With([](QsSimFaults& f) { f.silent = true; }), kStatusNoReply, "ID"},
        {"overlong line", kQS100, With([](QsSimFaults& f) { f.longLine = true; }), kStatusNoReply,
         "ID"},
        {"ID refused", kQS200, With([](QsSimFaults& f) { f.ngCommand = "ID"; }),
         kStatusIdentityFailed, "ST"},
        {"C5 refused", kQS300, With([](QsSimFaults& f) { f.ngCommand = "C5"; }),
         kStatusIdentityFailed, "CALB"},
        {"other model", kQS100, With([](QsSimFaults& f) { f.wrongModel = "QS-200"; }),
         kStatusWrongModel, "CALB"},
        {"garbage", kQS300, With([](QsSimFaults& f) { f.garbage = "~#"; }), kStatusWrongModel,
         "CALB"},
        {"short CALB", kQS300, With([](QsSimFaults& f) { f.shortCalb = 1; }), kStatusCalFailed, ""},
        {"short CALB masked", kQS400, With([](QsSimFaults& f) { f.shortCalb = 10; }),
         kStatusCalFailed, "PXSB"},
        {"short PXSB", kQS400, With([](QsSimFaults& f) { f.shortPxsb = 1; }), kStatusCalFailed, ""},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.model, c.faults);
        const SensorInfoResult info = m_driver->GetSensorInfo();
        EXPECT_FALSE(info.Ready());
        EXPECT_EQ(info.status, c.status);
        if (*c.notSent) {
            EXPECT_FALSE(WasSent(c.notSent));
        }
    }
}

TEST_F(Identification, UnpluggedDeviceIsSeenAndCanBeReopened) {
    Start(kQS100);
    m_port->Unplug();
    const SensorInfoResult lost = m_driver->GetSensorInfo();
    EXPECT_EQ(lost.status, kStatusNoReply);
    EXPECT_TRUE(m_driver->DeviceLost());
    EXPECT_EQ(lost.failure.cause, LinkFailure::kLost);
    ASSERT_EQ(m_driver->OpenDevice("loop", 38400), 1);
    EXPECT_FALSE(m_driver->DeviceLost());
    EXPECT_TRUE(m_driver->GetSensorInfo().Ready());
}

struct SearchCase {
    const char* name;
    int model;
    int startIndex;
    std::vector<int> peaks;
    std::vector<int> lightMs;
};

TEST_F(ExposureSearch, FollowsThePeakToTheAcceptedExposure) {
    const SearchCase cases[] = {
        {"worked example", kQS100, 3, {4000, 8000, 20000}, {100, 200, 500}},
        {"exactly LOW lengthens", kQS100, 3, {10000, 20000}, {100, 200}},
        {"exactly HIGH shortens", kQS100, 3, {25000, 20000}, {100, 50}},
        {"shortest kept", kQS100, 0, {30000}, {10}},
        {"longest kept", kQS100, 8, {5000}, {5000}},
        {"QS-200 HIGH shortens", kQS200, 4, {17700, 12000}, {200, 100}},
        {"QS-200 LOW lengthens", kQS200, 4, {7000, 12000}, {200, 500}},
        {"QS-300 below HIGH accepted", kQS300, 3, {29999}, {100}},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        QsSimFaults f;
        f.peaks = c.peaks;
        StartReady(c.model, f);
        m_driver->m_nExpIndex = c.startIndex;
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        EXPECT_EQ(LightExposures(), c.lightMs);
        EXPECT_EQ(measured.data.ET, c.lightMs.back());
        EXPECT_EQ(kExposureTable[static_cast<std::size_t>(m_driver->m_nExpIndex)],
                  c.lightMs.back());
        EXPECT_EQ(Sent()[Sent().size() - 4],
                  "GM," + std::to_string(c.lightMs.back()) + ",0,1");  // dark
    }
}

TEST_F(ExposureSearch, NextMeasurementStartsFromTheLastAcceptedExposure) {
    QsSimFaults f;
    f.peaks = {4000, 8000, 20000, 20000, 4000, 20000, 20000};
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

TEST_F(ExposureSearch, FailedExposureStillClosesTheShutter) {
    QsSimFaults f;
    f.noGmReply = true;
    StartReady(kQS200, f);
    m_driver->m_nExpIndex = 2;
    EXPECT_FALSE(m_driver->Measure().valid);
    const std::vector<std::string> sent = Sent();
    EXPECT_EQ(sent.back(), "CL");
    EXPECT_EQ(sent[sent.size() - 2], "GM,50,0,1");
    EXPECT_EQ(m_driver->m_nExpIndex, 2);
}

struct SaturationCase {
    int model;
    int startIndex;
    int high;
};

TEST_F(Measurement, PixelsAboveHighAreZeroedAndNegativeCountsKept) {
    const SaturationCase cases[] = {{kQS100, 0, 25000}, {kQS200, 0, 17700}, {kQS300, 0, 30000}};
    for (const SaturationCase& c : cases) {
        SCOPED_TRACE(kModels[c.model].label);
        QsSimFaults f;
        f.rawPixels = {{10, static_cast<std::uint16_t>(c.high + 1)},
                       {11, static_cast<std::uint16_t>(c.high)},
                       {12, 0x8000},
                       {13, 0xFFFF}};
        StartReady(c.model, f);
        m_driver->m_nExpIndex = c.startIndex;
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        const SensorData& d = measured.data;
        EXPECT_EQ(d.ET, 10);
        EXPECT_EQ(d.MD[10], 0.0f);
        EXPECT_EQ(d.DD[10], 0.0f);
        EXPECT_FLOAT_EQ(d.MD[11], c.high / 0.01f);
        EXPECT_GT(d.DD[11], 0.0f);
        EXPECT_FLOAT_EQ(d.MD[12], -32768 / 0.01f);
        EXPECT_FLOAT_EQ(d.MD[13], -1 / 0.01f);
    }
}

TEST_F(Measurement, StatusValuesAndSerialComeFromTheSensor) {
    StartReady(kQS300);
    const MeasureResult measured = m_driver->Measure();
    ASSERT_TRUE(measured.valid);
    const SensorData& d = measured.data;
    EXPECT_EQ(d.m_nModel, kQS300);
    EXPECT_STREQ(d.SN, m_info->cal.SN);
    EXPECT_EQ(d.statusInt[3], -1);
    EXPECT_NEAR(d.statusFloat[0], -10.0, 0.2);
    EXPECT_NEAR(d.statusFloat[5], 2.05, 0.1);
    EXPECT_EQ(d.MT, m_clock.Now());
}

// The values the driver parses land where each model's layout says: the simulated sensors
// report a 12 V supply and a sensor at 25 deg C (visible) or -10 deg C (cooled near-infrared).
TEST_F(Measurement, StatusValuesSitWhereTheModelLayoutSays) {
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(kModels[model].label);
        StartReady(model);
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        const StatusLayout& at = kModels[model].status;
        EXPECT_NEAR(measured.data.statusFloat[at.supplyVolt], 12.0, 0.1);
        EXPECT_NEAR(measured.data.statusFloat[at.sensorTemp], kModels[model].shortWave ? 25 : -10,
                    0.4);
        // The simulated Peltier drive heats or cools; every other status word reads 0.
        EXPECT_EQ(std::abs(measured.data.statusInt[at.peltierState]), 1);
    }
}

TEST_F(Measurement, MaskedModelZeroesUnusedPixelsAndSkipsSaturation) {
    QsSimFaults f;
    f.rawPixels = {{5, 32767}, {97, 20000}};
    StartReady(kQS400, f);
    const std::string mask = m_port->Instrument().Mask(0);
    ASSERT_EQ(mask[97], '\0');
    const MeasureResult measured = m_driver->Measure();
    ASSERT_TRUE(measured.valid);
    const SensorData& d = measured.data;
    EXPECT_EQ(d.ET, 30);
    EXPECT_FLOAT_EQ(d.MD[5], static_cast<float>(32767 / 0.03));
    for (int k = 0; k < 256; ++k) {
        if (mask[static_cast<std::size_t>(k)] != '\0') continue;
        EXPECT_EQ(d.MD[k], 0.0f) << k;
        EXPECT_EQ(d.DD[k], 0.0f) << k;
    }
    EXPECT_GT(d.DD[6], 0.0f);
}

struct FirmwareCase {
    const char* firmware;
    bool asksT2;
};

TEST_F(Measurement, SecondTemperatureOnlyForItsFirmware) {
    const FirmwareCase cases[] = {
        {"1.80", true}, {"1.81", false}, {"1.8", false}, {"1.80a", false}};
    for (const FirmwareCase& c : cases) {
        SCOPED_TRACE(c.firmware);
        StartReady(kQS400);
        m_port->Instrument().m_firmware = c.firmware;
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        EXPECT_EQ(WasSent("T2"), c.asksT2);
        EXPECT_FLOAT_EQ(measured.data.statusFloat[6], c.asksT2 ? 36.4f : kNoTemperature);
    }
}

TEST_F(Measurement, MaskedModelFailsOnMissingFirmwareReply) {
    QsSimFaults f;
    f.ngCommand = "FV";
    StartReady(kQS400, f);
    const MeasureResult measured = m_driver->Measure();
    EXPECT_FALSE(measured.valid);
    EXPECT_EQ(measured.failure.command, "FV");
}

TEST(DriverPort, UnopenablePortFailsWithItsCauseAndCloseIsHarmless) {
    CQS100 driver;
    driver.SetPortMap({{3, "/dev/nonexistent-serial-port"}});
    EXPECT_EQ(driver.OpenPort(3, 38400), 0);
    EXPECT_EQ(driver.DevicePath(), "/dev/nonexistent-serial-port");
    EXPECT_EQ(driver.OpenFailureText(), "no such device");
    EXPECT_STREQ(DriverStatusText(kStatusPortFailed, false), "Error(Opening COM Port failed)");
    EXPECT_STREQ(DriverStatusText(kStatusPortFailed, true), "COMポートオープン失敗");
    EXPECT_FALSE(driver.IsOpen());
    EXPECT_EQ(driver.ClosePort(), 1);
    EXPECT_EQ(driver.ClosePort(), 1);
}

}  // namespace
