#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "DailyLight.h"
#include "LightQuantities.h"
#include "LocalTime.h"
#include "QcFlags.h"
#include "RecordSun.h"
#include "ResampleTable.h"
#include "RsdData.h"

// The quantities of records as rows, and their CSV and JSON lines.
namespace rad {

struct SeriesRow {
    int64_t time = 0;
    std::string memo;
    int record = 0;  // index in its data set
    LightQuantities quantities;
    SunValues sun;  // not available until AddSun
    QcEvidence qcEvidence;
    unsigned qc = 0;  // QcFlag bits; those that need the sun come with AddSun
};

class PayloadStore;

// Makes the rows of one data set one at a time, with the resample tables and the spectrum
// buffer kept from row to row. Not shared between threads.
class SeriesRowMaker {
  public:
    // The row of record index; with payloads, the pixels come from there.
    void Make(const CRsdData& set, int index, const PayloadStore* payloads, SeriesRow& row);

  private:
    // Only the nanometres the quantities read are resampled.
    ResampleTables m_tables{kQuantityFirstNm, kQuantityLastNm};
    QcEvidenceGatherer m_qc;
    std::vector<double> m_spectrum;
};

// The row of record index from its spectrum, already resampled (the store step's).
SeriesRow SeriesRowOf(const CRsdData& set, int index, const CResample& spectrum);

// Rows of the records of indices, in the order given, computed on up to threads threads (a
// long file is split into runs of records). With payloads, the pixels come from there (a set
// read with LoadSummary). Throws std::out_of_range for a bad index.
std::vector<SeriesRow> ComputeSeries(const CRsdData& set, std::span<const int> indices,
                                     int threads = 1, const PayloadStore* payloads = nullptr);
// Rows of every record.
std::vector<SeriesRow> ComputeSeries(const CRsdData& set, int threads = 1,
                                     const PayloadStore* payloads = nullptr);

// The sun's values as columns after the quantities: JSON key, CSV title, decimals.
struct SunColumn {
    double SunValues::*value;
    const char* key;
    const char* header;
    int decimals;
};
std::span<const SunColumn> SunColumns();

// The sun values of every row, and the flags judged with them.
void AddSun(std::span<SeriesRow> rows, RecordSun& sun, const QcContext& qc = {});
// The row's flags from its evidence, PPFD and sun.
unsigned RowQcFlags(const SeriesRow& row, const QcContext& qc);

LightSample ToLightSample(const SeriesRow& row);
// The row's clear-sky PPFD as a sample, where the row has a measured PPFD.
LightSample ToClearSkySample(const SeriesRow& row);

// Text of a quantity with its decimals; "" when not available.
std::string FormatQuantity(Quantity q, const QuantityValue& value);

// "Date,Time,Memo,<every quantity>,<the sun's four>,QC" and one row per record; the memo is quoted
// when it holds a comma or a quote. Throws std::invalid_argument for a time without a local form.
// times (may be null) converts the row times, for a thread that writes many lines.
std::string SeriesCsvHeader();
std::string SeriesCsvLine(const SeriesRow& row, LocalTimeCache* times = nullptr);
// One JSON object per record: date, time, memo, every quantity and the sun's values by key
// (null when not available), and the array qc.
std::string SeriesJsonLine(const SeriesRow& row, LocalTimeCache* times = nullptr);
// Replaces the QC field (the last one) of a CSV or JSON line with flags: for a flag that is
// known only once the whole file is read.
void SetLineQc(std::string& line, unsigned flags, bool json);

// One row per day: the date it starts on, count, DLI, coverage, maximum PPFD and its time,
// mean R:FR, maximum UV index, photoperiod, clear-sky DLI and the measured-to-clear-sky
// ratio.
std::string DailyCsvHeader();
std::string DailyCsvLine(const DaySummary& day);
std::string DailyJsonLine(const DaySummary& day);

}  // namespace rad
