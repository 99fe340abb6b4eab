#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "RadlogHost.h"
#include "RadlogSettings.h"
#include "SunGate.h"

// Timer 1 of an interval acquisition: finds the due slots of the window and says why no cycle
// runs (outside the window, the sun too low, slots the timer passed by) and when the next one
// does. The window is read from the settings on every tick.
class CIntervalTimer {
  public:
    // What one tick decided.
    struct Tick {
        bool due = false;
        std::optional<int64_t> slot;  // the due cycle's time stamp; none when it has no time
    };

    CIntervalTimer(const RadlogSettings& settings, IRadlogHost& host)
        : m_settings(settings), m_host(host) {}

    // An acquisition starts; its sun gate comes from [SUN] and [SITE] for an interval one.
    void Begin(bool interval);
    Tick OnTick(int64_t now);
    // Clears a wait text the host shows (a stop).
    void ClearWait() { ShowWait(""); }
    // Slots of the window the timer passed by, each said in the output.
    int64_t SkippedSlots() const { return m_nSkipped; }

  private:
    rad::IntervalWindow Window() const;
    void NoteWindow(int64_t now, int64_t second);
    void NoteSkippedSlots(int64_t second);
    void ShowWait(const std::string& text);

    const RadlogSettings& m_settings;
    IRadlogHost& m_host;
    rad::CSunGate m_sunGate;
    int64_t m_prevSecondOfDay = 0;
    bool m_bWindowNoted = false;  // the next due cycle has been named
    bool m_bSunNoted = false;     // the sun's wait has been told
    bool m_bWaitShown = false;    // the host shows a wait text
    int64_t m_nSkipped = 0;
};
