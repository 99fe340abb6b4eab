#include "LightSeries.h"

#include <cmath>
#include <cstdio>

#include "LocalTime.h"
#include "Resample.h"

namespace rad {
namespace {

constexpr const char* kDateFormat = "%Y/%m/%d";
constexpr const char* kTimeFormat = "%H:%M:%S";

std::string Fixed(double value, int decimals) {
    if (!std::isfinite(value)) return {};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
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

}  // namespace

std::vector<SeriesRow> ComputeSeries(const CRsdData& set, std::span<const int> indices) {
    std::vector<SeriesRow> rows;
    rows.reserve(indices.size());
    CResample spectrum;
    for (const int index : indices) {
        spectrum.Resample(set, index);
        const CRad& rad = set.GetAt(index);
        rows.push_back({rad.m_time, rad.m_strMemo, index, ComputeQuantities(spectrum)});
    }
    return rows;
}

std::vector<SeriesRow> ComputeSeries(const CRsdData& set) {
    std::vector<int> all(static_cast<std::size_t>(set.GetCount()));
    for (int i = 0; i < set.GetCount(); ++i) all[static_cast<std::size_t>(i)] = i;
    return ComputeSeries(set, all);
}

LightSample ToLightSample(const SeriesRow& row) {
    const LightQuantities& q = row.quantities;
    return {row.time, q[Quantity::Ppfd].value, q[Quantity::RedFarRed].value,
            q[Quantity::UvIndex].value};
}

std::string FormatQuantity(Quantity q, const QuantityValue& value) {
    return Fixed(value.value, InfoOf(q).decimals);
}

std::string SeriesCsvHeader() {
    std::string line = "Date,Time,Memo";
    for (const QuantityInfo& info : QuantityTable()) line += std::string(",") + info.header;
    return line;
}

std::string SeriesCsvLine(const SeriesRow& row) {
    std::string line = FormatLocalTime(row.time, kDateFormat) + "," +
                       FormatLocalTime(row.time, kTimeFormat) + "," + CsvField(row.memo);
    for (const QuantityInfo& info : QuantityTable())
        line += "," + FormatQuantity(info.id, row.quantities[info.id]);
    return line;
}

std::string SeriesJsonLine(const SeriesRow& row) {
    std::string line = "{\"date\":\"" + FormatLocalTime(row.time, kDateFormat) + "\",\"time\":\"" +
                       FormatLocalTime(row.time, kTimeFormat) +
                       "\",\"memo\":" + JsonString(row.memo);
    for (const QuantityInfo& info : QuantityTable()) {
        line += ",\"" + std::string(info.key) +
                "\":" + JsonNumber(row.quantities[info.id].value, info.decimals);
    }
    return line + "}";
}

std::string DailyCsvHeader() {
    return "Date,Records,DLI(mol/m2/d),Coverage,Max PPFD(umol/m2/s),Max PPFD time,Mean R:FR,"
           "Max UV index";
}

std::string DailyCsvLine(const DaySummary& day) {
    const bool hasMax = std::isfinite(day.maxPpfd);
    return FormatLocalTime(day.start, kDateFormat) + "," + std::to_string(day.count) + "," +
           Fixed(day.dli, 3) + "," + Fixed(day.coverage, 3) + "," + Fixed(day.maxPpfd, 1) + "," +
           (hasMax ? FormatLocalTime(day.maxPpfdTime, kTimeFormat) : "") + "," +
           Fixed(day.meanRedFarRed, 3) + "," + Fixed(day.maxUvIndex, 2);
}

std::string DailyJsonLine(const DaySummary& day) {
    const bool hasMax = std::isfinite(day.maxPpfd);
    return "{\"date\":\"" + FormatLocalTime(day.start, kDateFormat) +
           "\",\"records\":" + std::to_string(day.count) + ",\"dli\":" + JsonNumber(day.dli, 3) +
           ",\"coverage\":" + JsonNumber(day.coverage, 3) +
           ",\"max_ppfd\":" + JsonNumber(day.maxPpfd, 1) + ",\"max_ppfd_time\":" +
           (hasMax ? "\"" + FormatLocalTime(day.maxPpfdTime, kTimeFormat) + "\"" : "null") +
           ",\"mean_r_fr\":" + JsonNumber(day.meanRedFarRed, 3) +
           ",\"max_uv_index\":" + JsonNumber(day.maxUvIndex, 2) + "}";
}

}  // namespace rad
