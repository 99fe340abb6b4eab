// Commands whose libraries would slow the start of every other command run as programs of
// their own, installed beside rsdtool: drawing (Qt) and the NetCDF archive (HDF5, curl, TLS).
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "ToolSupport.h"

namespace {

// Replaces this process with program (found beside rsdtool) and args; returns only on failure.
// missingHint says where a program that is not installed comes from.
int RunProgramBeside(const char* program, const CommandArgs& args,
                     const char* missingHint = nullptr) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string path =
        (error ? std::filesystem::path(program) : self.parent_path() / program).string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    const int execError = errno;
    std::string problem = std::string("cannot run the program: ") + std::strerror(execError);
    if (execError == ENOENT && missingHint) problem += std::string(" (") + missingHint + ")";
    return FileError(path, problem);
}

}  // namespace

int RunPlot(const CommandArgs& args) {
    // A station's package leaves out the one program of rsdtool that needs Qt.
    return RunProgramBeside("rsdtool-plot", args, "the desktop package radlog installs it");
}

#ifdef RSDTOOL_WITH_NETCDF
int LaunchNetcdf(const CommandArgs& args) { return RunProgramBeside("rsdtool-netcdf", args); }
#endif
