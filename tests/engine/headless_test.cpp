// radlog --headless as a field station runs it: exit codes, output and SIGTERM. Process smoke
// tests over the demo's simulated sensors.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Radlog {
    pid_t pid = -1;
    int out = -1;  // stdout and stderr together
    std::string output;

    explicit Radlog(std::vector<std::string> args) {
        args.insert(args.begin(), RADLOG_PATH);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int fds[2];
        if (::pipe(fds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out = fds[0];
    }
    ~Radlog() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (out >= 0) ::close(out);
    }
    // Reads until text has been printed; false at the end of the output.
    bool ReadUntil(const std::string& text) {
        char buffer[512];
        while (output.find(text) == std::string::npos) {
            const ssize_t n = ::read(out, buffer, sizeof buffer);
            if (n <= 0) return false;
            output.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }
    int Finish() {
        ReadUntil("\x01never printed");
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

std::string Scratch(const char* name) {
    const std::string dir = ::testing::TempDir() + name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir + "/";
}

TEST(Headless, ManualDemoMeasuresEverySensorAndSaysSo) {
    Radlog radlog({"--headless", "--demo", "--manual"});
    const int code = radlog.Finish();
    EXPECT_EQ(code, 0) << radlog.output;
    EXPECT_NE(radlog.output.find("INT.MEAS START\n"), std::string::npos);
    EXPECT_NE(radlog.output.find("\nmanual: QS-100 measured; QS-300 measured\n"), std::string::npos)
        << radlog.output;
    EXPECT_NE(radlog.output.find("APP CLOSE\n"), std::string::npos);
}

TEST(Headless, ManualWithAMissingDeviceNamesItAndFails) {
    const std::string folder = Scratch("missing");
    const std::string profile = folder + "radlog.ini";
    std::ofstream(profile) << "[COM]\nQS100=3\n[USE]\nQS100=1\n[PORTS]\nCOM3=/nonexistent/ttyQS\n"
                           << "[DIR]\nRSD=" << folder << "\nCSV=" << folder << "\n";
    Radlog radlog({"--headless", "--manual", "--profile", profile});
    EXPECT_EQ(radlog.Finish(), 1) << radlog.output;
    EXPECT_NE(radlog.output.find("QS-100 COM3 = /nonexistent/ttyQS: no such device\n"),
              std::string::npos)
        << radlog.output;
    EXPECT_NE(radlog.output.find("manual: QS-100 failed: Error(Opening COM Port failed)\n"),
              std::string::npos);
}

TEST(Headless, SigtermStopsAnIntervalAcquisitionCleanly) {
    Radlog radlog({"--headless", "--demo", "--interval-seconds", "1"});
    ASSERT_TRUE(radlog.ReadUntil("Measurement OK")) << radlog.output;
    ::kill(radlog.pid, SIGTERM);
    EXPECT_EQ(radlog.Finish(), 0) << radlog.output;
    const std::size_t stop = radlog.output.find("INT.MEAS STOP\n");
    ASSERT_NE(stop, std::string::npos) << radlog.output;
    // Nothing of the discarded cycle after the stop: only the program's close follows it.
    const std::string after = radlog.output.substr(stop + 14);
    EXPECT_EQ(after.find("QS-"), std::string::npos) << after;
    EXPECT_NE(after.find("APP CLOSE"), std::string::npos);
}

}  // namespace
