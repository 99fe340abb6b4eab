// rsdtool-netcdf: the netcdf command of rsdtool in a program of its own, so that only the
// archive loads the NetCDF library and the many libraries behind it.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "Commands.h"
#include "LocalTime.h"
#include "VersionOption.h"

int main(int argc, char** argv) {
    rad::InitTimeZone();
    if (rad::PrintVersionIfAsked(argc, argv, "rsdtool-netcdf")) return kExitOk;
    int status = kExitFailed;
    try {
        status = RunNetcdf(CommandArgs(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "rsdtool: netcdf: not enough memory\n");
    }
    if (status == kExitOk) return status;
    // After a failed write (a full disk) HDF5's exit handler closes the file that could not
    // be closed once more and crashes; the archive's own files are settled by now.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}
