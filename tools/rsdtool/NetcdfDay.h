#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "NetcdfChunks.h"
#include "RecordZone.h"
#include "SensorModel.h"

class CRsdData;

// The archive's fill value of float data: no value (a sensor absent, a wavelength outside it).
inline constexpr float kArchiveFloatFill = 9.9692099683868690e+36f;  // NC_FILL_FLOAT
inline constexpr int kArchiveIntFill = -2147483647;                  // NC_FILL_INT

// Records per chunk of every variable over time (the series: 16 times as many).
inline constexpr std::size_t kArchiveChunkRecords = 64;

// Spectra kept per record along the whole grid: index 0 is the merged spectrum, 1 + model
// each sensor's own.
inline constexpr std::size_t kArchiveSpectra = 1 + kModelCount;

// One sensor's per-record values of a day file.
struct ArchiveSensorDay {
    bool present = false;     // a block of the model in some record
    std::string calibration;  // "QS-200 SN" when the file holds its calibration
    std::vector<int> exposure;
    std::vector<std::vector<int>> ints;      // status values, in StatusIntNames order
    std::vector<std::vector<float>> floats;  // in StatusFloatNames order
    // Per record: the block's serial number and its calibration's digest ("" without a block).
    std::vector<std::string> serial, calibrationDigest;
};

// A day file's records in time order, turned into what the archive stores. Computed without
// the NetCDF library, so files can be prepared on several threads.
struct ArchiveDay {
    std::string source;  // the file name, for the attributes
    std::string site, latitude, longitude, altitude, timeZone;
    std::vector<int64_t> times;
    std::array<ArchiveSensorDay, kModelCount> sensors;
    std::vector<std::vector<float>> quantities;  // per requested quantity, per record
    // The sun per record (fill without a site), and why the times were read at the file's TZ.
    bool hasSite = false;
    std::vector<float> sunZenith, sunAzimuth, clearSkyPpfd;
    std::vector<int> qc;  // QcFlag bits per record
    std::string zoneNotice;
};

// A day ready for the archive: its records start at record first of the archive. The chunks
// of its spectra that lie wholly inside the day are filtered already; looseSpectra holds the
// rows (x wavelengths) of looseRecords, the records that share a chunk with the day before
// or after. A spectrum the day does not hold (a sensor absent) has neither.
struct PreparedDay {
    ArchiveDay day;
    std::size_t first = 0;
    std::vector<std::size_t> looseRecords;
    std::array<std::vector<float>, kArchiveSpectra> looseSpectra;
    std::array<std::vector<StoredChunk>, kArchiveSpectra> chunks;
    std::array<bool, kArchiveSpectra> holds{};  // the day has the spectrum
};

// The records of set, sorted by time, on the wavelength grid, as records first on of the
// archive; quantities are indices into the light quantity table. The times are the records'
// true instants in the zone zones chooses. Thread-safe.
PreparedDay ComputeArchiveDay(const CRsdData& set, const std::vector<double>& wavelengths,
                              const std::vector<std::size_t>& quantities, std::size_t first,
                              const rad::ZoneRule& zones = {});
