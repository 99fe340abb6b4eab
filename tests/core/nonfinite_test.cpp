// A NaN or infinite pixel spoils only its own place: scale and sums are taken over the rest.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Resample.h"
#include "spectral_fixture.h"

namespace {

struct Spoiled {
    const char* name;
    float value;
};

}  // namespace

TEST(NonFinitePixels, AreLeftOutOfTheScaleAndEverySum) {
    CRsdData set;
    // One pixel per nanometre from 300 nm, flat at 1000 W/m2/um.
    set.SetCal(kQS100, fixture::LinearCal(kQS100, 300.0, 1.0));
    fixture::AddRecord(set, 0, {fixture::RampBlock(kQS100, 1000.0f)});
    CResample clean;
    clean.Resample(set, 0);
    EXPECT_FALSE(HasNonFinitePixels(*set.GetAt(0).Block(kQS100)));

    const Spoiled cases[] = {
        {"NaN", std::numeric_limits<float>::quiet_NaN()},
        {"+inf", std::numeric_limits<float>::infinity()},
        {"-inf", -std::numeric_limits<float>::infinity()},
    };
    for (const Spoiled& c : cases) {
        SCOPED_TRACE(c.name);
        SensorData block = fixture::RampBlock(kQS100, 1000.0f);
        block.MD[250] = c.value;  // 550 nm: inside PAR, the V(lambda) range and the band
        const int index = fixture::AddRecord(set, 0, {block});
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
