// qs-probe against a simulated sensor on a pseudo-terminal: a process smoke test.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "QsSim.h"
#include "SensorModel.h"

namespace {

struct ProbeRun {
    int exitCode = -1;
    std::string output;
};

ProbeRun Probe(const std::string& args) {
    ProbeRun run;
    std::FILE* pipe = ::popen((std::string(QS_PROBE_PATH) + " " + args + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) run.output += buffer;
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(ProbeSmoke, ModelComesFromTheSensorUnlessGiven) {
    CQsSim sim(QsSimOptions{.exposureScale = 0.02});
    const auto paths = sim.Start({kQS300});
    ASSERT_EQ(paths.size(), 1u);

    const ProbeRun guessed = Probe("--measure 1 " + paths[0]);
    EXPECT_EQ(guessed.exitCode, 0) << guessed.output;
    EXPECT_NE(guessed.output.find("READY\nID RADIOMETER\nST QS-300\n"), std::string::npos);
    EXPECT_NE(guessed.output.find("measurement 1: ET "), std::string::npos);

    const ProbeRun named = Probe("--model QS-200 " + paths[0]);
    EXPECT_EQ(named.exitCode, 1);
    EXPECT_EQ(named.output.rfind("Error(Sensor Name)\n", 0), 0u) << named.output;
}

}  // namespace
