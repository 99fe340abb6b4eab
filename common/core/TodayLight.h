#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DailyLight.h"
#include "LightSeries.h"
#include "RsdData.h"

// The light of the current day so far, kept up to date as a day file grows record by record:
// the latest PPFD and UV index and the daily light integral since the day began.
class CTodayLight {
  public:
    explicit CTodayLight(int dayStartHour = 0) : m_nDayStart(dayStartHour) {}

    // Takes the records of set not seen yet. Another set than the one seen so far (a new day
    // file, another part of the day) is read from its start; records of the day already taken
    // are kept, those of an earlier day than the latest are left out. latest, when given, is
    // the row of the set's last record as the store step computed it: it is not computed again.
    void Update(const CRsdData& set, const rad::SeriesRow* latest = nullptr);

    bool HasRecord() const { return !m_samples.empty(); }
    const rad::LightSample& Latest() const { return m_samples.back(); }
    // The day so far; empty without records.
    rad::DaySummary Day() const;
    // "LIGHT PPFD 512.3 umol/m2/s, DLI 12.345 mol/m2 so far today, UV index 3.21"; values
    // that are not available read "-". Empty without records.
    std::string Line() const;

  private:
    int m_nDayStart;
    int m_nSeen = 0;             // records of the set taken
    int64_t m_lastSeenTime = 0;  // time of the last record taken, to recognise the set
    int64_t m_day = 0;           // start of the day m_samples belong to
    std::vector<rad::LightSample> m_samples;
};
