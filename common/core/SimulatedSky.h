#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "SiteLocation.h"

// The light of the simulated sensors and of the demo files: the clear-sky model at a site and an
// instant, with passing clouds, at a fixed noon, or a tungsten lamp indoors. One source, so the
// simulator, Radlog's demo and rsdtool's demo show the same sky.
namespace rad {

enum class SkyKind {
    Clear,   // the clear sky of the instant: dark at night, the sun's path by day
    Cloudy,  // the clear sky under passing clouds that dim it and briefly enhance it
    Noon,    // the clear sky of the site's solar noon on the instant's day, at any hour
    Lamp,    // a 2856 K tungsten lamp, indoors, at any hour
};

inline constexpr const char* kSkyChoices = "clear|cloudy|noon|lamp";

// "clear", "cloudy", "noon" or "lamp"; anything else gives nullopt.
std::optional<SkyKind> ParseSkyKind(std::string_view name);
const char* SkyKindName(SkyKind kind);

struct SkyScene {
    SkyKind kind = SkyKind::Clear;
    SiteLocation site{35.0, 0.0, 40.0};
};

// A spectrum on whole nm (element k at firstNm + k) at any wavelength: linear between its
// points, 0 beyond them.
double SpectrumAt(std::span<const double> spectrum1nm, int firstNm, double nm);

// The demo's site: 35 degrees north, at the longitude where a clock of that UTC offset shows
// about 12:00 at solar noon, so a demo day is a day on every machine.
SiteLocation DemoSite(int64_t utcOffsetSeconds);
// The demo site of the machine's own zone at utcSeconds (daylight-saving time included).
SiteLocation MachineDemoSite(int64_t utcSeconds);

// The header texts of a site (LAT, LON, ALT): "35.0000", "135.0000", "40".
struct SiteTexts {
    std::string lat, lon, alt;
};
SiteTexts FormatSite(const SiteLocation& site);

// Global horizontal spectral irradiance in W/m2/um at every whole nm from firstNm to lastNm.
std::vector<double> SkySpectrum1nm(const SkyScene& scene, int64_t utcSeconds, int firstNm,
                                   int lastNm);

// The fraction of the clear sky that reaches the ground under the cloudy sky at utcSeconds:
// mostly 1, down to about 0.25 under a cloud, up to about 1.2 just beside one. The same instant
// always gives the same value.
double CloudFactor(int64_t utcSeconds);

// The instant of the highest sun on the UTC day around utcSeconds at site, to the second.
int64_t SolarNoonUtc(int64_t utcSeconds, const SiteLocation& site);

// The lamp: a 2856 K black body (CIE illuminant A) giving kLampIlluminanceLx.
inline constexpr double kLampIlluminanceLx = 1000.0;
std::vector<double> LampSpectrum1nm(int firstNm, int lastNm);

}  // namespace rad
