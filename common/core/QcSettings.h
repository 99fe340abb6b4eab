#pragma once

#include "QcFlags.h"

class CIniFile;

// [QC] of either program's profile: the thresholds of the quality flags. The section is only
// read; a profile without it keeps the defaults.
namespace rad {

// A key that is missing, empty or not a number keeps its default.
QcThresholds LoadQcThresholds(const CIniFile& ini);

}  // namespace rad
