#pragma once

#include <stop_token>
#include <string>

// One pseudo-terminal as the instrument's end of a serial line. The user-facing path is a
// symbolic link, so a device that vanishes and comes back keeps its name.
class CPtyDevice {
  public:
    explicit CPtyDevice(std::string linkPath) : m_link(std::move(linkPath)) {}
    ~CPtyDevice() { Vanish(); }
    CPtyDevice(const CPtyDevice&) = delete;
    CPtyDevice& operator=(const CPtyDevice&) = delete;

    // A new pseudo-terminal in raw mode behind the link; false when none can be made.
    bool Appear();
    // Hangs up: the other end then reads EIO, as with an unplugged adapter.
    void Vanish();
    const std::string& Path() const { return m_link; }

    // Waits up to timeoutMs for received bytes and appends them; false when nothing came.
    bool Receive(std::string& into, int timeoutMs);
    // Sends all bytes, optionally at the pace of the line speed; gives up when stop is requested.
    void Send(const std::string& bytes, bool paced, std::stop_token stop);

  private:
    std::string m_link;
    int m_master = -1;
    int m_slave = -1;  // held open so the line stays up while no program has it open
};
