#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "QsDriver.h"
#include "QsSim.h"
#include "SensorModel.h"
#include "SimInstrument.h"
#include "SimulatedSky.h"

namespace {

// The little-endian counts of a block.
std::vector<int> Counts(const std::string& block) {
    std::vector<int> counts;
    for (std::size_t i = 0; i + 1 < block.size(); i += 2)
        counts.push_back(static_cast<unsigned char>(block[i]) |
                         static_cast<unsigned char>(block[i + 1]) << 8);
    return counts;
}

int Peak(const std::string& block) { return std::ranges::max(Counts(block)); }

// Counts of the last exposure, the block without its trailing line.
std::string Frame(CSimInstrument& sensor, const QsSimFaults& f) {
    std::string bytes = sensor.Respond("RB,0", f, 0).bytes;
    return bytes.substr(0, bytes.size() - 3);
}

TEST(SimInstrument, GmTakesItsExposureAndCountsFollowTheLight) {
    CSimInstrument sensor(kQS100, 0, 1);
    const QsSimFaults f;
    sensor.Respond("OP", f, 0);
    const SimReply gm = sensor.Respond("GM,100,0,1", f, 0);
    EXPECT_EQ(gm.delayMs, 100);
    EXPECT_EQ(gm.bytes, "OK\r");
    const std::string frame = Frame(sensor, f);
    ASSERT_EQ(frame.size(), 2048u);
    const int at100 = Peak(frame);
    sensor.Respond("GM,50,0,1", f, 0);
    const int at50 = Peak(Frame(sensor, f));
    EXPECT_NEAR(at100 - 300, 2 * (at50 - 300), 0.05 * at100);
    sensor.Respond("GM,5000,0,1", f, 0);
    EXPECT_EQ(Peak(Frame(sensor, f)), CSimOptics::kFullScale);  // saturates
    sensor.Respond("CL", f, 0);
    sensor.Respond("GM,100,0,1", f, 0);
    EXPECT_LT(Peak(Frame(sensor, f)), 400);  // dark only
}

// The sensor sees the sky of its clock, and its calibration gives that sky back.
TEST(SimInstrument, SeesTheSkyOfItsClockAndItsCalibrationGivesItBack) {
    constexpr std::int64_t kJuneNoon = 1782043200;  // 2026-06-21 12:00 UTC, at longitude 0
    const rad::SiteLocation site{35.0, 0.0, 40.0};
    const struct {
        const char* what;
        rad::SkyKind kind;
        std::int64_t at;
        int exposureMs;
    } cases[] = {
        {"clear noon", rad::SkyKind::Clear, kJuneNoon, 100},
        {"clear night", rad::SkyKind::Clear, kJuneNoon - 43200, 100},
        {"noon at night", rad::SkyKind::Noon, kJuneNoon - 43200, 100},
        {"lamp", rad::SkyKind::Lamp, kJuneNoon, 5000},
    };
    const QsSimFaults f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CSimInstrument sensor(kQS100, 0, 1);
        const rad::SkyScene scene{c.kind, site};
        sensor.SetSky({scene, [&c] { return c.at; }});
        const std::string gm = "GM," + std::to_string(c.exposureMs) + ",0,1";
        sensor.Respond("CL", f, 0);
        sensor.Respond(gm, f, 0);
        const std::vector<int> dark = Counts(Frame(sensor, f));
        sensor.Respond("OP", f, 0);
        sensor.Respond(gm, f, 0);
        const std::vector<int> light = Counts(Frame(sensor, f));
        const CSimOptics optics(kQS100, 1);
        const std::vector<double> sky =
            optics.PixelLight(rad::SkySpectrum1nm(scene, c.at, 290, 1110), 290);
        double measured = 0, truth = 0;
        for (std::size_t i = 0; i < light.size(); ++i) {
            if (optics.PixelNm()[i] < 450 || optics.PixelNm()[i] > 650) continue;
            measured += (light[i] - dark[i]) * 1000.0 / c.exposureMs * optics.Calibration()[i];
            truth += sky[i];
        }
        if (c.kind == rad::SkyKind::Clear && c.at != kJuneNoon) {
            EXPECT_EQ(truth, 0.0);
            EXPECT_NEAR(measured, 0.0, 0.01 * sky.size());
        } else {
            EXPECT_GT(truth, 0.0);
            EXPECT_NEAR(measured / truth, 1.0, 0.02);
        }
    }
}

// The refusals the driver never meets: its faults' replies are checked where the driver takes them.
TEST(SimInstrument, RefusesWhatItsModelOrFirmwareLacks) {
    CSimInstrument masked(kQS400, 0, 1);
    masked.m_firmware = "1.81";
    EXPECT_EQ(masked.Respond("T2", {}, 0).bytes, "NG\r");
    CSimInstrument visible(kQS100, 0, 1);
    EXPECT_EQ(visible.Respond("PXSB", {}, 0).bytes, "NG\r");
}

TEST(QsSim, ServesSeveralSensorsAndWritesATranscript) {
    const std::string transcript = ::testing::TempDir() + "qssim_transcript.txt";
    std::remove(transcript.c_str());
    CQsSim sim(QsSimOptions{.pacing = true, .transcriptPath = transcript});
    const std::vector<std::string> paths = sim.Start({kQS400, kQS300});
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_NE(paths[0], paths[1]);
    CQSDriver driver(kQS400);
    ASSERT_EQ(driver.OpenDevice(paths[0], 38400), 1);
    ASSERT_TRUE(driver.GetSensorInfo().Ready());
    sim.Stop();
    std::ifstream in(transcript);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14);  // wake-up, 11 queries, CALB, PXSB
    EXPECT_NE(text.find(" QS-400 CALB"), std::string::npos);
}

}  // namespace
