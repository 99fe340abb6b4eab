// Faults of the line, one table row each: whatever arrives late, stray or cut, a measurement
// either hands back the frame the sensor took or fails; it never takes shifted bytes. And the
// time-outs, exact to the millisecond on the fake clock: a reply that comes at the deadline is
// taken, one a millisecond later is not.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "LoopDriverFixture.h"

namespace {

// Light counts planted in every light frame: a shifted block moves or splits them.
constexpr int kMarkPixel = 10;
constexpr std::uint16_t kMark = 4321;
constexpr std::uint16_t kNextMark = 1234;
constexpr int kExposureIndex = 3;  // 100 ms, kept by the scripted peaks
constexpr double kSeconds = 0.1;

// Each command's time-out, from the command; delayMs: the instrument's own time before its
// reply (the exposure). Identification rows are taken by GetSensorInfo, the others by a
// measurement.
const struct Deadline {
    int model;
    const char* command;
    int deadlineMs;
    int delayMs;
    bool identify;
} kDeadlines[] = {
    {kQS100, "", 1000, 0, false},     {kQS100, "OP", 2000, 0, false},
    {kQS100, "GM", 2000, 100, false}, {kQS100, "RB", 10000, 0, false},
    {kQS100, "CL", 2000, 0, false},   {kQS100, "SER", 2000, 0, false},
    {kQS100, "SS", 2000, 0, false},   {kQS100, "ID", 2000, 0, true},
    {kQS100, "CALB", 5000, 0, true},  {kQS400, "FV", 2000, 0, false},
    {kQS400, "T2", 2000, 0, false},   {kQS400, "GM", 2000, 30, false},
    {kQS200, "FT", 2000, 0, true},    {kQS400, "PXSB", 5000, 0, true},
};

class Faults : public LoopDriver {
  protected:
    void StartScripted(int model, int chunkBytes = 0) {
        const QsSimFaults f{.peaks = std::vector<int>(40, 20000),
                            .rawPixels = {{kMarkPixel, kMark}, {kMarkPixel + 1, kNextMark}}};
        StartReady(model, f, chunkBytes);
        m_driver->m_nExpIndex = kExposureIndex;
    }
    // Measures as the controller does; returns the attempts used, or 0 when all failed.
    int MeasureAttempts() {
        int failed = 0;
        m_last = m_driver->MeasureWithRetries(3, [&](int, const LinkFailure&) { ++failed; });
        return m_last.valid ? failed + 1 : 0;
    }
    // The frame is the one the sensor took: marks in place, every count within the sensor's
    // range, the serial and status of this sensor.
    void ExpectTrueFrame(int model) const {
        const SensorData& d = m_last.data;
        const double seconds = model == kQS400 ? 0.03 : kSeconds;
        EXPECT_FLOAT_EQ(d.MD[kMarkPixel], static_cast<float>(kMark / seconds));
        EXPECT_FLOAT_EQ(d.MD[kMarkPixel + 1], static_cast<float>(kNextMark / seconds));
        for (std::size_t k = 0; k < d.MD.size(); ++k) {
            ASSERT_TRUE(d.MD[k] >= 0 && d.MD[k] * seconds <= 32767.5) << k << ": " << d.MD[k];
            ASSERT_TRUE(d.DD[k] >= 0 && d.DD[k] * seconds <= 32767.5) << k << ": " << d.DD[k];
        }
        EXPECT_STREQ(d.SN, m_info->cal.SN);
        if (model == kQS400) {
            EXPECT_NEAR(d.statusFloat[0], -10.0, 0.2);
            EXPECT_FLOAT_EQ(d.statusFloat[6], 36.4f);
        } else {
            EXPECT_NEAR(d.statusFloat[0], 25.0, 0.4);
            EXPECT_EQ(d.ET, 100);
        }
    }

    MeasureResult m_last{kQS100};
};

TEST_F(Faults, LateReplyAtEachAttemptNeverShiftsTheFrame) {
    for (const Deadline& c : kDeadlines) {
        if (c.identify) continue;
        // Late within the quiet time after the time-out, and later than that.
        for (int beyond : {200, 800}) {
            for (int lateAttempts = 1; lateAttempts <= 3; ++lateAttempts) {
                SCOPED_TRACE(testing::Message() << kModels[c.model].label << " '" << c.command
                                                << "' +" << beyond << " ms in " << lateAttempts);
                StartScripted(c.model);
                for (int n = 1; n <= lateAttempts; ++n)
                    m_port->lineFaults.push_back(
                        {c.command, n, c.deadlineMs - c.delayMs + beyond, "", 0});
                const int attempts = MeasureAttempts();
                if (attempts > 0) ExpectTrueFrame(c.model);
                // Within the quiet time the stale reply is gone before the next attempt. Later
                // than that it may stand in for a reply whose content is not examined, or fail.
                if (beyond == 200) {
                    EXPECT_EQ(attempts, lateAttempts < 3 ? lateAttempts + 1 : 0);
                }
                EXPECT_TRUE(attempts > 0 || m_last.failure.cause != LinkFailure::kNone);
            }
        }
    }
}

TEST_F(Faults, LateReplyDuringIdentificationFailsThatTryOnly) {
    for (const Deadline& c : kDeadlines) {
        if (!c.identify) continue;
        SCOPED_TRACE(c.command);
        Start(c.model);
        const SensorInfoResult first = m_driver->GetSensorInfo();
        ASSERT_TRUE(first.Ready());
        m_port->lineFaults = {{c.command, 2, c.deadlineMs + 200, "", 0}};
        // The calibration blocks (5 s) fail the calibration, the identity lines the identity.
        EXPECT_EQ(m_driver->GetSensorInfo().status,
                  c.deadlineMs == 5000 ? kStatusCalFailed : kStatusIdentityFailed);
        const SensorInfoResult again = m_driver->GetSensorInfo();
        ASSERT_TRUE(again.Ready());
        EXPECT_EQ(again.cal.CAL, first.cal.CAL);
        EXPECT_STREQ(again.cal.ST, kModels[c.model].label);
    }
}

TEST_F(Faults, StrayOrMissingBytesCostOneAttempt) {
    const struct {
        int model;
        const char* command;
        std::string noise;  // before the reply of the first attempt
        int cutBytes;       // of that reply
        int attempts;       // needed for a true frame
    } cases[] = {
        // What the wake-up, OP and CL say is not examined; their stray bytes are drained.
        {kQS100, "", "\x13\x37", 0, 1},
        {kQS100, "OP", "#\r", 0, 1},
        {kQS100, "CL", "#\r", 0, 1},
        {kQS100, "GM", "\x13\x37", 0, 2},
        {kQS100, "GM", "#\r", 0, 2},
        {kQS100, "SER", "#\r", 0, 2},
        {kQS100, "SS", "~~\r", 0, 2},
        {kQS100, "RB", "\x13\x37", 0, 2},  // an even shift: only the "OK" after it tells
        {kQS100, "RB", "\x13", 0, 2},
        {kQS100, "RB", "", 3, 2},  // the "OK" after the block never comes
        {kQS100, "RB", "", 4, 2},  // short block
        {kQS400, "RB", "\x01\x02", 0, 2},
        {kQS400, "T2", "#\r", 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(kModels[c.model].label) + " " + c.command);
        StartScripted(c.model);
        m_port->lineFaults = {{c.command, 1, 0, c.noise, c.cutBytes}};
        EXPECT_EQ(MeasureAttempts(), c.attempts);
        ExpectTrueFrame(c.model);
    }
}

TEST_F(Faults, ReplySplitOverManyReadsIsAssembled) {
    for (int model : {kQS100, kQS400}) {
        for (int chunk : {1, 3, 64}) {
            SCOPED_TRACE(std::string(kModels[model].label) + " pieces of " + std::to_string(chunk));
            StartScripted(model, chunk);
            EXPECT_EQ(MeasureAttempts(), 1);
            ExpectTrueFrame(model);
        }
    }
}

TEST_F(Faults, StopEndsAnExposureWithinAPollAndClosesTheShutter) {
    StartReady(kQS200, {.peaks = {2000, 2000, 2000, 2000}});  // too dark: the search goes to 5 s
    m_driver->m_nExpIndex = 8;
    const std::int64_t stopAt = m_clock.MonotonicMs() + 3000;
    m_driver->SetStopCheck([&] { return m_clock.MonotonicMs() >= stopAt; });
    int failed = 0;
    const MeasureResult stopped =
        m_driver->MeasureWithRetries(3, [&](int, const LinkFailure&) { ++failed; });
    EXPECT_FALSE(stopped.valid);
    EXPECT_EQ(failed, 1);
    EXPECT_LT(m_clock.MonotonicMs() - stopAt, 10);
    EXPECT_EQ(stopped.failure.cause, LinkFailure::kStopped);
    EXPECT_EQ(Sent().back(), "CL");
}

TEST_F(Faults, UnpluggedDeviceEndsTheAttemptsAndCanBeReopened) {
    StartScripted(kQS300);
    m_port->Unplug();
    std::vector<std::string> said;
    const MeasureResult lost = m_driver->MeasureWithRetries(
        3, [&](int, const LinkFailure& failure) { said.push_back(DescribeFailure(failure)); });
    EXPECT_FALSE(lost.valid);
    EXPECT_EQ(said, std::vector<std::string>{"device lost during the wake-up"});
    EXPECT_TRUE(m_driver->CheckLost());
    EXPECT_EQ(DescribeFailure(lost.failure), "device lost during the wake-up");
    const SensorInfoResult info = m_driver->GetSensorInfo();  // identification sees it too
    EXPECT_EQ(info.status, kStatusNoReply);
    EXPECT_EQ(info.failure.cause, LinkFailure::kLost);
    // Reopened, the device works again.
    ASSERT_EQ(m_driver->OpenDevice("loop", 38400), 1);
    EXPECT_FALSE(m_driver->DeviceLost());
    EXPECT_TRUE(m_driver->GetSensorInfo().Ready());
}

using Timeouts = LoopDriver;

// An identification or a measurement: whether it succeeded, and why not.
std::pair<bool, LinkFailure> Attempt(CQSDriver& driver, bool identify) {
    if (!identify) {
        const MeasureResult measured = driver.Measure();
        return {measured.valid, measured.failure};
    }
    const SensorInfoResult info = driver.GetSensorInfo();
    return {info.Ready(), info.failure};
}

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
    // From OP to CL the shutter is open: a failure there is followed by CL.
    const std::vector<std::string> shutterOpen = {"OP", "GM", "RB", "CL"};
    for (const Deadline& c : kDeadlines) {
        if (c.model != kQS100) continue;
        const bool closes = std::ranges::count(shutterOpen, c.command) == 1;
        for (int extra = 0; extra <= 1; ++extra) {
            SCOPED_TRACE(std::string(c.command) + (extra ? " late" : " in time"));
            StartReady(kQS100, {.peaks = {20000, 20000}});
            m_driver->m_nExpIndex = 3;
            m_port->lineFaults = {{c.command, 0, c.deadlineMs - c.delayMs + extra, "", 0}};
            const auto [ok, failure] = Attempt(*m_driver, c.identify);
            EXPECT_EQ(ok, !extra);
            if (!extra) continue;
            EXPECT_EQ(failure.cause, LinkFailure::kNoReply);
            EXPECT_EQ(failure.timeoutMs, c.deadlineMs);
            // The late reply came 1 ms after the deadline; the line was then quiet for 0.5 s.
            const std::int64_t waited = m_clock.MonotonicMs() - SentAt(*m_port, c.command);
            EXPECT_EQ(waited, c.deadlineMs + 1 + 500);
            EXPECT_EQ(Sent().back() == "CL", closes);
        }
    }
}

// A line silent from the exposure on: the shutter's failure after it does not hide the cause.
TEST_F(Timeouts, TheFirstFailureOfAnAttemptIsItsCause) {
    StartReady(kQS100, {.peaks = {20000, 20000}});
    m_driver->m_nExpIndex = 3;
    m_port->lineFaults = {{"GM", 0, 60000, "", 0}, {"CL", 0, 60000, "", 0}};
    const auto [ok, failure] = Attempt(*m_driver, false);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Sent().back(), "CL");
    EXPECT_EQ(failure.command, "GM");
    EXPECT_EQ(failure.cause, LinkFailure::kNoReply);
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
        const auto [ok, failure] = Attempt(*m_driver, c.identify);
        EXPECT_FALSE(ok);
        EXPECT_EQ(failure.cause, c.cause);
        EXPECT_EQ(m_clock.MonotonicMs() - SentAt(*m_port, c.command), c.waitedMs);
        EXPECT_EQ(Sent().back() == "CL", !c.identify);  // a failed light read closes the shutter
    }
}

}  // namespace
