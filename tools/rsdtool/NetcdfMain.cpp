// rsdtool-netcdf: the netcdf command of rsdtool in a program of its own, so that only the
// archive loads the NetCDF library and the many libraries behind it.
#include <cstdio>
#include <new>

#include "Commands.h"
#include "LocalTime.h"
#include "VersionOption.h"

int main(int argc, char** argv) {
    rad::InitTimeZone();
    if (rad::PrintVersionIfAsked(argc, argv, "rsdtool-netcdf")) return kExitOk;
    try {
        return RunNetcdf(CommandArgs(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "rsdtool: netcdf: not enough memory\n");
        return kExitFailed;
    }
}
