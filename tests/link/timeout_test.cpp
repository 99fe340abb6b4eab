#include <chrono>

#include "SimDriverFixture.h"

namespace {

class RealTimeouts : public SimDriver {
protected:
    void StartSilent(int model)
    {
        QsSimFaults silent;
        silent.silent = true;
        Start(model, silent, 1.0);
    }
};
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST_F(RealTimeouts, SilentSensorGivesCode2AfterOneSecond)
{
    StartSilent(kQS100);
    const auto start = Clock::now();
    EXPECT_EQ(m_driver->GetSensorInfo(), 0);
    EXPECT_EQ(m_driver->m_nStatus, kStatusNoReply);
    EXPECT_NEAR(SecondsSince(start), 1.0, 0.15);
}

TEST_F(RealTimeouts, SilentMeasureSendsNoOp)
{
    StartSilent(kQS300);
    const auto start = Clock::now();
    EXPECT_EQ(m_driver->Measure(), 0);
    EXPECT_NEAR(SecondsSince(start), 1.0, 0.15);
    EXPECT_FALSE(WasSent("OP"));
    EXPECT_EQ(m_driver->m_bValid, 0);
}

TEST_F(RealTimeouts, ShortCalibrationGivesCode5AfterFiveSeconds)
{
    QsSimFaults shortBlock;
    shortBlock.shortCalb = 1;  // 4095 of 4096 bytes
    Start(kQS100, shortBlock, 1.0);
    const auto start = Clock::now();
    EXPECT_EQ(m_driver->GetSensorInfo(), 0);
    EXPECT_EQ(m_driver->m_nStatus, kStatusCalFailed);
    EXPECT_NEAR(SecondsSince(start), 5.0, 0.3);
}

}  // namespace
