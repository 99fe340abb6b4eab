// rsdtool netcdf: day files into one analysis-ready NetCDF-4 archive.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "DayParts.h"
#include "NetcdfPipeline.h"
#include "ToolSupport.h"

namespace {

constexpr const char* kCommand = "netcdf";

// "FROM:TO:STEP" in nanometres.
std::optional<ArchiveGrid> ParseGrid(const std::string& text) {
    ArchiveGrid grid;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%lf:%lf:%lf%c", &grid.from, &grid.to, &grid.step, &tail) != 3)
        return std::nullopt;
    if (!(grid.step > 0) || !(grid.to >= grid.from)) return std::nullopt;
    return grid;
}

std::string History(const CommandArgs& args) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::string text = std::string(stamp) + " rsdtool netcdf";
    for (const std::string& arg : args) text += " " + arg;
    return text;
}

}  // namespace

int RunNetcdf(const CommandArgs& args) {
    CommandArgs rest;
    ArchiveOptions options;
    for (const std::string& arg : args) {
        if (arg == "--quantities")
            options.allQuantities = true;
        else
            rest.push_back(arg);
    }
    const auto parsed = ParseArgs(rest, {"--grid", "-o"}, kCommand);
    if (!parsed) return kExitUsage;
    const std::string* out = parsed->Option("-o");
    if (!out) return UsageError(kCommand, "the archive needs -o OUT.nc");
    if (parsed->positional.empty()) return UsageError(kCommand, "no day files given");
    if (const std::string* grid = parsed->Option("--grid")) {
        const auto value = ParseGrid(*grid);
        if (!value) return UsageError(kCommand, "--grid wants FROM:TO:STEP in nm, e.g. 300:1800:1");
        options.grid = *value;
    }
    options.history = History(args);

    // Day files are named by their date (and part), so that order is time order.
    std::vector<std::string> files = parsed->positional;
    std::stable_sort(files.begin(), files.end(), rad::DayFileNameLess);
    try {
        const std::size_t records = WriteArchive(
            files, *out, options,
            [](const std::string& path, CRsdData& set) { return LoadRsdProblem(path, set); });
        std::printf("%s: %zu records\n", out->c_str(), records);
    } catch (const ArchiveError& error) {
        std::error_code ignored;
        std::filesystem::remove(*out, ignored);  // no half-written archive is left behind
        const auto* input = dynamic_cast<const ArchiveInputError*>(&error);
        return FileError(input ? input->File() : *out, error.what());
    }
    return kExitOk;
}
