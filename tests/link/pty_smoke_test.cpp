// The driver over a real pseudo-terminal and the termios port: one measurement per model, and
// a device that vanishes and comes back at its path.
#include <unistd.h>

#include "SimDriverFixture.h"

namespace {

using PtySmoke = SimDriver;

TEST_F(PtySmoke, EveryModelIdentifiesAndMeasures) {
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(kModels[model].label);
        Start(model);
        ASSERT_EQ(m_driver->GetSensorInfo(), 1);
        ASSERT_EQ(m_driver->Measure(), 1);
        EXPECT_STREQ(m_driver->m_data.SN, m_driver->m_cal.SN);
        EXPECT_GT(m_driver->m_data.ET, 0);
    }
}

TEST_F(PtySmoke, VanishedDeviceIsSeenAndCanBeReopened) {
    QsSimFaults drop;
    drop.dropAfter = 3;
    drop.dropMs = 200;
    Start(kQS100, drop);
    EXPECT_EQ(m_driver->GetSensorInfo(), 0);
    EXPECT_EQ(m_driver->m_nStatus, kStatusIdentityFailed);
    EXPECT_TRUE(m_driver->DeviceLost());
    EXPECT_FALSE(m_driver->IsOpen());
    int opened = 0;
    for (int i = 0; i < 50 && !opened; ++i) {
        opened = m_driver->OpenDevice(m_path, 38400);
        if (!opened) usleep(20000);
    }
    ASSERT_EQ(opened, 1);
    EXPECT_EQ(m_driver->GetSensorInfo(), 1);
}

TEST_F(PtySmoke, HangUpOfAnIdlePortIsSeenAtOnce) {
    QsSimFaults drop;
    drop.dropAfter = 1;
    drop.dropMs = 60000;
    Start(kQS200);
    ASSERT_EQ(m_driver->GetSensorInfo(), 1);
    EXPECT_FALSE(m_driver->CheckLost());
    m_sim->SetFaults(0, drop);
    m_driver->Port().Write("\r\r", 2);  // the sensor drops off the bus on the second line
    bool lost = false;
    for (int i = 0; i < 100 && !lost; ++i) {
        lost = m_driver->CheckLost();
        if (!lost) usleep(10000);
    }
    EXPECT_TRUE(lost);
    EXPECT_FALSE(m_driver->IsOpen());
}

}  // namespace
