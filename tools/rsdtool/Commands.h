#pragma once

#include <span>
#include <string>
#include <vector>

// Exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a file did not load, write or hold what was asked
inline constexpr int kExitUsage = 2;

using CommandArgs = std::vector<std::string>;  // the words after the command name

struct Command {
    const char* name;
    int (*run)(const CommandArgs& args);
    const char* help;  // usage line(s) and a description, printed by --help
};

// Every command of the program; Commands.cpp holds the table.
std::span<const Command> CommandTable();

int RunInfo(const CommandArgs& args);
int RunCopy(const CommandArgs& args);
int RunSpectralCsv(const CommandArgs& args);
int RunCalcCsv(const CommandArgs& args);
int RunReport(const CommandArgs& args);
int RunDemo(const CommandArgs& args);
int RunQuantities(const CommandArgs& args);
int RunSeries(const CommandArgs& args);
int RunDaily(const CommandArgs& args);
int RunQc(const CommandArgs& args);
int RunRecalibrate(const CommandArgs& args);
// The netcdf command, in rsdtool-netcdf; rsdtool runs that program for it.
int RunNetcdf(const CommandArgs& args);
#ifdef RSDTOOL_WITH_NETCDF
int LaunchNetcdf(const CommandArgs& args);
#endif
// Runs rsdtool-plot, the one program that loads Qt.
int RunPlot(const CommandArgs& args);
