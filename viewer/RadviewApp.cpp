#include "RadviewApp.h"

namespace {
constexpr const char* kViewerSection = "RADVIEW";
constexpr const char* kExportFolderKey = "CSVFOLDER";
}  // namespace

CRadviewApp::CRadviewApp(const rad::ProfileLocation& location, ReportLanguage language)
    : m_location(location), m_language(language) {}

void CRadviewApp::LoadSettings() {
    // A missing profile is the first start: every key takes its default.
    m_ini.Load(m_location.profilePath);
    m_settings.LoadSettings(m_ini, m_location.programFolder);
    m_analysis.Load(m_ini);
    m_strExportFolder = m_ini.GetString(kViewerSection, kExportFolderKey, "");
}

bool CRadviewApp::SaveSettings() {
    m_settings.SaveSettings(m_ini);
    if (!m_strExportFolder.empty())
        m_ini.SetString(kViewerSection, kExportFolderKey, m_strExportFolder);
    return rad::SaveProfile(m_ini, m_location.profilePath);
}
