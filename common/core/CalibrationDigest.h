#pragma once

#include <string>

struct SensorCal;

// The name of a calibration that every value made with it carries: the first 16 hex digits of
// the SHA-256 of its factors, as the file stores them (the model's pixel count of
// little-endian float32, the CAL_BGN payload), so the file's own bytes can be checked.
namespace rad {

inline constexpr std::size_t kCalibrationDigestDigits = 16;

std::string CalibrationDigest(const SensorCal& cal);

}  // namespace rad
