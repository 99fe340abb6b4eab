#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "ClearSky.h"
#include "DailyLight.h"
#include "RecordZone.h"
#include "SiteLocation.h"
#include "SolarPosition.h"

class CRsdData;

// The sun and the clear sky of each record of a file. docs/quantities.md defines the values.
namespace rad {

struct SunValues {
    double zenithDeg = kNotAvailable;
    double azimuthDeg = kNotAvailable;
    double clearSkyPpfd = kNotAvailable;   // umol/m2/s
    double clearSkyIndex = kNotAvailable;  // measured PPFD / clear-sky PPFD
};

// Below this elevation the clear-sky index is not given: low sun, long paths, ratios of
// small numbers.
inline constexpr double kClearSkyIndexLeastElevationDeg = 5.0;

// The site of a file's header; nullopt for "no site".
std::optional<SiteLocation> SiteOf(const CRsdData& set);

// The clear-sky curve of an altitude, made once per process and shared between threads.
std::shared_ptr<const ClearSkyPpfdCurve> SharedClearSkyCurve(double altitudeM);

// Sun values of record times (read with the machine's rules) of one file. One per thread.
class RecordSun {
  public:
    // Without a site every value is not available.
    RecordSun(const std::optional<SiteLocation>& site, const RecordZone& zone);

    bool HasSite() const { return m_track.has_value(); }
    const RecordZone& Zone() const { return m_zone; }
    SunValues At(int64_t recordTime, double measuredPpfd = kNotAvailable);

  private:
    RecordZone m_zone;
    std::optional<SunTrack> m_track;
    std::shared_ptr<const ClearSkyPpfdCurve> m_curve;
    LocalTimeCache m_times;
};

}  // namespace rad
