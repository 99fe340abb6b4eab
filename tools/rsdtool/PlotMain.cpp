// rsdtool-plot: the plot command of rsdtool in a program of its own, so that only drawing
// loads Qt.
#include <string_view>

#include "Commands.h"
#include "LocalTime.h"
#include "PlotHelp.h"

int RunPlotPage(const CommandArgs& args);

int main(int argc, char** argv) {
    rad::InitTimeZone();
    const CommandArgs args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kPlotHelp, stdout);
            return kExitOk;
        }
    }
    return RunPlotPage(args);
}
