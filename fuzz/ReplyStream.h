#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "LinkClock.h"
#include "Port.h"

// A sensor's replies as one stream of bytes for the reply fuzzer: the reply to each command
// the driver sends is the next piece of the stream, up to a separator. Time passes only while
// the driver waits, so every time-out costs nothing.
namespace fuzz {

inline constexpr std::string_view kReplySeparator = "\n~~\n";

class CStepClock final : public ILinkClock {
  public:
    std::int64_t MonotonicMs() const override { return m_ms; }
    std::int64_t Now() const override { return 1719813600 + m_ms / 1000; }
    void Advance(int ms) { m_ms += ms > 0 ? ms : 1; }

  private:
    std::int64_t m_ms = 0;
};

class CReplyStreamPort final : public CPort {
  public:
    CReplyStreamPort(std::string_view stream, CStepClock& clock)
        : m_stream(stream), m_clock(clock) {}

    int Open(const std::string&, int) override { return m_open = true; }
    void Close() override { m_open = false; }
    bool IsOpen() const override { return m_open; }
    int Write(const void*, std::size_t length) override {
        // A command: its reply arrives.
        const std::size_t end = m_stream.find(kReplySeparator);
        m_arrived += m_stream.substr(0, end);
        m_stream = end == m_stream.npos ? "" : m_stream.substr(end + kReplySeparator.size());
        return static_cast<int>(length);
    }
    std::uint32_t GetInQueue() override { return static_cast<std::uint32_t>(m_arrived.size()); }
    std::uint32_t Read(void* buffer, std::uint32_t maxLength) override {
        const std::size_t n = std::min<std::size_t>(maxLength, m_arrived.size());
        m_arrived.copy(static_cast<char*>(buffer), n);
        m_arrived.erase(0, n);
        return static_cast<std::uint32_t>(n);
    }
    void WaitForInput(int maxMs) override { m_clock.Advance(maxMs); }
    void Purge() override { m_arrived.clear(); }
    bool DeviceLost() const override { return false; }

  private:
    std::string_view m_stream;
    std::string m_arrived;
    CStepClock& m_clock;
    bool m_open = false;
};

}  // namespace fuzz
