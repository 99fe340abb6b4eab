#pragma once

#include <cstdint>
#include <string>

#include "DocEvents.h"
#include "SensorSessions.h"

// A manual acquisition: it waits for every enabled sensor to be identified, takes one cycle,
// and says once how each sensor did.
class CManualRun {
  public:
    enum class Next {
        Wait,            // a sensor is still identified, or nothing is waited for
        Measure,         // every enabled sensor is ready: take the cycle now
        Failed,          // a sensor failed its identification
        TimedOut,        // a sensor took longer than the deadline
        NothingEnabled,  // no sensor to measure: nothing is stored, the acquisition ends
    };

    // An acquisition starts; a manual one waits until deadline for its sensors.
    void Begin(bool manual, int64_t deadline);
    // The acquisition is closed: nothing more to wait for.
    void Cancel() { m_bWaiting = false; }
    // What to do now; anything but Wait ends the waiting, and all but Measure stall.
    Next Check(const CSensorSessions& sensors, int64_t now);
    // The acquisition waits no longer: a sensor failed before its measurement.
    bool Stalled() const { return m_bStalled; }
    bool SummaryDue() const { return m_bSummaryDue; }
    // "manual: QS-100 measured; QS-300 failed: <why>"; said once per acquisition.
    std::string TakeSummary(const CCycleResult& result, const CSensorSessions& sensors);

  private:
    bool m_bWaiting = false;
    int64_t m_deadline = 0;
    bool m_bStalled = false;
    bool m_bSummaryDue = false;  // the acquisition has not said how it ended
};
