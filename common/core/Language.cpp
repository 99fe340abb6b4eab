#include "Language.h"

#include <cstdlib>

namespace rad {

ReportLanguage DetectReportLanguage() {
    // The POSIX precedence of the locale variables for message texts.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::string_view(value).starts_with("ja") ? ReportLanguage::Japanese
                                                             : ReportLanguage::English;
    }
    return ReportLanguage::English;
}

std::optional<ReportLanguage> ParseReportLanguage(std::string_view text) {
    if (text == "en") return ReportLanguage::English;
    if (text == "ja") return ReportLanguage::Japanese;
    return std::nullopt;
}

}  // namespace rad
