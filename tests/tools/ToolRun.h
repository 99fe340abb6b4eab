#pragma once
// Runs rsdtool as a whole process, as a user or a script would, and keeps what it said.
#include <gmock/gmock.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../core/rsd_fixture.h"

using testing::HasSubstr;
using testing::Not;

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// The programs beside rsdtool that are built only with their libraries.
inline bool Beside(const char* program) {
    return std::filesystem::exists(std::filesystem::path(RSDTOOL_PATH).parent_path() / program);
}

inline std::string Replace(std::string text, const std::string& word, const std::string& by) {
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + by.size()))
        text.replace(at, word.size(), by);
    return text;
}

// Every command that writes a file, of the day file in; OUT in args stands for the output.
struct ToolCommand {
    const char* name;
    std::string args;
    const char* suffix;
};

inline std::vector<ToolCommand> Commands(const std::string& in) {
    std::vector<ToolCommand> commands = {
        {"copy", "copy " + in + " OUT", ".RSD"},
        {"spectral-csv", "spectral-csv " + in + " OUT", ".csv"},
        {"calc-csv", "calc-csv " + in + " OUT", ".csv"},
        {"quantities", "quantities " + in + " -o OUT", ".csv"},
        {"series", "series " + in + " -o OUT", ".csv"},
        {"daily", "daily " + in + " -o OUT", ".csv"},
        {"recalibrate", "recalibrate --cal " + in + " " + in + " -o OUT", ".RSD"},
    };
    if (Beside("rsdtool-plot")) commands.push_back({"plot", "plot " + in + " 0 -o OUT", ".png"});
    if (Beside("rsdtool-netcdf"))
        commands.push_back({"netcdf", "netcdf --force " + in + " -o OUT", ".nc"});
    return commands;
}

// A fresh folder per test for the files rsdtool reads and writes, and its output.
class ToolTest : public RsdFileTest {
  protected:
    std::string Path(const std::string& name) const { return PathOf(name); }
    static std::string ReadFile(const std::string& path) { return ReadBytes(path); }
    // shell runs first in the same shell: assignments for the tool's environment ("TZ=UTC ")
    // or limits (ulimit) that rsdtool inherits.
    ToolRun Tool(const std::string& args, const std::string& shell = "") const {
        const std::string command = shell + " " + std::string(RSDTOOL_PATH) + " " + args + " >" +
                                    Path("out") + " 2>" + Path("err");
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(Path("out")),
                ReadFile(Path("err"))};
    }

    // What a run that must succeed printed on standard output.
    std::string Out(const std::string& args, const std::string& shell = "") const {
        const ToolRun run = Tool(args, shell);
        EXPECT_EQ(run.status, 0) << args << "\n" << run.err;
        return run.out;
    }

    struct Expected {
        std::string args;
        int status;
        std::string errPart;  // a part of what it says on stderr
    };
    void ExpectRuns(const std::vector<Expected>& cases) const {
        for (const Expected& c : cases) {
            const ToolRun run = Tool(c.args);
            EXPECT_EQ(run.status, c.status) << c.args;
            EXPECT_THAT(run.err, HasSubstr(c.errPart)) << c.args;
        }
    }
    // Each command's --help succeeds and starts with its usage line.
    void ExpectHelp(std::initializer_list<const char*> commands) const {
        for (const std::string command : commands) {
            const ToolRun help = Tool(command + " --help");
            EXPECT_EQ(help.status, 0);
            EXPECT_TRUE(help.out.starts_with("usage: rsdtool " + command)) << help.out;
        }
    }
};
