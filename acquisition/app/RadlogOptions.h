#pragma once

#include <optional>
#include <string>

// Radlog's command line, read without Qt: the window program and the station program accept
// the same options, so both read them here. The station has no window, so for it --headless is
// implied (and still accepted, as in the unit files of older installations).
struct RadlogOptions {
    bool help = false;
    bool version = false;
    bool headless = false;
    std::optional<std::string> profile;
    bool interval = false;
    bool manual = false;
    bool demo = false;
    std::optional<std::string> intervalSeconds;
    std::optional<std::string> sky;
    std::string passwordFile;
    bool check = false;
    bool removeDiscovery = false;
};

struct RadlogCommandLine {
    RadlogOptions options;
    std::string error;  // why the command line was refused (exit code 2), else empty
};

// windowProgram: the desktop program, where --headless chooses the mode.
RadlogCommandLine ParseRadlogOptions(int argc, const char* const* argv, bool windowProgram);

// The --help text of the program called program.
std::string RadlogHelp(const char* program, bool windowProgram);
