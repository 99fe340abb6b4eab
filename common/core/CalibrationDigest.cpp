#include "CalibrationDigest.h"

#include <bit>
#include <cstdint>
#include <vector>

#include "SensorBlocks.h"
#include "Sha256.h"

namespace rad {

std::string CalibrationDigest(const SensorCal& cal) {
    const auto pixels = static_cast<std::size_t>(PixelCount(cal.m_nModel));
    std::vector<std::uint8_t> bytes(pixels * 4, 0);
    for (std::size_t i = 0; i < pixels && i < cal.CAL.size(); ++i) {
        const auto bits = std::bit_cast<std::uint32_t>(cal.CAL[i]);
        for (std::size_t b = 0; b < 4; ++b)
            bytes[4 * i + b] = static_cast<std::uint8_t>(bits >> (8 * b));
    }
    return Sha256Hex(bytes).substr(0, kCalibrationDigestDigits);
}

}  // namespace rad
