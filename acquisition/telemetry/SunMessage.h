#pragma once

#include <cstdint>

class CJsonWriter;
class CRsdData;

namespace rad {

struct LightQuantities;

// The station's position ("station": latitude, longitude, altitude) from the day file's site,
// nothing without a site.
void WriteStationPosition(CJsonWriter& json, const CRsdData& day);
// The sun's members of the quantities object (sun_zenith, sun_azimuth, clear_sky_ppfd,
// clear_sky_index, as the series JSON names them) of a record at time t on the station's
// clock; null without a site.
void WriteSunValues(CJsonWriter& json, const CRsdData& day, int64_t t,
                    const LightQuantities& quantities);

}  // namespace rad
