#include "CloseSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <iterator>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
// Read by the handler: a lock-free atomic is safe in a signal handler, a plain global is not.
std::atomic<int> g_writeFd{-1};

void OnCloseSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_writeFd.load(), &byte, 1);
    errno = savedErrno;
}

}  // namespace

CCloseSignals::CCloseSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_fds) != 0) {
        m_fds[0] = m_fds[1] = -1;
        return;
    }
    g_writeFd = m_fds[1];
    struct sigaction action = {};
    action.sa_handler = OnCloseSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], nullptr, &m_previous[i]);
        // A signal ignored by whoever started us stays ignored: under nohup, or as a
        // background job, the end of the terminal session must not end the station.
        if (m_previous[i].sa_handler != SIG_IGN) ::sigaction(kSignals[i], &action, nullptr);
    }
}

CCloseSignals::~CCloseSignals() {
    if (m_fds[0] < 0) return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &m_previous[i], nullptr);
    g_writeFd = -1;
    ::close(m_fds[0]);
    ::close(m_fds[1]);
}

bool CCloseSignals::Take() {
    bool taken = false;
    char buffer[16];
    while (m_fds[0] >= 0 && ::read(m_fds[0], buffer, sizeof buffer) > 0) taken = true;
    return taken;
}
