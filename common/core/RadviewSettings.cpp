#include "RadviewSettings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "SettingsBlocksIo.h"

namespace {

constexpr const char* kColorSection = "COLOR_TABLE";
constexpr const char* kRecentSection = "RECENT";
// Value a missing colour key reads as; it also ends a table on purpose.
constexpr const char* kColorTableEnd = "END";
constexpr int kDefaultLineColors[] = {255, 65280, 16711680};  // red, green, blue

std::string ColorKey(int n) {
    char key[32];
    std::snprintf(key, sizeof key, "LINE_COLOR%03d", n);
    return key;
}

std::string RecentKey(int n) { return "FILE" + std::to_string(n); }

// "R,G,B" read like "%d,%d,%d" (blanks before a number, commas exactly), as the COLORREF
// red + green*256 + blue*65536; parts that do not parse count 0.
int ParseColor(const std::string& text) {
    uint32_t parts[3] = {0, 0, 0};
    const char* p = text.c_str();
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && *p++ != ',') break;
        char* endPtr = nullptr;
        const long value = std::strtol(p, &endPtr, 10);
        if (endPtr == p) break;
        // Unsigned so that out-of-range parts wrap instead of overflowing.
        parts[i] = static_cast<uint32_t>(value);
        p = endPtr;
    }
    return static_cast<int>(parts[0] + parts[1] * 256u + parts[2] * 65536u);
}

std::string FormatColor(int color) {
    char text[48];
    std::snprintf(text, sizeof text, "%d,%d,%d", color & 0xFF, (color >> 8) & 0xFF,
                  (color >> 16) & 0xFF);
    return text;
}

std::vector<int> LoadLineColors(const CIniFile& ini) {
    std::vector<int> colors;
    for (int n = 1; n <= RadviewSettings::kMaxLineColors; ++n) {
        const std::string value = ini.GetString(kColorSection, ColorKey(n), kColorTableEnd);
        if (value == kColorTableEnd) break;
        colors.push_back(ParseColor(value));
    }
    if (colors.empty()) colors.assign(std::begin(kDefaultLineColors), std::end(kDefaultLineColors));
    return colors;
}

void SaveLineColors(CIniFile& ini, const std::vector<int>& colors) {
    // A format note for people who edit the file by hand.
    // Appended, not "#" + std::string: GCC 12 at -O3 takes that for an overlapping copy.
    std::string noteKey = "#";
    ini.SetString(kColorSection, noteKey.append(ColorKey(1)), "R,G,B");
    for (std::size_t i = 0; i < colors.size(); ++i) {
        ini.SetString(kColorSection, ColorKey(static_cast<int>(i) + 1), FormatColor(colors[i]));
    }
}

std::vector<std::string> LoadRecentFiles(const CIniFile& ini) {
    std::vector<std::string> files;
    for (int n = 1; n <= RadviewSettings::kMaxRecentFiles; ++n) {
        std::string path = ini.GetString(kRecentSection, RecentKey(n), "");
        if (!path.empty()) files.push_back(std::move(path));
    }
    return files;
}

void SaveRecentFiles(CIniFile& ini, const std::vector<std::string>& files) {
    for (int n = 1; n <= RadviewSettings::kMaxRecentFiles; ++n) {
        const std::size_t i = static_cast<std::size_t>(n - 1);
        if (i < files.size()) {
            ini.SetString(kRecentSection, RecentKey(n), files[i]);
        } else {
            ini.DeleteKey(kRecentSection, RecentKey(n));
        }
    }
}

}  // namespace

bool RadviewSettings::LoadSettings(const CIniFile& ini, const std::string& folder) {
    programFolder = folder;
    rad::LoadFolders(ini, programFolder, rsdFolder, csvFolder);
    rad::LoadCsvSettings(ini, csv);
    rad::LoadIntegSettings(ini, integ);
    rad::LoadGraphSettings(ini, graph);
    catSize = ini.GetInt("GRAPH", "CATSIZE", 1);
    dispMode = rad::LoadDisplayMode(ini);
    lineColors = LoadLineColors(ini);
    recentFiles = LoadRecentFiles(ini);
    return true;
}

bool RadviewSettings::SaveSettings(CIniFile& ini) const {
    rad::SaveFolders(ini, rsdFolder, csvFolder);
    rad::SaveCsvSettings(ini, csv);
    rad::SaveIntegSettings(ini, integ);
    rad::SaveGraphSettings(ini, graph);
    ini.SetInt("GRAPH", "CATSIZE", catSize);
    rad::SaveDisplayMode(ini, dispMode);
    SaveLineColors(ini, lineColors);
    SaveRecentFiles(ini, recentFiles);
    return true;
}

void RadviewSettings::AddRecentFile(const std::string& path) {
    std::erase(recentFiles, path);
    recentFiles.insert(recentFiles.begin(), path);
    if (recentFiles.size() > static_cast<std::size_t>(kMaxRecentFiles)) {
        recentFiles.resize(static_cast<std::size_t>(kMaxRecentFiles));
    }
}
