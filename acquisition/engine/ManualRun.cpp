#include "ManualRun.h"

#include "DriverStatus.h"

namespace {
std::string FailureCause(int model, const CCycleResult& result, const CSensorSessions& sensors) {
    if (!result.failure[model].empty()) return result.failure[model];
    switch (sensors.State(model)) {
        case kStatusNone:
            return "not ready";  // still identified, or lost and not back
        case kStatusReady:
            return "stopped before its measurement";
        default:
            return DriverStatusText(sensors.State(model), false);
    }
}
}  // namespace

void CManualRun::Begin(bool manual, int64_t deadline) {
    m_bWaiting = manual;
    m_bSummaryDue = manual;
    m_bStalled = false;
    m_deadline = deadline;
}

CManualRun::Next CManualRun::Check(const CSensorSessions& sensors, int64_t now) {
    if (!m_bWaiting) return Next::Wait;
    Next next = Next::Measure;
    if (!sensors.AnyEnabled()) next = Next::NothingEnabled;
    for (int model = 0; model < kModelCount && next == Next::Measure; ++model) {
        if (!sensors.Enabled(model)) continue;
        const int state = sensors.State(model);
        if (state != kStatusNone && state != kStatusReady) next = Next::Failed;
    }
    if (next == Next::Measure)
        for (int model = 0; model < kModelCount; ++model)
            if (sensors.Enabled(model) && sensors.State(model) == kStatusNone)
                next = now < m_deadline ? Next::Wait : Next::TimedOut;
    if (next == Next::Wait) return next;
    m_bWaiting = false;
    m_bStalled = next != Next::Measure;
    return next;
}

std::string CManualRun::TakeSummary(const CCycleResult& result, const CSensorSessions& sensors) {
    m_bSummaryDue = false;
    std::string text = "manual:";
    for (int model = 0; model < kModelCount; ++model) {
        if (!sensors.Enabled(model)) continue;
        text += text.size() > 7 ? "; " : " ";
        text += kModels[model].label;
        if (result.data[model])
            text += " measured";
        else
            text += " failed: " + FailureCause(model, result, sensors);
    }
    if (text.size() == 7) text += " no sensor enabled";
    return text;
}
