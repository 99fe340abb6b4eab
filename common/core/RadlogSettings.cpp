#include "RadlogSettings.h"

#include "SensorModel.h"
#include "SettingsBlocksIo.h"

namespace {

constexpr int kDefaultInterval = 600;
// COM port numbers as the other platform has them; 0 is none.
constexpr int kLastComPort = 256;

// Spans are stored as 32-bit integers; reading widens them with a zero high half.
int64_t LoadSpan(const CIniFile& ini, const char* key, int defaultValue) {
    return static_cast<int64_t>(static_cast<uint32_t>(ini.GetInt("INT", key, defaultValue)));
}

bool IsComPort(int port) { return port >= 0 && port <= kLastComPort; }

void SaveSpan(CIniFile& ini, const char* key, int64_t span) {
    ini.SetInt("INT", key, static_cast<int>(static_cast<uint32_t>(span)));
}

}  // namespace

bool RadlogSettings::LoadSettings(const CIniFile& ini, const std::string& folder) {
    programFolder = folder;
    for (int m = 0; m < kModelCount; ++m) {
        const int port = ini.GetInt("COM", kModels[static_cast<std::size_t>(m)].key, 0);
        // A number no port has is refused: the model then has none.
        comPort[static_cast<std::size_t>(m)] = IsComPort(port) ? port : 0;
    }
    // Any value but 0 was always taken as manual.
    measType = ini.GetInt("INT", "MEAS_TYPE", 1) == 0 ? MeasType::Interval : MeasType::Manual;
    start = LoadSpan(ini, "START", 21600);
    end = LoadSpan(ini, "END", 72000);
    // A hand-edited interval of 0 or below would break the slot arithmetic of the timer.
    const int storedInterval = ini.GetInt("INT", "INT", kDefaultInterval);
    interval = storedInterval > 0 ? storedInterval : kDefaultInterval;
    autoStart = rad::LoadBool(ini, "INT", "AUTO", false);
    rad::LoadFolders(ini, programFolder, rsdFolder, csvFolder);
    rad::LoadModelBools(ini, "USE", use, false);
    saveCsv = rad::LoadBool(ini, "SAVE", "CSV", true);
    rad::LoadCsvSettings(ini, csv);
    siteName = ini.GetString("SITE", "NAME", "");
    siteLon = ini.GetString("SITE", "LON", "000.000");
    siteLat = ini.GetString("SITE", "LAT", "00.000");
    siteAlt = ini.GetString("SITE", "ALT", "00.0");
    memo = ini.GetString("MEAS", "MEMO", "ARVEN SOLIS");
    rad::LoadIntegSettings(ini, integ);
    rad::LoadGraphSettings(ini, graph);
    dispMode = rad::LoadDisplayMode(ini);
    ports = rad::LoadPortMap(ini);
    sun = LoadSunSettings(ini);
    return true;
}

bool RadlogSettings::SaveSettings(CIniFile& ini) const {
    for (int m = 0; m < kModelCount; ++m) {
        ini.SetInt("COM", kModels[static_cast<std::size_t>(m)].key,
                   comPort[static_cast<std::size_t>(m)]);
    }
    ini.SetInt("INT", "MEAS_TYPE", static_cast<int>(measType));
    SaveSpan(ini, "START", start);
    SaveSpan(ini, "END", end);
    SaveSpan(ini, "INT", interval);
    rad::SaveBool(ini, "INT", "AUTO", autoStart);
    rad::SaveFolders(ini, rsdFolder, csvFolder);
    rad::SaveModelBools(ini, "USE", use);
    rad::SaveBool(ini, "SAVE", "CSV", saveCsv);
    rad::SaveCsvSettings(ini, csv);
    ini.SetString("SITE", "NAME", siteName);
    ini.SetString("SITE", "LON", siteLon);
    ini.SetString("SITE", "LAT", siteLat);
    ini.SetString("SITE", "ALT", siteAlt);
    ini.SetString("MEAS", "MEMO", memo);
    rad::SaveIntegSettings(ini, integ);
    rad::SaveGraphSettings(ini, graph);
    rad::SaveDisplayMode(ini, dispMode);
    rad::SavePortMap(ini, ports);
    return true;
}

std::vector<std::string> RefusedRadlogNumbers(const CIniFile& ini) {
    std::vector<std::string> refused;
    const auto check = [&](const char* section, const char* key, bool comPort) {
        const std::string text = ini.GetString(section, key, "");
        if (text.empty()) return;
        const auto value = rad::ParseProfileIntChecked(text);
        if (value && (!comPort || IsComPort(*value))) return;
        refused.push_back(std::string("[") + section + "] " + key + "=" + text);
    };
    for (const SensorModelInfo& model : kModels) check("COM", model.key, true);
    for (const char* key : {"MEAS_TYPE", "START", "END", "INT"}) check("INT", key, false);
    return refused;
}
