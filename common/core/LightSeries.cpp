#include "LightSeries.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

#include "LocalTime.h"
#include "NumberFormat.h"
#include "Resample.h"
#include "ResampleTable.h"
#include "TextEncoding.h"

namespace rad {
namespace {

constexpr const char* kDateFormat = "%Y/%m/%d";
constexpr const char* kTimeFormat = "%H:%M:%S";
const std::string kJsonQcKey = ",\"qc\":";

// Appends value as printf's "%.*f" writes it; nothing for a value that is not finite.
void AppendFiniteFixed(std::string& out, double value, int decimals) {
    if (std::isfinite(value)) AppendFixed(out, value, decimals);
}

std::string Fixed(double value, int decimals) {
    std::string text;
    AppendFiniteFixed(text, value, decimals);
    return text;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value, int decimals) {
    const std::string text = Fixed(value, decimals);
    return text.empty() ? "null" : text;
}

constexpr SunColumn kSunColumns[] = {
    {&SunValues::zenithDeg, "sun_zenith", "Sun zenith(deg)", 2},
    {&SunValues::azimuthDeg, "sun_azimuth", "Sun azimuth(deg)", 2},
    {&SunValues::clearSkyPpfd, "clear_sky_ppfd", "Clear-sky PPFD(umol/m2/s)", 1},
    {&SunValues::clearSkyIndex, "clear_sky_index", "Clear-sky index", 3},
};

}  // namespace

namespace {

// Rows of indices into rows (already sized), on the calling thread.
void ComputeRows(const CRsdData& set, std::span<const int> indices, SeriesRow* rows,
                 const PayloadStore* payloads) {
    SeriesRowMaker maker;
    for (std::size_t i = 0; i < indices.size(); ++i) maker.Make(set, indices[i], payloads, rows[i]);
}

// Fewer records than this are not worth a thread.
constexpr std::size_t kLeastRecordsPerThread = 128;

}  // namespace

namespace {
void FillRow(const CRsdData& set, int index, std::span<const double> spectrum, int firstNm,
             QcEvidence evidence, SeriesRow& row) {
    const CRad& rad = set.GetAt(index);
    row.time = rad.m_time;
    row.memo = rad.m_strMemo;
    row.record = index;
    row.quantities = ComputeQuantities(spectrum, firstNm);
    row.qcEvidence = std::move(evidence);
    row.qc = RowQcFlags(row, {});
}
}  // namespace

void SeriesRowMaker::Make(const CRsdData& set, int index, const PayloadStore* payloads,
                          SeriesRow& row) {
    // Through tables made once per sensor combination.
    const ResampleTable* table = m_tables.For(set, index);
    m_spectrum.resize(table ? table->Size() : 0);
    if (table) table->Fill(set, index, m_spectrum.data(), payloads);
    FillRow(set, index, m_spectrum, table ? table->First() : 0, m_qc.Gather(set, index, payloads),
            row);
}

SeriesRow SeriesRowOf(const CRsdData& set, int index, const CResample& spectrum) {
    // The quantities read 250-1050 nm only, so the whole spectrum gives the values the
    // tables' cut one gives.
    SeriesRow row;
    QcEvidenceGatherer qc;
    FillRow(set, index, spectrum.m_pValue, spectrum.m_nFirst, qc.Gather(set, index), row);
    return row;
}

std::vector<SeriesRow> ComputeSeries(const CRsdData& set, std::span<const int> indices, int threads,
                                     const PayloadStore* payloads) {
    for (const int index : indices) set.GetAt(index);  // throws before any work
    std::vector<SeriesRow> rows(indices.size());
    const std::size_t parts =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), 1,
                                std::max<std::size_t>(indices.size() / kLeastRecordsPerThread, 1));
    const std::size_t step = (indices.size() + parts - 1) / std::max<std::size_t>(parts, 1);
    {
        std::vector<std::jthread> workers;
        for (std::size_t p = 1; p < parts; ++p) {
            const std::size_t begin = std::min(p * step, indices.size());
            const std::size_t end = std::min(begin + step, indices.size());
            workers.emplace_back([&set, &rows, indices, begin, end, payloads] {
                ComputeRows(set, indices.subspan(begin, end - begin), rows.data() + begin,
                            payloads);
            });
        }
        ComputeRows(set, indices.subspan(0, std::min(step, indices.size())), rows.data(), payloads);
    }
    return rows;
}

std::vector<SeriesRow> ComputeSeries(const CRsdData& set, int threads,
                                     const PayloadStore* payloads) {
    std::vector<int> all(static_cast<std::size_t>(set.GetCount()));
    for (int i = 0; i < set.GetCount(); ++i) all[static_cast<std::size_t>(i)] = i;
    return ComputeSeries(set, all, threads, payloads);
}

void AddSun(std::span<SeriesRow> rows, RecordSun& sun, const QcContext& qc) {
    for (SeriesRow& row : rows) {
        row.sun = sun.At(row.time, row.quantities[Quantity::Ppfd].value);
        row.qc = RowQcFlags(row, qc);
    }
}

unsigned RowQcFlags(const SeriesRow& row, const QcContext& qc) {
    return QcFlagsOf(row.qcEvidence, row.quantities[Quantity::Ppfd].value, row.sun.zenithDeg,
                     row.sun.clearSkyPpfd, qc.thresholds, qc.expectedModels);
}

LightSample ToLightSample(const SeriesRow& row) {
    const LightQuantities& q = row.quantities;
    return {row.time, q[Quantity::Ppfd].value, q[Quantity::RedFarRed].value,
            q[Quantity::UvIndex].value, row.qc};
}

std::span<const SunColumn> SunColumns() { return kSunColumns; }

LightSample ToClearSkySample(const SeriesRow& row) {
    const bool measured = std::isfinite(row.quantities[Quantity::Ppfd].value);
    return {row.time, measured ? row.sun.clearSkyPpfd : kNotAvailable};
}

std::string FormatQuantity(Quantity q, const QuantityValue& value) {
    std::string text = Fixed(value.value, InfoOf(q).decimals);
    // A value that rounds to zero has no sign: "-0.0000" would read as a measured negative.
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string SeriesCsvHeader() {
    std::string line = "Date,Time,Memo";
    for (const QuantityInfo& info : QuantityTable()) line += std::string(",") + info.header;
    for (const SunColumn& column : kSunColumns) line += std::string(",") + column.header;
    return line + ",QC";
}

std::string SeriesCsvLine(const SeriesRow& row, LocalTimeCache* times) {
    const std::tm tm = times ? times->Get(row.time) : LocalTmOrThrow(row.time);
    std::string line = FormatLocalTm(tm, kDateFormat);
    line += ',';
    line += FormatLocalTm(tm, kTimeFormat);
    line += ',';
    line += CsvField(row.memo);
    for (const QuantityInfo& info : QuantityTable()) {
        line += ',';
        AppendFiniteFixed(line, row.quantities[info.id].value, info.decimals);
    }
    for (const SunColumn& column : kSunColumns) {
        line += ',';
        AppendFiniteFixed(line, row.sun.*column.value, column.decimals);
    }
    return line + "," + QcNames(row.qc);
}

std::string SeriesJsonLine(const SeriesRow& row, LocalTimeCache* times) {
    const std::tm tm = times ? times->Get(row.time) : LocalTmOrThrow(row.time);
    std::string line = "{\"date\":\"" + FormatLocalTm(tm, kDateFormat) + "\",\"time\":\"" +
                       FormatLocalTm(tm, kTimeFormat) +
                       "\",\"memo\":" + JsonString(rad::ToUtf8(row.memo));
    for (const QuantityInfo& info : QuantityTable()) {
        line += ",\"" + std::string(info.key) +
                "\":" + JsonNumber(row.quantities[info.id].value, info.decimals);
    }
    for (const SunColumn& column : kSunColumns)
        line += ",\"" + std::string(column.key) +
                "\":" + JsonNumber(row.sun.*column.value, column.decimals);
    return line + kJsonQcKey + QcJsonArray(row.qc) + "}";
}

void SetLineQc(std::string& line, unsigned flags, bool json) {
    if (json) {
        const std::size_t at = line.rfind(kJsonQcKey);
        if (at == std::string::npos) return;
        line.replace(at, std::string::npos, kJsonQcKey + QcJsonArray(flags) + "}");
        return;
    }
    const std::size_t at = line.rfind(',');
    if (at != std::string::npos) line.replace(at + 1, std::string::npos, QcNames(flags));
}

std::string DailyCsvHeader() {
    return "Date,Records,DLI(mol/m2/d),Coverage,Max PPFD(umol/m2/s),Max PPFD time,Mean R:FR,"
           "Max UV index,Photoperiod(h),Clear-sky DLI(mol/m2/d),DLI/clear-sky,Flagged";
}

std::string DailyCsvLine(const DaySummary& day) {
    const bool hasMax = std::isfinite(day.maxPpfd);
    return FormatLocalTime(day.start, kDateFormat) + "," + std::to_string(day.count) + "," +
           Fixed(day.dli, 3) + "," + Fixed(day.coverage, 3) + "," + Fixed(day.maxPpfd, 1) + "," +
           (hasMax ? FormatLocalTime(day.maxPpfdTime, kTimeFormat) : "") + "," +
           Fixed(day.meanRedFarRed, 3) + "," + Fixed(day.maxUvIndex, 2) + "," +
           Fixed(day.photoperiodHours, 2) + "," + Fixed(day.clearSkyDli, 3) + "," +
           Fixed(day.clearSkyRatio, 3) + "," + std::to_string(day.flagged);
}

std::string DailyJsonLine(const DaySummary& day) {
    const bool hasMax = std::isfinite(day.maxPpfd);
    return "{\"date\":\"" + FormatLocalTime(day.start, kDateFormat) +
           "\",\"records\":" + std::to_string(day.count) + ",\"dli\":" + JsonNumber(day.dli, 3) +
           ",\"coverage\":" + JsonNumber(day.coverage, 3) +
           ",\"max_ppfd\":" + JsonNumber(day.maxPpfd, 1) + ",\"max_ppfd_time\":" +
           (hasMax ? "\"" + FormatLocalTime(day.maxPpfdTime, kTimeFormat) + "\"" : "null") +
           ",\"mean_r_fr\":" + JsonNumber(day.meanRedFarRed, 3) +
           ",\"max_uv_index\":" + JsonNumber(day.maxUvIndex, 2) +
           ",\"photoperiod\":" + JsonNumber(day.photoperiodHours, 2) +
           ",\"clear_sky_dli\":" + JsonNumber(day.clearSkyDli, 3) +
           ",\"clear_sky_ratio\":" + JsonNumber(day.clearSkyRatio, 3) +
           ",\"flagged\":" + std::to_string(day.flagged) + "}";
}

}  // namespace rad
