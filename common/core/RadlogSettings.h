#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "IniFile.h"
#include "PortMapping.h"
#include "SettingsBlocks.h"
#include "SunSettings.h"

// The kind of acquisition last started; [INT] MEAS_TYPE holds it as 0 or 1.
enum class MeasType { Interval = 0, Manual = 1 };

// Every setting of Radlog's profile, in the order the profile holds them.
struct RadlogSettings {
    // [COM] QS100 .. QS400: COM port number per model, 0 = none.
    std::array<int, kModelCount> comPort{};
    // [INT]
    MeasType measType = MeasType::Manual;  // MEAS_TYPE
    int64_t start = 21600;                 // START, seconds after local midnight (06:00:00)
    int64_t end = 72000;                   // END (20:00:00)
    int64_t interval = 600;                // INT, seconds
    bool autoStart = false;                // AUTO
    // [DIR], folders ending in "/"
    std::string rsdFolder;
    std::string csvFolder;
    // [USE] QS100 .. QS400
    std::array<bool, kModelCount> use{};
    // [SAVE] CSV, then the CSV layout keys
    bool saveCsv = true;
    CsvSettings csv;
    // [SITE], header texts of new day files; nothing in the program edits them
    std::string siteName;
    std::string siteLon = "000.000";
    std::string siteLat = "00.000";
    std::string siteAlt = "00.0";
    // [MEAS] MEMO
    std::string memo = "ARVEN SOLIS";
    IntegSettings integ;
    GraphSettings graph;
    // [MODE] DISP: 0 = detailed status lines and raw pixel curve
    int dispMode = 1;
    // [PORTS], optional
    rad::PortMap ports;
    // [SUN], optional; read only
    SunSettings sun;

    // Not stored: the folder of the [DIR] defaults, and the UTC offset text ("%+d") of the
    // day file being written.
    std::string programFolder;
    std::string timeZoneText;

    // Reads every key with its default; always true.
    bool LoadSettings(const CIniFile& ini, const std::string& programFolder);
    // Writes every key in table order; always true.
    bool SaveSettings(CIniFile& ini) const;
};

// Numbers of ini that LoadSettings refuses and replaces by their defaults: beyond 32 bits
// (they would wrap round) or a COM port no port has; each as "[COM] QS100=99999999999".
std::vector<std::string> RefusedRadlogNumbers(const CIniFile& ini);
