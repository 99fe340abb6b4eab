#pragma once

#include <algorithm>
#include <cmath>
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
    int model = -1;
    // Interval of the last lookup: callers walk up the wavelengths, so the next answer is
    // usually the same interval or the one after it.
    mutable int lastInterval = -1;

    double First() const { return wl[0]; }
    double Last() const { return wl[n - 1]; }
    bool InRange(double lambda) const { return First() <= lambda && lambda <= Last(); }
    // Dark-corrected, calibrated pixel value, in single precision as the instruments define it.
    double Pixel(int i) const { return static_cast<double>((md[i] - dd[i]) * cal[i]); }
    // Linear interpolation between the neighbouring pixels; 0 outside the table.
    double ValueAt(double lambda) const;
};

// Interval index i with t[i] <= lambda < t[i+1] (n-2 at the last entry), -1 outside the table.
// t must rise strictly; n >= 2. A hint (an earlier answer) a few pixels below lambda replaces
// the interpolation guess. Inline: resampling and the CSV call it for every cell.
inline int FindPixelInterval(const float* t, int n, double lambda, int hint = -1) {
    constexpr int kHintReach = 16;
    const int last = n - 1;
    const double t0 = t[0], tn = t[last];
    if (!(t0 <= lambda && lambda <= tn)) return -1;  // also NaN
    if (lambda == tn) return last - 1;
    int g;
    if (hint >= 0 && hint < last && t[hint] <= lambda &&
        lambda < t[std::min(hint + kHintReach, last)]) {
        g = hint;
    } else {
        // The guesses are clamped before they index t, so rounding or an uneven table never
        // reads outside it.
        const auto clampIndex = [last](double guess) {
            return static_cast<int>(
                std::clamp(std::trunc(guess), 0.0, static_cast<double>(last - 1)));
        };
        g = clampIndex((lambda - t0) / (tn - t0) * last);
        g = clampIndex(std::trunc((lambda - t[g]) / (static_cast<double>(t[g + 1]) - t[g])) + g);
    }
    while (g > 0 && t[g] > lambda) --g;
    while (g < last - 1 && lambda >= t[g + 1]) ++g;
    return g;
}

inline double SensorSpectrum::ValueAt(double lambda) const {
    const int i = FindPixelInterval(wl, n, lambda, lastInterval);
    if (i < 0) return 0.0;
    lastInterval = i;
    const double y0 = Pixel(i), y1 = Pixel(i + 1);
    const double t0 = wl[i], t1 = wl[i + 1];
    return y0 + (y1 - y0) * (lambda - t0) / (t1 - t0);
}

// A block's measured or dark payload, or zeros for a block read without one.
const float* PayloadOrZeros(const std::vector<float>& payload);

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

inline double MergePlan::ValueAt(double lambda) const {
    if (!IsPair()) return single ? single->ValueAt(lambda) : 0.0;
    if (lambda < lo) return shortWave->ValueAt(lambda);
    if (lambda > hi) return longWave->ValueAt(lambda);
    const double w = (hi - lambda) / (hi - lo);
    return shortWave->ValueAt(lambda) * w + longWave->ValueAt(lambda) * (1 - w);
}

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
