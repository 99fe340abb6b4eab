#include <gtest/gtest.h>

#include <cerrno>

#include "IniFile.h"
#include "ProfileCheck.h"

namespace {

CIniFile FromText(const std::string& text) {
    CIniFile ini;
    ini.SetText(text);
    return ini;
}

}  // namespace

TEST(ProfileInt, ParsesLikeTheWindowsIntegerRead) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {" 12abc", 12}, {"0x10", 0}, {"-5", -5},        {"+7", 7},
        {"abc", 0},     {"-", 0},    {"4294967296", 0}, {"2147483648", -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(rad::ParseProfileInt(c.text), c.value) << c.text;
}

// A hand-edited number beyond 32 bits is refused (the default), never wrapped round.
TEST(ProfileInt, NumbersBeyond32BitsAreRefused) {
    const struct {
        const char* text;
        int value;  // GetInt with the default 7
    } cases[] = {
        {"99999999999", 7},
        {"2147483648", 7},
        {"-2147483649", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"12abc", 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FromText(std::string("[COM]\nQS100=") + c.text).GetInt("COM", "QS100", 7),
                  c.value)
            << c.text;
}

// What a profile must hold to be written back: a section or a key; else it is left alone.
TEST(ProfileCheck, UnreadableOrEntrylessProfilesAreNeverWritten) {
    const struct {
        const char* what;
        bool loaded;
        int error;
        const char* text;
        const char* verdict;
    } cases[] = {
        {"absent: created at exit", false, ENOENT, "", ""},
        {"a directory", false, EISDIR, "", "cannot be read: is a directory"},
        {"no permission", false, EACCES, "", "cannot be read: permission denied"},
        {"empty", true, 0, "", "holds no valid line"},
        {"comments and garbage only", true, 0, "; note\n\x01\x02garbage\n\n",
         "holds no valid line"},
        {"one key", true, 0, "PORT=3\n", ""},
        {"one section", true, 0, "[COM]\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rad::UnusableProfileText(c.loaded, c.error, FromText(c.text)), c.verdict)
            << c.what;
}

TEST(IniRead, NamesIgnoreCaseValuesLoseBlanksAndQuotes) {
    const CIniFile ini = FromText(
        "; comment=1\n[Graph]\n  Left =  300.5  \nTOP=\"quoted\"\nMEMO='a'b\nDUP=1\ndup=2\n"
        "EMPTY=\n[graph]\nLATE=1\n");
    EXPECT_EQ(ini.GetString("GRAPH", "LEFT", "x"), "300.5");
    EXPECT_EQ(ini.GetString("graph", "top", "x"), "quoted");
    EXPECT_EQ(ini.GetString("GRAPH", "MEMO", "x"), "'a'b");
    EXPECT_EQ(ini.GetInt("GRAPH", "DUP", 9), 1);
    EXPECT_EQ(ini.GetInt("GRAPH", "EMPTY", 9), 9);
    EXPECT_EQ(ini.GetInt("GRAPH", "MISSING", 9), 9);
    EXPECT_EQ(ini.GetString("GRAPH", "LATE", "only the first section counts"),
              "only the first section counts");
    EXPECT_FALSE(ini.HasKey("", "; comment"));
    EXPECT_EQ(ini.GetKeys("GRAPH"),
              (std::vector<std::string>{"Left", "TOP", "MEMO", "DUP", "EMPTY"}));
}

TEST(IniWrite, KeepsForeignLinesAndPlacesNewKeys) {
    CIniFile ini = FromText("; keep me\n[A]\nX=1\nother = kept\n\n[B]\n; note\nY=2\n");
    ini.SetInt("a", "x", 5);
    ini.SetInt("A", "x", 6);
    ini.SetString("A", "NEW", "n");
    ini.SetString("C", "Z", "z\r\nsecond line");
    ini.SetString("C", "W", "w");
    EXPECT_EQ(ini.GetText(),
              "; keep me\n[A]\nX=6\nother = kept\nNEW=n\n\n[B]\n; note\nY=2\n[C]\nZ=z\nW=w\n");
    ini.DeleteKey("A", "NEW");
    EXPECT_FALSE(ini.HasKey("A", "NEW"));
}

TEST(IniWrite, KeepsTheLineEndingAndByteOrderMark) {
    EXPECT_EQ(FromText("[A]\r\nX=1\r\n").GetText(), "[A]\r\nX=1\r\n");
    EXPECT_EQ(FromText("\xEF\xBB\xBF[A]\nX=1").GetText(), "\xEF\xBB\xBF[A]\nX=1\n");
    EXPECT_EQ(FromText("\xEF\xBB\xBF[A]\nX=1").GetInt("A", "X", 0), 1);
    // Stray CRs before a line's end are no text: the written profile reads back the same.
    EXPECT_EQ(FromText("[A]\nX=1\r\r\n").GetText(), "[A]\nX=1\n");
    CIniFile fresh;
    fresh.SetInt("A", "X", 1);
    EXPECT_EQ(fresh.GetText(), "[A]\r\nX=1\r\n");
}
