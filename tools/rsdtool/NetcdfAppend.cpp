// Opening an archive to add days to it: the variables, the station and the records it holds,
// and the last chunk of each spectrum, which the new records may fill further.
#include <netcdf.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "NetcdfArchive.h"
#include "NetcdfSupport.h"
#include "StatusValueNames.h"

namespace {

std::string TextAttribute(int ncid, int var, const char* name) {
    nc_type type = NC_NAT;
    std::size_t length = 0;
    if (nc_inq_att(ncid, var, name, &type, &length) != NC_NOERR || type != NC_CHAR) return {};
    std::string text(length, '\0');
    Check(nc_get_att_text(ncid, var, name, text.data()), name);
    return text;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const auto at = text.find(separator);
        items.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + separator.size());
    }
    return items;
}

// The number of fewest significant digits that value is within digits of 1..limit; the
// archive stores wavelengths as floats, the grid they came from was typed in decimals.
double FewestDigits(double value, int limit, const auto& fits) {
    for (int digits = 1; digits <= limit; ++digits) {
        char text[48];
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        const double candidate = std::strtod(text, nullptr);
        if (fits(candidate)) return candidate;
    }
    return value;
}

ArchiveGrid GridOf(const std::vector<float>& stored) {
    const auto sameAs = [](float value) {
        return [value](double candidate) { return static_cast<float>(candidate) == value; };
    };
    ArchiveGrid grid;
    grid.from = FewestDigits(stored.front(), 9, sameAs(stored.front()));
    grid.to = FewestDigits(stored.back(), 9, sameAs(stored.back()));
    const auto matches = [&stored](const ArchiveGrid& candidate) {
        const std::vector<double> wavelengths = candidate.Wavelengths();
        if (wavelengths.size() != stored.size()) return false;
        for (std::size_t i = 0; i < stored.size(); ++i)
            if (static_cast<float>(wavelengths[i]) != stored[i]) return false;
        return true;
    };
    const double span = stored.size() > 1 ? static_cast<double>(stored.size() - 1) : 1.0;
    grid.step = FewestDigits((grid.to - grid.from) / span, 15, [&](double step) {
        ArchiveGrid candidate = grid;
        candidate.step = step > 0 ? step : 1;
        return matches(candidate);
    });
    if (!(grid.step > 0)) grid.step = 1;
    if (!matches(grid)) throw ArchiveError("its wavelengths form no regular grid");
    return grid;
}

bool HasVariable(int ncid, const std::string& name) {
    int var = -1;
    return nc_inq_varid(ncid, name.c_str(), &var) == NC_NOERR;
}

int Variable(int ncid, const std::string& name) {
    int var = -1;
    Check(nc_inq_varid(ncid, name.c_str(), &var), name);
    return var;
}

}  // namespace

ArchiveLayout ReadArchiveLayout(const std::string& path) {
    int ncid = -1;
    Check(nc_open(path.c_str(), NC_NOWRITE, &ncid), "not a NetCDF-4 archive");
    struct Closer {
        int ncid;
        ~Closer() { nc_close(ncid); }
    } closer{ncid};
    int dim = -1;
    std::size_t count = 0;
    Check(nc_inq_dimid(ncid, "wavelength", &dim), "wavelength");
    Check(nc_inq_dimlen(ncid, dim, &count), "wavelength");
    if (count == 0) throw ArchiveError("it has no wavelengths");
    std::vector<float> stored(count);
    Check(nc_get_var_float(ncid, Variable(ncid, "wavelength"), stored.data()), "wavelength");
    ArchiveLayout layout;
    layout.grid = GridOf(stored);
    for (const rad::QuantityInfo& info : rad::QuantityTable())
        if (!InDefaultSet(info.id) && HasVariable(ncid, info.key)) layout.allQuantities = true;
    return layout;
}

void CNetcdfArchive::OpenExisting() {
    Check(nc_open(m_path.c_str(), NC_WRITE, &m_ncid), m_path);
    Check(nc_inq_dimid(m_ncid, "time", &m_timeDim), "time");
    Check(nc_inq_dimid(m_ncid, "wavelength", &m_wavelengthDim), "wavelength");
    std::size_t width = 0;
    Check(nc_inq_dimlen(m_ncid, m_wavelengthDim, &width), "wavelength");
    if (width != m_wavelengths.size()) throw ArchiveError("the archive has another grid");
    m_timeVar = Variable(m_ncid, "time");
    Check(nc_inq_dimlen(m_ncid, m_timeDim, &m_nRecords), "time");
    m_nExisting = m_nRecords;
    if (m_nRecords > 0) {
        const std::size_t last = m_nRecords - 1;
        double time = 0;
        Check(nc_get_var1_double(m_ncid, m_timeVar, &last, &time), "time");
        m_lastTime = std::llround(time);
    }
    for (std::size_t i = 0; i < rad::kQuantityCount; ++i) {
        const rad::QuantityInfo& info = rad::QuantityTable()[i];
        if (m_options.allQuantities || InDefaultSet(info.id))
            m_quantityVars.emplace_back(i, Variable(m_ncid, info.key));
    }
    // An archive made before the sun values were kept goes on without them.
    const char* sunNames[] = {"sun_zenith", "sun_azimuth", "clear_sky_ppfd"};
    for (std::size_t k = 0; k < m_sunVars.size(); ++k)
        m_sunVars[k] = HasVariable(m_ncid, sunNames[k]) ? Variable(m_ncid, sunNames[k]) : -1;
    m_qcVar = HasVariable(m_ncid, "qc") ? Variable(m_ncid, "qc") : -1;
    ReadExistingSensors();
    ReadExistingAttributes();
    ReadPartialChunks();
}

void CNetcdfArchive::ReadExistingSensors() {
    for (int model = 0; model < kModelCount; ++model) {
        const std::string suffix =
            std::string(1, '_').append(Lower(kModels[static_cast<std::size_t>(model)].key));
        if (!HasVariable(m_ncid, "exposure" + suffix)) continue;
        SensorVars& vars = m_sensors[static_cast<std::size_t>(model)];
        vars.exposure = Variable(m_ncid, "exposure" + suffix);
        for (const rad::StatusValueName& name : rad::StatusIntNames(model))
            vars.ints.push_back(Variable(m_ncid, name.name + suffix));
        for (const rad::StatusValueName& name : rad::StatusFloatNames(model))
            vars.floats.push_back(Variable(m_ncid, name.name + suffix));
        if (HasVariable(m_ncid, "serial_number" + suffix)) {
            vars.serial = Variable(m_ncid, "serial_number" + suffix);
            vars.calibration = Variable(m_ncid, "calibration" + suffix);
        }
        m_defined[static_cast<std::size_t>(model)] = true;
    }
}

void CNetcdfArchive::ReadExistingAttributes() {
    if (HasVariable(m_ncid, "station_name")) {
        char* name = nullptr;
        Check(nc_get_var_string(m_ncid, Variable(m_ncid, "station_name"), &name), "station_name");
        const std::string text = name ? name : "";
        nc_free_string(1, &name);
        float latitude = kArchiveFloatFill, longitude = kArchiveFloatFill;
        Check(nc_get_var_float(m_ncid, Variable(m_ncid, "lat"), &latitude), "lat");
        Check(nc_get_var_float(m_ncid, Variable(m_ncid, "lon"), &longitude), "lon");
        m_station = StoredStation(text, latitude, longitude);
        m_bSite = true;
    }
    double hours = 0.0;
    if (nc_get_att_double(m_ncid, NC_GLOBAL, "time_zone_offset_hours", &hours) == NC_NOERR) {
        char text[32];
        std::snprintf(text, sizeof text, "%+g", hours);  // as the site header writes it
        m_strTimeZone = text;
    }
    m_oldHistory = TextAttribute(m_ncid, NC_GLOBAL, "history");
    std::string source = TextAttribute(m_ncid, NC_GLOBAL, "source");
    source = source.substr(0, source.rfind(kArchiveSourceProgram));
    if (source.starts_with(kArchiveSourceText))
        m_sources = Split(std::string_view(source).substr(kArchiveSourceText.size()), ", ");
    for (std::string& calibration : Split(TextAttribute(m_ncid, NC_GLOBAL, "calibrations"), "; "))
        m_calibrations.insert(std::move(calibration));
}

void CNetcdfArchive::ReadPartialChunks() {
    const std::size_t filled = m_nRecords % kArchiveChunkRecords;
    if (filled == 0) return;
    const std::size_t width = m_wavelengths.size();
    const std::size_t chunk = m_nRecords / kArchiveChunkRecords;
    for (std::size_t s = 0; s < kArchiveSpectra; ++s) {
        if (s > 0 && !m_defined[s - 1]) continue;
        const std::string name = SpectrumName(s);
        PendingChunk& pending = m_pending[s];
        pending.index = chunk;
        pending.values.assign(kArchiveChunkRecords * width, kArchiveFloatFill);
        const std::size_t start[2] = {chunk * kArchiveChunkRecords, 0};
        const std::size_t count[2] = {filled, width};
        Check(
            nc_get_vara_float(m_ncid, Variable(m_ncid, name), start, count, pending.values.data()),
            name);
    }
}
