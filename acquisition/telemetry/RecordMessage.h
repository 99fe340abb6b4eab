#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "LightQuantities.h"
#include "SensorModel.h"

class CRsdData;
class CResample;

// What one record message says besides the record itself.
struct RecordMessageInputs {
    const CRsdData& day;  // the record is its entry index
    int index = 0;
    const std::array<std::string, kModelCount>& statusTexts;  // as the progress lines show them
    const rad::LightQuantities& quantities;
    double bandIntegral = 0;              // W/m2 over [INTEG] LEFT..RIGHT
    double dliSoFar = 0;                  // mol/m2 of the day up to this record
    const CResample* spectrum = nullptr;  // the 1 nm spectrum, or null to leave it out
    unsigned qc = 0;                      // the record's quality flags (QcFlag bits)
};

namespace rad {

// Local time of t in ISO 8601 with its UTC offset, e.g. "2026-06-01T12:00:00+09:00".
std::string IsoLocalTime(int64_t t);

// The JSON of <prefix>/<station>/record.
std::string BuildRecordMessage(const RecordMessageInputs& in);

}  // namespace rad
