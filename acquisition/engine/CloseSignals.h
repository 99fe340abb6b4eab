#pragma once

#include <csignal>

// Close requests from outside the program: SIGINT, SIGTERM and SIGHUP each become a readable
// byte on Fd(), so a loop sees them as a request among its other work. A signal handler may
// do no more than write to a descriptor. One instance at a time.
class CCloseSignals {
  public:
    // Installs the handlers (Fd() stays -1 when no descriptor pair can be made); a signal
    // that is ignored now (nohup) is left ignored.
    CCloseSignals();
    // The dispositions found at construction again.
    ~CCloseSignals();
    CCloseSignals(const CCloseSignals&) = delete;
    CCloseSignals& operator=(const CCloseSignals&) = delete;

    // Readable while a request is waiting.
    int Fd() const { return m_fds[0]; }
    // Empties the descriptor; true when at least one request was waiting.
    bool Take();

  private:
    int m_fds[2] = {-1, -1};
    struct sigaction m_previous[3] = {};  // of SIGINT, SIGTERM and SIGHUP
};
