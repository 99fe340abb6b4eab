#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The calibration blocks of an RSD file as byte ranges, so that one can be exchanged for
// another without rewriting a byte of the records.
namespace rad {

struct CalibrationSpan {
    int model = 0;
    std::size_t begin = 0;  // the opening tag's first byte
    std::size_t end = 0;    // past the closing tag's line feed
};

// Every calibration block of the file in file order; nullopt when the bytes do not read as
// an RSD file to their end (a payload cut short, a block left open).
std::optional<std::vector<CalibrationSpan>> FindCalibrationBlocks(std::string_view bytes);

// target with each calibration block of a model in models (bit per model) replaced by the
// last block of that model in source, which the reader keeps; models the source lacks keep
// their blocks. nullopt when either does not read.
std::optional<std::string> SpliceCalibrations(std::string_view target, std::string_view source,
                                              unsigned models);

}  // namespace rad
