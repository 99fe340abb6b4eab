#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>

#include "Resample.h"
#include "SpectralMath.h"
#include "spectral_fixture.h"

using fixture::AddRecord;
using fixture::Flat;
using fixture::RampBlock;
using fixture::WideCal;

TEST(PixelSearch, AgreesWithBinarySearchOnUnevenTablesWithAnyHint) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> gap(0.001f, 5.0f);
    for (int round = 0; round < 200; ++round) {
        std::vector<float> t(2 + rng() % 300);
        t[0] = 300.0f;
        // Every tenth table jumps, so the interpolation guess lands far from the answer.
        for (std::size_t i = 1; i < t.size(); ++i)
            t[i] = t[i - 1] + gap(rng) * (i % 10 == 0 ? 100 : 1);
        const int n = static_cast<int>(t.size());
        std::uniform_real_distribution<double> at(t.front() - 1, t.back() + 1);
        for (int k = 0; k < 50; ++k) {
            const double lambda = k == 0 ? t.front() : k == 1 ? t.back() : at(rng);
            int expected =
                static_cast<int>(std::upper_bound(t.begin(), t.end(), lambda) - t.begin()) - 1;
            if (lambda < t.front() || lambda > t.back()) expected = -1;
            if (lambda == t.back()) expected = n - 2;
            ASSERT_EQ(rad::FindPixelInterval(t.data(), n, lambda), expected) << lambda;
            // A hint from an earlier lookup never changes the answer.
            const int hint = static_cast<int>(rng() % (n + 1)) - 1;
            ASSERT_EQ(rad::FindPixelInterval(t.data(), n, lambda, hint), expected) << hint;
        }
    }
}

TEST(ValueAt, InterpolatesAndReachesBothTableEnds) {
    CRsdData set;
    set.SetCal(kQS100, fixture::LinearCal(kQS100, 300.0, 1.0));  // 300 .. 1323 nm
    AddRecord(set, 0, {RampBlock(kQS100, 10.0f, 2.0f)});
    EXPECT_DOUBLE_EQ(set.GetValueAt(kQS100, 0, 300.0), 10.0);
    EXPECT_DOUBLE_EQ(set.GetValueAt(kQS100, 0, 1323.0), 10.0 + 2 * 1023);
    EXPECT_DOUBLE_EQ(set.GetValueAt(kQS100, 0, 300.25), 10.5);
    EXPECT_EQ(set.GetValueAt(kQS100, 0, 299.999), 0.0);
    EXPECT_EQ(set.GetValueAt(kQS100, 0, 1323.001), 0.0);
    EXPECT_EQ(set.GetValueAt(kQS100, 0, std::nan("")), 0.0);
    EXPECT_TRUE(set.IsInRange(kQS100, 1323.0));
    EXPECT_FALSE(set.IsInRange(kQS100, 1323.001));
    EXPECT_EQ(set.GetValueAt(kQS300, 0, 500.0), 0.0);
}

TEST(Merge, BlendsLinearlyAcrossEachPairsBand) {
    // A short-wave block of 100 and a long-wave block of 300: merged values in the band.
    const struct {
        int shortModel, longModel;
        std::vector<std::pair<double, double>> points;  // wavelength, merged value
    } pairs[] = {
        {kQS100, kQS300, {{899.9, 100}, {900, 100}, {925, 200}, {950, 300}}},
        {kQS100, kQS400, {{925, 200}, {950.1, 300}}},
        {kQS200, kQS300, {{925, 200}, {900, 100}}},
        {kQS200, kQS400, {{949, 100}, {1000, 200}, {1050, 300}, {975, 150}}},
    };
    for (const auto& p : pairs) {
        CRsdData set;
        set.SetCal(p.shortModel, WideCal(p.shortModel));
        set.SetCal(p.longModel, WideCal(p.longModel));
        AddRecord(set, 0, {RampBlock(p.shortModel, 100.0f), RampBlock(p.longModel, 300.0f)});
        for (const auto& [lambda, expected] : p.points)
            EXPECT_NEAR(set.GetMergedValueAt(0, lambda), expected, 1e-9) << p.shortModel << lambda;
    }
}

TEST(Merge, PairOrderDecidesWhichBlocksAreUsed) {
    CRsdData set;
    for (int m = 0; m < kModelCount; ++m) set.SetCal(m, WideCal(m));
    const SensorData s0 = RampBlock(kQS100, 100), s1 = RampBlock(kQS200, 500),
                     l2 = RampBlock(kQS300, 300);
    AddRecord(set, 0, {s0, s1, l2});
    AddRecord(set, 0, {s0, s1});
    AddRecord(set, 0, {});
    EXPECT_NEAR(set.GetMergedValueAt(0, 925), 200, 1e-9);  // models 0 and 2, model 1 unused
    EXPECT_NEAR(set.GetMergedValueAt(1, 925), 100, 1e-9);  // no pair: the first model
    CResample spectrum;
    spectrum.Resample(set, 1);
    EXPECT_NEAR(spectrum.GetValue(925), 500, 1e-9);  // no pair: the last model
    EXPECT_EQ(set.GetMergedValueAt(2, 925), 0.0);    // no block at all
    spectrum.Resample(set, 2);
    EXPECT_TRUE(spectrum.IsEmpty());
    EXPECT_EQ(spectrum.m_nFirst, 0);
    // A pair's grid spans the short-wave start to the long-wave end.
    set.SetCal(kQS200, fixture::LinearCal(kQS200, 300.5, 0.4));  // 300.5 .. 1119.3
    set.SetCal(kQS400, fixture::LinearCal(kQS400, 900.0, 4.0));  // 900 .. 1920
    AddRecord(set, 0, {RampBlock(kQS200, 1), RampBlock(kQS400, 3)});
    spectrum.Resample(set, 3);
    EXPECT_EQ(spectrum.m_nFirst, 301);
    EXPECT_EQ(spectrum.m_nLast, 1920);
    EXPECT_NEAR(spectrum.GetValue(1000), 2.0, 1e-9);
}

TEST(Resample, GridRunsOverTheWholeNanometresInsideTheTable) {
    const struct {
        double first, last;
        int gridFirst, gridLast;
    } cases[] = {{300.4, 1100.2, 301, 1100}, {300.0, 1100.0, 301, 1100}, {299.9, 300.9, 300, 300}};
    for (const auto& c : cases) {
        CRsdData set;
        set.SetCal(kQS100, fixture::LinearCal(kQS100, c.first, (c.last - c.first) / 1023));
        AddRecord(set, 0, {RampBlock(kQS100, -5.0f, 0.01f)});
        CResample spectrum;
        spectrum.Resample(set, 0);
        EXPECT_EQ(spectrum.m_nFirst, c.gridFirst) << c.first;
        EXPECT_EQ(spectrum.m_nLast, c.gridLast) << c.first;
        EXPECT_EQ(spectrum.m_pValue.size(), static_cast<std::size_t>(c.gridLast - c.gridFirst + 1));
        EXPECT_LT(spectrum.m_dMin, 0.0);  // negative values are kept
        EXPECT_EQ(spectrum.m_dMax,
                  *std::max_element(spectrum.m_pValue.begin(), spectrum.m_pValue.end()));
    }
}

TEST(UnusableCalibration, BlocksCountAsAbsentAndGiveNoSpectrum) {
    SensorCal falling = WideCal(kQS100), narrow = fixture::LinearCal(kQS100, 500.0, 0.0005);
    std::reverse(falling.WL.begin(), falling.WL.end());
    SensorCal zero(kQS100);  // a truncated calibration block: every wavelength 0
    const SensorCal* none = nullptr;
    for (const SensorCal* cal :
         std::initializer_list<const SensorCal*>{&falling, &narrow, &zero, none}) {
        CRsdData set;
        if (cal) set.SetCal(kQS100, *cal);
        AddRecord(set, 0, {RampBlock(kQS100, 1)});
        CResample spectrum;
        spectrum.Resample(set, 0);
        EXPECT_TRUE(spectrum.IsEmpty());
        EXPECT_EQ(set.GetValueAt(kQS100, 0, 500.0), 0.0);
        EXPECT_EQ(set.GetPixelValue(kQS100, 0, 0), 0.0);
        EXPECT_FALSE(set.IsInRange(kQS100, 500.0));
        EXPECT_EQ(set.GetMergedValueAt(0, 500.0), 0.0);
    }
}

TEST(RecordIndex, OutsideTheSetRaises) {
    CRsdData set;
    set.SetCal(kQS100, WideCal(kQS100));
    AddRecord(set, 0, {RampBlock(kQS100, 1)});
    CResample spectrum;
    for (const int bad : {-1, 1}) {
        EXPECT_THROW(set.GetPixelValue(kQS100, bad, 0), std::out_of_range);
        EXPECT_THROW(set.GetValueAt(kQS100, bad, 500), std::out_of_range);
        EXPECT_THROW(set.GetMergedValueAt(bad, 500), std::out_of_range);
        EXPECT_THROW(set.GetDarkRange(kQS100, bad), std::out_of_range);
        EXPECT_THROW(spectrum.Resample(set, bad), std::out_of_range);
    }
}

// The reference figures of a flat spectrum are in the calculation CSV's lines.
TEST(Derived, BandLimitsCarryHalfWeightAndBandsStayOnTheGrid) {
    const CResample flat = Flat(300, 1100, 1000);
    EXPECT_NEAR(flat.GetIntegral(500, 500), 0.5, 1e-12);
    EXPECT_EQ(flat.GetIntegral(700, 400), 0.0);
    EXPECT_EQ(flat.GetIntegral(100, 200), 0.0);
    // Half weight belongs to the band limits, not to the grid's ends.
    EXPECT_NEAR(Flat(450, 1100, 1000).GetPAR(), 250.5, 1e-9);
    EXPECT_NEAR(Flat(300, 1100, -1000).GetPAR(), -300.0, 1e-9);
    const CResample empty;
    EXPECT_EQ(
        empty.GetPAR() + empty.GetPPFD() + empty.GetIlluminance() + empty.GetIntegral(300, 1800),
        0.0);
    EXPECT_EQ(Flat(800, 1100, 1000).GetPPFD(), 0.0);

    // A hand-edited profile may ask for any int band: the sum stays on the grid and ends.
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    EXPECT_NEAR(flat.GetIntegral(300, kMax), 800.5, 1e-9);   // only 300 carries half weight
    EXPECT_NEAR(flat.GetIntegral(kMin, kMax), 801.0, 1e-9);  // no band limit on the grid
    EXPECT_NEAR(flat.GetIntegral(kMax, kMax), 0.0, 1e-12);
    EXPECT_NEAR(flat.GetIntegral(kMin, 300), 0.5, 1e-12);
}

// A NaN or infinite pixel spoils only its own place: scale and sums are taken over the rest.
TEST(NonFinitePixels, AreLeftOutOfTheScaleAndEverySum) {
    CRsdData set;
    // One pixel per nanometre from 300 nm, flat at 1000 W/m2/um.
    set.SetCal(kQS100, fixture::LinearCal(kQS100, 300.0, 1.0));
    AddRecord(set, 0, {RampBlock(kQS100, 1000.0f)});
    CResample clean;
    clean.Resample(set, 0);
    EXPECT_FALSE(HasNonFinitePixels(*set.GetAt(0).Block(kQS100)));

    for (const float spoiled :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
          -std::numeric_limits<float>::infinity()}) {
        SCOPED_TRACE(spoiled);
        SensorData block = RampBlock(kQS100, 1000.0f);
        block.MD[250] = spoiled;  // 550 nm: inside PAR, the V(lambda) range and the band
        const int index = AddRecord(set, 0, {block});
        EXPECT_TRUE(HasNonFinitePixels(*set.GetAt(index).Block(kQS100)));
        CResample spectrum;
        spectrum.Resample(set, index);
        EXPECT_EQ(spectrum.m_dMax, clean.m_dMax);
        EXPECT_EQ(spectrum.m_dMin, clean.m_dMin);
        // Only the nanometres next to the pixel drop out, one 1/300 share of PAR each.
        const double parShare = clean.GetPAR() / 300.0;
        EXPECT_LT(spectrum.GetPAR(), clean.GetPAR());
        EXPECT_GT(spectrum.GetPAR(), clean.GetPAR() - 3 * parShare);
        EXPECT_TRUE(std::isfinite(spectrum.GetPPFD()));
        EXPECT_GT(spectrum.GetPPFD(), clean.GetPPFD() * 0.98);
        EXPECT_LT(spectrum.GetIlluminance(), clean.GetIlluminance());
        EXPECT_GT(spectrum.GetIlluminance(), clean.GetIlluminance() * 0.95);
        EXPECT_NEAR(spectrum.GetIntegral(500, 600), clean.GetIntegral(500, 600), 3.0);
    }
}
