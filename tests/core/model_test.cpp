// The model rows hold together: the pairs a station may use, and status layouts that place
// every value of a block exactly once, where the status reply and T2 put it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "SensorModel.h"
#include "StatusValueNames.h"

namespace {

TEST(ModelRows, PartnersAreMutualAndShareTheirBand) {
    for (const SensorModelInfo& info : kModels) {
        SCOPED_TRACE(info.label);
        EXPECT_EQ(&ModelInfo(info.model), &info);
        ASSERT_TRUE(IsValidModel(info.partner));
        EXPECT_NE(info.partner, info.model);
        EXPECT_EQ(ModelInfo(info.partner).partner, info.model);
        EXPECT_EQ(ModelInfo(info.partner).shortWave, info.shortWave);
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

// The block indexes a layout names, each field once.
std::vector<int> Named(const std::initializer_list<int> fields) {
    std::vector<int> named;
    for (int index : fields)
        if (index != kNoValue) named.push_back(index);
    return named;
}

void ExpectEveryIndexOnce(const std::vector<int>& named, int count) {
    std::multiset<int> seen(named.begin(), named.end());
    for (int index = 0; index < count; ++index) EXPECT_EQ(seen.count(index), 1u) << index;
    EXPECT_EQ(named.size(), static_cast<std::size_t>(count));
}

TEST(ModelRows, LayoutPlacesEveryStatusValueOnce) {
    for (const SensorModelInfo& info : kModels) {
        SCOPED_TRACE(info.label);
        const StatusLayout& s = info.status;
        ASSERT_LE(info.statusInts, kMaxStatusInts);
        ASSERT_LE(info.statusFloats, kMaxStatusFloats);
        ExpectEveryIndexOnce(Named({s.statusWord, s.coolingStopped, s.finOverheat, s.peltierState}),
                             info.statusInts);
        ExpectEveryIndexOnce(Named({s.sensorTemp, s.finTemp, s.internalTemp, s.internalTemp2,
                                    s.supplyVolt, s.peltierCurr, s.peltierVolt}),
                             info.statusFloats);
        // The report and the CSV show these for every model.
        EXPECT_NE(s.sensorTemp, kNoValue);
        EXPECT_NE(s.supplyVolt, kNoValue);
        EXPECT_TRUE(s.csvTemp == s.sensorTemp || s.csvTemp == s.internalTemp);
        EXPECT_NE(s.csvTemp, kNoValue);
    }
}

TEST(ModelRows, SecondTemperatureFollowsTheStatusReply) {
    for (const SensorModelInfo& info : kModels) {
        SCOPED_TRACE(info.label);
        // The driver fills the status reply's floats first and T2 after them.
        EXPECT_EQ(info.secondTemperature, info.status.internalTemp2 != kNoValue);
        if (info.secondTemperature) {
            EXPECT_EQ(info.status.internalTemp2, info.statusFloats - 1);
        }
        EXPECT_EQ(StatusReplyFloats(info) + (info.secondTemperature ? 1 : 0), info.statusFloats);
    }
}

TEST(ModelRows, ExposureIsSearchedBetweenLimitsOrFixed) {
    for (const SensorModelInfo& info : kModels) {
        SCOPED_TRACE(info.label);
        if (info.fixedExposureMs == 0) {
            EXPECT_LT(0, info.lowCounts);
            EXPECT_LT(info.lowCounts, info.highCounts);
            EXPECT_LE(info.highCounts, 32767);
        } else {
            EXPECT_EQ(info.highCounts, 0);
        }
    }
}

TEST(StatusValueNames, EveryValueOfABlockHasItsOwnName) {
    for (const SensorModelInfo& info : kModels) {
        SCOPED_TRACE(info.label);
        std::set<std::string> names;
        const auto ints = rad::StatusIntNames(info.model);
        const auto floats = rad::StatusFloatNames(info.model);
        ASSERT_EQ(ints.size(), static_cast<std::size_t>(info.statusInts));
        ASSERT_EQ(floats.size(), static_cast<std::size_t>(info.statusFloats));
        for (const auto& n : ints) {
            ASSERT_NE(n.name, nullptr);
            names.insert(n.name);
        }
        for (const auto& n : floats) {
            ASSERT_NE(n.name, nullptr);
            names.insert(n.name);
        }
        EXPECT_EQ(names.size(), ints.size() + floats.size());
        EXPECT_STREQ(floats[static_cast<std::size_t>(info.status.supplyVolt)].name,
                     "supply_voltage");
    }
    EXPECT_TRUE(rad::StatusFloatNames(kModelCount).empty());
}

}  // namespace
