// Any bytes as a profile: no crash, leak or undefined behaviour in the reader or in the settings
// read from it, and the text written back reads as the same profile.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "AnalysisSettings.h"
#include "IniFile.h"
#include "RadlogSettings.h"
#include "RadviewSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CIniFile ini;
    ini.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
    RadlogSettings radlog;
    radlog.LoadSettings(ini, "/fuzz/");
    RadviewSettings radview;
    radview.LoadSettings(ini, "/fuzz/");
    AnalysisSettings analysis;
    analysis.Load(ini);

    // Written back, the profile is a fixed point: reading it again changes nothing.
    const std::string text = ini.GetText();
    CIniFile again;
    again.SetText(text);
    if (again.GetText() != text) std::abort();
    // The settings' own writing keeps every line it does not set.
    radlog.SaveSettings(again);
    analysis.Save(again);
    CIniFile saved;
    saved.SetText(again.GetText());
    RadlogSettings back;
    back.LoadSettings(saved, "/fuzz/");
    return 0;
}
