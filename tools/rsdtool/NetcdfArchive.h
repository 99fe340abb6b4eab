#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "SensorModel.h"

class CRsdData;

// The wavelengths of an archive: from, from + step, ... up to to (inclusive within rounding).
struct ArchiveGrid {
    double from = 300;
    double to = 1800;
    double step = 1;

    std::vector<double> Wavelengths() const;
};

struct ArchiveOptions {
    ArchiveGrid grid;
    bool allQuantities = false;  // every light-quality quantity, not only PAR, PPFD, illuminance
    std::string history;         // the command line that made the file
};

// A failure of the NetCDF library or of the record order, with the library's text.
class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One NetCDF-4 file (CF-1.8, time series of one station) holding the records of day files in
// time order: the merged spectral irradiance and each sensor's own spectrum on one wavelength
// grid, the light quantities, and each sensor's exposure and status values. Data are float32,
// deflated. Sets are added one after another; records must come later than those before.
class CNetcdfArchive {
  public:
    CNetcdfArchive(const std::string& path, ArchiveOptions options);
    // Closes the file (the global attributes are written by Finish).
    ~CNetcdfArchive();
    CNetcdfArchive(const CNetcdfArchive&) = delete;
    CNetcdfArchive& operator=(const CNetcdfArchive&) = delete;

    // Appends every record of set in time order; source names it in the file's attributes.
    void Add(const CRsdData& set, const std::string& source);
    // Writes the attributes gathered from the sets and closes the file.
    void Finish();
    std::size_t Records() const { return m_nRecords; }

  private:
    struct SensorVars {
        int spectrum = -1;
        int exposure = -1;
        std::vector<int> ints;
        std::vector<int> floats;
    };

    void DefineFixed();
    void DefineSite(const CRsdData& set);
    void DefineSensor(int model);
    int DefineSeries(const std::string& name, int type, const char* units, const char* longName,
                     const char* standardName);
    int DefineSpectrum(const std::string& name, const std::string& longName);
    void WriteSensors(const CRsdData& set, const std::vector<int>& order, std::size_t start);
    void WriteQuantities(const CRsdData& set, const std::vector<int>& order, std::size_t start);

    const ArchiveOptions m_options;
    const std::vector<double> m_wavelengths;
    int m_ncid = -1;
    int m_timeDim = -1;
    int m_wavelengthDim = -1;
    int m_timeVar = -1;
    int m_mergedVar = -1;
    std::vector<std::pair<std::size_t, int>> m_quantityVars;  // quantity index, variable
    std::array<SensorVars, kModelCount> m_sensors;
    std::array<bool, kModelCount> m_defined{};
    bool m_bSite = false;
    std::size_t m_nRecords = 0;
    int64_t m_lastTime = INT64_MIN;
    std::set<std::string> m_calibrations;  // "QS-100 SN"
    std::vector<std::string> m_sources;
    std::string m_strTimeZone;
};
