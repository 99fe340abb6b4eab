#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Rad.h"
#include "RsdErrors.h"
#include "SensorBlocks.h"

// Load results below zero.
enum RsdLoadError {
    kRsdBadHeader = -1,   // the data does not begin with "HD_RSD,"
    kRsdCannotOpen = -2,  // the file exists but cannot be opened for reading
    kRsdNoFile = -3,      // no file at the path
    kRsdNoMemory = -4,    // no buffer for the file contents
};

// Text for a Load result (a negative code or a count).
const char* RsdLoadResultText(int result);
// The same with the errno that Load left behind a negative result, when it names more:
// "the file cannot be opened for reading: is a directory".
std::string RsdLoadErrorText(int result, int cause);

// Called for each pixel payload a summary load reads: the record's index, the model, whether
// it is the dark payload (DD) or the measured one (MD), and the values as Load would keep them
// (a payload cut short by the end of the file ends in zeros). Each data block first reports
// both kinds empty: a block that replaces an earlier one of its model starts without payloads.
using RsdPayloadVisitor =
    std::function<void(int record, int model, bool dark, std::span<const float> values)>;

// One data set: the contents of one RSD file.
class CRsdData {
  public:
    CRsdData() = default;
    CRsdData(const CRsdData&) = delete;
    CRsdData& operator=(const CRsdData&) = delete;

    std::string m_strSite;
    std::string m_strLon;
    std::string m_strLat;
    std::string m_strAlt;
    std::string m_strTZ;
    std::array<std::unique_ptr<SensorCal>, kModelCount> m_pCal;
    std::vector<std::unique_ptr<CRad>> m_arRad;
    int m_nCalBlocksRead = 0;  // calibration blocks the loads so far put into m_pCal

    // ---- records and calibrations ----
    // Appends a copy of rad (selection cleared) and returns its index.
    int AddRecord(const CRad& rad);
    CRad* GetLast() const;
    int GetCount() const { return static_cast<int>(m_arRad.size()); }
    // Throws std::out_of_range outside 0..count-1.
    CRad& GetAt(int index) const;
    void RemoveAt(int index);
    void Clear();
    // SetCalQS100 .. SetCalQS400.
    void SetCal(int model, const SensorCal& cal);
    const SensorCal* GetCal(int model) const;
    double GetCalWavelength(int model, int pixel) const;
    SensorData* GetRecordBlock(int model, int index) const;
    // The block only when its calibration is present and usable: every spectral operation
    // treats a block without calibration as absent. Throws std::out_of_range for a bad index.
    const SensorData* GetSpectralBlock(int model, int index) const;
    // Model with calibration usable for spectral work (present, right size, rising table).
    bool HasUsableCal(int model) const;

    // ---- files (RsdFile.cpp) ----
    // A negative result leaves its cause in errno (0 when the data itself is at fault).
    int Load(const std::string& path);
    // The same through a read window of readWindow bytes (raised to the least the reader
    // needs); small windows put the window's edges everywhere for the fuzzer and tests.
    int Load(const std::string& path, std::size_t readWindow);
    // Load that keeps no pixel payloads: each is handed to visit and dropped, so every block
    // reads as zeros. For tools that summarise a file: it costs no memory for the pixels.
    int LoadSummary(const std::string& path, const RsdPayloadVisitor& visit);
    // Same reader on bytes already in memory (fuzzing, tests); never kRsdNoFile/kRsdCannotOpen.
    int LoadFromMemory(const char* data, std::size_t length);
    // Writes the whole set through a temporary file renamed over the target; false with errno
    // set, and the old file kept.
    bool Save(const std::string& path) const;
    // Appends one record to an existing file; never creates one.
    bool Append(const std::string& path, const CRad& rad) const;

    // ---- spectral access (RsdSpectral.cpp) ----
    double GetPixelValue(int model, int index, int pixel) const;
    bool IsInRange(int model, double wavelength) const;
    double GetValueAt(int model, int index, double wavelength) const;
    double GetMergedValueAt(int index, double wavelength) const;
    double GetDarkRange(int model, int index) const;
};
