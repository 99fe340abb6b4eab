// The command line both Radlog programs read: what each accepts, refuses and implies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RadlogOptions.h"

namespace {

RadlogCommandLine Parse(std::vector<const char*> args, bool windowProgram) {
    args.insert(args.begin(), "radlog");
    return ParseRadlogOptions(static_cast<int>(args.size()), args.data(), windowProgram);
}

TEST(StationOptions, RefusesWhatNoProgramAccepts) {
    struct Case {
        std::vector<const char*> args;
        std::string error;  // empty: accepted
    };
    const Case cases[] = {
        {{"--demo", "--sky", "noon", "--interval-seconds", "1"}, ""},
        {{"--demo", "--sky=lamp", "--interval-seconds=5", "--manual"}, ""},
        {{"--headless", "--check", "--profile", "a b.ini"}, ""},
        {{"--interval", "--manual"}, "--interval and --manual exclude each other"},
        {{"--interval-seconds", "5"}, "--interval-seconds is for --demo only"},
        {{"--demo", "--interval-seconds", "5s"},
         "--interval-seconds takes a whole number of seconds"},
        {{"--demo", "--interval-seconds="}, "--interval-seconds takes a whole number of seconds"},
        {{"--demo", "--interval-seconds", "-1"},
         "--interval-seconds takes a whole number of seconds"},
        {{"--sky", "noon"}, "--sky takes clear|cloudy|noon|lamp, for --demo only"},
        {{"--demo", "--sky", "rain"}, "--sky takes clear|cloudy|noon|lamp, for --demo only"},
        {{"--profile"}, "missing value after '--profile'"},
        {{"--check=1"}, "--check takes no value"},
        {{"--prof", "x"}, "unknown option '--prof'"},
        {{"-x"}, "unknown option '-x'"},
        {{"stray"}, "unknown option 'stray'"},
        {{"-"}, "unknown option '-'"},
    };
    for (const Case& c : cases) {
        for (const bool window : {false, true}) {
            SCOPED_TRACE(testing::PrintToString(c.args) + (window ? " window" : " station"));
            EXPECT_EQ(Parse(c.args, window).error, c.error);
        }
    }
}

// The station is always headless.
TEST(StationOptions, ValuesHeadlessAndHelpAndVersionComeFirst) {
    const RadlogOptions options =
        Parse({"--profile=/etc/radlog/radlog.ini", "--mqtt-password-file", "pw", "--demo", "--sky",
               "cloudy", "--interval-seconds", "7", "--remove-discovery"},
              false)
            .options;
    EXPECT_EQ(options.profile, "/etc/radlog/radlog.ini");
    EXPECT_EQ(options.passwordFile, "pw");
    EXPECT_EQ(options.sky, "cloudy");
    EXPECT_EQ(options.intervalSeconds, "7");
    EXPECT_TRUE(options.demo && options.removeDiscovery && !options.check);
    // --help and --version win over anything wrong behind them, as QCommandLineParser did.
    EXPECT_TRUE(Parse({"--help", "--interval", "--manual"}, false).options.help);
    EXPECT_TRUE(Parse({"-v", "--bogus"}, true).options.version);
    for (const bool window : {false, true}) {
        EXPECT_EQ(Parse({}, window).options.headless, !window);
        EXPECT_TRUE(Parse({"--headless"}, window).options.headless);
    }
}

TEST(StationOptions, HelpNamesTheOptionsOfEachProgram) {
    const std::string station = RadlogHelp("radlog-station", false);
    const std::string window = RadlogHelp("radlog", true);
    EXPECT_EQ(station.find("--headless"), std::string::npos);
    EXPECT_NE(station.find("  --check                      Try the profile"), std::string::npos);
    EXPECT_NE(window.find("--headless"), std::string::npos);
    EXPECT_NE(window.find("--check                      Headless only: try"), std::string::npos);
    EXPECT_NE(station.find("  --profile <INI>              "), std::string::npos);
}

}  // namespace
