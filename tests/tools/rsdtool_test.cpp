#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

#include "CalcCsv.h"
#include "LocalTime.h"
#include "RadviewSettings.h"
#include "SpectralCsv.h"
#include "StatusReport.h"
#include "SyntheticData.h"
#include "ToolRun.h"

namespace {

namespace fs = std::filesystem;

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// Four records of a QS-100 and a QS-300 from 06:00 every 10 minutes, a copy whose QS-300
// calibration is gone, one whose second record has an impossible time, and a profile.
class RsdTool : public ToolTest {
  protected:
    void SetUp() override {
        ToolTest::SetUp();
        rad::MakeSyntheticDay(m_set, 4, {kQS100, kQS300},
                              *rad::LocalFieldsToTime(2024, 6, 1, 6, 0, 0), 600);
        ASSERT_TRUE(m_set.Save(Path("day.RSD")));
        CRsdData noCal;
        rad::MakeSyntheticDay(noCal, 2, {kQS100, kQS300}, m_set.GetAt(0).m_time, 600);
        noCal.m_pCal[kQS300].reset();
        ASSERT_TRUE(noCal.Save(Path("nocal.RSD")));
        const std::string second = rad::FormatLocalTime(m_set.GetAt(1).m_time, "%Y%m%d%H%M%S");
        std::ofstream(Path("badtime.RSD"), std::ios::binary)
            << Replace(ReadFile(Path("day.RSD")), second, "19691231235959");
        m_ini.SetText(
            "[SAVE]\nPITCH=1\nLEFT=400\nRIGHT=405\nQS300=0\n[INTEG]\nLEFT=400\nRIGHT=700\n[MODE]"
            "\nDISP=0\n");
        ASSERT_TRUE(m_ini.Save(Path("view.ini")));
        m_settings.LoadSettings(m_ini, "");
    }
    CRsdData m_set;
    CIniFile m_ini;
    RadviewSettings m_settings;
};

}  // namespace

TEST_F(RsdTool, ExitStatusAndErrorsNameTheFileAndProblem) {
    ExpectRuns({
        {"info " + Path("day.RSD"), 0, ""},
        {"info " + Path("missing.RSD"), 1,
         Path("missing.RSD") + ": cannot load (-3): the file does not exist"},
        {"info " + Path("view.ini"), 1, "not an RSD file"},
        {"info " + Path("badtime.RSD"), 1, "invalid time \"19691231235959\""},
        {"", 2, "usage: rsdtool"},
        {"frobnicate", 2, "unknown command"},
        {"info", 2, "missing arguments"},
        {"info --bogus " + Path("day.RSD"), 2, "unknown option"},
        {"spectral-csv --records x " + Path("day.RSD") + " " + Path("s.csv"), 2, "--records"},
        {"spectral-csv --records 1,9 " + Path("day.RSD") + " " + Path("s.csv"), 1, "no record 9"},
        {"calc-csv " + Path("day.RSD") + " " + Path("nofolder/c.csv"), 1,
         "c.csv: cannot be written: no such file or directory"},
        {"report --lang fr " + Path("day.RSD") + " 0", 2, "--lang"},
        {"report " + Path("day.RSD") + " 4", 1, "no record 4 (the file holds 4 records)"},
        {"report --profile " + Path("none.ini") + " " + Path("day.RSD") + " 0", 1,
         "none.ini: cannot read"},
        {"quantities " + Path("day.RSD") + " " + Path("day.RSD"), 2, "too many arguments"},
        {"quantities --records 99 " + Path("day.RSD"), 1, "no record 99"},
        {"series --tz Mars/Base " + Path("day.RSD"), 2, "unknown time zone"},
        {"demo --sky fog " + Path("fog.RSD"), 2, "--sky takes clear|cloudy|noon|lamp"},
    });
    ExpectHelp({"info", "copy", "spectral-csv", "calc-csv", "report", "demo", "quantities",
                "series", "daily", "plot"});
}

TEST_F(RsdTool, InfoListsCalibrationsRecordsAndUnusableBlocks) {
    const std::string day = Out("info " + Path("day.RSD"));
    EXPECT_THAT(day, HasSubstr("Load: 4 (loaded)"));
    EXPECT_THAT(day, HasSubstr("Calibration QS-300: SN " + std::string(m_set.GetCal(kQS300)->SN)));
    EXPECT_THAT(day, HasSubstr("Record 3: 2024/06/01  06:30:00  \"ARVEN SOLIS\"  QS-100 QS-300\n"));
    const ToolRun noCal = Tool("info " + Path("nocal.RSD"));
    EXPECT_EQ(noCal.status, 0);
    EXPECT_THAT(noCal.out, HasSubstr("QS-100 QS-300 (no calibration block)\n"));
    EXPECT_THAT(noCal.err,
                HasSubstr(Path("nocal.RSD") + ": 2 QS-300 block(s) with no calibration block"));

    // Blocks with non-finite pixels are named.
    m_set.GetAt(3).Block(kQS300)->DD[5] = std::numeric_limits<float>::infinity();
    m_set.GetAt(1).Block(kQS100)->MD[0] = std::numeric_limits<float>::quiet_NaN();
    ASSERT_TRUE(m_set.Save(Path("nonfinite.RSD")));
    const std::string nonFinite = Out("info " + Path("nonfinite.RSD"));
    for (const char* line : {"  QS-100 (holds non-finite values) QS-300\n",
                             "  QS-100 QS-300 (holds non-finite values)\n",
                             "Record 0: 2024/06/01  06:00:00  \"ARVEN SOLIS\"  QS-100 QS-300\n"})
        EXPECT_THAT(nonFinite, HasSubstr(line));
}

// Qt (drawing) and NetCDF (the archive) each add tens of libraries to a process start; only
// the programs of those commands load them.
TEST_F(RsdTool, CommandsThatDrawNothingLoadNeitherQtNorNetcdf) {
    const std::string command = "LD_DEBUG=libs " + std::string(RSDTOOL_PATH) + " info " +
                                Path("day.RSD") + " >/dev/null 2>" + Path("libs");
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string loaded = ReadFile(Path("libs"));
    EXPECT_THAT(loaded, HasSubstr("libc.so"));  // the trace is there
    for (const char* library : {"libQt", "libnetcdf", "libhdf5"})
        EXPECT_THAT(loaded, Not(HasSubstr(library))) << library;
}

TEST_F(RsdTool, CopyAndCsvExportsMatchTheCore) {
    Out("copy " + Path("day.RSD") + " " + Path("copy.RSD"));
    EXPECT_EQ(ReadFile(Path("copy.RSD")), ReadFile(Path("day.RSD")));

    Out("spectral-csv --profile " + Path("view.ini") + " --records 2,0 " + Path("day.RSD") + " " +
        Path("s.csv"));
    CSpectralCsv csv;
    csv.BuildMergedAxis(m_set);
    csv.BuildCsvRows(m_set, m_settings.csv);
    csv.AppendRecords(m_set, {2, 0}, m_settings.csv);
    EXPECT_EQ(ReadFile(Path("s.csv")), JoinLines(csv.csvLines));

    // One failing file does not stop the others, but the status reports it.
    const ToolRun batch =
        Tool("calc-csv --profile " + Path("view.ini") + " --out-dir " + Path("csv") + " " +
             Path("day.RSD") + " " + Path("missing.RSD") + " " + Path("nocal.RSD"));
    EXPECT_EQ(batch.status, 1);
    EXPECT_THAT(batch.err, HasSubstr("missing.RSD"));
    EXPECT_EQ(ReadFile(Path("csv/day.csv")),
              JoinLines(rad::BuildCalcCsvLines(m_set, {0, 1, 2, 3}, m_settings.integ)));
    EXPECT_TRUE(fs::exists(Path("csv/nocal.csv")));
    Out("spectral-csv --out-dir " + Path("csv") + " " + Path("day.RSD"));
    EXPECT_TRUE(fs::exists(Path("csv/day.csv")));
}

TEST_F(RsdTool, ReportPrintsTheViewerTextsInEitherLanguage) {
    CResample spectrum;
    StatusReport report;
    BuildStatusReport(m_set, 1, 0, m_settings.integ, ReportLanguage::English, spectrum, report);
    EXPECT_EQ(Out("report --profile " + Path("view.ini") + " --lang en " + Path("day.RSD") + " 1"),
              report.titleText + "\n" + report.dateText + "\n" + report.integralText + "\n" +
                  report.statusText);
    const std::string ja = Out("report --lang ja " + Path("day.RSD") + " 1");
    EXPECT_THAT(ja, HasSubstr("蓄積時間"));
    EXPECT_THAT(ja, Not(HasSubstr("ペルチェ")));  // no profile: DISP 1
    Out("demo --records 3 " + Path("demo.RSD"));
    EXPECT_THAT(Out("info " + Path("demo.RSD")), HasSubstr("Load: 3 (loaded)"));
    // The lamp knows no hours: midnight is as bright as any record; the site is the demo's.
    Out("demo --records 2 --sky lamp " + Path("lamp.RSD"));
    EXPECT_THAT(Out("daily " + Path("lamp.RSD")), HasSubstr(",1.000,19.9,00:00:00,"));
    EXPECT_THAT(Out("info " + Path("lamp.RSD")), HasSubstr("Lat: 35.0000"));
}

TEST_F(RsdTool, RecalibrateRefusesWhatWouldLoseDataAndWritesInPlaceOnlyWhenAsked) {
    const std::string day = Path("day.RSD");
    CRsdData other;
    rad::MakeSyntheticDay(other, 1, {kQS100}, m_set.GetAt(0).m_time, 600);
    SensorCal& cal = *other.m_pCal[kQS100];
    SetTextField(cal.SN, "NEW-1");
    for (float& f : cal.CAL) f *= 2;
    ASSERT_TRUE(other.Save(Path("other.RSD")));
    const std::string input = ReadFile(day);
    std::filesystem::create_directories(Path("sub"));
    std::filesystem::copy_file(day, Path("sub/day.RSD"));
    ExpectRuns({
        {"recalibrate --cal " + Path("other.RSD") + " " + day, 2, "give one of -o OUT"},
        {"recalibrate " + day + " -o " + Path("x.RSD"), 2, "--cal SOURCE is required"},
        {"recalibrate --cal " + day + " " + day + " " + day + " -o " + Path("x.RSD"), 2,
         "-o takes one FILE"},
        {"recalibrate --cal " + Path("other.RSD") + " " + day + " -o " + Path("x.RSD"), 1,
         "serial numbers differ (QS-100 "},
        {"recalibrate --cal " + Path("other.RSD") + " " + day + " -o " + day, 1,
         "it is one of the input files"},
        {"recalibrate --force --cal " + Path("other.RSD") + " " + day + " " + Path("sub/day.RSD") +
             " --out-dir " + Path("new/fixed"),
         1, "has the base name of an earlier file"},
    });
    EXPECT_TRUE(std::filesystem::exists(Path("new/fixed/day.RSD")));
    EXPECT_FALSE(std::filesystem::exists(Path("x.RSD")));
    EXPECT_EQ(ReadFile(day), input);
    EXPECT_THAT(Out("recalibrate --force --in-place --cal " + Path("other.RSD") + " " + day),
                HasSubstr(day + "\n  2024/06/01  max PPFD "));
    CRsdData after;
    ASSERT_GT(after.Load(day), 0);
    EXPECT_STREQ(after.GetCal(kQS100)->SN, "NEW-1");
    EXPECT_EQ(after.GetPixelValue(kQS100, 2, 500), 2 * m_set.GetPixelValue(kQS100, 2, 500));
}
