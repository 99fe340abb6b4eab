#include "SiteLocation.h"

#include <charconv>
#include <cmath>

namespace rad {
namespace {

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsPlainDecimal(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    int digits = 0, points = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

}  // namespace

std::optional<double> ParsePlainDecimal(std::string_view text) {
    text = Trimmed(text);
    if (!IsPlainDecimal(text)) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<SiteLocation> ParseSite(std::string_view lat, std::string_view lon,
                                      std::string_view alt) {
    const auto latitude = ParsePlainDecimal(lat), longitude = ParsePlainDecimal(lon);
    if (!latitude || !longitude) return std::nullopt;
    if (std::abs(*latitude) > 90 || std::abs(*longitude) > 180) return std::nullopt;
    if (*latitude == 0 && *longitude == 0) return std::nullopt;  // never set
    return SiteLocation{*latitude, *longitude, ParsePlainDecimal(alt).value_or(0.0)};
}

}  // namespace rad
