#include "CloseRequests.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

namespace {

// A signal handler may only write to a descriptor; the notifier reads it on the UI thread.
int g_signalPipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void OnPosixSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

}  // namespace

CCloseRequests::CCloseRequests(QObject* parent) : QObject(parent) {
    if (g_signalPipe[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0)
        return;
    m_pNotifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CCloseRequests::OnSignal);
    struct sigaction action = {};
    action.sa_handler = OnPosixSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kSignals) sigaction(sig, &action, nullptr);
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // The session is ending and will not wait for a confirmation.
        connect(gui, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { emit closeRequested(); });
    }
}

CCloseRequests::~CCloseRequests() {
    for (int sig : kSignals) std::signal(sig, SIG_DFL);
}

void CCloseRequests::OnSignal() {
    char buffer[16];
    while (::read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
    }
    emit closeRequested();
}
