// qs-sim: simulated sensors on pseudo-terminals for trying the programs without hardware.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "LocalTime.h"
#include "ModelNames.h"
#include "QsSim.h"
#include "VersionOption.h"

namespace {

std::atomic<bool> g_stop{false};

extern "C" void OnSignal(int) { g_stop = true; }

void Usage() {
    std::fprintf(
        stderr,
        "usage: qs-sim [--pace] [--fast-exposure] [--seconds S] [--transcript FILE] [--seed N]\n"
        "              [--silent MODEL] [--ng MODEL:COMMAND] [--late MODEL:COMMAND:MS]\n"
        "              [--unplug MODEL:AFTER:MS] [--sky KIND] [--site LAT,LON[,ALT]] [MODEL...]\n"
        "MODEL is QS-100, QS-200, QS-300 or QS-400 (default: all four).\n"
        "--late: the replies to COMMAND (e.g. GM) come MS milliseconds late.\n"
        "--unplug: the device vanishes after AFTER commands (0: at once) and comes back at\n"
        "          the same path MS milliseconds later, once.\n"
        "--sky clear|cloudy|noon|lamp: the light the sensors see (default: clear);\n"
        "--site LAT,LON[,ALT]: where the sky is (default: the demo site of this clock).\n");
}

struct Late {
    int model = -1;
    std::string command;
    int ms = 0;
};

struct Unplug {
    int model = -1;
    int after = 0;
    int ms = 0;
};

struct Args {
    QsSimOptions options;
    std::vector<int> models;
    std::vector<int> silent;
    std::vector<std::pair<int, std::string>> ng;
    std::vector<Late> late;
    std::vector<Unplug> unplug;
    double seconds = 0;
    rad::SkyScene sky{rad::SkyKind::Clear, rad::MachineDemoSite(rad::Now())};
};

// "LAT,LON" or "LAT,LON,ALT".
std::optional<rad::SiteLocation> ParseSiteOption(const std::string& text) {
    const std::size_t a = text.find(',');
    if (a == std::string::npos) return std::nullopt;
    const std::size_t b = text.find(',', a + 1);
    const std::string alt = b == std::string::npos ? "" : text.substr(b + 1);
    return rad::ParseSite(text.substr(0, a), text.substr(a + 1, b - a - 1), alt);
}

// The fields of "A:B:C"; empty when there are not exactly count.
std::vector<std::string> Fields(const std::string& text, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t colon; (colon = text.find(':', from)) != std::string::npos; from = colon + 1)
        fields.push_back(text.substr(from, colon - from));
    fields.push_back(text.substr(from));
    if (fields.size() != count) fields.clear();
    return fields;
}

// A whole number of 0 .. 10^7 (milliseconds, commands); -1 for anything else.
int Count(const std::string& text) {
    if (text.empty() || text.size() > 8 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int value = std::stoi(text);
    return value <= 10000000 ? value : -1;
}

bool ParseLate(const std::string& text, Args& a) {
    const auto f = Fields(text, 3);
    if (f.empty()) return false;
    const Late late{ModelOfName(f[0].c_str()), f[1], Count(f[2])};
    if (late.model < 0 || late.command.empty() || late.ms <= 0) return false;
    a.late.push_back(late);
    return true;
}

bool ParseUnplug(const std::string& text, Args& a) {
    const auto f = Fields(text, 3);
    if (f.empty()) return false;
    const Unplug unplug{ModelOfName(f[0].c_str()), Count(f[1]), Count(f[2])};
    if (unplug.model < 0 || unplug.after < 0 || unplug.ms <= 0) return false;
    a.unplug.push_back(unplug);
    return true;
}

bool Parse(int argc, char** argv, Args& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--pace")
            a.options.pacing = true;
        else if (arg == "--fast-exposure")
            a.options.exposureScale = 0.01;
        else if (arg == "--seconds" && hasValue)
            a.seconds = std::strtod(argv[++i], nullptr);
        else if (arg == "--transcript" && hasValue)
            a.options.transcriptPath = argv[++i];
        else if (arg == "--seed" && hasValue)
            a.options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--sky" && hasValue) {
            const auto kind = rad::ParseSkyKind(argv[++i]);
            if (!kind) return false;
            a.sky.kind = *kind;
        } else if (arg == "--site" && hasValue) {
            const auto site = ParseSiteOption(argv[++i]);
            if (!site) return false;
            a.sky.site = *site;
        } else if (arg == "--silent" && hasValue)
            a.silent.push_back(ModelOfName(argv[++i]));
        else if (arg == "--ng" && hasValue) {
            const std::string v = argv[++i];
            const std::size_t colon = v.find(':');
            if (colon == std::string::npos) return false;
            a.ng.emplace_back(ModelOfName(v.substr(0, colon).c_str()), v.substr(colon + 1));
        } else if (arg == "--late" && hasValue) {
            if (!ParseLate(argv[++i], a)) return false;
        } else if (arg == "--unplug" && hasValue) {
            if (!ParseUnplug(argv[++i], a)) return false;
        } else if (ModelOfName(arg.c_str()) >= 0)
            a.models.push_back(ModelOfName(arg.c_str()));
        else
            return false;
    }
    if (a.models.empty())
        for (const SensorModelInfo& info : kModels) a.models.push_back(info.model);
    return true;
}

void ApplyFaults(CQsSim& sim, const Args& a) {
    for (int i = 0; i < sim.Count(); ++i) {
        QsSimFaults f;
        for (int m : a.silent) f.silent = f.silent || m == sim.Model(i);
        for (const auto& [m, command] : a.ng) {
            if (m == sim.Model(i)) f.ngCommand = command;
        }
        for (const Late& late : a.late) {
            if (late.model != sim.Model(i)) continue;
            f.lateCommand = late.command;
            f.lateMs = late.ms;
        }
        for (const Unplug& unplug : a.unplug) {
            if (unplug.model != sim.Model(i)) continue;
            if (unplug.after == 0) {
                f.unplugMs = unplug.ms;
            } else {
                f.dropAfter = unplug.after;
                f.dropMs = unplug.ms;
            }
        }
        sim.SetFaults(i, f);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (rad::PrintVersionIfAsked(argc, argv, "qs-sim")) return 0;
    Args args;
    if (!Parse(argc, argv, args)) {
        Usage();
        return 2;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    args.options.sky = WallClockSky(args.sky);
    CQsSim sim(args.options);
    const std::vector<std::string> paths = sim.Start(args.models);
    if (paths.empty()) {
        std::fprintf(stderr, "qs-sim: cannot create pseudo-terminals\n");
        return 1;
    }
    ApplyFaults(sim, args);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::printf("%s %s\n", kModels[static_cast<std::size_t>(args.models[i])].label,
                    paths[i].c_str());
    }
    std::fflush(stdout);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(args.seconds);
    while (!g_stop && (args.seconds <= 0 || std::chrono::steady_clock::now() < end)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    sim.Stop();
    return 0;
}
