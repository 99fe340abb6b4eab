#include "NetcdfArchive.h"

#include <netcdf.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

#include "LightQuantities.h"
#include "Resample.h"
#include "RsdData.h"
#include "SpectralMath.h"
#include "StatusValueNames.h"

namespace {

constexpr int kDeflateLevel = 1;        // most of zlib's gain on spectra at a fraction of its time
constexpr std::size_t kTimeChunk = 64;  // records per chunk: a day at 1440 records is 23 reads
constexpr float kFloatFill = NC_FILL_FLOAT;
constexpr int kIntFill = NC_FILL_INT;
constexpr const char* kIrradianceName =
    "surface_downwelling_radiative_flux_per_unit_wavelength_in_air";
constexpr const char* kIrradianceUnits = "W m-2 um-1";
constexpr const char* kCoordinates = "lat lon station_name";

void Check(int status, const std::string& what) {
    if (status != NC_NOERR) throw ArchiveError(what + ": " + nc_strerror(status));
}

void PutText(int ncid, int var, const char* name, const std::string& value) {
    Check(nc_put_att_text(ncid, var, name, value.size(), value.c_str()), name);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The unit in a quantity's column title ("PPFD(umol/m2/s)") in UDUNITS form ("umol m-2 s-1").
std::string UdunitsOf(const char* header) {
    const std::string text = header;
    const auto open = text.find('(');
    if (open == std::string::npos) return "1";
    const std::string unit = text.substr(open + 1, text.size() - open - 2);
    std::string out;
    std::size_t pos = 0;
    bool first = true;
    while (pos <= unit.size()) {
        const auto slash = unit.find('/', pos);
        std::string part =
            unit.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        if (!first) {
            // "m2" after a slash becomes "m-2".
            const auto digit = part.find_first_of("0123456789");
            part = digit == std::string::npos ? part + "-1"
                                              : part.substr(0, digit) + "-" + part.substr(digit);
        }
        out += (first ? "" : " ") + part;
        first = false;
        if (slash == std::string::npos) break;
        pos = slash + 1;
    }
    return out;
}

// CF standard names of the quantities CF has one for.
const char* StandardNameOf(rad::Quantity q) {
    switch (q) {
        case rad::Quantity::Ppfd:
            return "surface_downwelling_photosynthetic_photon_flux_in_air";
        case rad::Quantity::Par:
            return "surface_downwelling_photosynthetic_radiative_flux_in_air";
        default:
            return nullptr;
    }
}

bool InDefaultSet(rad::Quantity q) {
    return q == rad::Quantity::Par || q == rad::Quantity::Ppfd || q == rad::Quantity::Illuminance;
}

}  // namespace

std::vector<double> ArchiveGrid::Wavelengths() const {
    std::vector<double> values;
    if (!(step > 0) || !(to >= from)) return values;
    const auto count = static_cast<std::size_t>(std::floor((to - from) / step + 1e-9)) + 1;
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) values.push_back(from + static_cast<double>(i) * step);
    return values;
}

CNetcdfArchive::CNetcdfArchive(const std::string& path, ArchiveOptions options)
    : m_options(std::move(options)), m_wavelengths(m_options.grid.Wavelengths()) {
    if (m_wavelengths.empty()) throw ArchiveError("the wavelength grid is empty");
    Check(nc_create(path.c_str(), NC_CLOBBER | NC_NETCDF4, &m_ncid), path);
    DefineFixed();
}

CNetcdfArchive::~CNetcdfArchive() {
    if (m_ncid >= 0) nc_close(m_ncid);
}

void CNetcdfArchive::DefineFixed() {
    Check(nc_def_dim(m_ncid, "time", NC_UNLIMITED, &m_timeDim), "time");
    Check(nc_def_dim(m_ncid, "wavelength", m_wavelengths.size(), &m_wavelengthDim), "wavelength");

    Check(nc_def_var(m_ncid, "time", NC_DOUBLE, 1, &m_timeDim, &m_timeVar), "time");
    PutText(m_ncid, m_timeVar, "standard_name", "time");
    PutText(m_ncid, m_timeVar, "long_name", "record time");
    PutText(m_ncid, m_timeVar, "units", "seconds since 1970-01-01 00:00:00 UTC");
    PutText(m_ncid, m_timeVar, "calendar", "standard");
    PutText(m_ncid, m_timeVar, "axis", "T");
    const std::size_t timeChunk = kTimeChunk * 16;
    Check(nc_def_var_chunking(m_ncid, m_timeVar, NC_CHUNKED, &timeChunk), "time");

    int wavelengthVar = -1;
    Check(nc_def_var(m_ncid, "wavelength", NC_FLOAT, 1, &m_wavelengthDim, &wavelengthVar),
          "wavelength");
    PutText(m_ncid, wavelengthVar, "standard_name", "radiation_wavelength");
    PutText(m_ncid, wavelengthVar, "long_name", "wavelength in air");
    PutText(m_ncid, wavelengthVar, "units", "nm");

    m_mergedVar = DefineSpectrum("spectral_irradiance", "merged spectral irradiance");
    for (std::size_t i = 0; i < rad::kQuantityCount; ++i) {
        const rad::QuantityInfo& info = rad::QuantityTable()[i];
        if (!m_options.allQuantities && !InDefaultSet(info.id)) continue;
        std::string longName = info.header;
        longName = longName.substr(0, longName.find('('));
        const int var = DefineSeries(info.key, NC_FLOAT, UdunitsOf(info.header).c_str(),
                                     longName.c_str(), StandardNameOf(info.id));
        m_quantityVars.emplace_back(i, var);
    }
    Check(nc_enddef(m_ncid), "definitions");

    std::vector<float> wavelengths(m_wavelengths.begin(), m_wavelengths.end());
    Check(nc_put_var_float(m_ncid, wavelengthVar, wavelengths.data()), "wavelength");
}

int CNetcdfArchive::DefineSeries(const std::string& name, int type, const char* units,
                                 const char* longName, const char* standardName) {
    int var = -1;
    Check(nc_def_var(m_ncid, name.c_str(), type, 1, &m_timeDim, &var), name);
    const std::size_t chunk = kTimeChunk * 16;
    Check(nc_def_var_chunking(m_ncid, var, NC_CHUNKED, &chunk), name);
    Check(nc_def_var_deflate(m_ncid, var, 1, 1, kDeflateLevel), name);
    if (type == NC_FLOAT)
        Check(nc_def_var_fill(m_ncid, var, 0, &kFloatFill), name);
    else
        Check(nc_def_var_fill(m_ncid, var, 0, &kIntFill), name);
    if (standardName) PutText(m_ncid, var, "standard_name", standardName);
    PutText(m_ncid, var, "long_name", longName);
    PutText(m_ncid, var, "units", units);
    PutText(m_ncid, var, "coordinates", kCoordinates);
    return var;
}

int CNetcdfArchive::DefineSpectrum(const std::string& name, const std::string& longName) {
    int var = -1;
    const int dims[2] = {m_timeDim, m_wavelengthDim};
    Check(nc_def_var(m_ncid, name.c_str(), NC_FLOAT, 2, dims, &var), name);
    const std::size_t chunks[2] = {kTimeChunk, m_wavelengths.size()};
    Check(nc_def_var_chunking(m_ncid, var, NC_CHUNKED, chunks), name);
    Check(nc_def_var_deflate(m_ncid, var, 1, 1, kDeflateLevel), name);
    Check(nc_def_var_fill(m_ncid, var, 0, &kFloatFill), name);
    PutText(m_ncid, var, "standard_name", kIrradianceName);
    PutText(m_ncid, var, "long_name", longName);
    PutText(m_ncid, var, "units", kIrradianceUnits);
    PutText(m_ncid, var, "coordinates", kCoordinates);
    return var;
}

void CNetcdfArchive::DefineSite(const CRsdData& set) {
    Check(nc_redef(m_ncid), "site");
    int var = -1;
    Check(nc_def_var(m_ncid, "station_name", NC_STRING, 0, nullptr, &var), "station_name");
    PutText(m_ncid, var, "cf_role", "timeseries_id");
    PutText(m_ncid, var, "long_name", "station name");
    int lat = -1, lon = -1, alt = -1;
    Check(nc_def_var(m_ncid, "lat", NC_FLOAT, 0, nullptr, &lat), "lat");
    PutText(m_ncid, lat, "standard_name", "latitude");
    PutText(m_ncid, lat, "units", "degrees_north");
    Check(nc_def_var(m_ncid, "lon", NC_FLOAT, 0, nullptr, &lon), "lon");
    PutText(m_ncid, lon, "standard_name", "longitude");
    PutText(m_ncid, lon, "units", "degrees_east");
    Check(nc_def_var(m_ncid, "alt", NC_FLOAT, 0, nullptr, &alt), "alt");
    PutText(m_ncid, alt, "standard_name", "height_above_mean_sea_level");
    PutText(m_ncid, alt, "units", "m");
    PutText(m_ncid, alt, "positive", "up");
    Check(nc_enddef(m_ncid), "site");

    const std::string name = set.m_strSite.empty() ? "station" : set.m_strSite;
    const char* text = name.c_str();
    Check(nc_put_var_string(m_ncid, var, &text), "station_name");
    const float latitude = static_cast<float>(LeadingNumber(set.m_strLat.c_str()));
    const float longitude = static_cast<float>(LeadingNumber(set.m_strLon.c_str()));
    const float altitude = static_cast<float>(LeadingNumber(set.m_strAlt.c_str()));
    Check(nc_put_var_float(m_ncid, lat, &latitude), "lat");
    Check(nc_put_var_float(m_ncid, lon, &longitude), "lon");
    Check(nc_put_var_float(m_ncid, alt, &altitude), "alt");
    m_strTimeZone = set.m_strTZ;
    m_bSite = true;
}

void CNetcdfArchive::DefineSensor(int model) {
    const SensorModelInfo& info = kModels[static_cast<std::size_t>(model)];
    const std::string suffix = "_" + Lower(info.key);
    const std::string label = info.label;
    Check(nc_redef(m_ncid), label);
    SensorVars& vars = m_sensors[static_cast<std::size_t>(model)];
    vars.spectrum = DefineSpectrum("spectral_irradiance" + suffix, label + " spectral irradiance");
    vars.exposure =
        DefineSeries("exposure" + suffix, NC_INT, "ms", (label + " exposure").c_str(), nullptr);
    for (const rad::StatusValueName& name : rad::StatusIntNames(model))
        vars.ints.push_back(DefineSeries(name.name + suffix, NC_INT, name.units,
                                         (label + " " + name.longName).c_str(), nullptr));
    for (const rad::StatusValueName& name : rad::StatusFloatNames(model))
        vars.floats.push_back(DefineSeries(name.name + suffix, NC_FLOAT, name.units,
                                           (label + " " + name.longName).c_str(), nullptr));
    Check(nc_enddef(m_ncid), label);
    m_defined[static_cast<std::size_t>(model)] = true;
}

void CNetcdfArchive::Add(const CRsdData& set, const std::string& source) {
    std::vector<int> order(static_cast<std::size_t>(set.GetCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&set](int a, int b) { return set.GetAt(a).m_time < set.GetAt(b).m_time; });
    m_sources.push_back(source);
    if (order.empty()) return;
    if (set.GetAt(order.front()).m_time <= m_lastTime)
        throw ArchiveError(source + ": its records do not come after those of the files before it");
    if (!m_bSite) DefineSite(set);
    for (int model = 0; model < kModelCount; ++model) {
        if (const SensorCal* cal = set.GetCal(model))
            m_calibrations.insert(std::string(kModels[static_cast<std::size_t>(model)].label) +
                                  " " + cal->SN);
        if (m_defined[static_cast<std::size_t>(model)]) continue;
        for (int index = 0; index < set.GetCount(); ++index)
            if (set.GetAt(index).Block(model)) {
                DefineSensor(model);
                break;
            }
    }

    const std::size_t start = m_nRecords;
    const std::size_t count = order.size();
    std::vector<double> times;
    for (const int index : order) times.push_back(static_cast<double>(set.GetAt(index).m_time));
    Check(nc_put_vara_double(m_ncid, m_timeVar, &start, &count, times.data()), "time");
    WriteSensors(set, order, start);
    WriteQuantities(set, order, start);
    m_nRecords += count;
    m_lastTime = set.GetAt(order.back()).m_time;
}

void CNetcdfArchive::WriteSensors(const CRsdData& set, const std::vector<int>& order,
                                  std::size_t start) {
    const std::size_t count = order.size();
    const std::size_t width = m_wavelengths.size();
    const std::size_t starts[2] = {start, 0};
    const std::size_t counts[2] = {count, width};
    std::vector<float> values(count * width);

    for (std::size_t r = 0; r < count; ++r) {
        const rad::MergePlan plan = rad::MakeMergePlan(set, order[r]);
        const std::optional<rad::SensorSpectrum>& low =
            plan.IsPair() ? plan.shortWave : plan.single;
        const std::optional<rad::SensorSpectrum>& high =
            plan.IsPair() ? plan.longWave : plan.single;
        float* row = values.data() + r * width;
        for (std::size_t w = 0; w < width; ++w) {
            const double nm = m_wavelengths[w];
            const bool covered = low && high && low->First() <= nm && nm <= high->Last();
            row[w] = covered ? static_cast<float>(plan.ValueAt(nm)) : kFloatFill;
        }
    }
    Check(nc_put_vara_float(m_ncid, m_mergedVar, starts, counts, values.data()),
          "spectral_irradiance");

    for (int model = 0; model < kModelCount; ++model) {
        if (!m_defined[static_cast<std::size_t>(model)]) continue;
        const SensorVars& vars = m_sensors[static_cast<std::size_t>(model)];
        std::vector<int> exposure(count, kIntFill);
        std::vector<std::vector<int>> ints(vars.ints.size(), std::vector<int>(count, kIntFill));
        std::vector<std::vector<float>> floats(vars.floats.size(),
                                               std::vector<float>(count, kFloatFill));
        for (std::size_t r = 0; r < count; ++r) {
            float* row = values.data() + r * width;
            std::fill(row, row + width, kFloatFill);
            const SensorData* block = set.GetAt(order[r]).Block(model);
            if (!block) continue;
            exposure[r] = block->ET;
            for (std::size_t i = 0; i < ints.size(); ++i) ints[i][r] = block->statusInt[i];
            for (std::size_t i = 0; i < floats.size(); ++i) floats[i][r] = block->statusFloat[i];
            const auto spectrum = rad::GetSensorSpectrum(set, model, order[r]);
            if (!spectrum) continue;
            for (std::size_t w = 0; w < width; ++w)
                if (spectrum->InRange(m_wavelengths[w]))
                    row[w] = static_cast<float>(spectrum->ValueAt(m_wavelengths[w]));
        }
        Check(nc_put_vara_float(m_ncid, vars.spectrum, starts, counts, values.data()), "spectrum");
        Check(nc_put_vara_int(m_ncid, vars.exposure, &start, &count, exposure.data()), "exposure");
        for (std::size_t i = 0; i < ints.size(); ++i)
            Check(nc_put_vara_int(m_ncid, vars.ints[i], &start, &count, ints[i].data()), "status");
        for (std::size_t i = 0; i < floats.size(); ++i)
            Check(nc_put_vara_float(m_ncid, vars.floats[i], &start, &count, floats[i].data()),
                  "status");
    }
}

void CNetcdfArchive::WriteQuantities(const CRsdData& set, const std::vector<int>& order,
                                     std::size_t start) {
    const std::size_t count = order.size();
    std::vector<std::vector<float>> columns(m_quantityVars.size(),
                                            std::vector<float>(count, kFloatFill));
    CResample spectrum;
    for (std::size_t r = 0; r < count; ++r) {
        spectrum.Resample(set, order[r]);
        const rad::LightQuantities q = rad::ComputeQuantities(spectrum);
        for (std::size_t c = 0; c < m_quantityVars.size(); ++c) {
            const double value = q.values[m_quantityVars[c].first].value;
            if (std::isfinite(value)) columns[c][r] = static_cast<float>(value);
        }
    }
    for (std::size_t c = 0; c < m_quantityVars.size(); ++c)
        Check(
            nc_put_vara_float(m_ncid, m_quantityVars[c].second, &start, &count, columns[c].data()),
            "quantities");
}

void CNetcdfArchive::Finish() {
    const auto join = [](const auto& items, const char* separator) {
        std::string text;
        for (const std::string& item : items) text += (text.empty() ? "" : separator) + item;
        return text;
    };
    Check(nc_redef(m_ncid), "attributes");
    PutText(m_ncid, NC_GLOBAL, "Conventions", "CF-1.8");
    PutText(m_ncid, NC_GLOBAL, "featureType", "timeSeries");
    PutText(m_ncid, NC_GLOBAL, "title",
            "Spectral irradiance records of a spectroradiometer station");
    PutText(m_ncid, NC_GLOBAL, "source",
            "QS series spectroradiometers; day files " + join(m_sources, ", "));
    PutText(m_ncid, NC_GLOBAL, "program", std::string("rsdtool ") + RSDTOOL_VERSION);
    PutText(m_ncid, NC_GLOBAL, "calibrations", join(m_calibrations, "; "));
    PutText(m_ncid, NC_GLOBAL, "history", m_options.history);
    PutText(m_ncid, NC_GLOBAL, "time_zone_offset_hours", m_strTimeZone);
    Check(nc_enddef(m_ncid), "attributes");
    Check(nc_close(m_ncid), "close");
    m_ncid = -1;
}
