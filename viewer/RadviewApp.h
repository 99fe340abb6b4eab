#pragma once

#include <optional>
#include <string>

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

    void LoadSettings();
    // Every key, keeping the lines of the profile the program does not know.
    bool SaveSettings();

  private:
    rad::ProfileLocation m_location;
    ReportLanguage m_language;
    CIniFile m_ini;
    RadviewSettings m_settings;
    AnalysisSettings m_analysis;
};
