#include "RadlogMain.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "AnalysisSettings.h"
#include "ClockCheck.h"
#include "DemoRig.h"
#include "HeadlessRunner.h"
#include "IniFile.h"
#include "LocalTime.h"
#include "ProfileCheck.h"
#include "ProfileLocation.h"
#include "RadVersion.h"
#include "RadlogOptions.h"
#include "ServiceNotifier.h"
#include "StationCheck.h"
#ifdef RADLOG_WITH_MQTT
#include "TelemetrySetup.h"
#endif

namespace {

struct Profile {
    CIniFile ini;
    std::string path;
};

}  // namespace

int RadlogMain(int argc, char** argv, IRadlogWindow* window) {
    // Messages name the program that was started; --version keeps the product's spelling for
    // the window program, as in its About box.
    const char* program = window ? "radlog" : "radlog-station";
    const RadlogCommandLine line = ParseRadlogOptions(argc, argv, window != nullptr);
    const RadlogOptions& options = line.options;
    if (options.help) {
        std::fputs(RadlogHelp(program, window != nullptr).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", window ? "Radlog" : program, RAD_VERSION);
        return 0;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", program, line.error.c_str());
        return 2;
    }
    const bool headless = options.headless;
    if (headless || !window) {
        std::setlocale(LC_ALL, "");
    } else {
        window->Open();
    }
    std::setlocale(LC_NUMERIC, "C");

    rad::InitTimeZone();
    const rad::ProfileLocation location = rad::LocateProfile("radlog", options.profile);
    Profile profile{{}, location.profilePath};
    const bool profileRead = profile.ini.Load(profile.path);
    const std::string unusable =
        rad::UnusableProfileText(profileRead, profileRead ? 0 : errno, profile.ini);
    RadlogSettings settings;
    settings.LoadSettings(profile.ini, location.programFolder);
    for (const std::string& refused : RefusedRadlogNumbers(profile.ini))
        std::fprintf(stderr, "%s: profile %s: %s is out of range: its default is used\n", program,
                     profile.path.c_str(), refused.c_str());
    AnalysisSettings analysis;
    analysis.Load(profile.ini);
    std::function<void()> save = [&] {
        settings.SaveSettings(profile.ini);
        rad::SaveProfile(profile.ini, profile.path);
    };
    const auto warn = [program](const std::string& text) {
        std::fprintf(stderr, "%s: %s\n", program, text.c_str());
    };

    if (!unusable.empty()) {
        // Its ports, folders and site would be lost under the defaults: it is never written.
        warn("profile " + profile.path + " " + unusable + "; it is left as it is");
        if (headless) return 1;
        save = [] {};
    }

#ifdef RADLOG_WITH_MQTT
    // A station that could publish nothing is refused before it measures (--check reports it).
    if (const std::string error = TelemetryProfileError(profile.ini);
        !error.empty() && !(headless && options.check)) {
        warn(error);
        return 2;
    }
#endif
    CDemoRig demo;
    std::string banner;
    if (options.demo) {
        const auto sky = rad::ParseSkyKind(options.sky.value_or("clear"));
        const rad::SkyScene scene =
            CDemoRig::PlaceSky(settings, *sky, options.profile.has_value(), rad::Now());
        if (!demo.Start(scene)) {
            warn(demo.Error());
            return 1;
        }
        demo.Apply(settings, std::stoi(options.intervalSeconds.value_or("0")));
        banner = demo.Describe();
        save = nullptr;  // the profile on disk stays as it is
    }

    CSystemClock clock;
    std::unique_ptr<IStationObserver> telemetry;
    if (headless && options.check) {
        std::vector<CheckFinding> findings = CheckStation(profile.path, profileRead, settings);
#ifdef RADLOG_WITH_MQTT
        for (CheckFinding& finding :
             CheckTelemetry(profile.ini, options.passwordFile, settings, warn))
            findings.push_back(std::move(finding));
#endif
        return ReportFindings(findings);
    }
#ifdef RADLOG_WITH_MQTT
    if (headless && options.removeDiscovery)
        return RemoveDiscovery(profile.ini, options.passwordFile, settings, warn);
#endif
    if (!headless) {
        // The demo window measures at once, so a first run shows live spectra.
        if (options.demo) settings.autoStart = true;
        if (!banner.empty()) std::puts(banner.c_str());
#ifdef RADLOG_WITH_MQTT
        telemetry =
            StartTelemetry(profile.ini, profile.path, options.passwordFile, settings, warn, warn);
#endif
        return window->Run(
            settings, save ? save : [] {}, clock, telemetry.get(), analysis.DayStartHour());
    }
    CHeadlessRunner::Options runnerOptions{options.manual, banner, location.programFolder};
    runnerOptions.dayStartHour = analysis.DayStartHour();
    runnerOptions.clockFloor = rad::BuildTime();
    CHeadlessRunner runner(settings, clock, runnerOptions, save);
#ifdef RADLOG_WITH_MQTT
    telemetry = StartTelemetry(
        profile.ini, profile.path, options.passwordFile, settings,
        [&runner](const std::string& text) { runner.PrintLater(text); }, warn);
#endif
    CServiceNotifier service = CServiceNotifier::ForSystemd(telemetry.get());
    runner.SetObserver(&service);
    const int code = runner.Run();
    telemetry.reset();  // says "offline" while the runner can still print
    return code;
}
