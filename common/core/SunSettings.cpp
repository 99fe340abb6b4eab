#include "SunSettings.h"

#include <charconv>
#include <cmath>

SunSettings LoadSunSettings(const CIniFile& ini) {
    SunSettings sun;
    std::string text = ini.GetString("SUN", "MINELEVATION", "");
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return sun;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    double degrees = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, degrees);
    if (ec == std::errc() && ptr == end && std::isfinite(degrees) && std::abs(degrees) <= 90.0)
        sun.minElevationDeg = degrees;
    else
        sun.invalidText = text;
    return sun;
}
