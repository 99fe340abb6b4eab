#pragma once
// Runs rsdtool as a whole process, as a user or a script would, and keeps what it said.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

using testing::HasSubstr;
using testing::Not;

// A fresh folder per test for the files rsdtool reads and writes.
class ToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = std::filesystem::path(::testing::TempDir()) /
                (::testing::UnitTest::GetInstance()->current_test_info()->name() +
                 std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    ToolRun Tool(const std::string& args) const { return RunRsdtool(args, m_dir); }

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

    std::filesystem::path m_dir;
};
