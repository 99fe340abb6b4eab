#include "RecordZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "LocalTime.h"
#include "RsdData.h"
#include "SyntheticData.h"

namespace {

TEST(RecordZone, UtcOffsets) {
    struct Row {
        const char* text;
        std::optional<int> seconds;
    };
    const Row rows[] = {
        {"+9", 9 * 3600},
        {"+0", 0},
        {"-5", -5 * 3600},
        {"9", 9 * 3600},
        {" +9 ", 9 * 3600},
        {"+5.5", 19800},
        {"+09:00", 9 * 3600},
        {"-03:30", -12600},
        {"+0545", 20700},
        {"UTC", 0},
        {"Z", 0},
        {"+19", std::nullopt},
        {"+09:60", std::nullopt},
        {"+9:0", std::nullopt},
        {"+1e1", std::nullopt},
        {"Asia/Tokyo", std::nullopt},
        {"", std::nullopt},
        {"+-9", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const Row& row : rows) EXPECT_EQ(rad::ParseUtcOffset(row.text), row.seconds) << row.text;
}

TEST(RecordZone, MachineZoneUnlessTheHeaderSaysOtherwise) {
    struct Row {
        const char* header;
        int machineOffset;
        bool machine;
        const char* zoneText;
    };
    const Row rows[] = {
        {"+9", 9 * 3600, true, ""},
        {"-5", -5 * 3600, true, ""},  // New York in summer too: its standard offset
        {"+5", 19800, true, ""},      // India: Radlog writes the whole hours only
        {"", 0, true, ""},            // no TZ line
        {"Tokyo", 0, true, ""},       // not an offset
        {"+9", 0, false, "+09:00"},   // a Tokyo file on a UTC server
        {"-5", 3600, false, "-05:00"},
        {"+5.5", 19800, true, ""},
        {"+5.5", 5 * 3600, false, "+05:30"},
    };
    for (const Row& row : rows) {
        const rad::ZoneChoice choice = rad::ChooseRecordZone(row.header, row.machineOffset);
        EXPECT_EQ(choice.zone.IsMachine(), row.machine) << row.header << " " << row.machineOffset;
        EXPECT_EQ(choice.zone.Text(), row.zoneText) << row.header;
        EXPECT_EQ(choice.notice.empty(), row.machine) << row.header;
    }
}

// Sets TZ for one test and puts the old value back.
class ZoneOfProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        m_old = tz ? std::optional<std::string>(tz) : std::nullopt;
    }
    void TearDown() override {
        if (m_old)
            setenv("TZ", m_old->c_str(), 1);
        else
            unsetenv("TZ");
        rad::InitTimeZone();
    }
    static void Use(const char* tz) {
        setenv("TZ", tz, 1);
        rad::InitTimeZone();
    }
    // The time of the one record, at 12:00 local time on 20 June 2024, of a Tokyo station's
    // day file (TZ +9) as read on this machine.
    static int64_t TokyoRecordReadHere() {
        CRsdData written;
        rad::MakeSyntheticDay(written, 1, {kQS300}, *rad::LocalFieldsToTime(2024, 6, 20, 12, 0, 0),
                              60);
        written.m_strTZ = "+9";
        const std::string path = ::testing::TempDir() + "tokyo.RSD";
        EXPECT_TRUE(written.Save(path));
        CRsdData read;
        EXPECT_EQ(read.Load(path), 1);
        EXPECT_EQ(read.m_strTZ, "+9");
        return read.GetAt(0).m_time;
    }

  private:
    std::optional<std::string> m_old;
};

constexpr int64_t kTokyoNoonUtc = 1718852400;  // 2024-06-20 03:00 UTC = 12:00 JST

TEST_F(ZoneOfProcess, TokyoFileOnAUtcMachine) {
    Use("UTC");
    const int64_t read = TokyoRecordReadHere();
    EXPECT_EQ(read, kTokyoNoonUtc + 9 * 3600);  // the machine's rules: 9 hours late
    const rad::ZoneChoice choice = rad::ChooseRecordZone("+9", rad::MachineStandardOffsetSeconds());
    EXPECT_FALSE(choice.zone.IsMachine());
    EXPECT_NE(choice.notice.find("+09:00"), std::string::npos) << choice.notice;
    EXPECT_EQ(choice.zone.InstantOf(read), kTokyoNoonUtc);
    rad::LocalTimeCache times;
    EXPECT_EQ(choice.zone.InstantOf(read, &times), kTokyoNoonUtc);

    // --tz Asia/Tokyo: the file is read in Tokyo's zone and the times are true as read.
    std::string error;
    ASSERT_TRUE(rad::UseZoneOption("Asia/Tokyo", error)) << error;
    EXPECT_EQ(TokyoRecordReadHere(), kTokyoNoonUtc);
    ASSERT_TRUE(rad::UseZoneOption("+09:00", error)) << error;
    EXPECT_EQ(TokyoRecordReadHere(), kTokyoNoonUtc);
    EXPECT_EQ(rad::FormatLocalTime(kTokyoNoonUtc, "%H:%M %z"), "12:00 +0900");
}

TEST_F(ZoneOfProcess, DaylightSavingZone) {
    // A Berlin station's file (TZ +1): on a Berlin machine its summer times are CEST, as
    // Radlog wrote them; on a UTC machine the header's +1 holds all year, an hour off in
    // summer, which --tz Europe/Berlin puts right.
    constexpr int64_t kBerlinNoonUtc = 1718877600;  // 2024-06-20 10:00 UTC = 12:00 CEST
    std::string error;
    for (const char* machine : {"Europe/Berlin", "UTC"}) {
        Use(machine);
        const int64_t written = *rad::LocalFieldsToTime(2024, 6, 20, 12, 0, 0);
        const auto choice = rad::ChooseRecordZone("+1", rad::MachineStandardOffsetSeconds());
        const int64_t instant = choice.zone.InstantOf(written);
        EXPECT_EQ(instant, std::string(machine) == "UTC" ? kBerlinNoonUtc + 3600 : kBerlinNoonUtc)
            << machine;
    }
    ASSERT_TRUE(rad::UseZoneOption("Europe/Berlin", error)) << error;
    EXPECT_EQ(*rad::LocalFieldsToTime(2024, 6, 20, 12, 0, 0), kBerlinNoonUtc);
    EXPECT_EQ(*rad::LocalFieldsToTime(2024, 1, 20, 12, 0, 0), 1705748400);  // 11:00 UTC
}

TEST_F(ZoneOfProcess, UnknownZonesAreRefused) {
    Use("UTC");
    std::string error;
    for (const char* zone :
         {"Mars/Base", "../etc/passwd", "/usr/share/zoneinfo/UTC", "Asia/", "Asia Tokyo", ""}) {
        EXPECT_FALSE(rad::UseZoneOption(zone, error)) << zone;
        EXPECT_NE(error.find("unknown time zone"), std::string::npos) << zone;
    }
    EXPECT_STREQ(std::getenv("TZ"), "UTC");  // left as it was
}

}  // namespace
