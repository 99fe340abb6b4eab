// rsdtool recalibrate: day files given the calibrations of another file, records untouched.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "Commands.h"
#include "DailyLight.h"
#include "LightSeries.h"
#include "OutputPath.h"
#include "Recalibrate.h"
#include "RegularFile.h"
#include "ToolSupport.h"

namespace {

constexpr const char* kCommand = "recalibrate";

std::string Number(double value, const char* format) {
    if (!std::isfinite(value)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Per day of the file: maximum PPFD, maximum UV index and DLI.
std::vector<rad::DaySummary> DaysOf(std::string_view bytes) {
    CRsdData set;
    if (set.LoadFromMemory(bytes.data(), bytes.size()) < 0) return {};
    std::vector<rad::LightSample> samples;
    for (const rad::SeriesRow& row : rad::ComputeSeries(set)) samples.push_back(ToLightSample(row));
    return rad::SummariseDays(samples, 0);
}

void PrintChange(const std::string& path, std::string_view before, std::string_view after) {
    const auto old = DaysOf(before);
    const auto now = DaysOf(after);
    std::printf("%s\n", path.c_str());
    for (std::size_t d = 0; d < old.size() && d < now.size(); ++d) {
        std::printf(
            "  %s  max PPFD %s -> %s umol/m2/s  max UV index %s -> %s  DLI %s -> %s "
            "mol/m2/d\n",
            rad::FormatLocalTime(old[d].start, "%Y/%m/%d").c_str(),
            Number(old[d].maxPpfd, "%.1f").c_str(), Number(now[d].maxPpfd, "%.1f").c_str(),
            Number(old[d].maxUvIndex, "%.2f").c_str(), Number(now[d].maxUvIndex, "%.2f").c_str(),
            Number(old[d].dli, "%.3f").c_str(), Number(now[d].dli, "%.3f").c_str());
    }
}

// Recalibrates one file into out; false after naming the file and the problem.
bool RecalibrateOne(const std::string& in, const std::string& out, const std::string& source,
                    bool force, std::span<const std::string> inputs) {
    if (!CheckOutput(out, inputs)) return false;
    const rad::FileRecalibration done = rad::RecalibrateFile(in, out, source, force);
    if (!done.ok) return FileError(done.failedPath, done.problem), false;
    try {
        PrintChange(out, done.before, done.after);
    } catch (const std::invalid_argument& error) {
        return FileError(in, error.what()), false;
    }
    return true;
}

}  // namespace

int RunRecalibrate(const CommandArgs& args) {
    CommandArgs words = args;
    const bool force = TakeFlag(words, "--force");
    const bool inPlace = TakeFlag(words, "--in-place");
    const auto parsed = ParseArgs(words, {"--cal", "-o", "--out-dir"}, kCommand);
    if (!parsed || !CheckPositionalCount(*parsed, 1, SIZE_MAX, kCommand)) return kExitUsage;
    const std::string* cal = parsed->Option("--cal");
    const std::string* out = parsed->Option("-o");
    const std::string* dir = parsed->Option("--out-dir");
    if (!cal) return UsageError(kCommand, "--cal SOURCE is required");
    if ((out != nullptr) + (dir != nullptr) + inPlace != 1)
        return UsageError(kCommand, "give one of -o OUT, --out-dir DIR and --in-place");
    const std::vector<std::string>& files = parsed->positional;
    if (out && files.size() != 1) return UsageError(kCommand, "-o takes one FILE; --out-dir more");
    const auto source = rad::ReadRegularFile(*cal);
    if (!source) return FileError(*cal, "cannot be read: " + rad::FileErrorText(errno));
    // Only --in-place may write over an input, and then only over the file itself; every
    // other output is checked against the files and the source.
    std::vector<std::string> inputs = files;
    inputs.push_back(*cal);
    if (inPlace) inputs = {*cal};
    CBatchOutputs outputs;
    if (dir && !outputs.MakeFolder(*dir)) return kExitFailed;
    bool ok = true;
    for (const std::string& file : files) {
        const std::string target =
            out   ? *out
            : dir ? (std::filesystem::path(*dir) / std::filesystem::path(file).filename()).string()
                  : file;
        if (dir && !outputs.Claim(file, target)) {
            ok = false;
            continue;
        }
        ok = RecalibrateOne(file, target, *source, force, inputs) && ok;
    }
    return ok ? kExitOk : kExitFailed;
}
