#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "CalcCsv.h"
#include "LocalTime.h"
#include "NumberFormat.h"
#include "SpectralCsv.h"
#include "spectral_fixture.h"

using fixture::AddRecord;
using fixture::LinearCal;
using fixture::RampBlock;

namespace {
int64_t Local(int day, int hour, int minute) {
    return *rad::LocalFieldsToTime(2024, 7, day, hour, minute, 0);
}

// The cell of column (0-based, after the label) of a line.
std::string Cell(const std::string& line, int column) {
    std::stringstream cells(line);
    std::string cell;
    for (int k = 0; k <= column + 1; ++k) std::getline(cells, cell, ',');
    return cell;
}

// QS-100 300..1323 nm and QS-300 900..1411 nm in 1 nm steps: every overlap wavelength is a tie.
void TiedSet(CRsdData& set) {
    set.SetCal(kQS100, LinearCal(kQS100, 300.0, 1.0));
    set.SetCal(kQS300, LinearCal(kQS300, 900.0, 1.0));
    AddRecord(set, 0, {RampBlock(kQS100, 1), RampBlock(kQS300, 2)});
}
}  // namespace

TEST(FixedFormat, EqualsPrintfForAnyValue) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 12);
    std::vector<double> values = {0.0, -0.0, 0.005, 0.015, 0.125, 2.675, -1.005, 1e300, 5e-324};
    for (int k = 0; k < 100000; ++k)
        values.push_back(mantissa(rng) * std::pow(10.0, exponent(rng)));
    for (int k = 0; k < 20000; ++k)
        values.push_back((static_cast<int>(rng() % 2000000) - 1000000) / 8.0);
    for (const double v : values) {
        for (const int precision : {0, 1, 2, 3, 4}) {  // every precision a quantity uses
            char expected[512];
            std::snprintf(expected, sizeof expected, "%.*f", precision, v);
            std::string actual;
            rad::AppendFixed(actual, v, precision);
            ASSERT_EQ(actual, expected) << v;
        }
    }
}

// Every pair's band is one row of the merge table, tested with the merged values.
TEST(MergedAxis, KeepsThePairsBandAndTies) {
    const struct {
        std::vector<int> models;
        int shortModel, longModel;
        double shortLimit, longLimit;
    } cases[] = {{{kQS100, kQS300}, kQS100, kQS300, 950, 900},
                 {{kQS200, kQS400}, kQS200, kQS400, 1050, 950},
                 {{kQS100, kQS200, kQS300, kQS400}, kQS100, kQS300, 950, 900}};
    for (const auto& c : cases) {
        CRsdData set;
        for (const int m : c.models) {
            const bool shortWave = kModels[m].shortWave;
            set.SetCal(m, LinearCal(m, shortWave ? 300 : 880,
                                    (shortWave ? 800.0 : 820.0) / (PixelCount(m) - 1)));
        }
        CSpectralCsv csv;
        csv.BuildMergedAxis(set);
        const auto& s = set.GetCal(c.shortModel)->WL;
        const auto& l = set.GetCal(c.longModel)->WL;
        const auto kept =
            std::count_if(s.begin(), s.end(), [&](float w) { return w <= c.shortLimit; }) +
            std::count_if(l.begin(), l.end(), [&](float w) { return w >= c.longLimit; });
        EXPECT_EQ(static_cast<long>(csv.mergedAxis.size()), kept) << c.shortModel << c.longModel;
        EXPECT_TRUE(std::is_sorted(csv.mergedAxis.begin(), csv.mergedAxis.end()));
        EXPECT_EQ(csv.mergedAxis.front(), s.front());
        EXPECT_EQ(csv.mergedAxis.back(), l.back());
    }
    CRsdData single;
    single.SetCal(kQS200, LinearCal(kQS200, 300.0, 0.5));
    CSpectralCsv csv;
    csv.BuildMergedAxis(single);
    EXPECT_EQ(csv.mergedAxis.size(), 2048u);
    csv.BuildMergedAxis(CRsdData());
    EXPECT_TRUE(csv.mergedAxis.empty());
}

TEST(SpectralCsv, RawRowsAreTheUnionAndEveryMergeRowHasItsValue) {
    CRsdData set;
    TiedSet(set);
    CSpectralCsv csv;
    csv.BuildMergedAxis(set);
    csv.BuildCsvRows(set, CsvSettings{});
    ASSERT_EQ(csv.csvAxis.size(), 1112u);  // 300 .. 1411 once each
    EXPECT_TRUE(std::adjacent_find(csv.csvAxis.begin(), csv.csvAxis.end(), [](double a, double b) {
                    return !(a < b);
                }) == csv.csvAxis.end());
    csv.AppendCsvColumns(set, 0, CsvSettings{});
    int qs100 = 0, qs300 = 0, merge = 0;
    for (std::size_t r = 0; r < csv.csvAxis.size(); ++r) {
        const std::string& line = csv.csvLines[8 + r];
        qs100 += !Cell(line, 0).empty();
        qs300 += !Cell(line, 1).empty();
        merge += !Cell(line, 2).empty();
    }
    EXPECT_EQ(qs100, 1024);
    EXPECT_EQ(qs300, 512);
    EXPECT_EQ(merge, 1112);  // past the ties too
    EXPECT_EQ(csv.csvLines.back(), "1411.00,,2.00,2.00,");

    CsvSettings onlyQs100;
    onlyQs100.models = {true, false, false, false};
    onlyQs100.merge = false;
    csv.BuildCsvRows(set, onlyQs100);
    csv.AppendCsvColumns(set, 0, onlyQs100);
    ASSERT_EQ(csv.csvAxis.size(), 1024u);
    EXPECT_TRUE(std::all_of(csv.csvLines.begin() + 8, csv.csvLines.end(),
                            [](const std::string& line) { return line.ends_with(".00,1.00,"); }));
}

// Written row by row, the file holds the lines AppendRecords makes in memory, for raw rows
// with ties in the merged list and for whole nanometres.
TEST(SpectralCsv, WrittenRowByRowEqualsTheLinesInMemory) {
    CRsdData set;
    TiedSet(set);
    AddRecord(set, Local(1, 7, 0), {RampBlock(kQS100, 3), RampBlock(kQS300, 7)}, "second");
    CsvSettings pitch;
    pitch.pitch = 1;
    const std::string path = testing::TempDir() + "/written-by-rows.csv";
    for (const CsvSettings& settings : {CsvSettings{}, pitch}) {
        CSpectralCsv inMemory, byRows;
        inMemory.BuildMergedAxis(set);
        byRows.BuildMergedAxis(set);
        ASSERT_EQ(inMemory.BuildCsvRows(set, settings), 1);
        ASSERT_EQ(byRows.BuildCsvRows(set, settings), 1);
        inMemory.AppendRecords(set, {1, 0}, settings);
        ASSERT_EQ(byRows.WriteRecords(path, set, {1, 0}, settings), 0);
        std::string expected;
        for (const std::string& line : inMemory.csvLines) expected += line + "\n";
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), expected) << settings.pitch;
    }
    std::remove(path.c_str());
}

TEST(SpectralCsv, WholeNanometreRowsAndTheWorkedExample) {
    CRsdData set;
    set.SetCal(kQS100, LinearCal(kQS100, 300.5, 1.0));
    set.SetCal(kQS300, LinearCal(kQS300, 900.0, 2.0));
    SensorData qs100 = RampBlock(kQS100, 10, 2), qs300 = RampBlock(kQS300, 5);
    qs100.ET = 100;
    qs100.statusFloat[0] = 25.0f, qs100.statusFloat[1] = 12.0f;
    qs300.ET = 200;
    qs300.statusFloat[0] = -10.0f, qs300.statusFloat[2] = 30.0f, qs300.statusFloat[3] = 5.0f;
    AddRecord(set, Local(1, 6, 10), {qs100}, "ARVEN SOLIS");
    AddRecord(set, Local(1, 6, 20), {qs100, qs300}, "ARVEN SOLIS");
    AddRecord(set, Local(2, 0, 0), {qs300}, "skipped");

    CsvSettings settings;
    settings.pitch = 1;
    CSpectralCsv csv;
    csv.BuildMergedAxis(set);
    csv.BuildCsvRows(set, settings);
    ASSERT_EQ(csv.csvAxis.size(), 1501u);
    EXPECT_EQ(csv.csvLines[8], "300.00,");
    EXPECT_EQ(csv.csvLines.back(), "1800.00,");

    settings.right = 302;
    settings.models[kQS300] = false;  // the third record then has no column at all
    csv.BuildCsvRows(set, settings);
    csv.AppendRecords(set, {0, 2, 1}, settings);
    const std::vector<std::string> withoutQs300 = {
        "Date,2024/07/01,2024/07/01,,",
        "Time,06:10:00,06:20:00,,",
        "Memo,ARVEN SOLIS,ARVEN SOLIS,,",
        "Sensor,QS-100,QS-100,Merge,",
        "Exposure Time(msec),100,100,,",
        "Sensor Temp.(deg),25.0,25.0,,",
        "Power(V),12.0,12.0,,",
        "Wavelength(nm),Irradiance(W/m2/um),Irradiance(W/m2/um),Irradiance(W/m2/um),",
        "300.00,,,,",
        "301.00,11.00,11.00,11.00,",
        "302.00,13.00,13.00,13.00,"};
    EXPECT_EQ(csv.csvLines, withoutQs300);

    settings.models[kQS300] = true;
    csv.BuildCsvRows(set, settings);
    csv.AppendRecords(set, {0, 1}, settings);
    EXPECT_EQ(csv.csvLines[0], "Date,2024/07/01,2024/07/01,,,");
    EXPECT_EQ(csv.csvLines[3], "Sensor,QS-100,QS-100,QS-300,Merge,");
    EXPECT_EQ(csv.csvLines[5], "Sensor Temp.(deg),25.0,25.0,30.0,,");  // internal, not sensor
    EXPECT_EQ(csv.csvLines[6], "Power(V),12.0,12.0,5.0,,");
    EXPECT_EQ(csv.csvLines[10], "302.00,13.00,13.00,,13.00,");
    EXPECT_THROW(csv.AppendCsvColumns(set, 3, settings), std::out_of_range);
}

// A 1 nm range no instrument can mean is refused before a single row is made.
TEST(SpectralCsv, RangesOutsideTheLimitsOrReversedAreRefused) {
    CRsdData set;
    set.SetCal(kQS100, LinearCal(kQS100, 300.5, 1.0));
    AddRecord(set, Local(1, 6, 10), {RampBlock(kQS100, 10)}, "");
    struct Case {
        int left, right, result;
        std::size_t rows;
    };
    const Case cases[] = {
        {300, 2147483647, CSpectralCsv::kCsvRangeRefused, 0},
        {-2147483647 - 1, 300, CSpectralCsv::kCsvRangeRefused, 0},
        {-1, 300, CSpectralCsv::kCsvRangeRefused, 0},
        {0, 100001, CSpectralCsv::kCsvRangeRefused, 0},
        {99990, 100000, 1, 11},
        {0, 1, 1, 2},
        {500, 400, CSpectralCsv::kCsvRangeRefused, 0},  // a file without a row answers nothing
        {500, 500, CSpectralCsv::kCsvRangeRefused, 0},
    };
    for (const Case& c : cases) {
        CsvSettings settings;
        settings.pitch = 1;
        settings.left = c.left;
        settings.right = c.right;
        CSpectralCsv csv;
        csv.BuildMergedAxis(set);
        EXPECT_EQ(csv.BuildCsvRows(set, settings), c.result) << c.left << ".." << c.right;
        EXPECT_EQ(csv.csvAxis.size(), c.rows) << c.left << ".." << c.right;
        EXPECT_EQ(csv.csvLines.size(), c.result == 1 ? 8 + c.rows : 0u);
    }
    CsvSettings raw;  // the raw grid ignores the range
    raw.right = 2147483647;
    CSpectralCsv csv;
    csv.BuildMergedAxis(set);
    EXPECT_EQ(csv.BuildCsvRows(set, raw), 1);
}

TEST(CalcCsv, OneLinePerRecordUnderTheFilesDate) {
    CRsdData set;
    IntegSettings integ{400, 700};
    EXPECT_TRUE(rad::BuildCalcCsvLines(set, {}, integ).empty());
    EXPECT_EQ(rad::WriteCalcCsv(testing::TempDir() + "none.csv", set, {}, integ), 0);
    set.SetCal(kQS100, LinearCal(kQS100, 300.0, 800.0 / 1023));
    AddRecord(set, Local(1, 6, 10), {RampBlock(kQS100, 1000)});
    AddRecord(set, Local(2, 12, 0), {RampBlock(kQS100, 1000)});
    AddRecord(set, Local(2, 12, 30), {});
    const std::vector<std::string> expected = {
        "2024/07/01", "Time,PAR(W/m2),PPFD(umol/m2/s),Illuminance(lx),Total(W/m2)(400-700),",
        "12:30:00,0.00,0.0,0.0,0.0,", "12:00:00,300.00,1379.3,72983.0,300.0,"};
    EXPECT_EQ(rad::BuildCalcCsvLines(set, {2, 1}, integ), expected);
    EXPECT_THROW(rad::BuildCalcCsvLines(set, {3}, integ), std::out_of_range);
    EXPECT_EQ(rad::WriteCalcCsv(testing::TempDir() + "calc.csv", set, {0}, integ), 1);
    // A reversed band from a hand-edited profile: refused, as a range beyond the limits.
    for (const IntegSettings refused : {IntegSettings{700, 400}, IntegSettings{0, 100001}})
        EXPECT_EQ(rad::WriteCalcCsv(testing::TempDir() + "refused.csv", set, {0}, refused),
                  rad::kCalcRangeRefused);
}
