#pragma once

#include <string>
#include <string_view>

#include "SensorModel.h"

// The words of the RSD file format, named once for the reader and the writer.
namespace rad::rsd {

inline constexpr std::string_view kMagic = "HD_RSD,";  // every RSD file begins with these bytes
inline constexpr std::string_view kVersion = "100";    // written after every block-opening tag
inline constexpr const char* kTimeFormat = "%Y%m%d%H%M%S";

inline constexpr std::string_view kSiteOpen = "HD_RSD";
inline constexpr std::string_view kSiteClose = "HD_RSD_END";
inline constexpr std::string_view kSite = "SITE";
inline constexpr std::string_view kLon = "LON";
inline constexpr std::string_view kLat = "LAT";
inline constexpr std::string_view kAlt = "ALT";
inline constexpr std::string_view kTZ = "TZ";

inline constexpr std::string_view kRecordOpen = "DT_RSD";
inline constexpr std::string_view kRecordClose = "DT_RSD_END";
inline constexpr std::string_view kMemo = "MEMO";

inline constexpr std::string_view kSN = "SN";
inline constexpr std::string_view kID = "ID";
inline constexpr std::string_view kST = "ST";
inline constexpr std::string_view kFV = "FV";
inline constexpr std::string_view kFT = "FT";
inline constexpr std::string_view kCoefficient[6] = {"C0", "C1", "C2", "C3", "C4", "C5"};
inline constexpr std::string_view kMT = "MT";
inline constexpr std::string_view kET = "ET";
inline constexpr std::string_view kSS = "SS";

inline constexpr std::string_view kCalBegin = "CAL_BGN";
inline constexpr std::string_view kCalEnd = "CAL_END";
inline constexpr std::string_view kMeasuredBegin = "MD_BGN";
inline constexpr std::string_view kMeasuredEnd = "MD_END";
inline constexpr std::string_view kDarkBegin = "DD_BGN";
inline constexpr std::string_view kDarkEnd = "DD_END";

// Per-model tags: "HD_QS100", "HD_QS100_END", "DT_QS100", "DT_QS100_END", ...
struct ModelTags {
    std::string calOpen;
    std::string calClose;
    std::string dataOpen;
    std::string dataClose;
};
const ModelTags& TagsOf(int model);
// Model whose calibration (or data) opening tag is tag, or -1.
int ModelOfCalOpen(std::string_view tag);
int ModelOfDataOpen(std::string_view tag);

}  // namespace rad::rsd
