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
// A file is written in pieces of this size: the whole text of a crafted file of many
// records could be hundreds of times the file.
constexpr std::size_t kWriteSize = std::size_t{1} << 20;
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

namespace {

// A record's columns, and where each stands on its walk down the rows.
struct RecordCells {
    std::vector<ModelColumn> columns;
    rad::MergePlan plan;
    bool merge = false;
    std::size_t mergeNext = 0;

    std::size_t Count() const { return columns.size() + (merge ? 1 : 0); }
};

RecordCells PrepareCells(const CRsdData& set, int index, const CsvSettings& settings) {
    RecordCells cells;
    for (int m = 0; m < kModelCount; ++m) {
        if (!settings.models[m]) continue;
        if (auto spectrum = rad::GetSensorSpectrum(set, m, index))
            cells.columns.push_back({m, *spectrum});
    }
    cells.plan = rad::MakeMergePlan(set, index);
    cells.merge = settings.merge && cells.plan.IsPair();
    return cells;
}

// The record's cells of the header lines (lines[0 .. kHeaderLines - 1]). Converts the time
// first: a failure leaves the lines untouched.
void AppendHeaderCells(std::string* lines, const CRad& record, const RecordCells& cells) {
    const std::string commas(cells.Count(), ',');
    const std::string date = rad::FormatLocalTime(record.m_time, "%Y/%m/%d") + commas;
    const std::string time = rad::FormatLocalTime(record.m_time, "%H:%M:%S") + commas;
    lines[kDate] += date;
    lines[kTime] += time;
    lines[kMemo] += record.m_strMemo + commas;
    for (const ModelColumn& column : cells.columns) {
        const SensorData& block = *record.Block(column.model);
        lines[kSensor] += kModels[column.model].label;
        lines[kSensor] += ',';
        lines[kExposure] += std::to_string(block.ET) + ',';
        const StatusLayout& layout = ModelInfo(column.model).status;
        rad::AppendFixed(lines[kTemp], block.statusFloat[layout.csvTemp], kStatusDecimals);
        lines[kTemp] += ',';
        rad::AppendFixed(lines[kPower], block.statusFloat[layout.supplyVolt], kStatusDecimals);
        lines[kPower] += ',';
        lines[kWavelength] += kIrradianceLabel;
    }
    if (cells.merge) {
        lines[kSensor] += "Merge,";
        lines[kExposure] += ',';
        lines[kTemp] += ',';
        lines[kPower] += ',';
        lines[kWavelength] += kIrradianceLabel;
    }
}

// The record's cells of the row of wavelength w; rows come in order.
void AppendRowCells(std::string& line, RecordCells& cells, double w, bool raw,
                    const std::vector<double>& mergedAxis) {
    for (ModelColumn& column : cells.columns) {
        if (raw && column.next < column.spectrum.n && column.spectrum.wl[column.next] == w)
            AppendCell(line, column.spectrum.Pixel(column.next++));
        else if (!raw && column.spectrum.InRange(w))
            AppendCell(line, column.spectrum.ValueAt(w));
        else
            line += ',';
    }
    if (!cells.merge) return;
    std::size_t& next = cells.mergeNext;
    if (raw && next < mergedAxis.size() && mergedAxis[next] == w) {
        AppendCell(line, cells.plan.ValueAt(w));
        // A tie in the merged list has a single row: step past all of its entries.
        while (next < mergedAxis.size() && mergedAxis[next] == w) ++next;
    } else if (!raw && !mergedAxis.empty() && mergedAxis.front() <= w && w <= mergedAxis.back()) {
        AppendCell(line, cells.plan.ValueAt(w));
    } else {
        line += ',';
    }
}

}  // namespace

void CSpectralCsv::AppendCsvColumns(const CRsdData& set, int index, const CsvSettings& settings) {
    const CRad& record = set.GetAt(index);
    if (csvLines.size() != kHeaderLines + csvAxis.size())
        throw std::logic_error("AppendCsvColumns before BuildCsvRows");
    RecordCells cells = PrepareCells(set, index, settings);
    if (cells.Count() == 0) return;  // no cells, so no date, time or memo either
    AppendHeaderCells(csvLines.data(), record, cells);
    const bool raw = settings.pitch == 0;
    for (std::size_t r = 0; r < csvAxis.size(); ++r)
        AppendRowCells(csvLines[kHeaderLines + r], cells, csvAxis[r], raw, mergedAxis);
}

int CSpectralCsv::WriteRecords(const std::string& path, const CRsdData& set,
                               const std::vector<int>& indices, const CsvSettings& settings) {
    if (csvLines.size() != kHeaderLines + csvAxis.size())
        throw std::logic_error("WriteRecords before BuildCsvRows");
    // Every record's columns are known before the first row: a row holds a cell of each.
    std::vector<RecordCells> records;
    for (const int index : indices) {
        RecordCells cells = PrepareCells(set, index, settings);
        if (cells.Count() == 0) continue;
        AppendHeaderCells(csvLines.data(), set.GetAt(index), cells);
        records.push_back(std::move(cells));
    }
    rad::CAtomicFile file(path);
    std::string text;
    const auto line = [&text, &file](bool last) {
        text += '\n';
        if (text.size() < kWriteSize && !last) return;
        file.Write(text);
        text.clear();
    };
    for (std::size_t i = 0; i < kHeaderLines; ++i) {
        text += csvLines[i];
        line(false);
    }
    const bool raw = settings.pitch == 0;
    for (std::size_t r = 0; r < csvAxis.size() && file.Error() == 0; ++r) {
        text += csvLines[kHeaderLines + r];
        for (RecordCells& cells : records) AppendRowCells(text, cells, csvAxis[r], raw, mergedAxis);
        line(r + 1 == csvAxis.size());
    }
    if (csvAxis.empty()) file.Write(text);
    return file.Commit();
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
