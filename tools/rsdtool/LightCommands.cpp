// rsdtool quantities, series and daily: the light analysis of one or many day files.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <span>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <utility>

#include "AnalysisSettings.h"
#include "AtomicFile.h"
#include "DaySun.h"
#include "FileBatch.h"
#include "IniFile.h"
#include "QcDays.h"
#include "QcSettings.h"
#include "RegularFile.h"
#include "SeriesRuns.h"
#include "SunNotes.h"
#include "ToolSupport.h"

namespace {

constexpr const char* kJsonFlag = "--json";

// [ANALYSIS] and [QC] of --profile; false after naming a profile that cannot be read.
bool LoadAnalysisProfile(const ParsedArgs& parsed, AnalysisSettings& settings,
                         rad::QcThresholds& thresholds) {
    const std::string* path = parsed.Option("--profile");
    if (path == nullptr) return true;
    CIniFile ini;
    if (!ini.Load(*path)) {
        FileError(*path, "cannot read the profile: " + rad::FileErrorText(errno));
        return false;
    }
    settings.Load(ini);
    thresholds = rad::LoadQcThresholds(ini);
    return true;
}

// Writes text to -o OUT, or to standard output without it.
bool Emit(const ParsedArgs& parsed, std::string_view text) {
    if (const std::string* out = parsed.Option("-o")) {
        const int error = rad::WriteFileAtomic(*out, text);
        if (error == 0) return true;
        WriteError(*out, error);
        return false;
    }
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}

std::string LineOf(const rad::SeriesRow& row, bool json, rad::LocalTimeCache* times = nullptr) {
    return json ? rad::SeriesJsonLine(row, times) : rad::SeriesCsvLine(row, times);
}

int Cores() { return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u)); }

// The header (CSV only) and one line per record of indices, each ending in a line feed.
std::string RowText(const CRsdData& set, std::span<const int> indices, rad::RecordSun& sun,
                    const rad::QcThresholds& thresholds, bool json) {
    std::string text = json ? std::string() : rad::SeriesCsvHeader() + "\n";
    const rad::QcContext qc{thresholds, rad::ExpectedModels(set)};
    rad::ForEachSeriesRow(set, indices, Cores(), nullptr, [&](rad::SeriesRow row) {
        rad::AddSun(std::span(&row, 1), sun, qc);
        text.append(LineOf(row, json)).push_back('\n');
    });
    return text;
}

struct Batch {
    std::vector<FileRows> files;  // of every path given; those that failed hold no rows
    // (file, row) of every row of the files that loaded, in time order; rows of the same
    // time keep the order of the files and of the records.
    std::vector<std::pair<std::size_t, std::size_t>> order;
    bool allLoaded = true;
    std::optional<std::string> formatError;

    int64_t Time(const std::pair<std::size_t, std::size_t>& at) const {
        return files[at.first].times[at.second];
    }
};

Batch ReadBatch(const std::vector<std::string>& paths, const ZoneRule& zones,
                const rad::QcThresholds& thresholds, const RowFormatter& format = {}) {
    Batch batch;
    batch.files = ReadFileRows(paths, TerminalProgress(paths.size()), format, zones, thresholds);
    SunNotes notes;
    for (std::size_t f = 0; f < batch.files.size(); ++f) {
        const FileRows& file = batch.files[f];
        if (file.problem) {
            FileError(file.path, *file.problem);
            batch.allLoaded = false;
            continue;
        }
        notes.Tell(file.path, file.zoneNotice, file.site.has_value());
        if (file.formatError && !batch.formatError) batch.formatError = file.formatError;
        for (std::size_t r = 0; r < file.times.size(); ++r) batch.order.emplace_back(f, r);
    }
    std::stable_sort(
        batch.order.begin(), batch.order.end(),
        [&batch](const auto& a, const auto& b) { return batch.Time(a) < batch.Time(b); });
    return batch;
}

// Parses the common options; nullopt after a usage error or a bad profile, with the exit
// status in failure.
struct LightOptions {
    ParsedArgs parsed;
    bool json = false;
    AnalysisSettings analysis;
    rad::QcThresholds qc;
    ZoneRule zones;
};

std::optional<LightOptions> ParseLightOptions(CommandArgs args,
                                              std::initializer_list<std::string_view> options,
                                              std::size_t most, const char* command, int& failure) {
    failure = kExitUsage;
    LightOptions result;
    result.json = TakeFlag(args, kJsonFlag);
    auto parsed = ParseArgs(args, options, command);
    if (!parsed || !CheckPositionalCount(*parsed, 1, most, command) ||
        !ApplyZoneOption(*parsed, command, result.zones.zoneGiven))
        return std::nullopt;
    result.zones.machineStandardOffset = rad::MachineStandardOffsetSeconds();
    result.parsed = std::move(*parsed);
    failure = kExitFailed;
    const std::string* out = result.parsed.Option("-o");
    if (out && !CheckOutput(*out, result.parsed.positional)) return std::nullopt;
    if (!LoadAnalysisProfile(result.parsed, result.analysis, result.qc)) return std::nullopt;
    return result;
}

int Finish(const LightOptions& options, std::string_view text, bool allLoaded) {
    return Emit(options.parsed, text) && allLoaded ? kExitOk : kExitFailed;
}

}  // namespace

int RunQuantities(const CommandArgs& args) {
    constexpr const char* kCommand = "quantities";
    int failure = 0;
    const auto options =
        ParseLightOptions(args, {"--profile", "--records", "-o", "--tz"}, 1, kCommand, failure);
    if (!options) return failure;
    std::optional<std::vector<int>> records;
    if (const std::string* list = options->parsed.Option("--records")) {
        records = ParseRecordList(*list);
        if (!records) return UsageError(kCommand, "--records takes indices like 0,3,2");
    }
    const std::string& path = options->parsed.positional[0];
    CRsdData set;
    if (!LoadRsd(path, set)) return kExitFailed;
    const auto indices = SelectRecords(records, set, path);
    if (!indices) return kExitFailed;
    const rad::ZoneChoice zone = options->zones.ChooseFor(set.m_strTZ);
    const auto site = rad::SiteOf(set);
    SunNotes().Tell(path, zone.notice, site.has_value());
    try {
        rad::RecordSun sun(site, zone.zone);
        return Finish(*options, RowText(set, *indices, sun, options->qc, options->json), true);
    } catch (const std::invalid_argument& error) {
        return FileError(path, error.what());
    }
}

int RunSeries(const CommandArgs& args) {
    constexpr const char* kCommand = "series";
    int failure = 0;
    const auto options =
        ParseLightOptions(args, {"--profile", "-o", "--tz"}, SIZE_MAX, kCommand, failure);
    if (!options) return failure;
    const bool json = options->json;
    Batch batch = ReadBatch(options->parsed.positional, options->zones, options->qc,
                            [json](const rad::SeriesRow& row) {
                                // One per worker thread, which formats its files' rows.
                                thread_local rad::LocalTimeCache times;
                                return LineOf(row, json, &times);
                            });
    if (batch.formatError) return FileError(options->parsed.positional[0], *batch.formatError);
    for (FileRows& file : batch.files)
        for (const std::size_t r : file.requalify) rad::SetLineQc(file.lines[r], file.qc[r], json);
    std::size_t size = 0;
    for (const FileRows& file : batch.files)
        for (const std::string& line : file.lines) size += line.size() + 1;
    std::string text = json ? std::string() : rad::SeriesCsvHeader() + "\n";
    text.reserve(text.size() + size);
    for (const auto& at : batch.order)
        text.append(batch.files[at.first].lines[at.second]).push_back('\n');
    return Finish(*options, text, batch.allLoaded);
}

int RunDaily(const CommandArgs& args) {
    constexpr const char* kCommand = "daily";
    int failure = 0;
    const auto options =
        ParseLightOptions(args, {"--profile", "-o", "--tz"}, SIZE_MAX, kCommand, failure);
    if (!options) return failure;
    const Batch batch = ReadBatch(options->parsed.positional, options->zones, options->qc);
    std::vector<rad::LightSample> samples, clearSky;
    samples.reserve(batch.order.size());
    clearSky.reserve(batch.order.size());
    for (const auto& at : batch.order) {
        samples.push_back(batch.files[at.first].samples[at.second]);
        clearSky.push_back(batch.files[at.first].clearSky[at.second]);
    }
    try {
        const int dayStart = options->analysis.DayStartHour();
        auto days = rad::SummariseDays(samples, dayStart);
        // The sun's path of the first file with a site stands for every day.
        const auto withSite = std::find_if(batch.files.begin(), batch.files.end(),
                                           [](const FileRows& f) { return f.site.has_value(); });
        if (withSite != batch.files.end()) {
            rad::RecordSun sun(withSite->site, withSite->zone);
            rad::AddDaySun(days, clearSky, dayStart, sun);
        }
        std::string text = options->json ? std::string() : rad::DailyCsvHeader() + "\n";
        for (const rad::DaySummary& day : days) {
            text.append(options->json ? rad::DailyJsonLine(day) : rad::DailyCsvLine(day))
                .push_back('\n');
        }
        return Finish(*options, text, batch.allLoaded);
    } catch (const std::invalid_argument& error) {
        return FileError(options->parsed.positional[0], error.what());
    }
}

int RunQc(const CommandArgs& args) {
    constexpr const char* kCommand = "qc";
    int failure = 0;
    const auto options =
        ParseLightOptions(args, {"--profile", "-o", "--tz"}, SIZE_MAX, kCommand, failure);
    if (!options) return failure;
    const Batch batch = ReadBatch(options->parsed.positional, options->zones, options->qc);
    std::vector<rad::LightSample> samples;
    samples.reserve(batch.order.size());
    for (const auto& at : batch.order) samples.push_back(batch.files[at.first].samples[at.second]);
    try {
        const auto days = rad::CountQcByDay(samples, options->analysis.DayStartHour());
        std::string text = options->json ? std::string() : rad::QcDayCsvHeader() + "\n";
        for (const rad::QcDay& day : days)
            text.append(options->json ? rad::QcDayJsonLine(day) : rad::QcDayCsvLine(day))
                .push_back('\n');
        return Finish(*options, text, batch.allLoaded);
    } catch (const std::invalid_argument& error) {
        return FileError(options->parsed.positional[0], error.what());
    }
}
