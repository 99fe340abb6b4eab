#include "CsvExport.h"

#include <cerrno>

#include "ProfileLocation.h"
#include "RegularFile.h"
#include "ToolSupport.h"

namespace {

bool ExportFile(const std::string& file, const std::string& out,
                const std::optional<std::vector<int>>& records, const RadviewSettings& settings,
                CsvWriter writer, std::span<const std::string> inputs) {
    if (!CheckOutput(out, inputs)) return false;
    CRsdData set;
    if (!LoadRsd(file, set)) return false;
    const auto indices = SelectRecords(records, set, file);
    return indices && writer(set, *indices, settings, out);
}

int RunBatch(const ParsedArgs& parsed, const std::string& outDir, const RadviewSettings& settings,
             CsvWriter writer) {
    CBatchOutputs outputs;
    if (!outputs.MakeFolder(outDir)) return kExitFailed;
    bool allWritten = true;
    for (const std::string& file : parsed.positional) {
        const std::string out = BatchCsvPath(outDir, file);
        if (!outputs.Claim(file, out)) {
            allWritten = false;
            continue;
        }
        // No output may be one of the files still to be read.
        allWritten =
            ExportFile(file, out, std::nullopt, settings, writer, parsed.positional) && allWritten;
    }
    return allWritten ? kExitOk : kExitFailed;
}

}  // namespace

std::string BatchCsvPath(const std::string& outDir, const std::string& file) {
    const auto slash = file.find_last_of('/');
    std::string base = slash == std::string::npos ? file : file.substr(slash + 1);
    const auto dot = base.find_last_of('.');
    if (dot != std::string::npos && dot > 0) base.resize(dot);
    const bool needsSlash = !outDir.empty() && outDir.back() != '/';
    return outDir + (needsSlash ? "/" : "") + base + ".csv";
}

int RunCsvExport(const CommandArgs& args, const char* command, CsvWriter writer) {
    const auto parsed = ParseArgs(args, {"--profile", "--records", "--out-dir"}, command);
    if (!parsed) return kExitUsage;
    const std::string* outDir = parsed->Option("--out-dir");
    const std::string* recordList = parsed->Option("--records");
    if (outDir != nullptr && recordList != nullptr) {
        return UsageError(command, "--records applies to a single file, not to --out-dir");
    }
    const std::size_t least = outDir != nullptr ? 1 : 2;
    const std::size_t most = outDir != nullptr ? parsed->positional.size() : 2;
    if (!CheckPositionalCount(*parsed, least, most, command)) return kExitUsage;
    std::optional<std::vector<int>> records;
    if (recordList != nullptr) {
        records = ParseRecordList(*recordList);
        if (!records) return UsageError(command, "--records takes indices like 0,3,2");
    }
    const auto settings = LoadViewerProfile(*parsed);
    if (!settings) return kExitFailed;
    if (outDir != nullptr) return RunBatch(*parsed, *outDir, *settings, writer);
    return ExportFile(parsed->positional[0], parsed->positional[1], records, *settings, writer,
                      {parsed->positional.data(), 1})
               ? kExitOk
               : kExitFailed;
}
