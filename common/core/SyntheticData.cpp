#include "SyntheticData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "LocalTime.h"

namespace rad {
namespace {

// Wavelength polynomial per model (C0, C1, C2, C3); C4 and C5 are zero as on most units.
struct SyntheticOptics {
    const char* coefficients[4];
    double responsePeak;   // nm, where the detector is most sensitive
    double responseWidth;  // nm
};

constexpr SyntheticOptics kOptics[] = {
    {{"2.994000e+02", "8.000000e-01", "-1.500000e-05", "1.000000e-10"}, 650.0, 260.0},
    {{"2.996000e+02", "4.000000e-01", "-4.000000e-06", "1.000000e-11"}, 650.0, 260.0},
    {{"8.985000e+02", "1.600000e+00", "-6.000000e-05", "0"}, 1300.0, 320.0},
    {{"8.970000e+02", "3.200000e+00", "-2.400000e-04", "0"}, 1300.0, 320.0},
};
static_assert(std::size(kOptics) == kModelCount, "one row per model");

// Small fixed generator: std distributions differ between standard libraries.
class Noise {
  public:
    explicit Noise(uint32_t seed) : m_state(seed * 2654435761u + 0x9E3779B9u) {}
    // Uniform in [-1, 1).
    double Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<double>(m_state) / 2147483648.0 - 1.0;
    }

  private:
    uint32_t m_state;
};

double Response(int model, double wavelength) {
    const SyntheticOptics& o = kOptics[model];
    const double x = (wavelength - o.responsePeak) / o.responseWidth;
    return 0.05 + 0.95 * std::exp(-x * x);
}

// Sunlight at the ground, relative to its maximum: a 5800 K black body.
double SolarShape(double wavelength) {
    const double um = wavelength / 1000.0;
    const double peak = 0.5;            // um, maximum of the 5800 K curve
    const double k = 14388.0 / 5800.0;  // second radiation constant / T, in um
    auto planck = [k](double l) { return 1.0 / (std::pow(l, 5) * (std::exp(k / l) - 1.0)); };
    return planck(um) / planck(peak);
}

// 0 at night, 1 at local noon.
double Daylight(int64_t time) {
    const auto tm = ToLocalTm(time);
    const double hour =
        tm ? tm->tm_hour + tm->tm_min / 60.0 : static_cast<double>(time % 86400) / 3600.0;
    return std::max(0.0, std::sin((hour - 6.0) * 3.14159265358979 / 12.0));
}

void Format(TextField& field, const char* format, int value) {
    char text[kTextFieldSize];
    std::snprintf(text, sizeof text, format, value);
    SetTextField(field, text);
}

}  // namespace

SensorCal MakeSyntheticCal(int model) {
    SensorCal cal(model);
    const SensorModelInfo& info = kModels[model];
    Format(cal.SN, "%05d", 10231 + 1000 * model);
    SetTextField(cal.ID, std::string(info.key) + " SPECTRORADIOMETER");
    SetTextField(cal.ST, info.label);
    SetTextField(cal.FV, "2.14");
    SetTextField(cal.FT, "20230915");
    for (int k = 0; k < 6; ++k)
        SetTextField(cal.C[k], k < 4 ? kOptics[model].coefficients[k] : "0");
    cal.ComputeWavelengths();
    // Factor that turns the detector's counts/s back into W/m2/um: the inverse of its response.
    for (std::size_t i = 0; i < cal.CAL.size(); ++i)
        cal.CAL[i] = static_cast<float>(2.0e-4 / Response(model, cal.WL[i]));
    return cal;
}

namespace {

// One measurement whose dark-corrected counts per second at pixel i (wavelength wl) are
// signalAt(i, wl); light (0..1) sets the exposure, long in dim light, short in bright light.
template <typename SignalAt>
SensorData MakeData(int model, int64_t time, uint32_t seed, double light, SignalAt signalAt) {
    const SensorCal cal = MakeSyntheticCal(model);
    const SensorModelInfo& info = kModels[model];
    Noise noise(seed);
    SensorData data(model);
    std::memcpy(data.SN, cal.SN, kTextFieldSize);
    data.MT = time;
    data.ET = static_cast<int32_t>(std::lround(20.0 + 980.0 * (1.0 - light)));
    const double dark = (info.shortWave ? 180.0 : 650.0) + 10.0 * noise.Next();
    for (std::size_t i = 0; i < data.MD.size(); ++i) {
        const double signal = signalAt(i, cal.WL[i]);
        data.DD[i] = static_cast<float>(dark + 3.0 * noise.Next());
        data.MD[i] = static_cast<float>(data.DD[i] + signal * (1.0 + 0.01 * noise.Next()));
    }
    if (info.shortWave) {
        data.statusInt[0] = -1;  // cooling
        const float values[4] = {25.0f, 12.0f, 0.8f, 2.1f};
        for (int k = 0; k < 4; ++k)
            data.statusFloat[k] = values[k] + static_cast<float>(0.2 * noise.Next());
    } else {
        const int32_t ints[4] = {18, 0, 0, -1};
        std::copy(std::begin(ints), std::end(ints), data.statusInt);
        const float values[7] = {-10.0f, 32.5f, 28.3f, 12.1f, 1.2f, 3.4f, 29.0f};
        for (int k = 0; k < info.statusFloats; ++k)
            data.statusFloat[k] = values[k] + static_cast<float>(0.2 * noise.Next());
    }
    return data;
}

void SetSite(CRsdData& set, const char* lat, const char* lon, const char* alt) {
    set.m_strSite = "ARVEN FIELD STATION";
    set.m_strLat = lat;
    set.m_strLon = lon;
    set.m_strAlt = alt;
    set.m_strTZ = StandardOffsetText();
}

}  // namespace

SensorData MakeSyntheticData(int model, int64_t time, uint32_t seed) {
    const double light = Daylight(time);
    return MakeData(model, time, seed, light, [model, light](std::size_t, double wl) {
        return 40000.0 * light * SolarShape(wl) * Response(model, wl);
    });
}

SensorData MakeSkyData(int model, int64_t time, uint32_t seed, std::span<const double> sky1nm,
                       int firstNm) {
    const SensorCal cal = MakeSyntheticCal(model);
    const auto at = [&](double wl) { return SpectrumAt(sky1nm, firstNm, wl); };
    double peak = 0;
    for (double wl : cal.WL) peak = std::max(peak, at(wl));
    // Relative to a clear noon's 2000 W/m2/um, for the exposure.
    const double light = std::clamp(peak / 2000.0, 0.0, 1.0);
    return MakeData(model, time, seed, light, [&](std::size_t i, double wl) {
        return cal.CAL[i] > 0 ? at(wl) / cal.CAL[i] : 0.0;
    });
}

void MakeSyntheticDay(CRsdData& set, int records, std::initializer_list<int> models,
                      int64_t firstTime, int stepSeconds) {
    SetSite(set, "35.6581", "139.7414", "40");
    for (int model : models) set.SetCal(model, MakeSyntheticCal(model));
    for (int i = 0; i < records; ++i) {
        CRad rad;
        rad.m_time = firstTime + static_cast<int64_t>(i) * stepSeconds;
        rad.m_strMemo = "ARVEN SOLIS";
        for (int model : models)
            rad.SetBlock(model, MakeSyntheticData(model, rad.m_time,
                                                  static_cast<uint32_t>(i * kModelCount + model)));
        set.AddRecord(rad);
    }
}

void MakeSkyDay(CRsdData& set, int records, std::initializer_list<int> models, int64_t firstTime,
                int stepSeconds, const SkyScene& scene) {
    const SiteTexts site = FormatSite(scene.site);
    SetSite(set, site.lat.c_str(), site.lon.c_str(), site.alt.c_str());
    for (int model : models) set.SetCal(model, MakeSyntheticCal(model));
    for (int i = 0; i < records; ++i) {
        CRad rad;
        rad.m_time = firstTime + static_cast<int64_t>(i) * stepSeconds;
        rad.m_strMemo = "ARVEN SOLIS";
        const std::vector<double> sky = SkySpectrum1nm(scene, rad.m_time, kSkyFirstNm, kSkyLastNm);
        for (int model : models)
            rad.SetBlock(model, MakeSkyData(model, rad.m_time,
                                            static_cast<uint32_t>(i * kModelCount + model), sky,
                                            kSkyFirstNm));
        set.AddRecord(rad);
    }
}

}  // namespace rad
