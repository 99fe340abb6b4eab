#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "SensorModel.h"

using TextField = char[kTextFieldSize];

// Copies at most 31 bytes and always terminates; the rest of the field is zeroed.
void SetTextField(TextField& field, std::string_view text);

// One sensor's identity and calibration.
struct SensorCal {
    explicit SensorCal(int model = kQS100);

    int m_nModel;
    TextField SN{};
    TextField ID{};
    TextField ST{};
    TextField FV{};
    TextField FT{};
    TextField C[6]{};
    std::vector<float> WL;   // pixel centre wavelengths, nm; derived from C, never stored
    std::vector<float> CAL;  // per-pixel factor: counts/s -> W/m2/um

    // Recomputes WL from the coefficient texts (pixel numbers start at 1).
    void ComputeWavelengths();
    // True when WL rises strictly and spans at least 1 nm: the spectral maths rely on it.
    bool HasUsableWavelengths() const;
};

// One sensor's measurement inside a record. MD and DD hold either the model's pixel count of
// values or none at all; none reads as zeros everywhere (a block read from a file that
// carried no payload, which then costs no memory for pixels).
struct SensorData {
    enum Payload { kZeroPayload, kNoPayload };
    explicit SensorData(int model = kQS100, Payload payload = kZeroPayload);

    int m_nModel;
    TextField SN{};
    int64_t MT = 0;  // seconds since 1970, UTC
    int32_t ET = 0;  // exposure, ms
    // Status values in block order; only the first statusInts / statusFloats of the model are used.
    int32_t statusInt[kMaxStatusInts]{};
    float statusFloat[kMaxStatusFloats]{};
    std::vector<float> MD;  // measured signal, counts/s
    std::vector<float> DD;  // dark signal, counts/s
};

// True when a pixel of MD or DD is NaN or infinite: curves break there and sums skip it.
bool HasNonFinitePixels(const SensorData& data);
// The same of one payload.
bool HasNonFiniteValues(std::span<const float> values);

// Double value of the leading decimal number of a text (0 when there is none), like atof.
double LeadingNumber(const char* text);
