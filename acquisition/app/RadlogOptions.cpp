#include "RadlogOptions.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "SimulatedSky.h"

namespace {

// One row per option: its name, the value it takes (null: a flag), what --help says, the flag
// it sets (values go through SetValue) and the programs that show it.
struct OptionRow {
    const char* name;
    const char* valueName;
    const char* help;
    bool RadlogOptions::*flag;
    enum Scope { Both, WindowOnly, HeadlessOnly } scope;
};

using Options = RadlogOptions;
constexpr OptionRow kRows[] = {
    {"headless", nullptr, "Run without a window (field stations).", &Options::headless,
     OptionRow::WindowOnly},
    {"profile", "INI", "Use this profile file.", nullptr, OptionRow::Both},
    {"interval", nullptr, "Interval measurement (the default).", &Options::interval,
     OptionRow::Both},
    {"manual", nullptr, "One manual cycle, then exit.", &Options::manual, OptionRow::Both},
    {"demo", nullptr, "Measure simulated sensors into a demo folder.", &Options::demo,
     OptionRow::Both},
    {"interval-seconds", "N", "Demo only: measure every N seconds.", nullptr, OptionRow::Both},
    {"mqtt-password-file", "FILE", "Read the MQTT broker password from this file.", nullptr,
     OptionRow::Both},
    {"check", nullptr, "try the profile, ports and broker without measuring.", &Options::check,
     OptionRow::HeadlessOnly},
    {"remove-discovery", nullptr, "remove this station from Home Assistant.",
     &Options::removeDiscovery, OptionRow::HeadlessOnly},
    {"sky", "KIND", "Demo only: the simulated sky, clear, cloudy, noon or lamp (default clear).",
     nullptr, OptionRow::Both},
};

void SetValue(Options& options, std::string_view name, std::string value) {
    if (name == "profile") options.profile = std::move(value);
    if (name == "interval-seconds") options.intervalSeconds = std::move(value);
    if (name == "mqtt-password-file") options.passwordFile = std::move(value);
    if (name == "sky") options.sky = std::move(value);
}

// The rules between options, checked once every option is read.
std::string Conflicts(const Options& options) {
    if (options.interval && options.manual) return "--interval and --manual exclude each other";
    if (options.intervalSeconds && !options.demo) return "--interval-seconds is for --demo only";
    if (options.intervalSeconds &&
        (options.intervalSeconds->empty() || options.intervalSeconds->size() > 5 ||
         options.intervalSeconds->find_first_not_of("0123456789") != std::string::npos))
        return "--interval-seconds takes a whole number of seconds";
    if (options.sky && (!options.demo || !rad::ParseSkyKind(*options.sky)))
        return std::string("--sky takes ") + rad::kSkyChoices + ", for --demo only";
    return {};
}

}  // namespace

RadlogCommandLine ParseRadlogOptions(int argc, const char* const* argv, bool windowProgram) {
    RadlogCommandLine line;
    Options& options = line.options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help" || arg == "-?") {
            options.help = true;
            return line;
        }
        if (arg == "-v" || arg == "--version") {
            options.version = true;
            return line;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name =
            arg.starts_with("--") ? arg.substr(2, equals == arg.npos ? arg.npos : equals - 2) : "";
        const OptionRow* row = nullptr;
        for (const OptionRow& candidate : kRows)
            if (name == candidate.name) row = &candidate;
        if (!row) {
            line.error = "unknown option '" + std::string(arg) + "'";
            return line;
        }
        if (!row->valueName) {
            if (equals != arg.npos) {
                line.error = "--" + std::string(name) + " takes no value";
                return line;
            }
            options.*(row->flag) = true;
            continue;
        }
        if (equals != arg.npos) {
            SetValue(options, name, std::string(arg.substr(equals + 1)));
        } else if (i + 1 < argc) {
            SetValue(options, name, argv[++i]);
        } else {
            line.error = "missing value after '" + std::string(arg) + "'";
            return line;
        }
    }
    if (!windowProgram) options.headless = true;
    line.error = Conflicts(options);
    return line;
}

std::string RadlogHelp(const char* program, bool windowProgram) {
    std::string text =
        std::string("Usage: ") + program + " [options]\n" +
        (windowProgram ? "Radlog: spectroradiometer acquisition\n"
                       : "Radlog on a field station: acquisition without a window\n") +
        "\nOptions:\n  -h, --help                   Displays help on commandline "
        "options.\n  -v, --version                Displays version information.\n";
    for (const OptionRow& row : kRows) {
        if (row.scope == OptionRow::WindowOnly && !windowProgram) continue;
        std::string left = std::string("--") + row.name;
        if (row.valueName) left += std::string(" <") + row.valueName + ">";
        left.resize(std::max<std::size_t>(left.size() + 1, 29), ' ');
        std::string help = row.help;
        // The station has no other mode to tell these options from.
        if (row.scope == OptionRow::HeadlessOnly && windowProgram)
            help = "Headless only: " + help;
        else
            help[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(help[0])));
        text += "  " + left + help + "\n";
    }
    return text;
}
