#include "RadviewApp.h"

CRadviewApp::CRadviewApp(const rad::ProfileLocation& location, ReportLanguage language)
    : m_location(location), m_language(language) {}

void CRadviewApp::LoadSettings() {
    // A missing profile is the first start: every key takes its default.
    m_ini.Load(m_location.profilePath);
    m_settings.LoadSettings(m_ini, m_location.programFolder);
    m_analysis.Load(m_ini);
}

bool CRadviewApp::SaveSettings() {
    m_settings.SaveSettings(m_ini);
    return rad::SaveProfile(m_ini, m_location.profilePath);
}
