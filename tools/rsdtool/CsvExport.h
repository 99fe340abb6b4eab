#pragma once

#include <string>
#include <vector>

#include "Commands.h"
#include "RadviewSettings.h"
#include "RsdData.h"

// Why a profile's range gives no file.
inline constexpr const char* kRangeRefusedText =
    "not written: the wavelength range is not an increasing range within 0..100000 nm";

// Writes one CSV of the records of indices to out; false after naming out and the problem.
using CsvWriter = bool (*)(const CRsdData& set, const std::vector<int>& indices,
                           const RadviewSettings& settings, const std::string& out);

// The shared command line of spectral-csv and calc-csv: the single form
// "[--profile INI] [--records LIST] FILE OUT" and the batch form
// "[--profile INI] --out-dir DIR FILE...", where a failing file does not stop the others.
int RunCsvExport(const CommandArgs& args, const char* command, CsvWriter writer);

// DIR/<base name of file>.csv
std::string BatchCsvPath(const std::string& outDir, const std::string& file);
