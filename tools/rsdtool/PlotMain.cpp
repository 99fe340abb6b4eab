// rsdtool-plot: the plot command of rsdtool in a program of its own, so that only drawing
// loads Qt.
#include <cstdio>
#include <new>
#include <string_view>

#include "Commands.h"
#include "LocalTime.h"
#include "PlotHelp.h"
#include "VersionOption.h"

int RunPlotPage(const CommandArgs& args);

int main(int argc, char** argv) {
    rad::InitTimeZone();
    if (rad::PrintVersionIfAsked(argc, argv, "rsdtool-plot")) return kExitOk;
    const CommandArgs args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kPlotHelp, stdout);
            return kExitOk;
        }
    }
    try {
        return RunPlotPage(args);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "rsdtool: plot: not enough memory\n");
        return kExitFailed;
    }
}
