#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "DetailRecord.h"
#include "LocalTime.h"
#include "spectral_fixture.h"

using fixture::AddRecord;
using fixture::RampBlock;

namespace {
const IntegSettings kInteg{};

// A QS-100 and a QS-400 block with distinct health values; no calibration, so no spectrum.
void HealthSet(CRsdData& set, int32_t peltier = 1) {
    SensorData visible = RampBlock(kQS100, 0);
    visible.ET = 500;
    visible.statusInt[0] = peltier;
    const float visibleFloats[] = {25.04f, 12.0f, 1.23f, 4.56f};
    std::copy(std::begin(visibleFloats), std::end(visibleFloats), visible.statusFloat);
    visible.DD.assign(visible.DD.size(), 2.5f);  // a dark range of 3.5 that starts at neither end
    visible.DD[3] = 2.0f;
    visible.DD[7] = 5.5f;
    SensorData infrared = RampBlock(kQS400, 0);
    infrared.ET = 300;
    const int32_t infraredInts[] = {9, 0, 1, -1};
    std::copy(std::begin(infraredInts), std::end(infraredInts), infrared.statusInt);
    const float infraredFloats[] = {-20.0f, 35.0f, 30.0f, 5.0f, 0.5f, 1.5f, -273.15f};
    std::copy(std::begin(infraredFloats), std::end(infraredFloats), infrared.statusFloat);
    AddRecord(set, *rad::LocalFieldsToTime(2024, 7, 1, 6, 10, 0), {visible, infrared},
              "ARVEN SOLIS");
}

StatusReport Build(const CRsdData& set, int disp, ReportLanguage language,
                   IntegSettings integ = kInteg) {
    StatusReport report;
    CResample spectrum;
    BuildStatusReport(set, 0, disp, integ, language, spectrum, report);
    return report;
}
}  // namespace

TEST(StatusReport, DetailedAndShortSectionsInBothLanguages) {
    CRsdData set;
    HealthSet(set);
    EXPECT_EQ(
        Build(set, 0, ReportLanguage::English).statusText,
        "--- QS-100 ---\nExposure time : 500ms\nSensor Temp. : 25.0deg\nSupply Volt. : 12.0V\n"
        "Peltier Status : Heating\nPeltier Volt.  : 4.6V\nPeltier Curr. : 1.2A\n"
        "Dark Counts : 3.5cps\n"
        "--- QS-400 ---\nExposure time : 300ms\nSensor Temp. : -20.0deg\n"
        "Sensor Cooling : Active\nSupply Volt. : 5.0V\nFin Status : Overheat\n"
        "Fin Temp. : 35.0deg\nInternal Temp. : 30.0deg\nInternal Temp.2 : -273.1deg\n"
        "Peltier Status : Cooling\nPeltier Volt. : 1.5V\nPeltier Curr. : 0.5A\n"
        "Dark Counts : 0.0cps\n");
    EXPECT_EQ(Build(set, 0, ReportLanguage::Japanese).statusText,
              "--- QS-100 ---\n蓄積時間 : 500ms\nセンサ温度 : 25.0deg\n電源電圧   : 12.0V\n"
              "ペルチェ駆動 : 加熱中\nペルチェ電圧 : 4.6V\nペルチェ電流 : 1.2A\nダーク幅 : 3.5cps\n"
              "--- QS-400 ---\n蓄積時間 : 300ms\nセンサ温度 : -20.0deg\nセンサ冷却 : 駆動中\n"
              "電源電圧 : 5.0V\n放熱フィン : 過熱\nフィン温度 : 35.0deg\n内部温度  : 30.0deg\n"
              "内部温度2 : -273.1deg\nペルチェ駆動 : 冷却中\nペルチェ電圧 : 1.5V\n"
              "ペルチェ電流 : 0.5A\nダーク幅 : 0.0cps\n");
    const std::string shortText =
        "--- QS-100 ---\nExposure time : 500ms\nSensor Temp. : 25.0deg\nSupply Volt. : 12.0V\n"
        "--- QS-400 ---\nExposure time : 300ms\nSensor Temp. : -20.0deg\n"
        "Sensor Cooling : Active\nSupply Volt. : 5.0V\n";
    EXPECT_EQ(Build(set, 1, ReportLanguage::English).statusText, shortText);
    EXPECT_EQ(Build(set, 5, ReportLanguage::English).statusText, shortText);
    const StatusReport japanese = Build(set, 1, ReportLanguage::Japanese);
    EXPECT_EQ(japanese.integralText, "Integral : 0.0W/m2(300 - 1800nm)");
    EXPECT_EQ(japanese.dateText, "2024/07/01  06:10:00");
    EXPECT_EQ(japanese.titleText, "ARVEN SOLIS");
}

// Heating (1) and cooling (-1) are in the texts above.
TEST(StatusReport, PeltierStatesOtherThanHeatingAndCoolingAreStop) {
    for (const int32_t state : {0, 2}) {
        CRsdData set;
        HealthSet(set, state);
        EXPECT_NE(Build(set, 0, ReportLanguage::English).statusText.find("Peltier Status : Stop\n"),
                  std::string::npos);
        EXPECT_NE(
            Build(set, 0, ReportLanguage::Japanese).statusText.find("ペルチェ駆動 : 停止中\n"),
            std::string::npos);
    }
}

TEST(StatusReport, EmptyRecordsReversedBandsAndBadIndices) {
    CRsdData set;
    AddRecord(set, *rad::LocalFieldsToTime(2024, 1, 15, 23, 59, 58), {}, "memo \x93\xfa\x96\x7b");
    const StatusReport report = Build(set, 0, ReportLanguage::English, IntegSettings{1800, 300});
    EXPECT_EQ(report.statusText, "");
    EXPECT_EQ(report.integralText, "Integral : 0.0W/m2(1800 - 300nm)");
    EXPECT_EQ(report.dateText, "2024/01/15  23:59:58");
    EXPECT_EQ(report.titleText, "memo \xe6\x97\xa5\xe6\x9c\xac");  // Shift_JIS shown as UTF-8

    StatusReport untouched{"s", "i", "d", "t"};
    CResample spectrum;
    EXPECT_THROW(BuildStatusReport(set, 1, 0, kInteg, ReportLanguage::English, spectrum, untouched),
                 std::out_of_range);
    EXPECT_EQ(
        untouched.statusText + untouched.integralText + untouched.dateText + untouched.titleText,
        "sidt");
}

TEST(DetailRecord, AppendsTheLabelledSpectrumAndReturnsTheTexts) {
    CRsdData set;
    set.SetCal(kQS100, fixture::LinearCal(kQS100, 300.0, 800.0 / 1023));
    HealthSet(set);
    auto& md = set.GetAt(0).Block(kQS100)->MD;
    md.assign(md.size(), 1002.5f);  // 1000 over the dark signal
    std::vector<CResample> shown(1);
    const StatusReport report =
        PrepareDetailRecord(set, 0, 1, IntegSettings{400, 700}, ReportLanguage::English, shown);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].m_strLabel, "2024/07/01  06:10:00");
    EXPECT_EQ(shown[1].m_nFirst, 301);  // the QS-400 block has no calibration
    EXPECT_EQ(report.integralText, "Integral : 300.0W/m2(400 - 700nm)");
    EXPECT_THROW(PrepareDetailRecord(set, -1, 1, kInteg, ReportLanguage::English, shown),
                 std::out_of_range);
    EXPECT_EQ(shown.size(), 2u);
}

TEST(Language, LocaleVariablesInPrecedenceOrderAndExplicitChoice) {
    const struct {
        const char *all, *messages, *lang;  // nullptr = unset
        ReportLanguage expected;
    } cases[] = {{nullptr, nullptr, nullptr, ReportLanguage::English},
                 {nullptr, nullptr, "ja_JP.UTF-8", ReportLanguage::Japanese},
                 {"", "", "ja", ReportLanguage::Japanese},
                 {"C", nullptr, "ja_JP.UTF-8", ReportLanguage::English},
                 {nullptr, "ja_JP.eucJP", "en_US.UTF-8", ReportLanguage::Japanese},
                 {"ja_JP", "en_GB", "en_US", ReportLanguage::Japanese},
                 {nullptr, nullptr, "jp_JP", ReportLanguage::English}};
    for (const auto& c : cases) {
        const std::pair<const char*, const char*> vars[] = {
            {"LC_ALL", c.all}, {"LC_MESSAGES", c.messages}, {"LANG", c.lang}};
        for (const auto& [name, value] : vars) value ? setenv(name, value, 1) : unsetenv(name);
        EXPECT_EQ(rad::DetectReportLanguage(), c.expected) << (c.lang ? c.lang : "-");
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) unsetenv(name);
    EXPECT_EQ(rad::ParseReportLanguage("ja"), ReportLanguage::Japanese);
    EXPECT_EQ(rad::ParseReportLanguage("en"), ReportLanguage::English);
    EXPECT_EQ(rad::ParseReportLanguage("JA"), std::nullopt);
}
