#include "IntervalTimer.h"

#include "Schedule.h"
#include "SkippedSlots.h"

void CIntervalTimer::Begin(bool interval) {
    m_prevSecondOfDay = 0;
    m_bWindowNoted = false;
    m_bSunNoted = false;
    std::string sunProblem;
    m_sunGate = interval ? rad::MakeSunGate(m_settings.sun, m_settings.siteLat, m_settings.siteLon,
                                            m_settings.siteAlt, &sunProblem)
                         : rad::CSunGate();
    if (!sunProblem.empty()) m_host.Note(sunProblem);
}

rad::IntervalWindow CIntervalTimer::Window() const {
    return {m_settings.start, m_settings.end, m_settings.interval};
}

CIntervalTimer::Tick CIntervalTimer::OnTick(int64_t now) {
    const auto second = rad::SecondOfDay(now);
    if (!second) return {};
    NoteWindow(now, *second);
    NoteSkippedSlots(*second);
    const rad::IntervalWindow window = Window();
    Tick tick;
    const bool due = rad::IsCycleDue(window, *second, m_prevSecondOfDay);
    const bool first = m_prevSecondOfDay == 0 && window.start <= *second && *second <= window.end;
    if ((due || first) && !m_sunGate.Allows(now)) {
        // Why the sun holds the due cycle back, once per wait.
        if (!m_bSunNoted) ShowWait(rad::SunWaitText(m_sunGate, now, window));
        m_bSunNoted = true;
    } else if (due) {
        m_bSunNoted = false;
        ShowWait("");
        tick = {true, rad::SlotTime(now, *second, window.interval)};
    }
    m_prevSecondOfDay = *second;
    return tick;
}

void CIntervalTimer::NoteWindow(int64_t now, int64_t second) {
    const rad::IntervalWindow window = Window();
    if (window.start <= window.end && second >= window.start && second <= window.end) {
        m_bWindowNoted = false;
        return;
    }
    if (m_bWindowNoted) return;
    m_bWindowNoted = true;
    m_bSunNoted = false;
    if (window.start > window.end)
        ShowWait("no cycle is due: the window " + rad::SecondOfDayText(window.start) + " to " +
                 rad::SecondOfDayText(window.end) + " is empty");
    else if (m_sunGate.Active())
        ShowWait(rad::NextCycleText(m_sunGate, now, window) + " (the sun must stand at least " +
                 rad::SunDegreesText(m_sunGate.MinElevation()) + " deg high)");
    else
        ShowWait("next cycle at " + rad::SecondOfDayText(window.start) +
                 (second > window.end ? " tomorrow" : ""));
}

void CIntervalTimer::NoteSkippedSlots(int64_t second) {
    const rad::SkippedSlots skipped = rad::FindSkippedSlots(Window(), second, m_prevSecondOfDay);
    if (skipped.count == 0) return;
    m_nSkipped += skipped.count;
    m_host.Note(rad::SkippedSlotsText(skipped));
}

void CIntervalTimer::ShowWait(const std::string& text) {
    if (text.empty() && !m_bWaitShown) return;
    m_bWaitShown = !text.empty();
    m_host.SetWaitText(text);
}
