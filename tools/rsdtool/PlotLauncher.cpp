// rsdtool plot: drawing needs Qt, which no other command loads, so the plot command runs the
// separate program rsdtool-plot installed beside rsdtool.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "ToolSupport.h"

namespace {
constexpr const char* kPlotProgram = "rsdtool-plot";
}

int RunPlot(const CommandArgs& args) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string program =
        (error ? std::filesystem::path(kPlotProgram) : self.parent_path() / kPlotProgram).string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kPlotProgram));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    return FileError(program,
                     std::string("cannot run the drawing program: ") + std::strerror(errno));
}
