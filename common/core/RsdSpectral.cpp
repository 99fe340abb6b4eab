#include "RsdData.h"
#include "SpectralMath.h"

namespace rad {

// What a block without a payload reads as; shared, so such blocks need no pixels of their own.
const float* PayloadOrZeros(const std::vector<float>& payload) {
    static const std::vector<float> zeros(static_cast<std::size_t>(kMaxPixels), 0.0f);
    return payload.empty() ? zeros.data() : payload.data();
}

std::optional<SensorSpectrum> GetSensorSpectrum(const CRsdData& set, int model, int index) {
    const SensorData* block = set.GetSpectralBlock(model, index);
    if (!block) return std::nullopt;
    const SensorCal* cal = set.GetCal(model);
    return SensorSpectrum{cal->WL.data(),
                          cal->CAL.data(),
                          PayloadOrZeros(block->MD),
                          PayloadOrZeros(block->DD),
                          PixelCount(model),
                          model};
}

MergePlan MakeMergePlan(const CRsdData& set, int index) {
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

double CRsdData::GetPixelValue(int model, int index, int pixel) const {
    const auto spectrum = rad::GetSensorSpectrum(*this, model, index);
    if (!spectrum || pixel < 0 || pixel >= spectrum->n) return 0.0;
    return spectrum->Pixel(pixel);
}

bool CRsdData::IsInRange(int model, double wavelength) const {
    if (!HasUsableCal(model)) return false;
    const SensorCal& cal = *GetCal(model);
    return cal.WL.front() <= wavelength && wavelength <= cal.WL.back();
}

double CRsdData::GetValueAt(int model, int index, double wavelength) const {
    const auto spectrum = rad::GetSensorSpectrum(*this, model, index);
    return spectrum ? spectrum->ValueAt(wavelength) : 0.0;
}

double CRsdData::GetMergedValueAt(int index, double wavelength) const {
    return rad::MakeMergePlan(*this, index).ValueAt(wavelength);
}

double CRsdData::GetDarkRange(int model, int index) const {
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
