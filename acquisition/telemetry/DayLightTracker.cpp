#include "DayLightTracker.h"

#include <optional>
#include <stdexcept>
#include <vector>

#include "LightQuantities.h"
#include "Resample.h"
#include "RsdData.h"

namespace rad {
LightSample SampleOf(const CRsdData& set, int index) {
    CResample spectrum;
    spectrum.Resample(set, index);
    const LightQuantities q = ComputeQuantities(spectrum);
    return {set.GetAt(index).m_time, q[Quantity::Ppfd].value, q[Quantity::RedFarRed].value,
            q[Quantity::UvIndex].value};
}
}  // namespace rad

namespace {
std::optional<int64_t> StartOf(int64_t t, int dayStartHour) {
    try {
        return rad::DayStartOf(t, dayStartHour);
    } catch (const std::invalid_argument&) {
        return std::nullopt;  // a time without a local form belongs to no day
    }
}
}  // namespace

double CDayLightTracker::Add(const CRsdData& day, double ppfd) {
    const int last = day.GetCount() - 1;
    if (last < 0) return rad::kNotAvailable;
    const int64_t time = day.GetAt(last).m_time;
    const std::optional<int64_t> start = StartOf(time, m_dayStartHour);
    if (!start) return rad::kNotAvailable;
    const int64_t dayStart = *start;
    if (dayStart != m_dayStart) {
        m_samples.clear();
        m_dayStart = dayStart;
        for (int index = 0; index < last; ++index) {
            const int64_t t = day.GetAt(index).m_time;
            if (StartOf(t, m_dayStartHour) == dayStart) m_samples[t] = rad::SampleOf(day, index);
        }
    }
    m_samples[time] = {time, ppfd, rad::kNotAvailable, rad::kNotAvailable};
    std::vector<rad::LightSample> samples;
    samples.reserve(m_samples.size());
    for (const auto& [t, sample] : m_samples) samples.push_back(sample);
    for (const rad::DaySummary& summary : rad::SummariseDays(samples, m_dayStartHour))
        if (summary.start == dayStart) return summary.dli;
    return rad::kNotAvailable;
}
