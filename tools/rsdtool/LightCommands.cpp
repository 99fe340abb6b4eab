// rsdtool quantities, series and daily: the light analysis of one or many day files.
#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "AnalysisSettings.h"
#include "FileBatch.h"
#include "IniFile.h"
#include "SpectralCsv.h"
#include "ToolSupport.h"

namespace {

constexpr const char* kJsonFlag = "--json";

// Removes a flag without a value from args; true when it was there.
bool TakeFlag(CommandArgs& args, std::string_view flag) {
    const auto end = std::find(args.begin(), args.end(), "--");
    const auto it = std::find(args.begin(), end, flag);
    if (it == end) return false;
    args.erase(it);
    return true;
}

std::optional<AnalysisSettings> LoadAnalysisProfile(const ParsedArgs& parsed) {
    AnalysisSettings settings;
    const std::string* path = parsed.Option("--profile");
    if (path == nullptr) return settings;
    CIniFile ini;
    if (!ini.Load(*path)) {
        FileError(*path, "cannot read the profile");
        return std::nullopt;
    }
    settings.Load(ini);
    return settings;
}

// Writes lines to -o OUT, or to standard output without it.
bool Emit(const ParsedArgs& parsed, const std::vector<std::string>& lines) {
    if (const std::string* out = parsed.Option("-o")) {
        if (rad::WriteCsvLines(*out, lines)) return true;
        FileError(*out, "cannot be written");
        return false;
    }
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    return std::fflush(stdout) == 0;
}

std::vector<std::string> RowLines(const std::vector<rad::SeriesRow>& rows, bool json) {
    std::vector<std::string> lines;
    lines.reserve(rows.size() + 1);
    if (!json) lines.push_back(rad::SeriesCsvHeader());
    for (const rad::SeriesRow& row : rows)
        lines.push_back(json ? rad::SeriesJsonLine(row) : rad::SeriesCsvLine(row));
    return lines;
}

struct Batch {
    std::vector<rad::SeriesRow> rows;  // of every file that loaded, in time order
    bool allLoaded = true;
};

Batch ReadBatch(const std::vector<std::string>& paths) {
    Batch batch;
    for (FileRows& file : ReadFileRows(paths, TerminalProgress(paths.size()))) {
        if (file.problem) {
            FileError(file.path, *file.problem);
            batch.allLoaded = false;
            continue;
        }
        std::move(file.rows.begin(), file.rows.end(), std::back_inserter(batch.rows));
    }
    std::stable_sort(
        batch.rows.begin(), batch.rows.end(),
        [](const rad::SeriesRow& a, const rad::SeriesRow& b) { return a.time < b.time; });
    return batch;
}

// Parses the common options; nullopt after a usage error or a bad profile, with the exit
// status in failure.
struct LightOptions {
    ParsedArgs parsed;
    bool json = false;
    AnalysisSettings analysis;
};

std::optional<LightOptions> ParseLightOptions(CommandArgs args,
                                              std::initializer_list<std::string_view> options,
                                              std::size_t most, const char* command, int& failure) {
    failure = kExitUsage;
    LightOptions result;
    result.json = TakeFlag(args, kJsonFlag);
    auto parsed = ParseArgs(args, options, command);
    if (!parsed || !CheckPositionalCount(*parsed, 1, most, command)) return std::nullopt;
    result.parsed = std::move(*parsed);
    const auto analysis = LoadAnalysisProfile(result.parsed);
    failure = kExitFailed;
    if (!analysis) return std::nullopt;
    result.analysis = *analysis;
    return result;
}

int Finish(const LightOptions& options, const std::vector<std::string>& lines, bool allLoaded) {
    return Emit(options.parsed, lines) && allLoaded ? kExitOk : kExitFailed;
}

}  // namespace

int RunQuantities(const CommandArgs& args) {
    constexpr const char* kCommand = "quantities";
    int failure = 0;
    const auto options =
        ParseLightOptions(args, {"--profile", "--records", "-o"}, 1, kCommand, failure);
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
    try {
        return Finish(*options, RowLines(rad::ComputeSeries(set, *indices), options->json), true);
    } catch (const std::invalid_argument& error) {
        return FileError(path, error.what());
    }
}

int RunSeries(const CommandArgs& args) {
    constexpr const char* kCommand = "series";
    int failure = 0;
    const auto options = ParseLightOptions(args, {"--profile", "-o"}, SIZE_MAX, kCommand, failure);
    if (!options) return failure;
    const Batch batch = ReadBatch(options->parsed.positional);
    try {
        return Finish(*options, RowLines(batch.rows, options->json), batch.allLoaded);
    } catch (const std::invalid_argument& error) {
        return FileError(options->parsed.positional[0], error.what());
    }
}

int RunDaily(const CommandArgs& args) {
    constexpr const char* kCommand = "daily";
    int failure = 0;
    const auto options = ParseLightOptions(args, {"--profile", "-o"}, SIZE_MAX, kCommand, failure);
    if (!options) return failure;
    const Batch batch = ReadBatch(options->parsed.positional);
    std::vector<rad::LightSample> samples;
    samples.reserve(batch.rows.size());
    for (const rad::SeriesRow& row : batch.rows) samples.push_back(rad::ToLightSample(row));
    try {
        std::vector<std::string> lines;
        if (!options->json) lines.push_back(rad::DailyCsvHeader());
        for (const rad::DaySummary& day :
             rad::SummariseDays(samples, options->analysis.DayStartHour()))
            lines.push_back(options->json ? rad::DailyJsonLine(day) : rad::DailyCsvLine(day));
        return Finish(*options, lines, batch.allLoaded);
    } catch (const std::invalid_argument& error) {
        return FileError(options->parsed.positional[0], error.what());
    }
}
