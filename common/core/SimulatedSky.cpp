#include "SimulatedSky.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "CieTables.h"
#include "ClearSky.h"
#include "LightConstants.h"
#include "LocalTime.h"
#include "SolarPosition.h"

namespace rad {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLampKelvin = 2856.0;
constexpr int64_t kDay = 86400;

// The model's defaults but for a humid mid-latitude summer's water column (2 cm, not 1.4),
// which brings a clear June noon's global irradiance to where pyranometers find it.
ClearSkyConditions SimulatedAir() {
    ClearSkyConditions air;
    air.waterCm = 2.0;
    return air;
}

struct SkyName {
    SkyKind kind;
    const char* name;
};
constexpr SkyName kNames[] = {{SkyKind::Clear, "clear"},
                              {SkyKind::Cloudy, "cloudy"},
                              {SkyKind::Noon, "noon"},
                              {SkyKind::Lamp, "lamp"}};

double Planck(double nm, double kelvin) {
    const double m = nm * 1e-9;
    return 1.0 / (std::pow(m, 5) * std::expm1(1.4388e-2 / (m * kelvin)));
}

// W/m2/um of the lamp per unit of the bare Planck curve, for kLampIlluminanceLx.
double LampScale() {
    static const double scale = [] {
        double y = 0;  // sum of V * Planck over whole nm
        for (std::size_t k = 0; k < kCieCount; ++k)
            y += kCmfY[k] * Planck(kCieFirst + static_cast<double>(k), kLampKelvin);
        // lx = 683 * sum(V * E / 1000) with E in W/m2/um on 1 nm steps.
        return kLampIlluminanceLx * 1000.0 / (kLuminousEfficacy * y);
    }();
    return scale;
}

// Smooth 0..1 step between edge0 and edge1.
double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

std::optional<SkyKind> ParseSkyKind(std::string_view name) {
    for (const SkyName& n : kNames)
        if (name == n.name) return n.kind;
    return std::nullopt;
}

const char* SkyKindName(SkyKind kind) {
    for (const SkyName& n : kNames)
        if (n.kind == kind) return n.name;
    return "clear";
}

double SpectrumAt(std::span<const double> spectrum1nm, int firstNm, double nm) {
    const double x = nm - firstNm;
    if (spectrum1nm.empty() || x < 0 || x > static_cast<double>(spectrum1nm.size() - 1)) return 0.0;
    const auto k = static_cast<std::size_t>(x);
    if (k + 1 >= spectrum1nm.size()) return spectrum1nm[k];
    return spectrum1nm[k] + (spectrum1nm[k + 1] - spectrum1nm[k]) * (x - static_cast<double>(k));
}

SiteLocation DemoSite(int64_t utcOffsetSeconds) {
    // 15 degrees of longitude per hour; offsets beyond 12 hours wrap round the date line.
    double lon = std::fmod(static_cast<double>(utcOffsetSeconds) / 240.0, 360.0);
    if (lon > 180.0) lon -= 360.0;
    if (lon <= -180.0) lon += 360.0;
    return {35.0, lon, 40.0};
}

SiteTexts FormatSite(const SiteLocation& site) {
    char lat[32], lon[32], alt[32];
    std::snprintf(lat, sizeof lat, "%.4f", site.latitudeDeg);
    std::snprintf(lon, sizeof lon, "%.4f", site.longitudeDeg);
    std::snprintf(alt, sizeof alt, "%.0f", site.altitudeM);
    return {lat, lon, alt};
}

SiteLocation MachineDemoSite(int64_t utcSeconds) {
    const auto tm = ToLocalTm(utcSeconds);
    return DemoSite(tm ? static_cast<int64_t>(tm->tm_gmtoff) : 0);
}

double CloudFactor(int64_t utcSeconds) {
    // Three drifts of incommensurate periods (11, 23 and 51 minutes) make a cloud field that
    // never quite repeats within a day; where it rises above kEdge a cloud covers the sun.
    constexpr double kEdge = 0.15;
    const double t = static_cast<double>(utcSeconds % (7 * kDay));
    const double field = 0.5 * std::sin(2 * kPi * t / 660.0) +
                         0.3 * std::sin(2 * kPi * t / 1380.0 + 1.3) +
                         0.2 * std::sin(2 * kPi * t / 3060.0 + 2.1);
    const double cover = SmoothStep(kEdge, kEdge + 0.3, field);
    // Light scattered off a cloud's bright edge adds to the direct sun just before it covers.
    const double edge = (field - kEdge + 0.04) / 0.03;
    const double enhancement = 0.2 * std::exp(-edge * edge) * (1.0 - cover);
    return 1.0 - 0.75 * cover + enhancement;
}

int64_t SolarNoonUtc(int64_t utcSeconds, const SiteLocation& site) {
    // Mean noon from the longitude, then the highest sun within the equation of time's reach:
    // a coarse pass by minutes and a fine one by seconds.
    const int64_t dayStart = utcSeconds - ((utcSeconds % kDay) + kDay) % kDay;
    const int64_t mean =
        dayStart + kDay / 2 - static_cast<int64_t>(std::lround(site.longitudeDeg * 240.0));
    const auto best = [&site](int64_t from, int64_t to, int64_t step) {
        int64_t at = from;
        double high = -1e9;
        for (int64_t t = from; t <= to; t += step) {
            const double e = SunElevationDeg(t, site);
            if (e > high) {
                high = e;
                at = t;
            }
        }
        return at;
    };
    const int64_t coarse = best(mean - 20 * 60, mean + 20 * 60, 60);
    return best(coarse - 60, coarse + 60, 1);
}

std::vector<double> LampSpectrum1nm(int firstNm, int lastNm) {
    std::vector<double> values;
    for (int nm = firstNm; nm <= lastNm; ++nm)
        values.push_back(LampScale() * Planck(nm, kLampKelvin));
    return values;
}

std::vector<double> SkySpectrum1nm(const SkyScene& scene, int64_t utcSeconds, int firstNm,
                                   int lastNm) {
    if (scene.kind == SkyKind::Lamp) return LampSpectrum1nm(firstNm, lastNm);
    const int64_t at =
        scene.kind == SkyKind::Noon ? SolarNoonUtc(utcSeconds, scene.site) : utcSeconds;
    const SunPosition sun = ComputeSunPosition(at, scene.site);
    std::vector<double> values = ClearSkySpectrum1nm(sun.zenithDeg, at, scene.site.altitudeM,
                                                     firstNm, lastNm, SimulatedAir());
    if (scene.kind == SkyKind::Cloudy) {
        const double factor = CloudFactor(utcSeconds);
        for (double& v : values) v *= factor;
    }
    return values;
}

}  // namespace rad
