#include "YearLog.h"

#include <cstdio>
#include <memory>

#include "LocalTime.h"
#include "OutputPaths.h"

namespace rad {

std::string FormatLogLine(int64_t t, const std::string& text) {
    return FormatLocalTime(t, "%Y/%m/%d,%H:%M:%S,") + text + "\r\n";
}

bool AppendYearLog(const std::string& rsdFolder, int64_t t, const std::string& text) {
    const std::string path = YearLogPath(rsdFolder, t);
    CreateParentFolders(path);
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "ab"), &std::fclose);
    if (!file) return false;
    const std::string line = FormatLogLine(t, text);
    return std::fwrite(line.data(), 1, line.size(), file.get()) == line.size();
}

}  // namespace rad
