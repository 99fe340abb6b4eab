#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "ProfileLocation.h"
#include "RadlogSettings.h"
#include "RadviewSettings.h"
#include "SensorModel.h"

namespace {

CIniFile FromText(const std::string& text) {
    CIniFile ini;
    ini.SetText(text);
    return ini;
}

// "SECTION KEY" per key line of a written profile, in file order, each followed by ", ".
std::string KeyOrder(const CIniFile& ini) {
    std::string keys;
    std::istringstream in(ini.GetText());
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("["))
            section = line.substr(1, line.size() - 2);
        else if (line.find('=') != std::string::npos)
            keys += section + " " + line.substr(0, line.find('=')) + ", ";
    }
    return keys;
}

template <class Settings>
CIniFile Saved(const Settings& settings, CIniFile ini = {}) {
    settings.SaveSettings(ini);
    return ini;
}

}  // namespace

TEST(RadlogProfile, FreshProfileHoldsTheFortyKeysInTableOrder) {
    RadlogSettings settings;
    settings.LoadSettings(CIniFile(), "/opt/radlog/");
    EXPECT_EQ(settings.rsdFolder, "/opt/radlog/");
    EXPECT_EQ(settings.interval, 600);
    EXPECT_FALSE(settings.use[kQS200]);
    EXPECT_TRUE(settings.csv.models[kQS400]);
    const std::string expected =
        "COM QS100, COM QS200, COM QS300, COM QS400, INT MEAS_TYPE, INT START, INT END, INT INT, "
        "INT AUTO, DIR RSD, DIR CSV, USE QS100, USE QS200, USE QS300, USE QS400, SAVE CSV, "
        "SAVE LEFT, SAVE RIGHT, SAVE PITCH, SAVE QS100, SAVE QS200, SAVE QS300, SAVE QS400, "
        "SAVE MERGE, SITE NAME, SITE LON, SITE LAT, SITE ALT, MEAS MEMO, INTEG LEFT, INTEG RIGHT, "
        "GRAPH LEFT, GRAPH RIGHT, GRAPH TOP, GRAPH BOTTOM, GRAPH ASCALE, GRAPH GRID, "
        "GRAPH COLOR0, GRAPH COLOR1, MODE DISP, ";
    const CIniFile ini = Saved(settings);
    EXPECT_EQ(KeyOrder(ini), expected);
    EXPECT_EQ(ini.GetString("GRAPH", "LEFT", ""), "300.0");
    EXPECT_EQ(ini.GetString("GRAPH", "TOP", ""), "100.000000");
    EXPECT_EQ(ini.GetString("MEAS", "MEMO", ""), "ARVEN SOLIS");
    EXPECT_EQ(ini.GetString("SITE", "LON", ""), "000.000");
}

TEST(RadlogProfile, OddValuesLoadAndSaveAsTheOtherPlatformDoes) {
    const struct {
        const char* line;
        const char* section;
        const char* key;
        const char* saved;
    } cases[] = {
        {"[USE]\nQS200=5", "USE", "QS200", "1"},
        {"[SAVE]\nPITCH=7", "SAVE", "PITCH", "7"},
        {"[GRAPH]\nTOP=abc", "GRAPH", "TOP", "0.000000"},
        {"[GRAPH]\nRIGHT=1234.56", "GRAPH", "RIGHT", "1234.6"},
        {"[INT]\nINT=0", "INT", "INT", "600"},
        {"[INT]\nSTART=-1", "INT", "START", "-1"},
    };
    for (const auto& c : cases) {
        RadlogSettings settings;
        settings.LoadSettings(FromText(c.line), "/");
        EXPECT_EQ(Saved(settings).GetString(c.section, c.key, ""), c.saved) << c.line;
    }
}

// A number that would wrap round in 32 bits, or a port no port has, is refused: the default.
TEST(RadlogProfile, NumbersOutOfRangeAreRefusedAndNamed) {
    const CIniFile ini = FromText(
        "[COM]\nQS100=99999999999\nQS200=257\nQS300=-1\nQS400=256\n[INT]\nSTART=-1\n"
        "END=4294967296\nINT=60");
    RadlogSettings settings;
    settings.LoadSettings(ini, "/");
    EXPECT_EQ(settings.comPort, (std::array<int, kModelCount>{0, 0, 0, 256}));
    EXPECT_EQ(settings.start, 4294967295LL);  // zero-extended from 32 bits
    EXPECT_EQ(settings.end, 72000);
    EXPECT_EQ(settings.interval, 60);
    EXPECT_EQ(RefusedRadlogNumbers(ini),
              (std::vector<std::string>{"[COM] QS100=99999999999", "[COM] QS200=257",
                                        "[COM] QS300=-1", "[INT] END=4294967296"}));
}

TEST(RadlogProfile, RoundTripKeepsForeignLinesAndUsesFileSpelling) {
    const std::string text =
        "; written by hand\n[com]\nqs100=3\nEXTRA=keep\n[OTHER]\nA=1\n[MEAS]\nMEMO=roof\n";
    RadlogSettings settings;
    settings.LoadSettings(FromText(text), "/");
    EXPECT_EQ(settings.comPort[kQS100], 3);
    EXPECT_EQ(settings.memo, "roof");
    const CIniFile ini = Saved(settings, FromText(text));
    const std::string out = ini.GetText();
    EXPECT_TRUE(out.starts_with("; written by hand\n[com]\nqs100=3\nEXTRA=keep\nQS200=0\n")) << out;
    EXPECT_NE(out.find("[OTHER]\nA=1\n[MEAS]\nMEMO=roof\n[INT]\nMEAS_TYPE=1\n"), std::string::npos);
    EXPECT_EQ(ini.GetText(), Saved(settings, ini).GetText());  // saving again changes nothing
}

TEST(PortMapping, PortsSectionMapsComNumbersAndStaysOptional) {
    RadlogSettings plain;
    plain.LoadSettings(CIniFile(), "/");
    EXPECT_FALSE(Saved(plain).HasSection("PORTS"));
    EXPECT_EQ(rad::ComPortDevice(plain.ports, 3), "/dev/ttyUSB2");
    EXPECT_EQ(rad::ComPortDevice(plain.ports, 0), "");

    const std::string text =
        "[PORTS]\ncom3=/dev/serial/by-id/usb-QS\nCOM1=/dev/ttyS0\nCOM02=x\nCOMX=y\nCOM4=\n";
    RadlogSettings mapped;
    mapped.LoadSettings(FromText(text), "/");
    const char* const devices[] = {"/dev/ttyS0", "/dev/ttyUSB1", "/dev/serial/by-id/usb-QS",
                                   "/dev/ttyUSB3"};
    for (int com = 1; com <= 4; ++com)
        EXPECT_EQ(rad::ComPortDevice(mapped.ports, com), devices[com - 1]) << com;
    EXPECT_EQ(mapped.ports.size(), 2u);
    EXPECT_TRUE(Saved(mapped, FromText(text)).GetText().starts_with(text));
    EXPECT_EQ(Saved(mapped).GetString("PORTS", "COM3", ""), "/dev/serial/by-id/usb-QS");
}

TEST(RadviewProfile, DefaultsAndColourTable) {
    RadviewSettings settings;
    settings.LoadSettings(CIniFile(), "/home/u/Radview/");
    const CIniFile ini = Saved(settings);
    const std::string expected =
        "DIR RSD, DIR CSV, SAVE LEFT, SAVE RIGHT, SAVE PITCH, SAVE QS100, SAVE QS200, SAVE QS300, "
        "SAVE QS400, SAVE MERGE, INTEG LEFT, INTEG RIGHT, GRAPH LEFT, GRAPH RIGHT, GRAPH TOP, "
        "GRAPH BOTTOM, GRAPH ASCALE, GRAPH GRID, GRAPH COLOR0, GRAPH COLOR1, GRAPH CATSIZE, "
        "MODE DISP, COLOR_TABLE #LINE_COLOR001, COLOR_TABLE LINE_COLOR001, "
        "COLOR_TABLE LINE_COLOR002, COLOR_TABLE LINE_COLOR003, ";
    EXPECT_EQ(KeyOrder(ini), expected);
    EXPECT_EQ(ini.GetString("COLOR_TABLE", "#LINE_COLOR001", ""), "R,G,B");
    EXPECT_EQ(ini.GetString("COLOR_TABLE", "LINE_COLOR002", ""), "0,255,0");
    EXPECT_EQ(ini.GetString("DIR", "CSV", ""), "/home/u/Radview/");

    const struct {
        const char* text;
        std::vector<int> colors;
    } tables[] = {
        {"LINE_COLOR001=1,2,3\nLINE_COLOR003=9,9,9", {1 + 2 * 256 + 3 * 65536}},
        {"LINE_COLOR001=10,20\nLINE_COLOR002=END\nLINE_COLOR003=1,1,1", {10 + 20 * 256}},
        {"LINE_COLOR001=END", {255, 65280, 16711680}},
    };
    for (const auto& t : tables) {
        RadviewSettings loaded;
        loaded.LoadSettings(FromText(std::string("[COLOR_TABLE]\n") + t.text), "/");
        EXPECT_EQ(loaded.lineColors, t.colors) << t.text;
    }
    RadviewSettings odd;
    odd.LoadSettings(FromText("[GRAPH]\nCATSIZE=3\nASCALE=0\n[SAVE]\nQS300=0"), "/");
    EXPECT_EQ(odd.catSize, 3);
    EXPECT_FALSE(odd.graph.autoScale);
    EXPECT_FALSE(odd.csv.models[kQS300]);
}

TEST(RadviewProfile, RecentFilesStayInTheProfile) {
    RadviewSettings settings;
    settings.LoadSettings(FromText("[RECENT]\nFILE1=/d/a.RSD\nFILE2=/d/b.RSD\n"), "/");
    for (const char* path : {"/d/c.RSD", "/d/d.RSD", "/d/e.RSD", "/d/b.RSD"})
        settings.AddRecentFile(path);
    EXPECT_EQ(settings.recentFiles,
              (std::vector<std::string>{"/d/b.RSD", "/d/e.RSD", "/d/d.RSD", "/d/c.RSD"}));
    settings.recentFiles.resize(1);
    const CIniFile ini = Saved(settings, FromText("[RECENT]\nFILE1=x\nFILE2=y\n"));
    EXPECT_EQ(ini.GetKeys("RECENT"), (std::vector<std::string>{"FILE1"}));
}

TEST(ProfileLocation, PortableProfileXdgFolderAndOverride) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("settings_test_" + std::to_string(getpid()));
    const std::string home = (root / "home").string(), exe = (root / "bin").string() + "/";
    fs::create_directories(exe);
    ::setenv("HOME", home.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");

    rad::ProfileLocation user = rad::LocateProfile("radlog", std::nullopt, exe);
    EXPECT_FALSE(user.portable);
    EXPECT_EQ(user.profilePath, home + "/.config/radlog/radlog.ini");
    EXPECT_EQ(user.programFolder, home + "/Radlog/");
    EXPECT_TRUE(fs::is_directory(user.programFolder));
    CIniFile ini;
    ini.SetInt("A", "X", 1);
    EXPECT_TRUE(rad::SaveProfile(ini, user.profilePath));

    ::setenv("XDG_CONFIG_HOME", (root / "cfg").c_str(), 1);
    EXPECT_EQ(rad::LocateProfile("radview", std::nullopt, exe).profilePath,
              (root / "cfg").string() + "/radview/radview.ini");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    EXPECT_EQ(rad::LocateProfile("radview", std::nullopt, exe).profilePath,
              home + "/.config/radview/radview.ini");

    ASSERT_TRUE(rad::SaveProfile(ini, exe + "radview.ini"));
    const rad::ProfileLocation portable = rad::LocateProfile("radview", std::nullopt, exe);
    EXPECT_TRUE(portable.portable);
    EXPECT_EQ(portable.profilePath, exe + "radview.ini");
    EXPECT_EQ(portable.programFolder, exe);
    EXPECT_EQ(rad::LocateProfile("radview", "/x/my.ini", exe).profilePath, "/x/my.ini");
    EXPECT_EQ(rad::LocateProfile("radview", "/x/my.ini", exe).programFolder, exe);
    fs::remove_all(root);
}

TEST(ProfileLocation, FallbackDataFoldersFollowXdgDataHome) {
    ::setenv("HOME", "/home/station", 1);
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(rad::FallbackDataFolders("/home/station/Radlog", "radlog"),
              (std::vector<std::string>{"/home/station/Radlog/",
                                        "/home/station/.local/share/radlog/", "/tmp/"}));
    ::setenv("XDG_DATA_HOME", "/data/", 1);
    EXPECT_EQ(rad::FallbackDataFolders("", "radlog"),
              (std::vector<std::string>{"/data/radlog/", "/tmp/"}));
    ::setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored
    EXPECT_EQ(rad::FallbackDataFolders("", "radview").front(),
              "/home/station/.local/share/radview/");
    ::unsetenv("XDG_DATA_HOME");
}
