#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "LinkClock.h"
#include "LinkFailure.h"
#include "Port.h"

// The command and reply exchange with one sensor over its port: commands out, reply lines split
// into fields, binary blocks with their trailer, and the bounded waits for each. The first
// failure of an operation is kept as its cause. Every exchange starts on an empty input queue,
// and a failed one lets the line fall silent before the next command, so a late or stray byte
// is never read as the answer to another.
class CQsLine {
  public:
    static constexpr int kReplySize = 256;
    static constexpr int kMaxFields = 16;
    // The usual reply wait, ms.
    static constexpr int kReplyMs = 2000;

    CQsLine(std::unique_ptr<CPort> port, const ILinkClock& clock)
        : m_pPort(std::move(port)), m_clock(clock) {}
    ~CQsLine() { m_pPort->Close(); }
    CQsLine(const CQsLine&) = delete;
    CQsLine& operator=(const CQsLine&) = delete;

    CPort& Port() { return *m_pPort; }
    const CPort& Port() const { return *m_pPort; }
    // Looks at the idle port now, so that a hang-up is seen before the next operation.
    bool CheckLost();
    // Asked between commands and inside every wait; true ends the operation at once (failed).
    void SetStopCheck(std::function<bool()> stopRequested) { m_stop = std::move(stopRequested); }
    bool StopRequested() const { return m_stop && m_stop(); }
    // Multiplies every reply time-out; 1.0 unless a test shortens them.
    void SetTimeScale(double scale) { m_timeScale = scale; }

    // An operation (identification, measurement) begins: no failure yet.
    void BeginOperation() { m_failure = {}; }
    const LinkFailure& Failure() const { return m_failure; }
    // Records cause unless the operation already failed; returns 0.
    int Fail(LinkFailure::Cause cause, int timeoutMs = 0);

    // A bare line end on an emptied line: true when the sensor answers with any line.
    bool Wake();
    // Sends the printf-formatted command (with its "\r") after draining stray input.
    void Send(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // A reply line split into fields; 1 when its first field accepts the command.
    int ReadReply(int timeoutMs);
    // Send(command) and ReadReply.
    int Query(const char* command, int timeoutMs = kReplyMs);
    // A reply line must come, but what it says is not examined (OP, CL).
    int Acknowledge(const char* command);
    // length bytes followed by the "OK" line.
    int ReadBlockReply(unsigned char* buffer, int length, int timeoutMs);
    // The fields of the last reply, null after the last one.
    const char* const* Fields() const { return m_pField; }
    int FieldCount() const;

  private:
    int ReadLine(int timeoutMs);
    int ReadBlock(unsigned char* buffer, int length, int timeoutMs);
    std::int64_t DeadlineAfter(int timeoutMs) const;
    // Waits a little for input; kNone, or why no more will come before the deadline.
    LinkFailure::Cause AwaitInput(std::int64_t deadline);
    void Drain();
    void AwaitQuiet();

    char m_szReply[kReplySize]{};
    const char* m_pField[kMaxFields]{};
    std::unique_ptr<CPort> m_pPort;
    const ILinkClock& m_clock;
    std::function<bool()> m_stop;
    LinkFailure m_failure;
    std::string m_command;  // name of the last command sent
    double m_timeScale = 1.0;
};
