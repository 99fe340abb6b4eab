#pragma once

#include <optional>
#include <string_view>

// Language of the texts the programs assemble themselves (the sensor status report).
enum class ReportLanguage { English, Japanese };

namespace rad {

// Japanese exactly when the user's locale is Japanese: the first of LC_ALL, LC_MESSAGES and
// LANG that is set and not empty begins with "ja".
ReportLanguage DetectReportLanguage();
// An explicit choice: "en" or "ja"; nullopt for anything else.
std::optional<ReportLanguage> ParseReportLanguage(std::string_view text);

}  // namespace rad
