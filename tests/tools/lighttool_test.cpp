#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "LocalTime.h"
#include "Resample.h"
#include "SolarPosition.h"
#include "SyntheticData.h"
#include "ToolRun.h"

namespace {

// Lines of text, or with sep ',' the fields of a CSV line (after a trailing comma an empty one).
std::vector<std::string> Split(const std::string& text, char sep = '\n') {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, sep);) parts.push_back(part);
    if (sep == ',' && text.ends_with(',')) parts.emplace_back();
    return parts;
}

// The field of a CSV line under the header's title.
std::string FieldOf(const std::string& header, const std::string& line, const std::string& title) {
    const auto titles = Split(header, ','), fields = Split(line, ',');
    const auto at = std::find(titles.begin(), titles.end(), title) - titles.begin();
    return static_cast<std::size_t>(at) < fields.size() ? fields[static_cast<std::size_t>(at)]
                                                        : "missing";
}

// Two days of a QS-100 and a QS-300, every 30 minutes from 04:00 to 20:00, and a profile
// that starts days at 05:00.
class LightTool : public ToolTest {
  protected:
    void SetUp() override {
        ToolTest::SetUp();
        for (int day = 0; day < 2; ++day) {
            CRsdData& set = m_sets[day];
            rad::MakeSyntheticDay(set, 33, {kQS100, kQS300},
                                  *rad::LocalFieldsToTime(2024, 6, 1 + day, 4, 0, 0), 1800);
            set.GetAt(2).m_strMemo = "shade \"north\"";
            set.GetAt(20).m_strMemo = "Caf\xe9";  // Latin-1
            ASSERT_TRUE(set.Save(Path("day" + std::to_string(day) + ".RSD")));
        }
        std::ofstream(Path("early.ini")) << "[ANALYSIS]\nDAYSTART=5\n";
    }
    CRsdData m_sets[2];
};

TEST_F(LightTool, QuantitiesRowsCarryThePpfdOfTheCalculatedCsv) {
    const auto lines = Split(Out("quantities --records 20,2,0 " + Path("day0.RSD")));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[0].starts_with("Date,")) << lines[0];
    CResample spectrum;
    spectrum.Resample(m_sets[0], 20);
    EXPECT_EQ(Split(lines[1], ',').size(), Split(lines[0], ',').size());
    EXPECT_EQ(FieldOf(lines[0], lines[1], "Time"),
              rad::FormatLocalTime(m_sets[0].GetAt(20).m_time, "%H:%M:%S"));
    EXPECT_NEAR(std::stod(FieldOf(lines[0], lines[1], "PPFD(umol/m2/s)")), spectrum.GetPPFD(),
                0.051);
    EXPECT_GT(spectrum.GetPPFD(), 1.0);
    EXPECT_THAT(lines[2], HasSubstr(",\"shade \"\"north\"\"\","));

    const std::string json = Out("quantities --json --records 20 " + Path("day0.RSD"));
    EXPECT_THAT(json, HasSubstr("\"memo\":\"Caf\xc3\xa9\""));  // JSON is UTF-8; CSV keeps bytes
    EXPECT_THAT(lines[1], HasSubstr(",Caf\xe9,"));
    // The QS-100 starts near 300 nm: UV-B is covered in part, nothing reaches below 250.
    EXPECT_THAT(json, Not(HasSubstr("\"pfd_uvb\":null")));
}

TEST_F(LightTool, SeriesIsInTimeOrderAndGoesOnPastAFailingFile) {
    const ToolRun run = Tool("series " + Path("day1.RSD") + " " + Path("missing.RSD") + " " +
                             Path("day0.RSD") + " -o " + Path("series.csv"));
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr(Path("missing.RSD") + ": cannot load (-3)"));
    const auto lines = Split(ReadFile(Path("series.csv")));
    ASSERT_EQ(lines.size(), 1u + 66u);
    EXPECT_TRUE(lines[1].starts_with("2024/06/01,04:00:00,")) << lines[1];
    EXPECT_TRUE(lines.back().starts_with("2024/06/02,20:00:00,")) << lines.back();
}

TEST_F(LightTool, DailyFollowsTheProfilesDayStart) {
    const std::string files = Path("day0.RSD") + " " + Path("day1.RSD");
    const auto midnight = Split(Out("daily " + files));
    ASSERT_EQ(midnight.size(), 3u);
    EXPECT_TRUE(midnight[1].starts_with("2024/06/01,33,")) << midnight[1];
    const auto lines = Split(Out("daily --profile " + Path("early.ini") + " " + files));
    // 04:00 and 04:30 of June 1 belong to May 31 when days start at 05:00.
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[1].starts_with("2024/05/31,2,")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with("2024/06/01,33,")) << lines[2];
    EXPECT_TRUE(lines[3].starts_with("2024/06/02,31,")) << lines[3];
    EXPECT_EQ(Split(midnight[1], ',')[3], "1.000");  // every step is the median step
}

TEST_F(LightTool, TokyoFileOnAUtcMachine) {
    // A Tokyo station's record at 12:00 local time on 20 June 2024: 03:00 UTC.
    CRsdData set;
    rad::MakeSyntheticDay(set, 1, {kQS300}, *rad::LocalFieldsToTime(2024, 6, 20, 12, 0, 0), 60);
    set.m_strTZ = "+9";
    set.m_strLat = "35.68";
    set.m_strLon = "139.77";
    set.m_strAlt = "40";
    ASSERT_TRUE(set.Save(Path("tokyo.RSD")));
    const auto noon = rad::ComputeSunPosition(1718852400, {35.68, 139.77, 40});
    struct Row {
        const char* env;
        const char* options;
        bool notice;
        double zenith;
    };
    const Row rows[] = {
        {"TZ=UTC", "", true, noon.zenithDeg},
        {"TZ=UTC", "--tz +09:00", false, noon.zenithDeg},
        {"TZ=Asia/Tokyo", "", false, noon.zenithDeg},
        // Asked for the wrong zone, the record is read 9 hours late: night in Tokyo.
        {"TZ=Asia/Tokyo", "--tz UTC", false,
         90.0 - rad::SunElevationDeg(1718884800, {35.68, 139.77, 40})},
    };
    for (const Row& row : rows) {
        const ToolRun run =
            Tool(std::string("quantities ") + row.options + " " + Path("tokyo.RSD"), row.env);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err.find("UTC+09:00") != std::string::npos, row.notice) << row.options;
        const auto lines = Split(run.out);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_TRUE(lines[1].starts_with("2024/06/20,12:00:00,")) << lines[1];
        EXPECT_NEAR(std::stod(FieldOf(lines[0], lines[1], "Sun zenith(deg)")), row.zenith, 0.006)
            << row.env << " " << row.options;
    }
    const std::string json = Out("quantities --json " + Path("tokyo.RSD"), "TZ=UTC");
    EXPECT_THAT(json, HasSubstr("\"clear_sky_index\":"));
    EXPECT_THAT(json, HasSubstr("\"sun_azimuth\":"));
}

TEST_F(LightTool, SunColumnsWithoutASiteAreEmptyAndSaidOnce) {
    // The factory default site, 0/0, is no site.
    for (int day = 0; day < 2; ++day) {
        m_sets[day].m_strLat = "00.000";
        m_sets[day].m_strLon = "000.000";
        ASSERT_TRUE(m_sets[day].Save(Path("nosite" + std::to_string(day) + ".RSD")));
    }
    const ToolRun run = Tool("series " + Path("nosite0.RSD") + " " + Path("nosite1.RSD"));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Split(run.out);
    EXPECT_TRUE(lines[0].ends_with(
        ",Sun zenith(deg),Sun azimuth(deg),Clear-sky PPFD(umol/m2/s),Clear-sky index,QC"));
    EXPECT_TRUE(lines[1].ends_with(",,,,,")) << lines[1];
    EXPECT_NE(run.err.find("no site"), std::string::npos);
    EXPECT_EQ(run.err.find("no site"), run.err.rfind("no site"));  // said once
    const std::string daily = Out("daily " + Path("nosite0.RSD"));
    EXPECT_THAT(daily, HasSubstr("Photoperiod(h),Clear-sky DLI(mol/m2/d),DLI/clear-sky,Flagged\n"));
    EXPECT_THAT(daily, HasSubstr(",,,0\n"));
}

TEST_F(LightTool, FlagsNeedingTheWholeFileReachEveryOutput) {
    // The first record lacks the QS-300 that the later ones hold: known only at the file's end
    // to the rows made while it loads. The second is saturated. The profile's [QC] leaves
    // night out, whichever zone the test runs in.
    CRsdData& set = m_sets[0];
    set.GetAt(0).RemoveBlock(kQS300);
    set.GetAt(1).Block(kQS100)->MD[9] = set.GetAt(1).Block(kQS100)->DD[9] = 0.0f;
    ASSERT_TRUE(set.Save(Path("flagged.RSD")));
    std::ofstream(Path("qc.ini")) << "[QC]\nNIGHTELEVATION=-91\n";
    const std::string profile = "--profile " + Path("qc.ini") + " ";
    const auto lines = Split(Out("series " + profile + Path("flagged.RSD")));
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_TRUE(lines[1].ends_with(",sensor_missing")) << lines[1];
    EXPECT_TRUE(lines[2].ends_with(",saturated")) << lines[2];
    EXPECT_TRUE(lines[20].ends_with(",")) << lines[20];
    const auto json = Split(Out("series --json " + profile + Path("flagged.RSD")));
    ASSERT_EQ(json.size(), 33u);
    EXPECT_THAT(json[0], HasSubstr(",\"qc\":[\"sensor_missing\"]}"));
    EXPECT_THAT(json[19], HasSubstr(",\"qc\":[]}"));
    // Without the profile some records are at night.
    EXPECT_THAT(Tool("series " + Path("flagged.RSD")).out, HasSubstr("night"));

    const auto days = Split(Out("qc " + profile + Path("flagged.RSD") + " " + Path("day1.RSD")));
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0],
              "Date,Records,nonfinite,saturated,sensor_missing,sensors_apart,"
              "merge_mismatch,above_clear_sky,night,calibration_mismatch");
    EXPECT_EQ(days[1], "2024/06/01,33,0,1,1,0,0,0,0,0");
    EXPECT_EQ(days[2], "2024/06/02,33,0,0,0,0,0,0,0,0");
    EXPECT_THAT(Out("daily " + Path("flagged.RSD")), HasSubstr(",2\n"));
}

// A QS-300 unit exchanged at noon: the two parts of the day read as the whole day; a file
// that holds the other unit's blocks under the first unit's calibration is warned about.
TEST_F(LightTool, PartsOfADayAreOneDayAndForeignBlocksAreWarnedAbout) {
    CRsdData parts[2], mixed;
    for (CRsdData* set : {&parts[0], &parts[1], &mixed}) ASSERT_EQ(set->Load(Path("day0.RSD")), 33);
    SetTextField(parts[1].m_pCal[kQS300]->SN, "99999");
    for (int i = 32; i >= 0; --i) {
        for (CRsdData* set : {&parts[1], &mixed})
            if (i >= 16) SetTextField(set->GetAt(i).Block(kQS300)->SN, "99999");
        parts[i >= 16 ? 0 : 1].RemoveAt(i);
    }
    ASSERT_TRUE(parts[0].Save(Path("20240601.RSD")));
    ASSERT_TRUE(parts[1].Save(Path("20240601-2.RSD")));
    ASSERT_TRUE(mixed.Save(Path("mixed.RSD")));

    const ToolRun whole = Tool("daily " + Path("day0.RSD"));
    const ToolRun split = Tool("daily " + Path("20240601-2.RSD") + " " + Path("20240601.RSD"));
    ASSERT_EQ(split.status, 0) << split.err;
    EXPECT_EQ(split.out, whole.out);
    EXPECT_EQ(split.err, "");
    const ToolRun warned = Tool("series " + Path("mixed.RSD"));
    EXPECT_EQ(warned.status, 0);
    EXPECT_THAT(warned.err, HasSubstr(Path("mixed.RSD") +
                                      ": warning: 17 QS-300 blocks of serial 99999 (or another) "
                                      "measured by another unit than the calibration's"));
}

#ifdef RSDTOOL_PLOT_PATH
TEST_F(LightTool, PlotDrawsAPng) {
    const ToolRun run = Tool("plot " + Path("day0.RSD") + " 20 -o " + Path("p.png"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(ReadFile(Path("p.png")).starts_with("\x89PNG"));
}
#endif

}  // namespace
