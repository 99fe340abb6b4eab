#pragma once

#include <optional>
#include <string>

#include "IniFile.h"

// [SUN] of Radlog's profile, optional: interval measurement only while the sun stands high
// enough. Never written by the program; a profile without the section measures as before.
struct SunSettings {
    std::optional<double> minElevationDeg;  // MINELEVATION; nullopt: off
    std::string invalidText;                // a MINELEVATION that is no angle, to be told once
};

// MINELEVATION: a plain decimal number of degrees from -90 to 90; empty or absent: off.
SunSettings LoadSunSettings(const CIniFile& ini);
