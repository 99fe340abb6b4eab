#pragma once

#include <cstdint>
#include <string>

namespace rad {

// "%Y/%m/%d,%H:%M:%S," + text + CR LF of the local time t.
std::string FormatLogLine(int64_t t, const std::string& text);

// Appends one line to [DIR] RSD + "%Y.LOG". The base folder is created first, so that
// "APP START" of a fresh installation is not lost. False when the file cannot be written;
// callers drop the event silently.
bool AppendYearLog(const std::string& rsdFolder, int64_t t, const std::string& text);

}  // namespace rad
