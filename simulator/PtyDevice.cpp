#include "PtyDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "SensorModel.h"

namespace {

// 10 bits per byte (start, 8 data, stop) at the models' line speed.
constexpr double kByteMicros = 10.0 * 1e6 / kBaudRate;

}  // namespace

bool CPtyDevice::Appear() {
    Vanish();
    char name[128];
    termios tio{};
    cfmakeraw(&tio);
    cfsetispeed(&tio, B38400);
    cfsetospeed(&tio, B38400);
    if (openpty(&m_master, &m_slave, name, &tio, nullptr) != 0) return false;
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    unlink(m_link.c_str());
    if (symlink(name, m_link.c_str()) != 0) {
        Vanish();
        return false;
    }
    return true;
}

void CPtyDevice::Vanish() {
    if (m_master < 0) return;
    unlink(m_link.c_str());
    close(m_slave);
    close(m_master);
    m_master = m_slave = -1;
}

bool CPtyDevice::Receive(std::string& into, int timeoutMs) {
    if (m_master < 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
        return false;
    }
    pollfd pfd{m_master, POLLIN, 0};
    if (poll(&pfd, 1, timeoutMs) != 1 || (pfd.revents & POLLIN) == 0) return false;
    char buffer[512];
    const ssize_t n = read(m_master, buffer, sizeof buffer);
    if (n <= 0) return false;
    into.append(buffer, static_cast<std::size_t>(n));
    return true;
}

void CPtyDevice::Send(const std::string& bytes, bool paced, std::stop_token stop) {
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    std::size_t sent = 0;
    while (sent < bytes.size() && m_master >= 0 && !stop.stop_requested()) {
        std::size_t due = bytes.size();
        if (paced) {
            const double micros =
                std::chrono::duration<double, std::micro>(clock::now() - start).count();
            due = std::min(bytes.size(), static_cast<std::size_t>(micros / kByteMicros) + 1);
        }
        if (due > sent) {
            const ssize_t n = write(m_master, bytes.data() + sent, due - sent);
            if (n > 0)
                sent += static_cast<std::size_t>(n);
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                return;
        }
        if (sent < bytes.size())
            std::this_thread::sleep_for(std::chrono::microseconds(paced ? 500 : 1000));
    }
}
