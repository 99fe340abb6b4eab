#pragma once

#include <cstdint>
#include <string>

// Where the three output files of a time lie. Folder settings end with a separator and are
// joined by plain concatenation; all times are local.
namespace rad {

inline constexpr char kPathSeparator = '/';

// [DIR] RSD + "%Y" + "/" + "%Y%m%d.RSD"
std::string DayFilePath(const std::string& rsdFolder, int64_t t);
// [DIR] CSV + "%Y" + "/" + "%Y%m%d%H.CSV"
std::string HourFilePath(const std::string& csvFolder, int64_t t);
// [DIR] RSD + "%Y.LOG", directly in the base folder.
std::string YearLogPath(const std::string& rsdFolder, int64_t t);

// Creates every missing folder above path; failures show up when the file is opened.
void CreateParentFolders(const std::string& path);

}  // namespace rad
