#pragma once

#include <optional>
#include <string>
#include <utility>

#include "AnalysisSettings.h"
#include "IniFile.h"
#include "Language.h"
#include "ProfileLocation.h"
#include "RadviewSettings.h"

// Program-wide state: the settings, loaded once at start and written as a whole.
class CRadviewApp {
  public:
    explicit CRadviewApp(const rad::ProfileLocation& location,
                         ReportLanguage language = ReportLanguage::English);

    RadviewSettings& Settings() { return m_settings; }
    const RadviewSettings& Settings() const { return m_settings; }
    const rad::ProfileLocation& Location() const { return m_location; }
    // [ANALYSIS]: read with the settings; the profile keeps it as written.
    const AnalysisSettings& Analysis() const { return m_analysis; }
    ReportLanguage Language() const { return m_language; }
    // [RADVIEW] CSVFOLDER: the folder of the last CSV export, where the next one starts; the
    // key is written only once there was one.
    const std::string& ExportFolder() const { return m_strExportFolder; }
    void SetExportFolder(std::string folder) { m_strExportFolder = std::move(folder); }

    void LoadSettings();
    // Every key, keeping the lines of the profile the program does not know.
    bool SaveSettings();

  private:
    rad::ProfileLocation m_location;
    ReportLanguage m_language;
    CIniFile m_ini;
    RadviewSettings m_settings;
    AnalysisSettings m_analysis;
    std::string m_strExportFolder;
};
