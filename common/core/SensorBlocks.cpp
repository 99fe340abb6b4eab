#include "SensorBlocks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

void SetTextField(TextField& field, std::string_view text) {
    const std::size_t n = text.size() < kTextFieldSize - 1 ? text.size() : kTextFieldSize - 1;
    std::memset(field, 0, kTextFieldSize);
    std::memcpy(field, text.data(), n);
}

double LeadingNumber(const char* text) { return text ? std::strtod(text, nullptr) : 0.0; }

SensorCal::SensorCal(int model)
    : m_nModel(model),
      WL(static_cast<std::size_t>(PixelCount(model)), 0.0f),
      CAL(static_cast<std::size_t>(PixelCount(model)), 0.0f) {}

void SensorCal::ComputeWavelengths() {
    double c[6];
    for (int k = 0; k < 6; ++k) c[k] = LeadingNumber(C[k]);
    for (std::size_t i = 0; i < WL.size(); ++i) {
        const double p = static_cast<double>(i + 1);
        const double p2 = p * p, p3 = p2 * p, p4 = p3 * p, p5 = p4 * p;
        // Highest power first, C0 last: the order the instruments' own tables use.
        WL[i] = static_cast<float>(c[5] * p5 + c[4] * p4 + c[3] * p3 + c[2] * p2 + c[1] * p + c[0]);
    }
}

bool SensorCal::HasUsableWavelengths() const {
    if (WL.size() < 2) return false;
    for (std::size_t i = 1; i < WL.size(); ++i) {
        if (!(WL[i] > WL[i - 1])) return false;  // also rejects NaN
    }
    return static_cast<double>(WL.back()) - static_cast<double>(WL.front()) >= 1.0;
}

bool HasNonFiniteValues(std::span<const float> values) {
    return !std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

bool HasNonFinitePixels(const SensorData& data) {
    return HasNonFiniteValues(data.MD) || HasNonFiniteValues(data.DD);
}

SensorData::SensorData(int model, Payload payload) : m_nModel(model) {
    if (payload == kNoPayload) return;
    MD.assign(static_cast<std::size_t>(PixelCount(model)), 0.0f);
    DD.assign(static_cast<std::size_t>(PixelCount(model)), 0.0f);
}
