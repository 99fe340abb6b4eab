// The parts of a day file (a sensor unit swapped during the day) and the blocks of another unit
// than their file's calibration.
#include "DayParts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "BlockSerials.h"
#include "RsdData.h"
#include "spectral_fixture.h"

namespace {

TEST(DayParts, NamesPathsAndOrder) {
    const struct {
        const char* name;
        const char* day;  // "" when no day file
        int part;
    } names[] = {
        {"20240701.RSD", "20240701", 1},
        {"20240701-2.RSD", "20240701", 2},
        {"20240701-17.rsd", "20240701", 17},
        {"20240701-1.RSD", "", 0},
        {"20240701-.RSD", "", 0},
        {"20240701-2a.RSD", "", 0},
        {"2024070.RSD", "", 0},
        {"20240701.CSV", "", 0},
    };
    for (const auto& n : names) {
        const auto parsed = rad::ParseDayPartName(n.name);
        EXPECT_EQ(parsed ? parsed->day : "", n.day) << n.name;
        EXPECT_EQ(parsed ? parsed->part : 0, n.part) << n.name;
    }
    EXPECT_EQ(rad::DayPartPath("/d/2024/20240701.RSD", 1), "/d/2024/20240701.RSD");
    EXPECT_EQ(rad::DayPartPath("/d/2024/20240701.RSD", 3), "/d/2024/20240701-3.RSD");
    EXPECT_EQ(rad::DayPartPath("/d.x/20240701", 2), "/d.x/20240701-2");

    // Plain name order puts "-2" before ".RSD"; the parts follow their first part.
    std::vector<std::string> files = {"b/20240702.RSD", "a/20240701-10.RSD", "20240701-2.RSD",
                                      "x/20240701.RSD", "notes.RSD"};
    std::sort(files.begin(), files.end(), rad::DayFileNameLess);
    EXPECT_EQ(files,
              (std::vector<std::string>{"x/20240701.RSD", "20240701-2.RSD", "a/20240701-10.RSD",
                                        "b/20240702.RSD", "notes.RSD"}));
}

TEST(BlockSerials, BlocksOfAnotherUnitThanTheCalibrationAreFound) {
    CRsdData set;
    set.SetCal(kQS100, fixture::LinearCal(kQS100, 300.0, 1.0));
    set.SetCal(kQS300, fixture::LinearCal(kQS300, 900.0, 4.0));
    SetTextField(set.m_pCal[kQS100]->SN, "10231");
    SetTextField(set.m_pCal[kQS300]->SN, "12231");
    const auto block = [](int model, const char* serial) {
        SensorData data = fixture::RampBlock(model, 1.0f);
        SetTextField(data.SN, serial);
        return data;
    };
    const struct {
        const char* what;
        const char* serial100;
        const char* serial300;
        int foreign;  // FirstForeignBlock
    } records[] = {
        {"both units of the calibrations", "10231", "12231", -1},
        {"QS-300 swapped", "10231", "77777", kQS300},
        {"QS-100 swapped too", "55555", "77777", kQS100},
        {"a block without a serial says nothing", "", "12231", -1},
    };
    for (int i = 0; i < 4; ++i) {
        const auto& r = records[i];
        fixture::AddRecord(set, 60 * (i + 1),
                           {block(kQS100, r.serial100), block(kQS300, r.serial300)});
        EXPECT_EQ(rad::FirstForeignBlock(set, set.GetAt(i)), r.foreign) << r.what;
    }
    const auto found = rad::FindSerialMismatches(set);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].model, kQS100);
    EXPECT_EQ(found[0].blocks, 1);
    EXPECT_EQ(rad::SerialMismatchText(found[1]),
              "2 QS-300 blocks of serial 77777 (or another) measured by another unit than the "
              "calibration's (serial 12231): computed with the wrong calibration");
}

}  // namespace
