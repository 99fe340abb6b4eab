#include "QsLine.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "Wire.h"

namespace {

// Every wait looks at the input queue at least this often; arriving bytes end a wait early.
constexpr int kPollIntervalMs = 10;
constexpr int kLineMs = 1000;
// After a failed exchange the line must stay silent this long before the next command: a late
// reply then ends in the bin instead of being read as the answer to the next command.
constexpr int kQuietMs = 500;
// A line that never falls silent is left after this long; the drain before the next command
// and the check of the line after every block still keep its bytes out of a frame.
constexpr int kQuietLimitMs = 5000;
// The line after every binary block: anything else means the block was cut or shifted.
constexpr const char* kBlockTrailer = "OK\r";

// The command's name as the failure reports it: "GM,100,0,1\r" -> "GM".
std::string CommandName(const char* command) {
    return std::string(command, std::strcspn(command, ",\r"));
}

}  // namespace

bool CQsLine::CheckLost() {
    if (m_pPort->IsOpen()) Drain();  // nothing is due between operations
    return m_pPort->DeviceLost();
}

std::int64_t CQsLine::DeadlineAfter(int timeoutMs) const {
    return m_clock.MonotonicMs() + std::llround(timeoutMs * m_timeScale);
}

int CQsLine::Fail(LinkFailure::Cause cause, int timeoutMs) {
    // The first failure of an operation is its cause; what follows (the shutter closing, the
    // quiet wait) does not overwrite it.
    if (m_failure.cause == LinkFailure::kNone) m_failure = {cause, m_command, timeoutMs};
    return 0;
}

LinkFailure::Cause CQsLine::AwaitInput(std::int64_t deadline) {
    if (!m_pPort->IsOpen()) return LinkFailure::kLost;
    if (StopRequested()) return LinkFailure::kStopped;
    const std::int64_t left = deadline - m_clock.MonotonicMs();
    if (left <= 0) return LinkFailure::kNoReply;
    m_pPort->WaitForInput(static_cast<int>(left < kPollIntervalMs ? left : kPollIntervalMs));
    return LinkFailure::kNone;
}

void CQsLine::Drain() {
    unsigned char bin[64];
    while (m_pPort->GetInQueue() > 0 && m_pPort->Read(bin, sizeof bin) > 0) {
    }
}

void CQsLine::AwaitQuiet() {
    const std::int64_t limit = DeadlineAfter(kQuietLimitMs);
    std::int64_t quietUntil = DeadlineAfter(kQuietMs);
    for (;;) {
        unsigned char bin[64];
        bool heard = false;
        while (m_pPort->GetInQueue() > 0 && m_pPort->Read(bin, sizeof bin) > 0) heard = true;
        if (heard) quietUntil = std::min(DeadlineAfter(kQuietMs), limit);
        const std::int64_t left = quietUntil - m_clock.MonotonicMs();
        if (left <= 0 || !m_pPort->IsOpen() || StopRequested()) return;
        m_pPort->WaitForInput(static_cast<int>(left < kPollIntervalMs ? left : kPollIntervalMs));
    }
}

bool CQsLine::Wake() {
    m_pPort->Purge();
    Send("\r");
    if (ReadLine(kLineMs) >= 1) return true;
    AwaitQuiet();
    return false;
}

void CQsLine::Send(const char* format, ...) {
    char command[kReplySize];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(command, sizeof command, format, args);
    va_end(args);
    const int length = n < 0 ? 0 : (n < kReplySize ? n : kReplySize - 1);
    m_command = CommandName(command);
    Drain();
    m_pPort->Write(command, static_cast<std::size_t>(length));
}

int CQsLine::ReadLine(int timeoutMs) {
    const std::int64_t deadline = DeadlineAfter(timeoutMs);
    m_szReply[0] = '\0';
    rad::LineBuffer line(m_szReply, kReplySize);
    for (;;) {
        char byte;
        while (m_pPort->GetInQueue() > 0 && m_pPort->Read(&byte, 1) == 1) {
            const rad::LineBuffer::State state = line.Put(byte);
            if (state == rad::LineBuffer::kComplete) return line.Length();
            if (state == rad::LineBuffer::kOverlong) return Fail(LinkFailure::kOverlong);
        }
        const LinkFailure::Cause cause = AwaitInput(deadline);
        if (cause != LinkFailure::kNone) {
            Fail(cause, timeoutMs);
            return -1;
        }
    }
}

int CQsLine::ReadBlock(unsigned char* buffer, int length, int timeoutMs) {
    const std::int64_t deadline = DeadlineAfter(timeoutMs);
    int count = 0;
    for (;;) {
        while (count < length && m_pPort->GetInQueue() > 0) {
            const std::uint32_t got =
                m_pPort->Read(buffer + count, static_cast<std::uint32_t>(length - count));
            if (got == 0) break;
            count += static_cast<int>(got);
        }
        if (count == length) return length;
        const LinkFailure::Cause cause = AwaitInput(deadline);
        if (cause != LinkFailure::kNone) {
            Fail(cause == LinkFailure::kNoReply && count > 0 ? LinkFailure::kShortBlock : cause,
                 timeoutMs);
            return -1;
        }
    }
}

int CQsLine::ReadBlockReply(unsigned char* buffer, int length, int timeoutMs) {
    if (ReadBlock(buffer, length, timeoutMs) != length) {
        AwaitQuiet();
        return 0;
    }
    if (ReadLine(kLineMs) < 1 || std::strcmp(m_szReply, kBlockTrailer) != 0) {
        // A lost device or a stop says so; a missing or wrong line says the block is not sound.
        const LinkFailure::Cause cause = m_failure.cause;
        if (cause == LinkFailure::kNone || cause == LinkFailure::kNoReply ||
            cause == LinkFailure::kOverlong)
            m_failure = {LinkFailure::kNoTrailer, m_command, kLineMs};
        AwaitQuiet();
        return 0;
    }
    return 1;
}

int CQsLine::ReadReply(int timeoutMs) {
    std::memset(m_szReply, 0, sizeof m_szReply);
    m_pField[0] = nullptr;
    const int length = ReadLine(timeoutMs);
    if (length >= 1) {
        const int count = rad::SplitFields(m_szReply, m_pField, kMaxFields);
        if (rad::ReplyAccepted(m_pField, count)) return 1;
        Fail(LinkFailure::kRefused);
    }
    AwaitQuiet();
    return 0;
}

int CQsLine::FieldCount() const {
    int count = 0;
    while (count < kMaxFields && m_pField[count] != nullptr) ++count;
    return count;
}

int CQsLine::Query(const char* command, int timeoutMs) {
    Send("%s\r", command);
    return ReadReply(timeoutMs);
}

int CQsLine::Acknowledge(const char* command) {
    Send("%s\r", command);
    if (ReadLine(kReplyMs) >= 1) return 1;  // the content is not examined
    AwaitQuiet();
    return 0;
}
