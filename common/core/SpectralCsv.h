#pragma once

#include <string>
#include <vector>

#include "RsdData.h"
#include "SettingsBlocks.h"

// The transposed spectral CSV that both programs write: one line per header field and per
// wavelength row, one group of columns per record.
class CSpectralCsv {
  public:
    static constexpr int kCsvRangeRefused = -1;

    std::vector<double> mergedAxis;  // wavelengths of the Merge column
    std::vector<double> csvAxis;     // wavelengths of the rows
    std::vector<std::string> csvLines;

    // From the calibrations of the set: the first merge pair present, else the first table.
    void BuildMergedAxis(const CRsdData& set);
    // The row wavelengths and the label column; needs mergedAxis. 1 when built; kCsvRangeRefused
    // (no lines at all) for a 1 nm range outside 0..kMaxWavelengthNm or not increasing.
    int BuildCsvRows(const CRsdData& set, const CsvSettings& settings);
    // One record's columns on every line; a record without any column is skipped entirely.
    // Throws std::out_of_range for a bad index, std::invalid_argument for a time without a
    // local form (the lines are unchanged then).
    void AppendCsvColumns(const CRsdData& set, int index, const CsvSettings& settings);
    // AppendCsvColumns for each index in the order given, with the lines' room reserved once.
    void AppendRecords(const CRsdData& set, const std::vector<int>& indices,
                       const CsvSettings& settings);
    // The lines of AppendRecords written to path through the atomic writer, row by row: the
    // memory is that of the header lines and of each record's columns, not of the text.
    // Needs BuildCsvRows; the header lines then hold the records' cells. Returns 0 or the
    // errno of the write (see WriteFileAtomic); throws as AppendCsvColumns, before any write.
    int WriteRecords(const std::string& path, const CRsdData& set, const std::vector<int>& indices,
                     const CsvSettings& settings);
};

namespace rad {

// Replaces path with every line followed by a single LF, atomically; false with errno set
// when it cannot, and the old file is kept then.
bool WriteCsvLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace rad
