#pragma once

#include <array>

#include "SensorModel.h"

// No instrument of the family measures beyond this; wavelength settings outside
// 0..kMaxWavelengthNm mean nothing, and grids built from them could exhaust memory.
inline constexpr int kMaxWavelengthNm = 100000;

// Whether a wavelength setting lies in 0..kMaxWavelengthNm.
constexpr bool IsWavelengthInLimits(double nm) { return nm >= 0 && nm <= kMaxWavelengthNm; }

// Whether from..to is a wavelength range worth computing: both ends in the limits and from
// below to (a reversed or empty range gives empty files and zero integrals, never an answer).
constexpr bool IsWavelengthRangeUsable(double from, double to) {
    return IsWavelengthInLimits(from) && IsWavelengthInLimits(to) && from < to;
}

// Settings blocks shared by both programs; the profiles (RadlogSettings, RadviewSettings)
// embed them.

// [GRAPH]: axis ranges, scale, grid and colours (COLORREF 0x00BBGGRR).
struct GraphSettings {
    double left = 300;
    double right = 1800;
    double top = 100.0;
    double bottom = 0.0;
    bool autoScale = true;
    bool grid = true;
    int color0 = 255;    // curve
    int color1 = 32768;  // frame, ticks, grid
};

// [SAVE] keys that shape the spectral CSV.
struct CsvSettings {
    int left = 300;
    int right = 1800;
    int pitch = 0;  // 0 = raw pixel wavelengths, anything else = 1 nm
    std::array<bool, kModelCount> models = kAllModels;
    bool merge = true;
};

// [INTEG]: band of the integral.
struct IntegSettings {
    int left = 300;
    int right = 1800;
};
