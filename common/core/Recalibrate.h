#pragma once

#include <optional>
#include <string>
#include <string_view>

class CRsdData;

// A day file given the calibrations of another: the records stay byte for byte.
namespace rad {

struct Recalibration {
    std::optional<std::string> bytes;  // the recalibrated file; nullopt when refused
    std::string problem;               // why it was refused
    unsigned replaced = 0;             // models whose calibration was replaced, bit per model
};

// Serial numbers of models both sets calibrate that differ, as "QS-100 A123 -> B456"; "" when
// they agree.
std::string SerialMismatches(const CRsdData& target, const CRsdData& source);

// target (an RSD file's bytes) with each model's calibration replaced by source's. Refused
// when either does not read, or a serial number differs and force is not given.
Recalibration Recalibrate(std::string_view target, std::string_view source, bool force);

// What RecalibrateFile did: the file's bytes before and after, or the path at fault and why.
struct FileRecalibration {
    bool ok = false;
    std::string failedPath;  // in, or out when the write failed
    std::string problem;     // "cannot be written: file too large"
    std::string before, after;
};

// The file at in recalibrated into out through the atomic writer (out may be in). A file that
// cannot be read, is refused or cannot be written leaves out as it was.
FileRecalibration RecalibrateFile(const std::string& in, const std::string& out,
                                  std::string_view source, bool force);

}  // namespace rad
