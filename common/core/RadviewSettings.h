#pragma once

#include <string>
#include <vector>

#include "IniFile.h"
#include "SettingsBlocks.h"

// Every setting of Radview's profile, in the order the profile holds them.
struct RadviewSettings {
    static constexpr int kMaxLineColors = 100;
    static constexpr int kMaxRecentFiles = 4;

    // [DIR]: RSD is kept for the other program; CSV is the path of the last spectral export.
    std::string rsdFolder;
    std::string csvFolder;
    CsvSettings csv;      // [SAVE]
    IntegSettings integ;  // [INTEG]
    GraphSettings graph;  // [GRAPH] without CATSIZE
    int catSize = 1;      // [GRAPH] CATSIZE, tile size index 0..3
    int dispMode = 1;     // [MODE] DISP, 0 = draw measured pixel values
    // [COLOR_TABLE] LINE_COLOR001 ..: COLORREF values (red + green*256 + blue*65536).
    std::vector<int> lineColors;
    // [RECENT] FILE1 .. FILE4, newest first.
    std::vector<std::string> recentFiles;

    // Not stored: the folder of the [DIR] defaults.
    std::string programFolder;

    // Reads every key with its default; always true.
    bool LoadSettings(const CIniFile& ini, const std::string& programFolder);
    // Writes every key in table order; always true.
    bool SaveSettings(CIniFile& ini) const;
    // Puts path at the head of the recent files, dropping a repeat and the oldest beyond four.
    void AddRecentFile(const std::string& path);
};
