#pragma once

#include <optional>

#include "RsdData.h"

// Per-record spectral kernels shared by the CRsdData queries, CResample and the CSV writers.
// Callers resolve a record's usable blocks once and then evaluate many wavelengths cheaply.
namespace rad {

// One usable sensor block of one record together with its calibration tables.
struct SensorSpectrum {
    const float* wl = nullptr;   // ascending pixel wavelengths, n entries
    const float* cal = nullptr;  // calibration factors
    const float* md = nullptr;   // measured signal
    const float* dd = nullptr;   // dark signal
    int n = 0;

    double First() const { return wl[0]; }
    double Last() const { return wl[n - 1]; }
    bool InRange(double lambda) const { return First() <= lambda && lambda <= Last(); }
    // Dark-corrected, calibrated pixel value, in single precision as the instruments define it.
    double Pixel(int i) const { return static_cast<double>((md[i] - dd[i]) * cal[i]); }
    // Linear interpolation between the neighbouring pixels; 0 outside the table.
    double ValueAt(double lambda) const;
};

// Interval index i with t[i] <= lambda < t[i+1] (n-2 at the last entry), -1 outside the table.
// t must rise strictly; n >= 2.
int FindPixelInterval(const float* t, int n, double lambda);

// The model's block of record index as a spectrum; nullopt when the block or its usable
// calibration is missing. Throws std::out_of_range for a bad index.
std::optional<SensorSpectrum> GetSensorSpectrum(const CRsdData& set, int model, int index);

// The short-wave/long-wave pair of a record and the band over which they are blended.
struct MergePlan {
    std::optional<SensorSpectrum> shortWave;
    std::optional<SensorSpectrum> longWave;
    double lo = 0;
    double hi = 0;
    std::optional<SensorSpectrum> single;  // no pair: the first present model in model order

    bool IsPair() const { return shortWave && longWave; }
    // The record's value at lambda after the merge rule; 0 when the record has no block.
    double ValueAt(double lambda) const;
};

MergePlan MakeMergePlan(const CRsdData& set, int index);

// The pairs in the order they are tried, with their blend bands (also the merged axis limits).
struct MergePair {
    int shortModel;
    int longModel;
    double lo;
    double hi;
};
inline constexpr MergePair kMergePairs[] = {
    {kQS100, kQS300, 900.0, 950.0},
    {kQS100, kQS400, 900.0, 950.0},
    {kQS200, kQS300, 900.0, 950.0},
    {kQS200, kQS400, 950.0, 1050.0},
};

}  // namespace rad
