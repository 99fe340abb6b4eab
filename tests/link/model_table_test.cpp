#include <string>

#include "LoopDriverFixture.h"
#include "ModelNames.h"
#include "SpectralMath.h"

// Walks the model table: every row must be consistent on its own and drive a working sensor
// through the one driver class, so that a new model is a new row plus its cases here.
namespace {

bool InRange(int index, int count) { return index == kNoValue || (index >= 0 && index < count); }

TEST(ModelTable, EveryRowIsConsistent) {
    for (int m = 0; m < kModelCount; ++m) {
        const SensorModelInfo& info = ModelInfo(m);
        SCOPED_TRACE(info.label);
        EXPECT_EQ(info.model, m);
        EXPECT_EQ(ModelOfName(info.label), m);
        EXPECT_EQ(ModelOfName(info.key), m);
        EXPECT_GT(info.pixels, 0);
        EXPECT_LE(info.pixels, kMaxPixels);
        EXPECT_LE(info.statusInts, kMaxStatusInts);
        EXPECT_LE(info.statusFloats, kMaxStatusFloats);
        for (int index : {info.status.statusWord, info.status.coolingStopped,
                          info.status.finOverheat, info.status.peltierState})
            EXPECT_TRUE(InRange(index, info.statusInts)) << index;
        for (int index : {info.status.sensorTemp, info.status.finTemp, info.status.internalTemp,
                          info.status.internalTemp2, info.status.supplyVolt,
                          info.status.peltierCurr, info.status.peltierVolt, info.status.csvTemp})
            EXPECT_TRUE(InRange(index, info.statusFloats)) << index;
        // The partner shares the band and names this model back.
        ASSERT_TRUE(IsValidModel(info.partner));
        EXPECT_NE(info.partner, m);
        EXPECT_EQ(ModelInfo(info.partner).partner, m);
        EXPECT_EQ(ModelInfo(info.partner).shortWave, info.shortWave);
        EXPECT_TRUE(!AutoExposure(info) || info.lowCounts < info.highCounts);
        EXPECT_TRUE(!info.pixelMask || info.pixels <= kMaskSize);
    }
}

TEST(ModelTable, EveryVisibleAndInfraredCombinationHasAMergePair) {
    for (const SensorModelInfo& shortWave : kModels) {
        for (const SensorModelInfo& longWave : kModels) {
            if (!shortWave.shortWave || longWave.shortWave) continue;
            int found = 0;
            for (const rad::MergePair& pair : rad::kMergePairs)
                if (pair.shortModel == shortWave.model && pair.longModel == longWave.model) {
                    ++found;
                    EXPECT_LT(pair.lo, pair.hi);
                }
            EXPECT_EQ(found, 1) << shortWave.label << " + " << longWave.label;
        }
    }
}

using EveryModel = LoopDriver;

TEST_F(EveryModel, IdentifiesAndMeasuresThroughTheOneDriver) {
    for (const SensorModelInfo& info : kModels) {
        SCOPED_TRACE(info.label);
        StartReady(info.model);
        EXPECT_EQ(m_driver->Model(), info.model);
        EXPECT_EQ(std::string(m_info->cal.ST), info.label);
        EXPECT_EQ(m_info->cal.CAL.size(), static_cast<std::size_t>(info.pixels));
        EXPECT_EQ(WasSent("PXSB"), info.pixelMask);
        const MeasureResult measured = m_driver->Measure();
        ASSERT_TRUE(measured.valid);
        EXPECT_EQ(measured.data.m_nModel, info.model);
        EXPECT_EQ(measured.data.MD.size(), static_cast<std::size_t>(info.pixels));
        EXPECT_EQ(measured.data.DD.size(), static_cast<std::size_t>(info.pixels));
        if (!AutoExposure(info)) {
            EXPECT_EQ(measured.data.ET, info.fixedExposureMs);
        }
    }
}

}  // namespace
