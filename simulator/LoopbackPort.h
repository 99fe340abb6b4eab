#pragma once

#include <cerrno>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "LinkClock.h"
#include "Port.h"
#include "QsSim.h"
#include "SimInstrument.h"

// A clock that moves only when told: by a test, or by a loopback port that waits for input.
class CFakeLinkClock final : public ILinkClock {
  public:
    std::int64_t MonotonicMs() const override { return m_ms; }
    std::int64_t Now() const override { return m_epoch + m_ms / 1000; }
    void Advance(std::int64_t ms) { m_ms += ms; }

  private:
    std::int64_t m_ms = 0;
    std::int64_t m_epoch = 1719813600;  // 2024-07-01 06:00 UTC
};

// One misbehaviour of the line, applied to the reply of one command.
struct LoopFault {
    std::string command;  // command name ("GM", "RB"; "" for the wake-up line)
    int occurrence = 0;   // the n-th time it is received since RestartCount (from 1); 0 = always
    int lateMs = 0;       // the reply comes this long after the instrument's own time
    std::string noise;    // stray bytes before the reply
    int cutBytes = 0;     // bytes left off the end of the reply; they never come
};

// A sensor on the end of a cable that answers from the simulator's instrument model at once,
// without a pseudo-terminal or a thread. Time passes only while the driver waits for input,
// on the fake clock: an exposure or a time-out costs no wall time and is exact. Replies leave
// in the order of their commands, as from one instrument working through its input.
class CLoopbackPort final : public CPort {
  public:
    CLoopbackPort(int model, CFakeLinkClock& clock, std::uint32_t seed = 7);

    int Open(const std::string& path, int baud) override;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    int Write(const void* data, std::size_t length) override;
    std::uint32_t GetInQueue() override;
    std::uint32_t Read(void* buffer, std::uint32_t maxLength) override;
    void WaitForInput(int maxMs) override;
    void Purge() override;
    bool DeviceLost() const override { return m_lost; }
    int OpenError() const override { return m_open || openable ? 0 : ENOENT; }

    // The instrument's own faults (NG replies, short blocks, scripted peaks, ...).
    QsSimFaults faults;
    std::vector<LoopFault> lineFaults;
    // Replies arrive in pieces of this many bytes, one millisecond apart; 0 = whole.
    int chunkBytes = 0;
    // False: Open fails as for a missing device.
    bool openable = true;

    CSimInstrument& Instrument() { return m_instrument; }
    // Commands received, oldest first, without their CR.
    const std::vector<std::string>& Commands() const { return m_commands; }
    // When each of them was received, on the fake clock.
    const std::vector<std::int64_t>& CommandTimes() const { return m_times; }
    // Occurrences of LoopFault count from here on.
    void RestartCount() { m_countFrom = m_commands.size(); }
    // The cable is pulled: the port reports the loss and counts as closed.
    void Unplug();
    // Reply bytes received by the driver and bytes still on their way.
    std::size_t Waiting() const { return m_arrived.size(); }
    std::size_t InFlight() const;

  private:
    struct Piece {
        std::int64_t at;
        std::string bytes;
    };
    void Answer(const std::string& command);
    void Deliver();

    CFakeLinkClock& m_clock;
    CSimInstrument m_instrument;
    bool m_open = false;
    bool m_lost = false;
    std::string m_received;  // command bytes not yet ended by CR
    std::vector<std::string> m_commands;
    std::vector<std::int64_t> m_times;
    std::size_t m_countFrom = 0;
    std::deque<Piece> m_inFlight;
    std::string m_arrived;
    std::int64_t m_lastArrival = 0;
    std::int64_t m_busyUntil = 0;
};
