#pragma once
// Runs rsdtool as a whole process, as a user or a script would, and keeps what it said.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// rsdtool with args; its output goes through files in folder.
inline ToolRun RunRsdtool(const std::string& args, const std::filesystem::path& folder) {
    const std::filesystem::path out = folder / "out", err = folder / "err";
    const std::string command =
        std::string(RSDTOOL_PATH) + " " + args + " >" + out.string() + " 2>" + err.string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}
