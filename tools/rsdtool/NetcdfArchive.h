#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "NetcdfChunks.h"
#include "NetcdfDay.h"
#include "NetcdfStation.h"
#include "SensorModel.h"

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
    rad::ZoneRule zones;         // the zone of each file's record times
    // Add to the archive at the path (of the same station, grid and quantities, which
    // ReadArchiveLayout gives) rather than making a new one.
    bool append = false;
};

// A failure of the NetCDF library or of the record order, with the library's text.
class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A day file that could not be read; what() is the problem, File() the file.
class ArchiveInputError : public ArchiveError {
  public:
    ArchiveInputError(std::string file, const std::string& problem)
        : ArchiveError(problem), m_file(std::move(file)) {}
    const std::string& File() const { return m_file; }

  private:
    std::string m_file;
};

// One NetCDF-4 file (CF-1.8, time series of one station) holding the records of day files in
// time order: the merged spectral irradiance and each sensor's own spectrum on one wavelength
// grid, the light quantities, and each sensor's exposure and status values. Data are float32,
// deflated. Days are added one after another; records must come later than those before.
// Only the thread that made the archive may call it (the NetCDF library is not thread-safe).
class CNetcdfArchive {
  public:
    // Makes the file at path, or with options.append opens it to add records after its own.
    CNetcdfArchive(const std::string& path, ArchiveOptions options);
    // Closes the file (the global attributes are written by Finish).
    ~CNetcdfArchive();
    CNetcdfArchive(const CNetcdfArchive&) = delete;
    CNetcdfArchive& operator=(const CNetcdfArchive&) = delete;

    const std::vector<double>& Wavelengths() const { return m_wavelengths; }
    // Indices into the light quantity table of the quantities kept.
    std::vector<std::size_t> QuantityIndices() const;
    // Appends the records of a prepared day; its first record must be Records().
    void Add(PreparedDay prepared);
    // Writes the attributes gathered from the sets and closes the file.
    void Finish();
    std::size_t Records() const { return m_nRecords; }

  private:
    struct SensorVars {
        int exposure = -1;
        std::vector<int> ints;
        std::vector<int> floats;
        int serial = -1;  // -1 in an archive made before they were kept
        int calibration = -1;
    };

    // The chunk of a spectrum that collects loose records of neighbouring days.
    struct PendingChunk {
        std::size_t index = SIZE_MAX;
        std::vector<float> values;
    };

    void DefineFixed();
    // NetcdfAppend.cpp: the variables, station, records and attributes of the archive at the
    // path, and the last, partly filled chunk of each spectrum taken back as pending.
    void OpenExisting();
    void ReadExistingSensors();
    void ReadExistingAttributes();
    void ReadPartialChunks();
    void DefineSite(const ArchiveDay& day);
    void DefineSensor(int model);
    int DefineSeries(const std::string& name, int type, const char* units, const char* longName,
                     const char* standardName);
    int DefineSpectrum(const std::string& name, const std::string& longName);
    int DefineText(const std::string& name, const std::string& longName);
    void WriteSeries(const ArchiveDay& day, std::size_t start);
    void PlaceLoose(const PreparedDay& prepared);
    void FlushPending(std::size_t spectrum);
    // Writes the filtered chunks gathered so far, beside the NetCDF library's own handle.
    void WriteChunks();
    std::string SpectrumName(std::size_t spectrum) const;

    const std::string m_path;
    const ArchiveOptions m_options;
    const std::vector<double> m_wavelengths;
    int m_ncid = -1;
    int m_timeDim = -1;
    int m_wavelengthDim = -1;
    int m_timeVar = -1;
    std::vector<std::pair<std::size_t, int>> m_quantityVars;  // quantity index, variable
    std::array<int, 3> m_sunVars{-1, -1, -1};                 // zenith, azimuth, clear-sky PPFD
    int m_qcVar = -1;                                         // -1 in an older archive
    std::array<SensorVars, kModelCount> m_sensors;
    std::array<bool, kModelCount> m_defined{};
    std::array<std::vector<StoredChunk>, kArchiveSpectra> m_chunks;  // not yet written
    std::array<PendingChunk, kArchiveSpectra> m_pending;
    bool m_bSite = false;
    std::size_t m_nRecords = 0;
    int64_t m_lastTime = INT64_MIN;
    std::set<std::string> m_calibrations;  // "QS-100 SN"
    std::vector<std::string> m_sources;
    std::string m_strTimeZone;
    std::optional<ArchiveStation> m_station;  // of the first records
    std::size_t m_nExisting = 0;              // records the archive held before this run
    std::string m_oldHistory;                 // the history of an archive appended to
};

// What an archive to append to fixes: its wavelength grid and whether it holds every light
// quantity. Throws ArchiveError when it cannot be read or its wavelengths form no grid.
struct ArchiveLayout {
    ArchiveGrid grid;
    bool allQuantities = false;
};
ArchiveLayout ReadArchiveLayout(const std::string& path);
