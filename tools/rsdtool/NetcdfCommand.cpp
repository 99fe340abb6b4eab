// rsdtool netcdf: day files into one analysis-ready NetCDF-4 archive.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "AtomicFile.h"
#include "DayParts.h"
#include "NetcdfPipeline.h"
#include "RegularFile.h"
#include "SunNotes.h"
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

bool SameGrid(const ArchiveGrid& a, const ArchiveGrid& b) {
    const std::vector<double> x = a.Wavelengths(), y = b.Wavelengths();
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](double u, double v) {
        return static_cast<float>(u) == static_cast<float>(v);  // as the archive stores them
    });
}

std::string GridText(const ArchiveGrid& grid) {
    char text[96];
    std::snprintf(text, sizeof text, "%g:%g:%g", grid.from, grid.to, grid.step);
    return text;
}

// The grid and quantities of the archive appended to, checked against those asked for;
// false after the message.
bool TakeLayout(const std::string& out, bool gridGiven, ArchiveOptions& options) {
    const auto refuse = [&out](const std::string& reason) {
        FileError(out, "cannot be appended to: " + reason);
        return false;
    };
    ArchiveLayout layout;
    try {
        layout = ReadArchiveLayout(out);
    } catch (const ArchiveError& error) {
        return refuse(error.what());
    }
    if (gridGiven && !SameGrid(options.grid, layout.grid))
        return refuse("its wavelength grid is " + GridText(layout.grid) + ", not " +
                      GridText(options.grid));
    if (options.allQuantities && !layout.allQuantities)
        return refuse("it holds PAR, PPFD and illuminance only, not every quantity");
    options.grid = layout.grid;
    options.allQuantities = layout.allQuantities;
    return true;
}

// The old archive's bytes into the new file, which the new days then extend.
bool CopyArchive(const std::string& path, rad::CAtomicFile& file) {
    const int fd = rad::OpenRegularFile(path, O_RDONLY);
    if (fd < 0) return false;
    std::vector<char> buffer(std::size_t{4} << 20);
    ssize_t n = 0;
    while ((n = ::read(fd, buffer.data(), buffer.size())) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || !file.Write({buffer.data(), static_cast<std::size_t>(n)})) break;
    }
    const int error = n == 0 ? 0 : (file.Error() != 0 ? file.Error() : errno);
    ::close(fd);
    errno = error;
    return error == 0;
}

}  // namespace

int RunNetcdf(const CommandArgs& args) {
    CommandArgs rest;
    ArchiveOptions options;
    bool force = false, append = false;
    for (const std::string& arg : args) {
        if (arg == "--quantities")
            options.allQuantities = true;
        else if (arg == "--force")
            force = true;
        else if (arg == "--append")
            append = true;
        else
            rest.push_back(arg);
    }
    const auto parsed = ParseArgs(rest, {"--grid", "-o", "--tz"}, kCommand);
    if (!parsed || !ApplyZoneOption(*parsed, kCommand, options.zones.zoneGiven)) return kExitUsage;
    options.zones.machineStandardOffset = rad::MachineStandardOffsetSeconds();
    const std::string* out = parsed->Option("-o");
    if (!out) return UsageError(kCommand, "the archive needs -o OUT.nc");
    if (parsed->positional.empty()) return UsageError(kCommand, "no day files given");
    if (force && append) return UsageError(kCommand, "--force and --append exclude each other");
    if (const std::string* grid = parsed->Option("--grid")) {
        const auto value = ParseGrid(*grid);
        if (!value) return UsageError(kCommand, "--grid wants FROM:TO:STEP in nm, e.g. 300:1800:1");
        options.grid = *value;
    }
    options.history = History(args);
    if (!CheckOutput(*out, parsed->positional)) return kExitFailed;
    std::error_code missing;
    const bool exists = std::filesystem::exists(*out, missing);
    if (exists && !force && !append)
        return FileError(*out, "exists: --force replaces it, --append adds the days to it");
    // --append makes the archive when there is none yet, as for the first day of a series.
    options.append = append && exists;
    if (options.append && !TakeLayout(*out, parsed->Option("--grid") != nullptr, options))
        return kExitFailed;

    // Day files are named by their date (and part), so that order is time order.
    std::vector<std::string> files = parsed->positional;
    std::stable_sort(files.begin(), files.end(), rad::DayFileNameLess);
    // The archive is made beside the old file, which stays whole until the new one is
    // complete; a failure removes nothing else.
    rad::CAtomicFile file(*out);
    if (file.Error() != 0) return WriteError(*out, file.Error());
    if (options.append && !CopyArchive(*out, file)) return WriteError(*out, errno);
    std::size_t records = 0;
    try {
        SunNotes notes;
        records = WriteArchive(
            files, file.TempPath(), options,
            [](const std::string& path, CRsdData& set) { return LoadRsdProblem(path, set); },
            [&notes](const std::string& file, const ArchiveDay& day) {
                notes.Tell(file, day.zoneNotice, day.hasSite);
            });
    } catch (const ArchiveError& error) {
        const auto* input = dynamic_cast<const ArchiveInputError*>(&error);
        // The library names the file it wrote, which is the output to the user.
        std::string problem = error.what();
        for (auto at = problem.find(file.TempPath()); at != std::string::npos;
             at = problem.find(file.TempPath(), at + out->size()))
            problem.replace(at, file.TempPath().size(), *out);
        return FileError(input ? input->File() : *out, problem);
    }
    if (const int error = file.Commit()) return WriteError(*out, error);
    std::printf("%s: %zu records\n", out->c_str(), records);
    return kExitOk;
}
