#pragma once

#include <array>

#include "SensorModel.h"

// Exposure table of the models with automatic exposure, ms; a 0 entry ends it.
inline constexpr std::array<int, 10> kExposureTable = {10,  20,   50,   100,  200,
                                                       500, 1000, 2000, 5000, 0};

// What one driver model does differently from the others: one row per model.
struct ModelTraits {
    int model;
    int low;                 // peak at or below: lengthen the exposure
    int high;                // peak at or above: shorten; pixels above: stored as 0
    bool autoExposure;       // false: fixed exposure, no search, nothing zeroed
    int fixedExposure;       // ms, when autoExposure is false
    bool pixelMask;          // PXSB mask downloaded and applied
    bool secondTemperature;  // T2 asked when the firmware matches kT2Firmware
};

inline constexpr const char* kT2Firmware = "1.80";
// Status float 7 when no second temperature is read.
inline constexpr float kNoTemperature = -273.15f;

inline constexpr std::array<ModelTraits, kModelCount> kModelTraits = {{
    {kQS100, 10000, 25000, true, 0, false, false},
    {kQS200, 7000, 17700, true, 0, false, false},
    {kQS300, 10000, 30000, true, 0, false, false},
    {kQS400, 0, 0, false, 30, true, true},
}};
