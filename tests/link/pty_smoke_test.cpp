// The driver over a real pseudo-terminal and the termios port: one measurement per model, and
// a device that vanishes and comes back at its path.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "QsDriver.h"
#include "QsSim.h"

namespace {

// One driver talking to one simulated sensor over a real pseudo-terminal, with shortened
// exposures and time-outs so the tests stay quick.
class PtySmoke : public ::testing::Test {
  protected:
    void Start(int model, const QsSimFaults& faults = {}) {
        m_sim = std::make_unique<CQsSim>(QsSimOptions{.exposureScale = 0.02, .seed = 7});
        const std::vector<std::string> paths = m_sim->Start({model});
        ASSERT_EQ(paths.size(), 1u);
        m_path = paths[0];
        m_sim->SetFaults(0, faults);
        m_driver = std::make_unique<CQSDriver>(model);
        m_driver->SetTimeScale(0.25);
        ASSERT_EQ(m_driver->OpenDevice(m_path, 38400), 1);
    }
    std::unique_ptr<CQsSim> m_sim;
    std::unique_ptr<CQSDriver> m_driver;
    std::string m_path;
};

TEST_F(PtySmoke, EveryModelIdentifiesAndMeasures) {
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(kModels[model].label);
        Start(model);
        const SensorInfoResult info = m_driver->GetSensorInfo();
        ASSERT_TRUE(info.Ready());
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        EXPECT_STREQ(measured.data.SN, info.cal.SN);
        EXPECT_GT(measured.data.ET, 0);
    }
}

TEST_F(PtySmoke, VanishedDeviceIsSeenAndCanBeReopened) {
    Start(kQS100, {.dropAfter = 3, .dropMs = 200});
    EXPECT_EQ(m_driver->GetSensorInfo().status, kStatusIdentityFailed);
    EXPECT_TRUE(m_driver->DeviceLost());
    EXPECT_FALSE(m_driver->IsOpen());
    ASSERT_TRUE(m_sim->WaitPluggedIn(0, 5000));
    ASSERT_EQ(m_driver->OpenDevice(m_path, 38400), 1);
    EXPECT_TRUE(m_driver->GetSensorInfo().Ready());
}

TEST_F(PtySmoke, HangUpOfAnIdlePortIsSeenAtOnce) {
    Start(kQS200);
    ASSERT_TRUE(m_driver->GetSensorInfo().Ready());
    EXPECT_FALSE(m_driver->CheckLost());
    m_sim->SetFaults(0, {.dropAfter = 1, .dropMs = 60000});
    m_driver->Port().Write("\r\r", 2);  // the sensor drops off the bus on the second line
    // The port's own wait ends at the hang-up.
    bool lost = false;
    for (int i = 0; i < 100 && !lost; ++i) {
        m_driver->Port().WaitForInput(100);
        lost = m_driver->CheckLost();
    }
    EXPECT_TRUE(lost);
    EXPECT_FALSE(m_driver->IsOpen());
}

}  // namespace
