#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// SHA-256 (FIPS 180-4), for naming a calibration by its factors.
namespace rad {

std::array<std::uint8_t, 32> Sha256(std::span<const std::uint8_t> bytes);
// The digest as 64 lowercase hex digits.
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace rad
