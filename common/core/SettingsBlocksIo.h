#pragma once

#include <array>
#include <string>

#include "IniFile.h"
#include "SettingsBlocks.h"

// Profile keys that Radlog and Radview share, read and written in the order both profiles
// keep them. The caller writes any key that precedes a block in its own section first.
namespace rad {

// A bool key: non-zero integer read is true; written 1 or 0.
bool LoadBool(const CIniFile& ini, const char* section, const char* key, bool defaultValue);
void SaveBool(CIniFile& ini, const char* section, const char* key, bool value);

// Four per-model keys QS100 .. QS400 of one section.
void LoadModelBools(const CIniFile& ini, const char* section, std::array<bool, kModelCount>& values,
                    bool defaultValue);
void SaveModelBools(CIniFile& ini, const char* section,
                    const std::array<bool, kModelCount>& values);

// [DIR] RSD and CSV, both defaulting to the program folder.
void LoadFolders(const CIniFile& ini, const std::string& programFolder, std::string& rsd,
                 std::string& csv);
void SaveFolders(CIniFile& ini, const std::string& rsd, const std::string& csv);

// [SAVE] LEFT, RIGHT, PITCH, QS100 .. QS400, MERGE.
void LoadCsvSettings(const CIniFile& ini, CsvSettings& csv);
void SaveCsvSettings(CIniFile& ini, const CsvSettings& csv);

// [INTEG] LEFT, RIGHT.
void LoadIntegSettings(const CIniFile& ini, IntegSettings& integ);
void SaveIntegSettings(CIniFile& ini, const IntegSettings& integ);

// [GRAPH] LEFT, RIGHT, TOP, BOTTOM (text read with atof, written "%.1f" and "%f"), ASCALE,
// GRID, COLOR0, COLOR1.
void LoadGraphSettings(const CIniFile& ini, GraphSettings& graph);
void SaveGraphSettings(CIniFile& ini, const GraphSettings& graph);

// [MODE] DISP.
int LoadDisplayMode(const CIniFile& ini);
void SaveDisplayMode(CIniFile& ini, int disp);

}  // namespace rad
