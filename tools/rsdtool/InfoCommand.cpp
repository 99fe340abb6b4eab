// rsdtool info: what a day file holds, and what of it the spectral operations cannot use.
#include <array>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "LocalTime.h"
#include "StatusReport.h"
#include "TextEncoding.h"
#include "ToolSupport.h"

namespace {

constexpr const char* kCommand = "info";

// "" when the model's blocks are usable, else why they count as absent.
const char* CalProblem(const CRsdData& set, int model) {
    if (set.GetCal(model) == nullptr) return "no calibration block";
    if (!set.HasUsableCal(model)) return "unusable calibration";
    return "";
}

void PrintHeader(const CRsdData& set) {
    std::printf("Site: %s\nLon: %s\nLat: %s\nAlt: %s\nTZ: %s\n", set.m_strSite.c_str(),
                set.m_strLon.c_str(), set.m_strLat.c_str(), set.m_strAlt.c_str(),
                set.m_strTZ.c_str());
}

void PrintCalibrations(const CRsdData& set) {
    for (int m = 0; m < kModelCount; ++m) {
        const SensorCal* cal = set.GetCal(m);
        if (cal == nullptr) continue;
        const char* label = kModels[static_cast<std::size_t>(m)].label;
        if (set.HasUsableCal(m)) {
            std::printf("Calibration %s: SN %s, %.2f - %.2f nm\n", label, cal->SN,
                        static_cast<double>(cal->WL.front()), static_cast<double>(cal->WL.back()));
        } else {
            std::printf("Calibration %s: SN %s, unusable wavelength table\n", label, cal->SN);
        }
    }
}

// Per record and model: whether the block's payloads hold a NaN or an infinity.
using NonFiniteBlocks = std::vector<std::array<bool, kModelCount>>;

// Prints every record; returns the models with blocks that spectral operations ignore.
std::array<int, kModelCount> PrintRecords(const CRsdData& set, const NonFiniteBlocks& nonFinite) {
    std::array<int, kModelCount> ignored{};
    // Checked once per calibration, not once per block: the check scans the whole table.
    std::array<const char*, kModelCount> problems{};
    for (int m = 0; m < kModelCount; ++m)
        problems[static_cast<std::size_t>(m)] = CalProblem(set, m);
    for (int i = 0; i < set.GetCount(); ++i) {
        const CRad& rad = set.GetAt(i);
        std::string time;
        try {
            time = rad::FormatLocalTime(rad.m_time, rad::kReportDateFormat);
        } catch (const std::invalid_argument&) {
            time = "(time " + std::to_string(rad.m_time) + " has no local form)";
        }
        std::printf("Record %d: %s  \"%s\" ", i, time.c_str(), rad::ToUtf8(rad.m_strMemo).c_str());
        for (int m = 0; m < kModelCount; ++m) {
            if (rad.Block(m) == nullptr) continue;
            const char* problem = problems[static_cast<std::size_t>(m)];
            std::printf(*problem ? " %s (%s)" : " %s", kModels[static_cast<std::size_t>(m)].label,
                        problem);
            if (*problem) ++ignored[static_cast<std::size_t>(m)];
            if (static_cast<std::size_t>(i) < nonFinite.size() &&
                nonFinite[static_cast<std::size_t>(i)][static_cast<std::size_t>(m)])
                std::printf(" (holds non-finite values)");
        }
        std::printf("\n");
    }
    return ignored;
}

}  // namespace

int RunInfo(const CommandArgs& args) {
    const auto parsed = ParseArgs(args, {}, kCommand);
    if (!parsed) return kExitUsage;
    if (!CheckPositionalCount(*parsed, 1, 1, kCommand)) return kExitUsage;
    const std::string& path = parsed->positional[0];
    // Only whether the pixels are finite is shown: the payloads are checked as they are read
    // and not kept, which spares the memory (and page faults) of the whole file.
    NonFiniteBlocks nonFinite;
    const RsdPayloadVisitor check = [&nonFinite](int record, int model, bool /*dark*/,
                                                 std::span<const float> values) {
        const auto r = static_cast<std::size_t>(record);
        if (nonFinite.size() <= r) nonFinite.resize(r + 1);
        bool& flag = nonFinite[r][static_cast<std::size_t>(model)];
        if (values.empty())
            flag = false;  // a block starts (again)
        else if (HasNonFiniteValues(values))
            flag = true;
    };
    CRsdData set;
    if (!LoadRsd(path, set, &check)) return kExitFailed;

    std::printf("File: %s\nLoad: %d (%s)\n", path.c_str(), set.GetCount(),
                RsdLoadResultText(set.GetCount()));
    PrintHeader(set);
    PrintCalibrations(set);
    const auto ignored = PrintRecords(set, nonFinite);
    for (int m = 0; m < kModelCount; ++m) {
        const int count = ignored[static_cast<std::size_t>(m)];
        if (count == 0) continue;
        FileError(path, std::to_string(count) + " " + kModels[static_cast<std::size_t>(m)].label +
                            " block(s) with " + CalProblem(set, m) +
                            ": kept in the file, left out of spectra, CSV and reports");
    }
    return kExitOk;
}
