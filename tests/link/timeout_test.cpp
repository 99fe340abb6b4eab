// The instruments' time-outs, exact to the millisecond on the fake clock: a reply that comes
// at the deadline is taken, one a millisecond later is not.
#include <utility>

#include "LoopDriverFixture.h"

namespace {

class Timeouts : public LoopDriver {
  protected:
    // An identification or a measurement: whether it succeeded, and why not.
    std::pair<bool, LinkFailure> Run(bool identify) {
        if (identify) {
            const SensorInfoResult info = m_driver->GetSensorInfo();
            return {info.Ready(), info.failure};
        }
        const MeasureResult measured = m_driver->Measure();
        return {measured.valid, measured.failure};
    }
};

// One second for the wake-up line, then half a second of quiet on the line; a measurement
// ends there too, before the shutter opens.
TEST_F(Timeouts, SilentSensorGivesCode2AfterOneSecond) {
    Start(kQS100, {.silent = true});
    const SensorInfoResult info = m_driver->GetSensorInfo();
    EXPECT_EQ(info.status, kStatusNoReply);
    EXPECT_EQ(m_clock.MonotonicMs(), 1500);
    EXPECT_EQ(DescribeFailure(info.failure), "no reply within 1 s to the wake-up");
    EXPECT_FALSE(m_driver->Measure().valid);
    EXPECT_EQ(m_clock.MonotonicMs(), 3000);
    EXPECT_FALSE(WasSent("OP"));
}

// When the command named was sent last, on the fake clock.
std::int64_t SentAt(const CLoopbackPort& port, const std::string& command) {
    std::int64_t at = -1;
    for (std::size_t i = 0; i < port.Commands().size(); ++i) {
        const std::string& c = port.Commands()[i];
        if (c.substr(0, c.find(',')) == command) at = port.CommandTimes()[i];
    }
    return at;
}

TEST_F(Timeouts, ReplyAtTheDeadlineIsTakenAndOneMillisecondLaterIsNot) {
    const struct {
        const char* command;
        int deadlineMs;  // after the command was sent
        int delayMs;     // the instrument's own time before the reply (the 100 ms exposure)
        bool identify;   // GetSensorInfo rather than Measure
        bool closes;     // the failure is followed by CL
    } cases[] = {
        {"", 1000, 0, false, false},   {"OP", 2000, 0, false, true}, {"GM", 2000, 100, false, true},
        {"RB", 10000, 0, false, true}, {"CL", 2000, 0, false, true}, {"SER", 2000, 0, false, false},
        {"SS", 2000, 0, false, false}, {"ID", 2000, 0, true, false}, {"CALB", 5000, 0, true, false},
    };
    for (const auto& c : cases) {
        for (int extra = 0; extra <= 1; ++extra) {
            SCOPED_TRACE(std::string(c.command) + (extra ? " late" : " in time"));
            StartReady(kQS100, {.peaks = {20000, 20000}});
            m_driver->m_nExpIndex = 3;
            m_port->lineFaults = {{c.command, 0, c.deadlineMs - c.delayMs + extra, "", 0}};
            const auto [ok, failure] = Run(c.identify);
            EXPECT_EQ(ok, !extra);
            if (!extra) continue;
            EXPECT_EQ(failure.cause, LinkFailure::kNoReply);
            EXPECT_EQ(failure.timeoutMs, c.deadlineMs);
            // The late reply came 1 ms after the deadline; the line was then quiet for 0.5 s.
            const std::int64_t waited = m_clock.MonotonicMs() - SentAt(*m_port, c.command);
            EXPECT_EQ(waited, c.deadlineMs + 1 + 500);
            EXPECT_EQ(Sent().back() == "CL", c.closes);
        }
    }
}

TEST_F(Timeouts, CutBlocksFailAfterTheirTimeOut) {
    const struct {
        const char* name;
        int model;
        const char* command;
        int cutBytes;
        LinkFailure::Cause cause;
        int waitedMs;  // from the command to the failure, quiet time included
        bool identify;
    } cases[] = {
        {"RB without OK", kQS100, "RB", 3, LinkFailure::kNoTrailer, 1000 + 500, false},
        {"RB short", kQS100, "RB", 4, LinkFailure::kShortBlock, 10000 + 500, false},
        {"CALB without OK", kQS300, "CALB", 3, LinkFailure::kNoTrailer, 1000 + 500, true},
        {"CALB short", kQS100, "CALB", 4, LinkFailure::kShortBlock, 5000 + 500, true},
        {"PXSB without OK", kQS400, "PXSB", 3, LinkFailure::kNoTrailer, 1000 + 500, true},
        {"PXSB short", kQS400, "PXSB", 4, LinkFailure::kShortBlock, 5000 + 500, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartReady(c.model);
        m_port->lineFaults = {{c.command, 0, 0, "", c.cutBytes}};
        const auto [ok, failure] = Run(c.identify);
        EXPECT_FALSE(ok);
        EXPECT_EQ(failure.cause, c.cause);
        EXPECT_EQ(m_clock.MonotonicMs() - SentAt(*m_port, c.command), c.waitedMs);
        EXPECT_EQ(Sent().back() == "CL", !c.identify);  // a failed light read closes the shutter
    }
}

}  // namespace
