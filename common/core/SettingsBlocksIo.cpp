#include "SettingsBlocksIo.h"

#include <cstdio>

#include "SensorBlocks.h"
#include "SensorModel.h"

namespace rad {
namespace {

double LoadReal(const CIniFile& ini, const char* key, const char* defaultText) {
    return LeadingNumber(ini.GetString("GRAPH", key, defaultText).c_str());
}

void SaveReal(CIniFile& ini, const char* key, const char* format, double value) {
    char text[512];
    std::snprintf(text, sizeof text, format, value);
    ini.SetString("GRAPH", key, text);
}

}  // namespace

bool LoadBool(const CIniFile& ini, const char* section, const char* key, bool defaultValue) {
    return ini.GetInt(section, key, defaultValue ? 1 : 0) != 0;
}

void SaveBool(CIniFile& ini, const char* section, const char* key, bool value) {
    ini.SetInt(section, key, value ? 1 : 0);
}

void LoadModelBools(const CIniFile& ini, const char* section, std::array<bool, kModelCount>& values,
                    bool defaultValue) {
    for (int m = 0; m < kModelCount; ++m) {
        values[static_cast<std::size_t>(m)] =
            LoadBool(ini, section, kModels[static_cast<std::size_t>(m)].key, defaultValue);
    }
}

void SaveModelBools(CIniFile& ini, const char* section,
                    const std::array<bool, kModelCount>& values) {
    for (int m = 0; m < kModelCount; ++m) {
        SaveBool(ini, section, kModels[static_cast<std::size_t>(m)].key,
                 values[static_cast<std::size_t>(m)]);
    }
}

void LoadFolders(const CIniFile& ini, const std::string& programFolder, std::string& rsd,
                 std::string& csv) {
    rsd = ini.GetString("DIR", "RSD", programFolder);
    csv = ini.GetString("DIR", "CSV", programFolder);
}

void SaveFolders(CIniFile& ini, const std::string& rsd, const std::string& csv) {
    ini.SetString("DIR", "RSD", rsd);
    ini.SetString("DIR", "CSV", csv);
}

void LoadCsvSettings(const CIniFile& ini, CsvSettings& csv) {
    const CsvSettings defaults;
    csv.left = ini.GetInt("SAVE", "LEFT", defaults.left);
    csv.right = ini.GetInt("SAVE", "RIGHT", defaults.right);
    csv.pitch = ini.GetInt("SAVE", "PITCH", defaults.pitch);
    LoadModelBools(ini, "SAVE", csv.models, true);
    csv.merge = LoadBool(ini, "SAVE", "MERGE", defaults.merge);
}

void SaveCsvSettings(CIniFile& ini, const CsvSettings& csv) {
    ini.SetInt("SAVE", "LEFT", csv.left);
    ini.SetInt("SAVE", "RIGHT", csv.right);
    ini.SetInt("SAVE", "PITCH", csv.pitch);
    SaveModelBools(ini, "SAVE", csv.models);
    SaveBool(ini, "SAVE", "MERGE", csv.merge);
}

void LoadIntegSettings(const CIniFile& ini, IntegSettings& integ) {
    const IntegSettings defaults;
    integ.left = ini.GetInt("INTEG", "LEFT", defaults.left);
    integ.right = ini.GetInt("INTEG", "RIGHT", defaults.right);
}

void SaveIntegSettings(CIniFile& ini, const IntegSettings& integ) {
    ini.SetInt("INTEG", "LEFT", integ.left);
    ini.SetInt("INTEG", "RIGHT", integ.right);
}

void LoadGraphSettings(const CIniFile& ini, GraphSettings& graph) {
    const GraphSettings defaults;
    graph.left = LoadReal(ini, "LEFT", "300");
    graph.right = LoadReal(ini, "RIGHT", "1800");
    graph.top = LoadReal(ini, "TOP", "100.0");
    graph.bottom = LoadReal(ini, "BOTTOM", "0.0");
    graph.autoScale = LoadBool(ini, "GRAPH", "ASCALE", defaults.autoScale);
    graph.grid = LoadBool(ini, "GRAPH", "GRID", defaults.grid);
    graph.color0 = ini.GetInt("GRAPH", "COLOR0", defaults.color0);
    graph.color1 = ini.GetInt("GRAPH", "COLOR1", defaults.color1);
}

void SaveGraphSettings(CIniFile& ini, const GraphSettings& graph) {
    SaveReal(ini, "LEFT", "%.1f", graph.left);
    SaveReal(ini, "RIGHT", "%.1f", graph.right);
    SaveReal(ini, "TOP", "%f", graph.top);
    SaveReal(ini, "BOTTOM", "%f", graph.bottom);
    SaveBool(ini, "GRAPH", "ASCALE", graph.autoScale);
    SaveBool(ini, "GRAPH", "GRID", graph.grid);
    ini.SetInt("GRAPH", "COLOR0", graph.color0);
    ini.SetInt("GRAPH", "COLOR1", graph.color1);
}

int LoadDisplayMode(const CIniFile& ini) { return ini.GetInt("MODE", "DISP", 1); }

void SaveDisplayMode(CIniFile& ini, int disp) { ini.SetInt("MODE", "DISP", disp); }

}  // namespace rad
