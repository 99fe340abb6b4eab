#pragma once

#include "RecordZone.h"

class CRsdData;

// The zone of the record times the viewer's light analysis (quantities, day view) reads:
// --tz ZONE, or each file's TZ header against the machine's standard offset.
rad::ZoneRule& ViewerZoneRule();
// The zone of set's records; says on stderr, once per reason, when it is not the machine's.
rad::RecordZone ViewerZoneOf(const CRsdData& set);
