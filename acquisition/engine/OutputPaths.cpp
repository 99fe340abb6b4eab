#include "OutputPaths.h"

#include <filesystem>
#include <system_error>

#include "LocalTime.h"

namespace rad {

namespace {
std::string YearFolderPath(const std::string& folder, int64_t t, const char* nameFormat) {
    return folder + FormatLocalTime(t, "%Y") + kPathSeparator + FormatLocalTime(t, nameFormat);
}
}  // namespace

std::string DayFilePath(const std::string& rsdFolder, int64_t t) {
    return YearFolderPath(rsdFolder, t, "%Y%m%d.RSD");
}

std::string HourFilePath(const std::string& csvFolder, int64_t t) {
    return YearFolderPath(csvFolder, t, "%Y%m%d%H.CSV");
}

std::string YearLogPath(const std::string& rsdFolder, int64_t t) {
    return rsdFolder + FormatLocalTime(t, "%Y.LOG");
}

void CreateParentFolders(const std::string& path) {
    const auto parent = std::filesystem::path(path).parent_path();
    if (parent.empty()) return;
    std::error_code ignored;
    std::filesystem::create_directories(parent, ignored);
}

}  // namespace rad
