#include "LoopbackPort.h"

#include <algorithm>
#include <cstring>

CLoopbackPort::CLoopbackPort(int model, CFakeLinkClock& clock, std::uint32_t seed)
    : m_clock(clock), m_instrument(model, 0, seed) {}

int CLoopbackPort::Open(const std::string&, int) {
    if (m_open || !openable) return 0;  // held exclusively, or no such device
    m_open = true;
    m_lost = false;
    m_arrived.clear();
    return 1;
}

void CLoopbackPort::Close() {
    m_open = false;
    m_received.clear();
    m_arrived.clear();
}

void CLoopbackPort::Unplug() {
    Close();
    m_inFlight.clear();
    m_lost = true;
}

int CLoopbackPort::Write(const void* data, std::size_t length) {
    if (!m_open) return 0;
    m_received.append(static_cast<const char*>(data), length);
    for (std::size_t cr = m_received.find('\r'); cr != std::string::npos;
         cr = m_received.find('\r')) {
        const std::string command = m_received.substr(0, cr);
        m_received.erase(0, cr + 1);
        Answer(command);
    }
    return 1;
}

void CLoopbackPort::Answer(const std::string& command) {
    m_commands.push_back(command);
    m_times.push_back(m_clock.MonotonicMs());
    const std::string name = command.substr(0, command.find(','));
    const int seen = static_cast<int>(std::count_if(
        m_commands.begin() + static_cast<std::ptrdiff_t>(m_countFrom), m_commands.end(),
        [&](const std::string& c) { return c.substr(0, c.find(',')) == name; }));
    const double seconds = static_cast<double>(m_clock.MonotonicMs()) / 1000.0;
    SimReply reply = m_instrument.Respond(command, faults, seconds);
    // The instrument works through its commands in turn, the exposures one after another.
    m_busyUntil = std::max(m_clock.MonotonicMs(), m_busyUntil) + reply.delayMs;
    std::int64_t delay = reply.lateMs;
    for (const LoopFault& f : lineFaults) {
        if (f.command != name || (f.occurrence != 0 && f.occurrence != seen)) continue;
        delay += f.lateMs;
        const std::size_t cut = std::min(reply.bytes.size(), static_cast<std::size_t>(f.cutBytes));
        reply.bytes = f.noise + reply.bytes.substr(0, reply.bytes.size() - cut);
    }
    if (reply.bytes.empty()) return;
    // No reply overtakes an earlier one.
    std::int64_t at = std::max(m_busyUntil + delay, m_lastArrival);
    const std::size_t piece =
        chunkBytes > 0 ? static_cast<std::size_t>(chunkBytes) : reply.bytes.size();
    for (std::size_t i = 0; i < reply.bytes.size(); i += piece, ++at) {
        m_inFlight.push_back({at, reply.bytes.substr(i, piece)});
        m_lastArrival = at;
    }
}

void CLoopbackPort::Deliver() {
    while (!m_inFlight.empty() && m_inFlight.front().at <= m_clock.MonotonicMs()) {
        if (m_open) m_arrived += m_inFlight.front().bytes;
        m_inFlight.pop_front();
    }
}

std::size_t CLoopbackPort::InFlight() const {
    std::size_t n = 0;
    for (const Piece& p : m_inFlight) n += p.bytes.size();
    return n;
}

std::uint32_t CLoopbackPort::GetInQueue() {
    Deliver();
    return static_cast<std::uint32_t>(m_arrived.size());
}

std::uint32_t CLoopbackPort::Read(void* buffer, std::uint32_t maxLength) {
    Deliver();
    const std::size_t n = std::min<std::size_t>(maxLength, m_arrived.size());
    std::memcpy(buffer, m_arrived.data(), n);
    m_arrived.erase(0, n);
    return static_cast<std::uint32_t>(n);
}

void CLoopbackPort::WaitForInput(int maxMs) {
    Deliver();
    if (!m_arrived.empty() || maxMs <= 0) return;
    std::int64_t step = maxMs;
    if (!m_inFlight.empty())
        step = std::min<std::int64_t>(step, m_inFlight.front().at - m_clock.MonotonicMs());
    m_clock.Advance(step);
    Deliver();
}

void CLoopbackPort::Purge() {
    Deliver();
    m_arrived.clear();
}
