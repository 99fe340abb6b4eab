#include <algorithm>
#include <cmath>

#include "RsdData.h"
#include "SpectralMath.h"

namespace rad {

int FindPixelInterval(const float* t, int n, double lambda)
{
    const int last = n - 1;
    const double t0 = t[0], tn = t[last];
    if (lambda > tn || lambda < t0) return -1;
    if (lambda == tn) return last - 1;
    // Interpolation guess, then short walks; the guesses are clamped before they index t so
    // that rounding or an uneven table never reads outside it.
    const auto clampIndex = [last](double g) {
        return static_cast<int>(std::clamp(std::trunc(g), 0.0, static_cast<double>(last - 1)));
    };
    int g = clampIndex((lambda - t0) / (tn - t0) * last);
    g = clampIndex(std::trunc((lambda - t[g]) / (static_cast<double>(t[g + 1]) - t[g])) + g);
    while (g > 0 && t[g] > lambda) --g;
    while (g < last - 1 && lambda >= t[g + 1]) ++g;
    return g;
}

double SensorSpectrum::ValueAt(double lambda) const
{
    const int i = FindPixelInterval(wl, n, lambda);
    if (i < 0) return 0.0;
    const double y0 = Pixel(i), y1 = Pixel(i + 1);
    const double t0 = wl[i], t1 = wl[i + 1];
    return y0 + (y1 - y0) * (lambda - t0) / (t1 - t0);
}

std::optional<SensorSpectrum> GetSensorSpectrum(const CRsdData& set, int model, int index)
{
    const SensorData* block = set.GetSpectralBlock(model, index);
    if (!block) return std::nullopt;
    const SensorCal* cal = set.GetCal(model);
    return SensorSpectrum{cal->WL.data(), cal->CAL.data(), block->MD.data(), block->DD.data(),
                          PixelCount(model)};
}

double MergePlan::ValueAt(double lambda) const
{
    if (!IsPair()) return single ? single->ValueAt(lambda) : 0.0;
    if (lambda < lo) return shortWave->ValueAt(lambda);
    if (lambda > hi) return longWave->ValueAt(lambda);
    const double w = (hi - lambda) / (hi - lo);
    return shortWave->ValueAt(lambda) * w + longWave->ValueAt(lambda) * (1 - w);
}

MergePlan MakeMergePlan(const CRsdData& set, int index)
{
    std::optional<SensorSpectrum> spectra[kModelCount];
    for (int m = 0; m < kModelCount; ++m) spectra[m] = GetSensorSpectrum(set, m, index);
    MergePlan plan;
    for (const MergePair& pair : kMergePairs) {
        if (spectra[pair.shortModel] && spectra[pair.longModel]) {
            plan.shortWave = spectra[pair.shortModel];
            plan.longWave = spectra[pair.longModel];
            plan.lo = pair.lo;
            plan.hi = pair.hi;
            return plan;
        }
    }
    for (const auto& spectrum : spectra) {
        if (spectrum) {
            plan.single = spectrum;
            break;
        }
    }
    return plan;
}

}  // namespace rad

double CRsdData::GetPixelValue(int model, int index, int pixel) const
{
    const auto spectrum = rad::GetSensorSpectrum(*this, model, index);
    if (!spectrum || pixel < 0 || pixel >= spectrum->n) return 0.0;
    return spectrum->Pixel(pixel);
}

bool CRsdData::IsInRange(int model, double wavelength) const
{
    if (!HasUsableCal(model)) return false;
    const SensorCal& cal = *GetCal(model);
    return cal.WL.front() <= wavelength && wavelength <= cal.WL.back();
}

double CRsdData::GetValueAt(int model, int index, double wavelength) const
{
    const auto spectrum = rad::GetSensorSpectrum(*this, model, index);
    return spectrum ? spectrum->ValueAt(wavelength) : 0.0;
}

double CRsdData::GetMergedValueAt(int index, double wavelength) const
{
    return rad::MakeMergePlan(*this, index).ValueAt(wavelength);
}

double CRsdData::GetDarkRange(int model, int index) const
{
    // The dark signal needs no calibration, so any block the record holds has a dark range.
    const SensorData* block = GetRecordBlock(model, index);
    if (!block || block->DD.empty()) return 0.0;
    float lo = block->DD.front(), hi = lo;
    for (const float v : block->DD) {
        if (v > hi) hi = v;
        if (v < lo) lo = v;
    }
    return static_cast<double>(hi) - static_cast<double>(lo);
}
