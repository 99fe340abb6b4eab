#pragma once

#include <span>

#include "SensorModel.h"

// Machine names and units of a sensor block's status values, in block order, for exports
// that label each value (telemetry messages, archives).
namespace rad {

struct StatusValueName {
    const char* name;   // snake_case member or variable name
    const char* units;  // UDUNITS form; "1" for codes
    const char* longName;
};

// The status integers of a model, then its status floats; spans of the used counts.
std::span<const StatusValueName> StatusIntNames(int model);
std::span<const StatusValueName> StatusFloatNames(int model);

}  // namespace rad
