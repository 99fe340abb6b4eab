// rsdtool: RSD day files from the command line, on the same core as Radlog and Radview.

#include <cstdio>
#include <new>
#include <string_view>

#include "Commands.h"
#include "KeepFreedMemory.h"
#include "LocalTime.h"
#include "VersionOption.h"

namespace {

void PrintCommands(std::FILE* out) {
    std::fputs(
        "usage: rsdtool COMMAND [OPTIONS] ARGS...\n"
        "       rsdtool COMMAND --help\n"
        "       rsdtool --version\n\ncommands:\n",
        out);
    for (const Command& command : CommandTable()) std::fprintf(out, "  %s\n", command.name);
}

}  // namespace

int main(int argc, char** argv) {
    rad::KeepFreedMemory();
    rad::InitTimeZone();
    if (rad::PrintVersionIfAsked(argc, argv, "rsdtool")) return kExitOk;
    if (argc < 2) {
        PrintCommands(stderr);
        return kExitUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintCommands(stdout);
        return kExitOk;
    }
    for (const Command& command : CommandTable()) {
        if (name != command.name) continue;
        const CommandArgs args(argv + 2, argv + argc);
        for (const std::string& arg : args) {
            if (arg == "--help" || arg == "-h") {
                std::fputs(command.help, stdout);
                return kExitOk;
            }
        }
        try {
            return command.run(args);
        } catch (const std::bad_alloc&) {
            // A file too big for the memory there is fails like any other file.
            std::fprintf(stderr, "rsdtool: %s: not enough memory\n", command.name);
            return kExitFailed;
        }
    }
    std::fprintf(stderr, "rsdtool: unknown command \"%s\"\n", argv[1]);
    PrintCommands(stderr);
    return kExitUsage;
}
