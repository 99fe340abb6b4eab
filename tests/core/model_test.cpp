// The model rows hold together: the pairs a station may use, and status layouts that place
// every value of a block exactly once, where the status reply and T2 put it.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "ModelNames.h"
#include "SensorModel.h"
#include "StatusValueNames.h"

namespace {

// Every index below count named exactly once by fields (kNoValue aside).
void ExpectEveryIndexOnce(std::initializer_list<int> fields, int count) {
    std::vector<int> named, expected(static_cast<std::size_t>(count));
    std::copy_if(fields.begin(), fields.end(), std::back_inserter(named),
                 [](int index) { return index != kNoValue; });
    std::sort(named.begin(), named.end());
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(named, expected);
}

TEST(ModelRows, EachRowHoldsTogether) {
    for (const SensorModelInfo& info : kModels) {
        SCOPED_TRACE(info.label);
        EXPECT_EQ(ModelOfName(info.label), info.model);
        EXPECT_EQ(ModelOfName(info.key), info.model);
        // Partners are mutual and share their band.
        ASSERT_TRUE(IsValidModel(info.partner));
        EXPECT_NE(info.partner, info.model);
        EXPECT_EQ(ModelInfo(info.partner).partner, info.model);
        EXPECT_EQ(ModelInfo(info.partner).shortWave, info.shortWave);

        const StatusLayout& s = info.status;
        ASSERT_LE(info.statusInts, kMaxStatusInts);
        ASSERT_LE(info.statusFloats, kMaxStatusFloats);
        ExpectEveryIndexOnce({s.statusWord, s.coolingStopped, s.finOverheat, s.peltierState},
                             info.statusInts);
        ExpectEveryIndexOnce({s.sensorTemp, s.finTemp, s.internalTemp, s.internalTemp2,
                              s.supplyVolt, s.peltierCurr, s.peltierVolt},
                             info.statusFloats);
        // The report and the CSV show these for every model.
        EXPECT_NE(s.sensorTemp, kNoValue);
        EXPECT_NE(s.supplyVolt, kNoValue);
        EXPECT_TRUE(s.csvTemp == s.sensorTemp || s.csvTemp == s.internalTemp);
        EXPECT_NE(s.csvTemp, kNoValue);

        // The driver fills the status reply's floats first and T2 after them.
        EXPECT_EQ(info.secondTemperature, s.internalTemp2 != kNoValue);
        if (info.secondTemperature) {
            EXPECT_EQ(s.internalTemp2, info.statusFloats - 1);
        }
    }
}

TEST(ModelRows, BothBandsNeedAVisibleAndAnInfraredModel) {
    struct Case {
        std::array<bool, kModelCount> use;
        bool both;
    };
    const Case cases[] = {
        {{true, false, true, false}, true},    {{false, true, false, true}, true},
        {{true, true, false, false}, false},   {{false, false, true, true}, false},
        {{false, false, false, false}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(HasBothBands(c.use), c.both);
}

TEST(StatusValueNames, EveryValueOfABlockHasItsOwnName) {
    for (const SensorModelInfo& info : kModels) {
        SCOPED_TRACE(info.label);
        const auto ints = rad::StatusIntNames(info.model);
        const auto floats = rad::StatusFloatNames(info.model);
        ASSERT_EQ(ints.size(), static_cast<std::size_t>(info.statusInts));
        ASSERT_EQ(floats.size(), static_cast<std::size_t>(info.statusFloats));
        std::set<std::string> names;
        for (const auto& list : {ints, floats})
            for (const auto& n : list) names.insert(n.name ? n.name : "");
        EXPECT_FALSE(names.contains(""));
        EXPECT_EQ(names.size(), ints.size() + floats.size());
        EXPECT_STREQ(floats[static_cast<std::size_t>(info.status.supplyVolt)].name,
                     "supply_voltage");
    }
    EXPECT_TRUE(rad::StatusFloatNames(kModelCount).empty());
}

}  // namespace
