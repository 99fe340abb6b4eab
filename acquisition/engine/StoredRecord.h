#pragma once

#include "LightSeries.h"
#include "Resample.h"
#include "RsdData.h"

// A stored record and what is derived from it, computed once by the store step and handed to
// every listener (the views, the station's output line, telemetry).
struct StoredRecord {
    const CRsdData& day;        // the record is its last entry
    const CResample& spectrum;  // its 1 nm spectrum
    const rad::SeriesRow& row;  // its quantities and quality flags
};
