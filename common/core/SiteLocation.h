#pragma once

#include <optional>
#include <string_view>

namespace rad {

// Where a station stands: decimal degrees, north and east positive, metres above sea level.
struct SiteLocation {
    double latitudeDeg;
    double longitudeDeg;
    double altitudeM;
};

// The site of a file header's or a profile's LAT, LON and ALT texts. Each must be a plain
// decimal number ("35.68", "-105.1786", "+9"); anything else, a latitude beyond +-90 or a
// longitude beyond +-180, and the factory default where both are 0, give no site. An empty or
// unparsable altitude counts as 0 m: the sun's place hardly depends on it.
std::optional<SiteLocation> ParseSite(std::string_view lat, std::string_view lon,
                                      std::string_view alt);

// A plain decimal number (optional sign, digits with at most one point, blanks around it).
std::optional<double> ParsePlainDecimal(std::string_view text);

}  // namespace rad
