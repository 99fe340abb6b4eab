#include "HealthMonitor.h"

#include <algorithm>
#include <cstdio>

#include "DriverStatus.h"
#include "ProtocolConstants.h"
#include "QcFlags.h"
#include "RsdData.h"
#include "Schedule.h"

namespace {

constexpr int kShortestExposureMs = kExposureTable[0];

// Highest raw count of a frame: the stored signal is counts per second.
double PeakCounts(const SensorData& block) {
    float peak = 0;
    for (const float value : block.MD) peak = std::max(peak, value);
    return static_cast<double>(peak) * block.ET / 1000.0;
}

bool IsSaturated(int model, const SensorData& block) {
    const SensorModelInfo& info = ModelInfo(model);
    // A fixed-exposure model cannot shorten its frame, so it has no shortest-exposure limit.
    if (!AutoExposure(info) || block.ET > kShortestExposureMs) return false;
    return PeakCounts(block) >= info.highCounts;
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

const char* AlertKindName(HealthAlert::Kind kind) {
    switch (kind) {
        case HealthAlert::Kind::NoRecord:
            return "no_record";
        case HealthAlert::Kind::SensorLost:
            return "sensor_lost";
        case HealthAlert::Kind::SensorBack:
            return "sensor_back";
        case HealthAlert::Kind::SensorNotReady:
            return "sensor_not_ready";
        case HealthAlert::Kind::Saturated:
            return "saturated";
        case HealthAlert::Kind::DarkHigh:
            return "dark_high";
        case HealthAlert::Kind::StoreFailed:
            return "store_failed";
        case HealthAlert::Kind::SensorChanged:
            return "sensor_changed";
        case HealthAlert::Kind::Quality:
            return "quality";
    }
    return "";
}

const std::vector<HealthAlert::Kind>& ProblemKinds() {
    using Kind = HealthAlert::Kind;
    static const std::vector<Kind> kinds = {Kind::NoRecord,  Kind::SensorLost, Kind::SensorNotReady,
                                            Kind::Saturated, Kind::DarkHigh,   Kind::StoreFailed};
    return kinds;
}

bool CHealthMonitor::Standing(HealthAlert::Kind kind) const {
    const auto any = [](const std::array<bool, kModelCount>& flags) {
        return std::find(flags.begin(), flags.end(), true) != flags.end();
    };
    switch (kind) {
        case HealthAlert::Kind::NoRecord:
            return m_bNoRecordReported;
        case HealthAlert::Kind::SensorLost:
            return any(m_lost);
        case HealthAlert::Kind::SensorNotReady:
            for (std::size_t m = 0; m < m_ready.size(); ++m)
                if (m_firstStatusSeen[m] && !m_ready[m]) return true;
            return false;
        case HealthAlert::Kind::Saturated:
            return any(m_saturated);
        case HealthAlert::Kind::DarkHigh:
            return any(m_darkHigh);
        case HealthAlert::Kind::StoreFailed:
            return m_bStoreFailed;
        case HealthAlert::Kind::SensorBack:
        case HealthAlert::Kind::SensorChanged:
        case HealthAlert::Kind::Quality:
            break;  // events, told when they happen, never standing
    }
    return false;
}

std::vector<HealthAlert> CHealthMonitor::Started(Window window, int64_t now) {
    m_window = window;
    m_lastProgress = now;
    m_bNoRecordReported = false;
    m_firstStatusSeen.fill(false);
    m_ready.fill(false);
    m_lost.fill(false);
    m_qcSeen = 0;
    return {};
}

std::vector<HealthAlert> CHealthMonitor::RecordFlags(unsigned qc) {
    const unsigned fresh = qc & rad::kQcFaults & ~m_qcSeen;
    m_qcSeen |= fresh;
    if (fresh == 0) return {};
    return {{HealthAlert::Kind::Quality, -1, "first record flagged " + rad::QcNames(fresh)}};
}

bool CHealthMonitor::InsideWindow(int64_t now) const {
    const auto second = rad::SecondOfDay(now);
    return second && *second >= m_window.start && *second <= m_window.end;
}

std::vector<HealthAlert> CHealthMonitor::Tick(int64_t now) {
    if (m_window.interval <= 0 || m_bNoRecordReported) return {};
    if (now - m_lastProgress <= 2 * m_window.interval || !InsideWindow(now)) return {};
    m_bNoRecordReported = true;
    return {{HealthAlert::Kind::NoRecord, -1,
             "no record stored for " + std::to_string(now - m_lastProgress) + " s"}};
}

std::vector<HealthAlert> CHealthMonitor::RecordStored(const CRsdData& day, bool written,
                                                      int64_t now) {
    std::vector<HealthAlert> alerts;
    m_lastProgress = now;
    m_bNoRecordReported = false;
    if (!written && !m_bStoreFailed)
        alerts.push_back({HealthAlert::Kind::StoreFailed, -1, "day file not written"});
    m_bStoreFailed = !written;
    const int index = day.GetCount() - 1;
    if (index < 0) return alerts;
    const CRad& rad = day.GetAt(index);
    for (int model = 0; model < kModelCount; ++model) {
        const SensorData* block = rad.Block(model);
        const auto m = static_cast<std::size_t>(model);
        // A sensor that stops answering stays "ready" to the driver, and the cycle stores what
        // the others measured: its absence from the record is the only sign.
        if (m_ready[m] && !block && !m_lost[m]) {
            m_lost[m] = true;
            alerts.push_back({HealthAlert::Kind::SensorLost, model, "no answer in the last cycle"});
        } else if (m_ready[m] && block && m_lost[m]) {
            m_lost[m] = false;
            alerts.push_back({HealthAlert::Kind::SensorBack, model, "measuring again"});
        }
        if (!block) continue;
        const bool saturated = IsSaturated(model, *block);
        if (saturated && !m_saturated[m])
            alerts.push_back(
                {HealthAlert::Kind::Saturated, model,
                 Format("peak %.0f counts at the shortest exposure", PeakCounts(*block))});
        m_saturated[m] = saturated;
        const double dark = day.GetDarkRange(model, index);
        const bool darkHigh = dark > m_darkLimit;
        if (darkHigh && !m_darkHigh[m])
            alerts.push_back({HealthAlert::Kind::DarkHigh, model, Format("dark range %.1f", dark)});
        m_darkHigh[m] = darkHigh;
    }
    return alerts;
}

std::vector<HealthAlert> CHealthMonitor::SensorState(int model, int status) {
    if (!IsValidModel(model)) return {};
    const auto m = static_cast<std::size_t>(model);
    std::vector<HealthAlert> alerts;
    if (status == kStatusReady) m_ready[m] = true;
    if (!m_firstStatusSeen[m]) {
        m_firstStatusSeen[m] = true;
        if (status != kStatusReady)
            alerts.push_back(
                {HealthAlert::Kind::SensorNotReady, model, DriverStatusText(status, false)});
    }
    if (status == kStatusReady && m_lost[m]) {
        m_lost[m] = false;
        alerts.push_back({HealthAlert::Kind::SensorBack, model, "ready again"});
    }
    return alerts;
}

std::vector<HealthAlert> CHealthMonitor::SensorLost(int model) {
    if (!IsValidModel(model) || m_lost[static_cast<std::size_t>(model)]) return {};
    m_lost[static_cast<std::size_t>(model)] = true;
    return {{HealthAlert::Kind::SensorLost, model, "device vanished"}};
}
