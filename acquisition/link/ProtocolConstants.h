#pragma once

#include <array>

#include "SensorModel.h"

// The protocol's constants shared by every model; what differs per model is in its row of
// kModels.

// Exposure table of the models with automatic exposure, ms; a 0 entry ends it.
inline constexpr std::array<int, 10> kExposureTable = {10,  20,   50,   100,  200,
                                                       500, 1000, 2000, 5000, 0};

// The pixel mask's length on the wire (MK); a masked model's pixels all fall inside it.
inline constexpr int kMaskSize = 256;
inline constexpr bool MaskCoversPixels() {
    for (const SensorModelInfo& info : kModels)
        if (info.pixelMask && info.pixels > kMaskSize) return false;
    return true;
}
static_assert(MaskCoversPixels());

// The firmware whose sensors answer T2 with the second temperature.
inline constexpr const char* kT2Firmware = "1.80";
// The second temperature's status float when it is not read.
inline constexpr float kNoTemperature = -273.15f;

inline constexpr bool AutoExposure(const SensorModelInfo& info) {
    return info.fixedExposureMs == 0;
}
