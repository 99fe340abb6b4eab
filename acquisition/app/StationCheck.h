#pragma once

#include <string>
#include <vector>

struct RadlogSettings;

// One finding of radlog --headless --check.
struct CheckFinding {
    bool ok = false;
    std::string text;
};

// What the station would use, tried without measuring: the profile, the data folder, and the
// serial port of each sensor in use (opened and closed again).
std::vector<CheckFinding> CheckStation(const std::string& profilePath, bool profileRead,
                                       const RadlogSettings& settings);

// Prints the findings ("OK   ..." or "FAIL ...") and returns the exit code: 0 when all are ok.
int ReportFindings(const std::vector<CheckFinding>& findings);
