#include "EngineLoop.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "CloseSignals.h"
#include "RadlogDoc.h"

int64_t CPollWait::NowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void CPollWait::Wait(std::span<const int> fds, int timeoutMs) {
    std::vector<pollfd> polled;
    for (int fd : fds) polled.push_back({fd, POLLIN, 0});
    ::poll(polled.data(), polled.size(), std::max(timeoutMs, 0));
}

CEngineLoop::CEngineLoop(CRadlogDoc& doc, bool stopWhenStalled)
    : m_doc(doc), m_bStopWhenStalled(stopWhenStalled) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_wakeFds) != 0)
        m_wakeFds[0] = m_wakeFds[1] = -1;
}

CEngineLoop::~CEngineLoop() {
    for (int fd : m_wakeFds)
        if (fd >= 0) ::close(fd);
}

void CEngineLoop::Tick() {
    if (m_nBusy > 0) return;
    Enter([this] {
        m_doc.OnTimerTick();
        if (m_bStopWhenStalled && m_doc.State().stalled) m_doc.RequestStop();
    });
}

bool CEngineLoop::Pump() {
    if (m_nBusy > 0) return false;
    Enter([this] { m_doc.ProcessEvents(); });
    return true;
}

void CEngineLoop::Wake() {
    if (m_wakeFds[1] < 0) return;
    const char byte = 1;
    // A full socket already holds a wake: nothing is lost when this write fails.
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFds[1], &byte, 1);
}

void CEngineLoop::DrainWakes() {
    char buffer[64];
    while (m_wakeFds[0] >= 0 && ::read(m_wakeFds[0], buffer, sizeof buffer) > 0) {
    }
}

void CEngineLoop::Run(ILoopWait& wait, CCloseSignals& close) {
    int64_t nextTick = wait.NowMs() + kTickMs;
    while (m_doc.IsRunning()) {
        const int64_t now = wait.NowMs();
        if (now >= nextTick) {
            Tick();
            nextTick += kTickMs;
            // Ticks missed by a stalled machine are not made up: the next slot is found anyway.
            if (nextTick <= now) nextTick = now + kTickMs;
        }
        const int fds[] = {m_wakeFds[0], close.Fd()};
        wait.Wait(fds, static_cast<int>(nextTick - wait.NowMs()));
        DrainWakes();
        if (close.Take()) m_doc.RequestStop();
        Pump();
    }
}
