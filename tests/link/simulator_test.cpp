#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "QsDriver.h"
#include "QsSim.h"
#include "SensorModel.h"
#include "SimInstrument.h"

namespace {

std::uint16_t Peak(const std::string& block) {
    std::uint16_t peak = 0;
    for (std::size_t i = 0; i + 1 < block.size(); i += 2) {
        const auto v = static_cast<std::uint16_t>(static_cast<unsigned char>(block[i]) |
                                                  static_cast<unsigned char>(block[i + 1]) << 8);
        peak = std::max(peak, v);
    }
    return peak;
}

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

TEST(SimInstrument, FaultsShapeTheReplies) {
    const struct {
        const char* command;
        QsSimFaults faults;
        std::string reply;  // or its size as "#n"
    } cases[] = {
        {"SER", {.ngCommand = "SER"}, "NG\r"},
        {"CALB", {.shortCalb = 24}, "#1000"},
        {"PXSB", {}, "#259"},
        {"ID", {.longLine = true}, "#301"},
        {"GM,30,0,1", {.noGmReply = true}, ""},
        {"ID", {.silent = true}, ""},
    };
    CSimInstrument sensor(kQS400, 0, 1);
    for (const auto& c : cases) {
        const std::string bytes = sensor.Respond(c.command, c.faults, 0).bytes;
        if (c.reply.starts_with('#'))
            EXPECT_EQ(bytes.size(), std::stoul(c.reply.substr(1))) << c.command;
        else
            EXPECT_EQ(bytes, c.reply) << c.command;
    }
    sensor.m_firmware = "1.81";
    EXPECT_EQ(sensor.Respond("T2", {}, 0).bytes, "NG\r");
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
    CQS400 driver;
    ASSERT_EQ(driver.OpenDevice(paths[0], 38400), 1);
    ASSERT_TRUE(driver.GetSensorInfo().Ready());
    sim.Stop();
    std::ifstream in(transcript);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14);  // wake-up, 11 queries, CALB, PXSB
    EXPECT_NE(text.find(" QS-400 CALB"), std::string::npos);
}

}  // namespace
