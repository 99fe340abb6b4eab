#include "NetcdfArchive.h"

#include <netcdf.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "LightQuantities.h"
#include "NetcdfStatusFlags.h"
#include "NetcdfSupport.h"
#include "RecordZone.h"
#include "RsdData.h"
#include "SiteLocation.h"
#include "StatusValueNames.h"

namespace {

constexpr int kDeflateLevel = 1;  // most of zlib's gain on spectra at a fraction of its time
constexpr std::size_t kTimeChunk = kArchiveChunkRecords;
constexpr float kFloatFill = kArchiveFloatFill;
constexpr int kIntFill = kArchiveIntFill;
static_assert(kFloatFill == NC_FILL_FLOAT && kIntFill == NC_FILL_INT);
constexpr const char* kIrradianceName =
    "surface_downwelling_radiative_flux_per_unit_wavelength_in_air";
constexpr const char* kIrradianceUnits = "W m-2 um-1";
constexpr const char* kCoordinates = "lat lon alt station_name";

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
        case rad::Quantity::UvIndex:
            return "ultraviolet_index";
        default:
            return nullptr;
    }
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
    : m_path(path), m_options(std::move(options)), m_wavelengths(m_options.grid.Wavelengths()) {
    if (m_wavelengths.empty()) throw ArchiveError("the wavelength grid is empty");
    if (m_options.append) {
        OpenExisting();
        return;
    }
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

    DefineSpectrum("spectral_irradiance", "merged spectral irradiance");
    for (std::size_t i = 0; i < rad::kQuantityCount; ++i) {
        const rad::QuantityInfo& info = rad::QuantityTable()[i];
        if (!m_options.allQuantities && !InDefaultSet(info.id)) continue;
        std::string longName = info.header;
        longName = longName.substr(0, longName.find('('));
        const int var = DefineSeries(info.key, NC_FLOAT, UdunitsOf(info.header).c_str(),
                                     longName.c_str(), StandardNameOf(info.id));
        m_quantityVars.emplace_back(i, var);
    }
    m_sunVars = {
        DefineSeries("sun_zenith", NC_FLOAT, "degree",
                     "solar zenith angle, topocentric, "
                     "without refraction",
                     "solar_zenith_angle"),
        DefineSeries("sun_azimuth", NC_FLOAT, "degree", "solar azimuth angle, clockwise from north",
                     "solar_azimuth_angle"),
        DefineSeries("clear_sky_ppfd", NC_FLOAT, "umol m-2 s-1",
                     "PPFD of a clear sky (Bird and Riordan SPCTRAL2)", nullptr),
    };
    m_qcVar = DefineSeries("qc", NC_INT, "1", "quality flags of the record", nullptr);
    PutQcFlags(m_ncid, m_qcVar);
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

int CNetcdfArchive::DefineText(const std::string& name, const std::string& longName) {
    int var = -1;
    Check(nc_def_var(m_ncid, name.c_str(), NC_STRING, 1, &m_timeDim, &var), name);
    const std::size_t chunk = kTimeChunk * 16;
    Check(nc_def_var_chunking(m_ncid, var, NC_CHUNKED, &chunk), name);
    PutText(m_ncid, var, "long_name", longName);
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

std::vector<std::size_t> CNetcdfArchive::QuantityIndices() const {
    std::vector<std::size_t> indices;
    for (const auto& [index, var] : m_quantityVars) indices.push_back(index);
    return indices;
}

void CNetcdfArchive::DefineSite(const ArchiveDay& day) {
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

    // No site (the factory default 0/0, or no plain numbers) is stored as missing values.
    const auto site = rad::ParseSite(day.latitude, day.longitude, day.altitude);
    const auto height = site ? rad::ParsePlainDecimal(day.altitude) : std::nullopt;
    for (const int scalar : {lat, lon, alt})
        Check(nc_def_var_fill(m_ncid, scalar, 0, &kFloatFill), "site");
    Check(nc_enddef(m_ncid), "site");

    const std::string name = day.site.empty() ? "station" : day.site;
    const char* text = name.c_str();
    Check(nc_put_var_string(m_ncid, var, &text), "station_name");
    const float latitude = site ? static_cast<float>(site->latitudeDeg) : kFloatFill;
    const float longitude = site ? static_cast<float>(site->longitudeDeg) : kFloatFill;
    const float altitude = height ? static_cast<float>(*height) : kFloatFill;
    Check(nc_put_var_float(m_ncid, lat, &latitude), "lat");
    Check(nc_put_var_float(m_ncid, lon, &longitude), "lon");
    Check(nc_put_var_float(m_ncid, alt, &altitude), "alt");
    m_strTimeZone = day.timeZone;
    m_bSite = true;
}

void CNetcdfArchive::DefineSensor(int model) {
    const SensorModelInfo& info = kModels[static_cast<std::size_t>(model)];
    const std::string suffix = "_" + Lower(info.key);
    const std::string label = info.label;
    Check(nc_redef(m_ncid), label);
    SensorVars& vars = m_sensors[static_cast<std::size_t>(model)];
    DefineSpectrum(SpectrumName(1 + static_cast<std::size_t>(model)),
                   label + " spectral irradiance");
    vars.exposure =
        DefineSeries("exposure" + suffix, NC_INT, "ms", (label + " exposure").c_str(), nullptr);
    for (const rad::StatusValueName& name : rad::StatusIntNames(model)) {
        vars.ints.push_back(DefineSeries(name.name + suffix, NC_INT, name.units,
                                         (label + " " + name.longName).c_str(), nullptr));
        PutStatusFlags(m_ncid, vars.ints.back(), name.name);
    }
    for (const rad::StatusValueName& name : rad::StatusFloatNames(model))
        vars.floats.push_back(DefineSeries(name.name + suffix, NC_FLOAT, name.units,
                                           (label + " " + name.longName).c_str(), nullptr));
    vars.serial = DefineText("serial_number" + suffix, label + " serial number");
    vars.calibration = DefineText("calibration" + suffix,
                                  label +
                                      " calibration: the first 16 hex digits of the SHA-256 of "
                                      "its factors as the day file stores them");
    Check(nc_enddef(m_ncid), label);
    m_defined[static_cast<std::size_t>(model)] = true;
}

std::string CNetcdfArchive::SpectrumName(std::size_t spectrum) const {
    if (spectrum == 0) return "spectral_irradiance";
    return "spectral_irradiance_" + Lower(kModels[spectrum - 1].key);
}

void CNetcdfArchive::Add(PreparedDay prepared) {
    const ArchiveDay& day = prepared.day;
    m_sources.push_back(day.source);
    if (day.times.empty()) return;
    RequireSameStation(m_station, day, m_nExisting > 0);
    if (day.times.front() <= m_lastTime && m_nRecords == m_nExisting && m_nExisting > 0)
        throw ArchiveError(day.source + ": overlaps the archive in time: its records do not " +
                           "all come after the archive's last");
    if (day.times.front() <= m_lastTime)
        throw ArchiveError(day.source +
                           ": its records do not come after those of the files before it");
    if (prepared.first != m_nRecords) throw ArchiveError(day.source + ": out of place");
    if (!m_bSite) DefineSite(day);
    for (int model = 0; model < kModelCount; ++model) {
        const ArchiveSensorDay& sensor = day.sensors[static_cast<std::size_t>(model)];
        if (!sensor.calibration.empty()) m_calibrations.insert(sensor.calibration);
        if (sensor.present && !m_defined[static_cast<std::size_t>(model)]) DefineSensor(model);
    }
    WriteSeries(day, m_nRecords);
    PlaceLoose(prepared);
    for (std::size_t s = 0; s < kArchiveSpectra; ++s)
        std::move(prepared.chunks[s].begin(), prepared.chunks[s].end(),
                  std::back_inserter(m_chunks[s]));
    m_nRecords += day.times.size();
    m_lastTime = day.times.back();
    WriteChunks();
}

void CNetcdfArchive::WriteChunks() {
    for (std::size_t s = 0; s < kArchiveSpectra; ++s) {
        if (m_chunks[s].empty()) continue;
        WriteStoredChunks(m_path, SpectrumName(s), m_nRecords, m_wavelengths.size(), kTimeChunk,
                          m_chunks[s]);
        m_chunks[s].clear();
    }
}

void CNetcdfArchive::WriteSeries(const ArchiveDay& day, std::size_t start) {
    const std::size_t count = day.times.size();
    const std::vector<double> times(day.times.begin(), day.times.end());
    Check(nc_put_vara_double(m_ncid, m_timeVar, &start, &count, times.data()), "time");
    for (int model = 0; model < kModelCount; ++model) {
        if (!m_defined[static_cast<std::size_t>(model)]) continue;
        const ArchiveSensorDay& sensor = day.sensors[static_cast<std::size_t>(model)];
        const SensorVars& vars = m_sensors[static_cast<std::size_t>(model)];
        const std::vector<int> noInts(sensor.present ? 0 : count, kIntFill);
        const std::vector<float> noFloats(sensor.present ? 0 : count, kFloatFill);
        const auto ints = [&](std::size_t i) {
            return sensor.present ? sensor.ints[i].data() : noInts.data();
        };
        const auto floats = [&](std::size_t i) {
            return sensor.present ? sensor.floats[i].data() : noFloats.data();
        };
        Check(nc_put_vara_int(m_ncid, vars.exposure, &start, &count,
                              sensor.present ? sensor.exposure.data() : noInts.data()),
              "exposure");
        for (std::size_t i = 0; i < vars.ints.size(); ++i)
            Check(nc_put_vara_int(m_ncid, vars.ints[i], &start, &count, ints(i)), "status");
        for (std::size_t i = 0; i < vars.floats.size(); ++i)
            Check(nc_put_vara_float(m_ncid, vars.floats[i], &start, &count, floats(i)), "status");
        const std::pair<int, const std::vector<std::string>*> texts[] = {
            {vars.serial, &sensor.serial}, {vars.calibration, &sensor.calibrationDigest}};
        for (const auto& [var, values] : texts) {
            if (var < 0) continue;
            std::vector<const char*> cells(count, "");
            for (std::size_t r = 0; sensor.present && r < count; ++r)
                cells[r] = (*values)[r].c_str();
            Check(nc_put_vara_string(m_ncid, var, &start, &count, cells.data()), "calibration");
        }
    }
    for (std::size_t c = 0; c < m_quantityVars.size(); ++c)
        Check(nc_put_vara_float(m_ncid, m_quantityVars[c].second, &start, &count,
                                day.quantities[c].data()),
              "quantities");
    const std::vector<float>* sun[] = {&day.sunZenith, &day.sunAzimuth, &day.clearSkyPpfd};
    for (std::size_t k = 0; k < m_sunVars.size(); ++k)
        if (m_sunVars[k] >= 0)
            Check(nc_put_vara_float(m_ncid, m_sunVars[k], &start, &count, sun[k]->data()), "sun");
    if (m_qcVar >= 0) Check(nc_put_vara_int(m_ncid, m_qcVar, &start, &count, day.qc.data()), "qc");
}

void CNetcdfArchive::PlaceLoose(const PreparedDay& prepared) {
    const std::size_t width = m_wavelengths.size();
    for (std::size_t s = 0; s < kArchiveSpectra; ++s) {
        if (!prepared.holds[s]) continue;  // not in this day: its chunks keep the fill
        const std::vector<float>& rows = prepared.looseSpectra[s];
        for (std::size_t j = 0; j < prepared.looseRecords.size(); ++j) {
            const std::size_t record = prepared.first + prepared.looseRecords[j];
            PendingChunk& pending = m_pending[s];
            if (pending.index != record / kTimeChunk) {
                FlushPending(s);
                pending.index = record / kTimeChunk;
                pending.values.assign(kTimeChunk * width, kFloatFill);
            }
            std::copy_n(
                rows.begin() + static_cast<std::ptrdiff_t>(j * width), width,
                pending.values.begin() + static_cast<std::ptrdiff_t>(record % kTimeChunk * width));
        }
    }
}

void CNetcdfArchive::FlushPending(std::size_t spectrum) {
    PendingChunk& pending = m_pending[spectrum];
    if (pending.index == SIZE_MAX) return;
    m_chunks[spectrum].push_back(
        {pending.index, FilterChunk(pending.values.data(), pending.values.size())});
    pending.index = SIZE_MAX;
}

void CNetcdfArchive::Finish() {
    const auto join = [](const auto& items, const char* separator) {
        std::string text;
        for (const std::string& item : items) text += (text.empty() ? "" : separator) + item;
        return text;
    };
    for (std::size_t s = 0; s < kArchiveSpectra; ++s) FlushPending(s);
    WriteChunks();
    Check(nc_redef(m_ncid), "attributes");
    PutText(m_ncid, NC_GLOBAL, "Conventions", "CF-1.8");
    PutText(m_ncid, NC_GLOBAL, "featureType", "timeSeries");
    PutText(m_ncid, NC_GLOBAL, "title",
            "Spectral irradiance records of a spectroradiometer station");
    PutText(m_ncid, NC_GLOBAL, "source",
            std::string(kArchiveSourceText) + join(m_sources, ", ") +
                std::string(kArchiveSourceProgram) + "rsdtool " + RSDTOOL_VERSION);
    PutText(m_ncid, NC_GLOBAL, "program", std::string("rsdtool ") + RSDTOOL_VERSION);
    PutText(m_ncid, NC_GLOBAL, "calibrations", join(m_calibrations, "; "));
    PutText(m_ncid, NC_GLOBAL, "history",
            m_oldHistory.empty() ? m_options.history : m_options.history + "\n" + m_oldHistory);
    // The site header's TZ as a number, when it is one.
    if (const auto offset = rad::ParseUtcOffset(m_strTimeZone)) {
        const double hours = *offset / 3600.0;
        Check(nc_put_att_double(m_ncid, NC_GLOBAL, "time_zone_offset_hours", NC_DOUBLE, 1, &hours),
              "time_zone_offset_hours");
    }
    Check(nc_enddef(m_ncid), "attributes");
    Check(nc_close(m_ncid), "close");
    m_ncid = -1;
}
