#pragma once

#include <cstdint>
#include <span>

class CCloseSignals;
class CRadlogDoc;

// The loop's own time and wait: monotonic milliseconds and a wait on descriptors. Injected,
// so that a test runs the loop's seconds without waiting for them.
class ILoopWait {
  public:
    virtual ~ILoopWait() = default;
    virtual int64_t NowMs() const = 0;
    // Returns when one of fds is readable, or after timeoutMs.
    virtual void Wait(std::span<const int> fds, int timeoutMs) = 0;
};

// The steady clock and poll(2).
class CPollWait final : public ILoopWait {
  public:
    int64_t NowMs() const override;
    void Wait(std::span<const int> fds, int timeoutMs) override;
};

// What drives the controller on its user-interface thread: timer 1 (OnTimerTick, every second
// of an open acquisition) and the pump of its event queue, with a guard against re-entering
// the controller from a nested event loop (the stop confirmation). The window calls Tick and
// Pump from its Qt timer and queued calls; the headless program lets Run wait for both.
class CEngineLoop {
  public:
    static constexpr int kTickMs = 1000;

    // stopWhenStalled: a manual acquisition that cannot measure stops by itself, for a program
    // where no one is there to press Abort.
    CEngineLoop(CRadlogDoc& doc, bool stopWhenStalled);
    ~CEngineLoop();
    CEngineLoop(const CEngineLoop&) = delete;
    CEngineLoop& operator=(const CEngineLoop&) = delete;

    // Timer 1; ignored inside the controller (a late tick still finds its slot).
    void Tick();
    // Handles every queued event; false when called inside the controller: try again later.
    bool Pump();
    // Runs body inside the controller, under the guard.
    template <class Body>
    void Enter(Body body) {
        const Inside inside(m_nBusy);
        body();
    }
    // Any thread: an event was queued; Run's wait ends.
    void Wake();
    // Until the acquisition is closed: pumps whenever woken, ticks every kTickMs, and turns a
    // close request into the controller's stop request.
    void Run(ILoopWait& wait, CCloseSignals& close);

  private:
    // Counts a stay inside the controller.
    struct Inside {
        explicit Inside(int& count) : m_count(count) { ++m_count; }
        ~Inside() { --m_count; }
        Inside(const Inside&) = delete;
        Inside& operator=(const Inside&) = delete;
        int& m_count;
    };

    void DrainWakes();

    CRadlogDoc& m_doc;
    const bool m_bStopWhenStalled;
    int m_nBusy = 0;
    int m_wakeFds[2] = {-1, -1};
};
