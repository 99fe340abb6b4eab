#pragma once

#include <string>
#include <vector>

#include "RsdData.h"
#include "SettingsBlocks.h"

namespace rad {

// Lines of the calculated CSV (PAR, PPFD, illuminance and the band total per record) for the
// records of indices in the order given. No lines for a set without records.
// Throws std::out_of_range for a bad index, std::invalid_argument for a time without a
// local form.
std::vector<std::string> BuildCalcCsvLines(const CRsdData& set, const std::vector<int>& indices,
                                           const IntegSettings& integ);
inline constexpr int kCalcRangeRefused = -2;

// 1 written, 0 nothing to write (the set has no record), -1 the file cannot be written,
// kCalcRangeRefused (nothing written) for a band outside 0..kMaxWavelengthNm or not increasing.
int WriteCalcCsv(const std::string& path, const CRsdData& set, const std::vector<int>& indices,
                 const IntegSettings& integ);

}  // namespace rad
