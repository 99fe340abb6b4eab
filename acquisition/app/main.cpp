// radlog: the acquisition program. Without --headless it opens its window.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "AnalysisSettings.h"
#include "ClockCheck.h"
#include "DemoRig.h"
#include "DesktopMain.h"
#include "HeadlessRunner.h"
#include "IniFile.h"
#include "LocalTime.h"
#include "ProfileCheck.h"
#include "ProfileLocation.h"
#include "RadVersion.h"
#include "RadlogSettings.h"
#include "StationCheck.h"
#ifdef RADLOG_WITH_MQTT
#include "TelemetrySetup.h"
#endif

namespace {

bool WantsHeadless(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--headless") == 0) return true;
    return false;
}

struct Profile {
    CIniFile ini;
    std::string path;
};

}  // namespace

int main(int argc, char** argv) {
    // The command line is read on a plain QCoreApplication, so --help, --version and the headless
    // mode run without a display; only the window needs a QApplication.
    const bool headless = WantsHeadless(argc, argv);
    std::unique_ptr<QCoreApplication> app = std::make_unique<QCoreApplication>(argc, argv);
    // The product's spelling, as in the About box and beside "Radview".
    QCoreApplication::setApplicationName("Radlog");
    QCoreApplication::setApplicationVersion(RAD_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("Radlog: spectroradiometer acquisition");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption headlessOption("headless", "Run without a window (field stations).");
    const QCommandLineOption profileOption("profile", "Use this profile file.", "INI");
    const QCommandLineOption intervalOption("interval", "Interval measurement (the default).");
    const QCommandLineOption manualOption("manual", "One manual cycle, then exit.");
    const QCommandLineOption demoOption("demo", "Measure simulated sensors into a demo folder.");
    const QCommandLineOption secondsOption("interval-seconds",
                                           "Demo only: measure every N seconds.", "N");
    const QCommandLineOption skyOption(
        "sky", "Demo only: the simulated sky, clear, cloudy, noon or lamp (default clear).", "KIND",
        "clear");
    const QCommandLineOption passwordFileOption(
        "mqtt-password-file", "Read the MQTT broker password from this file.", "FILE");
    const QCommandLineOption checkOption(
        "check", "Headless only: try the profile, ports and broker without measuring.");
    const QCommandLineOption removeDiscoveryOption(
        "remove-discovery", "Headless only: remove this station from Home Assistant.");
    parser.addOptions({headlessOption, profileOption, intervalOption, manualOption, demoOption,
                       secondsOption, passwordFileOption, checkOption, removeDiscoveryOption,
                       skyOption});
    parser.process(*app);
    if (parser.isSet(intervalOption) && parser.isSet(manualOption)) {
        std::fputs("radlog: --interval and --manual exclude each other\n", stderr);
        return 2;
    }
    if (parser.isSet(secondsOption) && !parser.isSet(demoOption)) {
        std::fputs("radlog: --interval-seconds is for --demo only\n", stderr);
        return 2;
    }
    const auto sky = rad::ParseSkyKind(parser.value(skyOption).toStdString());
    if (parser.isSet(skyOption) && (!parser.isSet(demoOption) || !sky)) {
        std::fprintf(stderr, "radlog: --sky takes %s, for --demo only\n", rad::kSkyChoices);
        return 2;
    }
    if (!headless) {
        app.reset();
        app = std::make_unique<QApplication>(argc, argv);
    }
    std::setlocale(LC_NUMERIC, "C");

    rad::InitTimeZone();
    std::optional<std::string> profileOverride;
    if (parser.isSet(profileOption)) profileOverride = parser.value(profileOption).toStdString();
    const rad::ProfileLocation location = rad::LocateProfile("radlog", profileOverride);
    Profile profile{{}, location.profilePath};
    const bool profileRead = profile.ini.Load(profile.path);
    const std::string unusable =
        rad::UnusableProfileText(profileRead, profileRead ? 0 : errno, profile.ini);
    RadlogSettings settings;
    settings.LoadSettings(profile.ini, location.programFolder);
    for (const std::string& refused : RefusedRadlogNumbers(profile.ini))
        std::fprintf(stderr, "radlog: profile %s: %s is out of range: its default is used\n",
                     profile.path.c_str(), refused.c_str());
    AnalysisSettings analysis;
    analysis.Load(profile.ini);
    std::function<void()> save = [&] {
        settings.SaveSettings(profile.ini);
        rad::SaveProfile(profile.ini, profile.path);
    };

    if (!unusable.empty()) {
        // Its ports, folders and site would be lost under the defaults: it is never written.
        std::fprintf(stderr, "radlog: profile %s %s; it is left as it is\n", profile.path.c_str(),
                     unusable.c_str());
        if (headless) return 1;
        save = [] {};
    }

#ifdef RADLOG_WITH_MQTT
    // A station that could publish nothing is refused before it measures (--check reports it).
    if (const std::string error = TelemetryProfileError(profile.ini);
        !error.empty() && !(headless && parser.isSet(checkOption))) {
        std::fprintf(stderr, "radlog: %s\n", error.c_str());
        return 2;
    }
#endif
    CDemoRig demo;
    std::string banner;
    if (parser.isSet(demoOption)) {
        const rad::SkyScene scene =
            CDemoRig::PlaceSky(settings, *sky, parser.isSet(profileOption), rad::Now());
        if (!demo.Start(scene)) {
            std::fprintf(stderr, "radlog: %s\n", demo.Error().c_str());
            return 1;
        }
        demo.Apply(settings, parser.value(secondsOption).toInt());
        banner = demo.Describe();
        save = nullptr;  // the profile on disk stays as it is
    }

    CSystemClock clock;
    std::unique_ptr<IStationObserver> telemetry;
    const auto warn = [](const std::string& text) {
        std::fprintf(stderr, "radlog: %s\n", text.c_str());
    };
    const std::string passwordFile = parser.value(passwordFileOption).toStdString();
    if (headless && parser.isSet(checkOption)) {
        std::vector<CheckFinding> findings = CheckStation(profile.path, profileRead, settings);
#ifdef RADLOG_WITH_MQTT
        for (CheckFinding& finding : CheckTelemetry(profile.ini, passwordFile, settings, warn))
            findings.push_back(std::move(finding));
#endif
        return ReportFindings(findings);
    }
#ifdef RADLOG_WITH_MQTT
    if (headless && parser.isSet(removeDiscoveryOption))
        return RemoveDiscovery(profile.ini, passwordFile, settings, warn);
#endif
    if (!headless) {
        // The demo window measures at once, so a first run shows live spectra.
        if (parser.isSet(demoOption)) settings.autoStart = true;
        if (!banner.empty()) std::puts(banner.c_str());
#ifdef RADLOG_WITH_MQTT
        telemetry = StartTelemetry(profile.ini, profile.path, passwordFile, settings, warn, warn);
#endif
        return RunDesktop(
            settings, save ? save : [] {}, clock, telemetry.get(), analysis.DayStartHour());
    }
    CHeadlessRunner::Options options{parser.isSet(manualOption), banner, location.programFolder};
    options.dayStartHour = analysis.DayStartHour();
    options.clockFloor = rad::BuildTime();
    CHeadlessRunner runner(settings, clock, options, save);
#ifdef RADLOG_WITH_MQTT
    telemetry = StartTelemetry(
        profile.ini, profile.path, passwordFile, settings,
        [&runner](const std::string& line) { runner.PrintLater(line); }, warn);
    runner.SetObserver(telemetry.get());
#endif
    const int code = runner.Run();
    telemetry.reset();  // says "offline" while the runner can still print
    return code;
}
