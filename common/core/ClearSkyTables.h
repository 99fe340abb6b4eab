#pragma once

#include <span>

namespace rad::spctral2 {

struct Wavelength {
    double nm;
    double extraterrestrial;  // W/m2/um at 1 AU
    double ozone;
    double water;
    double mixedGases;
};

// The model's wavelengths in ascending order, 300 to 4000 nm.
std::span<const Wavelength> Table();

}  // namespace rad::spctral2
