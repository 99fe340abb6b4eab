#include "SpectralCsv.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "AtomicFile.h"
#include "LocalTime.h"
#include "NumberFormat.h"
#include "SpectralMath.h"

namespace {
// Lines 0..7 hold the header fields; the wavelength rows follow.
enum HeaderLine {
    kDate,
    kTime,
    kMemo,
    kSensor,
    kExposure,
    kTemp,
    kPower,
    kWavelength,
    kHeaderLines
};

constexpr const char* kHeaderLabels[kHeaderLines] = {
    "Date,",
    "Time,",
    "Memo,",
    "Sensor,",
    "Exposure Time(msec),",
    "Sensor Temp.(deg),",
    "Power(V),",
    "Wavelength(nm),",
};
constexpr const char* kIrradianceLabel = "Irradiance(W/m2/um),";
constexpr int kCsvDecimals = 2;
constexpr int kStatusDecimals = 1;

const rad::MergePair* FindCalPair(const CRsdData& set) {
    for (const rad::MergePair& pair : rad::kMergePairs) {
        if (set.HasUsableCal(pair.shortModel) && set.HasUsableCal(pair.longModel)) return &pair;
    }
    return nullptr;
}

std::vector<double> WavelengthTable(const CRsdData& set, int model) {
    const std::vector<float>& wl = set.GetCal(model)->WL;
    return std::vector<double>(wl.begin(), wl.end());
}

// Ascending union of ascending lists; ties go to the earlier list; no consecutive repeats.
std::vector<double> UnionAxis(const std::vector<std::vector<double>>& lists) {
    std::vector<double> axis;
    std::vector<std::size_t> next(lists.size(), 0);
    for (;;) {
        int best = -1;
        for (std::size_t k = 0; k < lists.size(); ++k) {
            if (next[k] < lists[k].size() &&
                (best < 0 || lists[k][next[k]] < lists[best][next[best]]))
                best = static_cast<int>(k);
        }
        if (best < 0) return axis;
        const double value = lists[best][next[best]++];
        if (axis.empty() || axis.back() != value) axis.push_back(value);
    }
}

void AppendCell(std::string& line, double value) {
    rad::AppendFixed(line, value, kCsvDecimals);
    line += ',';
}

struct ModelColumn {
    int model;
    rad::SensorSpectrum spectrum;
    int next = 0;  // Raw pitch: the first pixel whose wavelength has no row yet
};
}  // namespace

void CSpectralCsv::BuildMergedAxis(const CRsdData& set) {
    mergedAxis.clear();
    if (const rad::MergePair* pair = FindCalPair(set)) {
        const std::vector<float>& s = set.GetCal(pair->shortModel)->WL;
        const std::vector<float>& l = set.GetCal(pair->longModel)->WL;
        std::size_t i = 0, j = 0;
        while (i < s.size() || j < l.size()) {
            if (j == l.size() || (i < s.size() && s[i] <= l[j])) {
                if (s[i] <= pair->hi) mergedAxis.push_back(s[i]);
                ++i;
            } else {
                if (l[j] >= pair->lo) mergedAxis.push_back(l[j]);
                ++j;
            }
        }
        return;
    }
    for (int m = 0; m < kModelCount; ++m) {
        if (set.HasUsableCal(m)) {
            mergedAxis = WavelengthTable(set, m);
            return;
        }
    }
}

int CSpectralCsv::BuildCsvRows(const CRsdData& set, const CsvSettings& settings) {
    csvAxis.clear();
    csvLines.clear();
    if (settings.pitch != 0) {
        // A hand-edited profile must not make billions of rows, nor a file without any.
        if (!IsWavelengthRangeUsable(settings.left, settings.right)) return kCsvRangeRefused;
        for (long long w = settings.left; w <= settings.right; ++w)
            csvAxis.push_back(static_cast<double>(w));
    } else {
        std::vector<std::vector<double>> lists;
        for (int m = 0; m < kModelCount; ++m) {
            if (settings.models[m] && set.HasUsableCal(m)) lists.push_back(WavelengthTable(set, m));
        }
        if (settings.merge && FindCalPair(set)) lists.push_back(mergedAxis);
        csvAxis = UnionAxis(lists);
    }
    csvLines.reserve(kHeaderLines + csvAxis.size());
    for (const char* label : kHeaderLabels) csvLines.emplace_back(label);
    for (const double w : csvAxis) {
        std::string line;
        AppendCell(line, w);
        csvLines.push_back(std::move(line));
    }
    return 1;
}

void CSpectralCsv::AppendCsvColumns(const CRsdData& set, int index, const CsvSettings& settings) {
    const CRad& record = set.GetAt(index);
    if (csvLines.size() != kHeaderLines + csvAxis.size())
        throw std::logic_error("AppendCsvColumns before BuildCsvRows");
    std::vector<ModelColumn> columns;
    for (int m = 0; m < kModelCount; ++m) {
        if (!settings.models[m]) continue;
        if (auto spectrum = rad::GetSensorSpectrum(set, m, index))
            columns.push_back({m, *spectrum});
    }
    const rad::MergePlan plan = rad::MakeMergePlan(set, index);
    const bool merge = settings.merge && plan.IsPair();
    const std::size_t count = columns.size() + (merge ? 1 : 0);
    if (count == 0) return;  // no cells, so no date, time or memo either

    // Convert the time first: a failure leaves the lines untouched.
    const std::string commas(count, ',');
    const std::string date = rad::FormatLocalTime(record.m_time, "%Y/%m/%d") + commas;
    const std::string time = rad::FormatLocalTime(record.m_time, "%H:%M:%S") + commas;
    csvLines[kDate] += date;
    csvLines[kTime] += time;
    csvLines[kMemo] += record.m_strMemo + commas;
    for (const ModelColumn& column : columns) {
        const SensorData& block = *record.Block(column.model);
        csvLines[kSensor] += kModels[column.model].label;
        csvLines[kSensor] += ',';
        csvLines[kExposure] += std::to_string(block.ET) + ',';
        const StatusLayout& layout = ModelInfo(column.model).status;
        rad::AppendFixed(csvLines[kTemp], block.statusFloat[layout.csvTemp], kStatusDecimals);
        csvLines[kTemp] += ',';
        rad::AppendFixed(csvLines[kPower], block.statusFloat[layout.supplyVolt], kStatusDecimals);
        csvLines[kPower] += ',';
        csvLines[kWavelength] += kIrradianceLabel;
    }
    if (merge) {
        csvLines[kSensor] += "Merge,";
        csvLines[kExposure] += ',';
        csvLines[kTemp] += ',';
        csvLines[kPower] += ',';
        csvLines[kWavelength] += kIrradianceLabel;
    }

    const bool raw = settings.pitch == 0;
    std::size_t mergeNext = 0;
    const bool mergeSpan = !mergedAxis.empty();
    for (std::size_t r = 0; r < csvAxis.size(); ++r) {
        const double w = csvAxis[r];
        std::string& line = csvLines[kHeaderLines + r];
        for (ModelColumn& column : columns) {
            if (raw && column.next < column.spectrum.n && column.spectrum.wl[column.next] == w)
                AppendCell(line, column.spectrum.Pixel(column.next++));
            else if (!raw && column.spectrum.InRange(w))
                AppendCell(line, column.spectrum.ValueAt(w));
            else
                line += ',';
        }
        if (!merge) continue;
        if (raw && mergeNext < mergedAxis.size() && mergedAxis[mergeNext] == w) {
            AppendCell(line, plan.ValueAt(w));
            // A tie in the merged list has a single row: step past all of its entries.
            while (mergeNext < mergedAxis.size() && mergedAxis[mergeNext] == w) ++mergeNext;
        } else if (!raw && mergeSpan && mergedAxis.front() <= w && w <= mergedAxis.back()) {
            AppendCell(line, plan.ValueAt(w));
        } else {
            line += ',';
        }
    }
}

void CSpectralCsv::AppendRecords(const CRsdData& set, const std::vector<int>& indices,
                                 const CsvSettings& settings) {
    // The first record with columns shows how much each line grows per record.
    bool reserved = false;
    std::vector<std::size_t> before(csvLines.size());
    for (std::size_t k = 0; k < indices.size(); ++k) {
        if (reserved) {
            AppendCsvColumns(set, indices[k], settings);
            continue;
        }
        for (std::size_t i = 0; i < csvLines.size(); ++i) before[i] = csvLines[i].size();
        AppendCsvColumns(set, indices[k], settings);
        const std::size_t remaining = indices.size() - k - 1;
        for (std::size_t i = 0; i < csvLines.size(); ++i) {
            const std::size_t growth = csvLines[i].size() - before[i];
            if (growth == 0) continue;
            reserved = true;
            // A little slack for values that print wider than the first record's.
            csvLines[i].reserve(csvLines[i].size() + (growth + growth / 4 + 2) * remaining);
        }
    }
}

namespace rad {

bool WriteCsvLines(const std::string& path, const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 1;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    errno = WriteFileAtomic(path, text);
    return errno == 0;
}

}  // namespace rad
