#include "RecordSun.h"

#include <map>
#include <mutex>

#include "RsdData.h"

namespace rad {

std::optional<SiteLocation> SiteOf(const CRsdData& set) {
    return ParseSite(set.m_strLat, set.m_strLon, set.m_strAlt);
}

std::shared_ptr<const ClearSkyPpfdCurve> SharedClearSkyCurve(double altitudeM) {
    // A few sites per run at most; the curves stay until the program ends.
    static std::mutex lock;
    static std::map<double, std::shared_ptr<const ClearSkyPpfdCurve>> curves;
    const std::lock_guard guard(lock);
    auto& curve = curves[altitudeM];
    if (!curve) curve = std::make_shared<const ClearSkyPpfdCurve>(altitudeM);
    return curve;
}

RecordSun::RecordSun(const std::optional<SiteLocation>& site, const RecordZone& zone)
    : m_zone(zone) {
    if (!site) return;
    m_track.emplace(*site);
    m_curve = SharedClearSkyCurve(site->altitudeM);
}

SunValues RecordSun::At(int64_t recordTime, double measuredPpfd) {
    if (!m_track) return {};
    const SunTrack::Sample sample = m_track->At(m_zone.InstantOf(recordTime, &m_times));
    SunValues values;
    values.zenithDeg = sample.position.zenithDeg;
    values.azimuthDeg = sample.position.azimuthDeg;
    values.clearSkyPpfd = m_curve->At(sample.position.zenithDeg, sample.distanceAu);
    if (90.0 - values.zenithDeg >= kClearSkyIndexLeastElevationDeg && values.clearSkyPpfd > 0)
        values.clearSkyIndex = measuredPpfd / values.clearSkyPpfd;
    return values;
}

}  // namespace rad
