#include "QcSettings.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include "IniFile.h"

namespace rad {
namespace {

constexpr const char* kSection = "QC";

struct Key {
    const char* name;
    double QcThresholds::*value;
};
constexpr Key kKeys[] = {
    {"SENSORSAPART", &QcThresholds::sensorsApartSeconds},
    {"MERGEMISMATCH", &QcThresholds::mergeMismatch},
    {"CLEARSKYFACTOR", &QcThresholds::clearSkyFactor},
    {"CLEARSKYMARGIN", &QcThresholds::clearSkyMargin},
    {"NIGHTELEVATION", &QcThresholds::nightElevationDeg},
};

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == text.c_str() || *end != '\0' || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

}  // namespace

QcThresholds LoadQcThresholds(const CIniFile& ini) {
    QcThresholds thresholds;
    for (const Key& key : kKeys) {
        if (!ini.HasKey(kSection, key.name)) continue;
        ParseNumber(ini.GetString(kSection, key.name, ""), thresholds.*key.value);
    }
    return thresholds;
}

}  // namespace rad
