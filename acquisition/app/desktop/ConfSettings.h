#pragma once

#include "ConfRules.h"
#include "RadlogSettings.h"

namespace rad {

// The dialog works on a copy of the settings it edits and hands them back after OK.
ConfValues ConfValuesFrom(const RadlogSettings& settings);
void StoreConfValues(const ConfValues& values, RadlogSettings& settings);

}  // namespace rad
