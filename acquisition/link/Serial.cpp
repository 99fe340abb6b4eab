#include "Serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace {

speed_t BaudConstant(int baud) {
    switch (baud) {
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return 0;
    }
}

bool Configure(int fd, int baud) {
    const speed_t speed = BaudConstant(baud);
    termios tio{};
    if (speed == 0 || tcgetattr(fd, &tio) != 0) return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0) return false;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

// Pseudo-terminals have no modem lines; ENOTTY/EINVAL then is no error.
void SetModemLine(int fd, int line, bool on) { ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line); }

bool IsDeviceGone(int err) { return err == EIO || err == ENODEV || err == ENXIO; }

}  // namespace

CSerial::~CSerial() { Close(); }

int CSerial::Open(const std::string& path, int baud) {
    Close();
    m_bLost = false;
    m_openError = 0;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_openError = errno;
        return 0;
    }
    // TIOCEXCL stops other non-root openers; the lock also stops root and this very process.
    const bool ok =
        ioctl(fd, TIOCEXCL) == 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 && Configure(fd, baud);
    if (!ok) {
        m_openError = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return 0;
    }
    SetModemLine(fd, TIOCM_RTS, true);
    SetModemLine(fd, TIOCM_DTR, true);
    tcflush(fd, TCIOFLUSH);
    m_fd = fd;
    return 1;
}

void CSerial::Close() {
    if (m_fd < 0) return;
    SetModemLine(m_fd, TIOCM_DTR, false);
    tcflush(m_fd, TCIOFLUSH);
    ioctl(m_fd, TIOCNXCL);
    flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

void CSerial::NoteError(int err) {
    if (!IsDeviceGone(err)) return;
    Close();
    m_bLost = true;
}

std::uint32_t CSerial::GetModemStatus() {
    int lines = 0;
    if (ioctl(m_fd, TIOCMGET, &lines) != 0) return kModemCts;
    return (lines & TIOCM_CTS) ? kModemCts : 0;
}

int CSerial::Write(const void* data, std::size_t length) {
    if (m_fd < 0 || (GetModemStatus() & kModemCts) == 0) return 0;
    const char* p = static_cast<const char*>(data);
    std::size_t left = length;
    // A full output queue drains at line speed; the bound (about 2 s) is far above one command.
    for (int attempts = 0; left > 0 && attempts < 200; ++attempts) {
        const ssize_t n = ::write(m_fd, p, left);
        if (n > 0) {
            p += n;
            left -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            NoteError(errno);
            return 0;
        }
        pollfd pfd{m_fd, POLLOUT, 0};
        poll(&pfd, 1, 10);
    }
    return left == 0 ? 1 : 0;
}

std::uint32_t CSerial::GetInQueue() {
    if (m_fd < 0) return 0;
    int waiting = 0;
    if (ioctl(m_fd, FIONREAD, &waiting) != 0) {
        NoteError(errno);
        return 0;
    }
    if (waiting > 0) return static_cast<std::uint32_t>(waiting);
    // An unplugged adapter or a vanished pseudo-terminal master shows only as a hang-up.
    pollfd pfd{m_fd, POLLIN, 0};
    if (poll(&pfd, 1, 0) == 1 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
        NoteError(EIO);
    return 0;
}

std::uint32_t CSerial::Read(void* buffer, std::uint32_t maxLength) {
    const std::uint32_t waiting = GetInQueue();
    const std::uint32_t n = waiting < maxLength ? waiting : maxLength;
    if (n == 0) return 0;
    const ssize_t got = ::read(m_fd, buffer, n);
    if (got < 0) {
        NoteError(errno);
        return 0;
    }
    return static_cast<std::uint32_t>(got);
}

void CSerial::Purge() {
    if (m_fd >= 0) tcflush(m_fd, TCIOFLUSH);
}

void CSerial::WaitForInput(int maxMs) {
    if (m_fd < 0) return;
    pollfd pfd{m_fd, POLLIN, 0};
    poll(&pfd, 1, maxMs);
}
