#pragma once

#include <cstdint>
#include <map>

#include "DailyLight.h"

class CRsdData;

// The daily light integral of the current day so far, kept up record by record: each record's
// PPFD is computed once, and the day's earlier records are taken from its day set the first
// time the day is seen.
class CDayLightTracker {
  public:
    explicit CDayLightTracker(int dayStartHour) : m_dayStartHour(dayStartHour) {}

    // The last record of day joins its day; returns the DLI so far (NaN before two records).
    double Add(const CRsdData& day, double ppfd);

  private:
    const int m_dayStartHour;
    int64_t m_dayStart = -1;
    std::map<int64_t, rad::LightSample> m_samples;  // by record time
};

namespace rad {
// PPFD, R:FR and UV index of one record of a set, as a light series needs them.
LightSample SampleOf(const CRsdData& set, int index);
}  // namespace rad
