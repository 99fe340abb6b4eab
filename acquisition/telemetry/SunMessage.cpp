#include "SunMessage.h"

#include "JsonWriter.h"
#include "LightQuantities.h"
#include "RecordSun.h"
#include "RsdData.h"

namespace rad {

void WriteStationPosition(CJsonWriter& json, const CRsdData& day) {
    const auto site = SiteOf(day);
    if (!site) return;
    json.Key("station").BeginObject();
    json.Key("latitude").Number(site->latitudeDeg);
    json.Key("longitude").Number(site->longitudeDeg);
    json.Key("altitude").Number(site->altitudeM);
    json.EndObject();
}

void WriteSunValues(CJsonWriter& json, const CRsdData& day, int64_t t,
                    const LightQuantities& quantities) {
    // The station's clock is the machine's: its record times are true instants.
    RecordSun sun(SiteOf(day), RecordZone::Machine());
    const SunValues values = sun.At(t, quantities[Quantity::Ppfd].value);
    json.Key("sun_zenith").Number(values.zenithDeg, 2);
    json.Key("sun_azimuth").Number(values.azimuthDeg, 2);
    json.Key("clear_sky_ppfd").Number(values.clearSkyPpfd, 1);
    json.Key("clear_sky_index").Number(values.clearSkyIndex, 3);
}

}  // namespace rad
