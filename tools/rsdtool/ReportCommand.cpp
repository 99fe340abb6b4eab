// rsdtool report: the status report the viewer shows beside a record's graph.
#include <cstdio>
#include <stdexcept>

#include "Language.h"
#include "StatusReport.h"
#include "ToolSupport.h"

namespace {
constexpr const char* kCommand = "report";
}

int RunReport(const CommandArgs& args) {
    const auto parsed = ParseArgs(args, {"--profile", "--lang"}, kCommand);
    if (!parsed) return kExitUsage;
    if (!CheckPositionalCount(*parsed, 2, 2, kCommand)) return kExitUsage;
    ReportLanguage language = rad::DetectReportLanguage();
    if (const std::string* lang = parsed->Option("--lang")) {
        const auto chosen = rad::ParseReportLanguage(*lang);
        if (!chosen) return UsageError(kCommand, "--lang takes en or ja");
        language = *chosen;
    }
    const auto index = ParseRecordIndex(parsed->positional[1]);
    if (!index) return UsageError(kCommand, "INDEX must be a record number");
    const auto settings = LoadViewerProfile(*parsed);
    if (!settings) return kExitFailed;
    const std::string& path = parsed->positional[0];
    CRsdData set;
    if (!LoadRsd(path, set)) return kExitFailed;
    if (!SelectRecords(std::vector<int>{*index}, set, path)) return kExitFailed;

    CResample spectrum;
    StatusReport report;
    try {
        BuildStatusReport(set, *index, settings->dispMode, settings->integ, language, spectrum,
                          report);
    } catch (const std::invalid_argument& error) {
        return FileError(path, "record " + std::to_string(*index) + ": " + error.what());
    }
    // Written as bytes: the memo is the file's own bytes and the report UTF-8.
    const std::string out = report.titleText + "\n" + report.dateText + "\n" + report.integralText +
                            "\n" + report.statusText;
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kExitOk;
}
