#pragma once

#include <optional>

// Chromaticity and correlated colour temperature from tristimulus values.
namespace rad {

struct Tristimulus {
    double X = 0, Y = 0, Z = 0;
};

struct Chromaticity {
    double x = 0, y = 0;
};

// CIE 1931 x, y; nullopt when X + Y + Z is not positive.
std::optional<Chromaticity> ToChromaticity(const Tristimulus& t);

struct ColourTemperature {
    double cct = 0;  // K
    double duv = 0;  // signed distance from the Planckian locus in CIE 1960 u, v; + above it
};

// Nearest point of the Planckian locus (CIE 1931 2 degree observer) to t's chromaticity in the
// CIE 1960 UCS. nullopt for no chromaticity, a nearest point outside 1000 K .. 100000 K, or
// |Duv| above 0.05, where the CIE leaves a colour temperature undefined.
std::optional<ColourTemperature> ToColourTemperature(const Tristimulus& t);

}  // namespace rad
