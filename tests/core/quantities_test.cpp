#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "LightQuantities.h"
#include "Resample.h"
#include "spectral_fixture.h"

namespace {

using fixture::Flat;
using fixture::Spectrum;
using rad::Quantity;

double Value(const rad::LightQuantities& q, Quantity id) { return q[id].value; }

// Radiant exitance shape of a Planckian radiator; c2 in m K.
double Planck(int nm, double kelvin, double c2 = 1.4388e-2) {
    const double m = nm * 1e-9;
    return 1e-12 / (std::pow(m, 5) * std::expm1(c2 / (m * kelvin)));
}

// CIE standard illuminant D65, 380..780 nm at 5 nm (relative spectral power).
constexpr double kD65[] = {
    49.9755, 52.3118, 54.6482, 68.7015, 82.7549, 87.1204, 91.486,  92.4589, 93.4318,
    90.057,  86.6823, 95.7736, 104.865, 110.936, 117.008, 117.41,  117.812, 116.336,
    114.861, 115.392, 115.923, 112.367, 108.811, 109.082, 109.354, 108.578, 107.802,
    106.296, 104.79,  106.239, 107.689, 106.047, 104.405, 104.225, 104.046, 102.023,
    100.0,   98.1671, 96.3342, 96.0611, 95.788,  92.2368, 88.6856, 89.3459, 90.0062,
    89.8026, 89.5991, 88.6489, 87.6987, 85.4936, 83.2886, 83.4939, 83.6992, 81.863,
    80.0268, 80.1207, 80.2146, 81.2462, 82.2778, 80.281,  78.2842, 74.0027, 69.7213,
    70.6652, 71.6091, 72.979,  74.349,  67.9765, 61.604,  65.7448, 69.8856, 72.4863,
    75.087,  69.3398, 63.5927, 55.0054, 46.4182, 56.6118, 66.8054, 65.0941, 63.3828,
};

CResample D65() {
    return Spectrum(380, 780, [](int nm) {
        const int k = (nm - 380) / 5, j = (nm - 380) % 5;
        if (j == 0) return kD65[k];
        return kD65[k] + (kD65[k + 1] - kD65[k]) * j / 5.0;
    });
}

// Photon flux of a flat 1000 W/m2/um band a..b by hand: the trapezoid rule is exact for the
// linear integrand lambda * E, so the sum is (b^2 - a^2) / 2 nm^2 times E / 1000 / h c N_A.
double FlatPhotons(int a, int b) {
    return (static_cast<double>(b) * b - static_cast<double>(a) * a) / 2.0 / 0.119625512456 /
           1000.0;
}

TEST(Quantities, FlatSpectrumBandsByHand) {
    const auto q = rad::ComputeQuantities(Flat(250, 1100, 1000.0));
    struct Row {
        Quantity photons, energy;
        int from, to;
    };
    const Row rows[] = {
        {Quantity::PhotonUvb, Quantity::EnergyUvb, 280, 315},
        {Quantity::PhotonUva, Quantity::EnergyUva, 315, 400},
        {Quantity::PhotonBlue, Quantity::EnergyBlue, 400, 500},
        {Quantity::PhotonGreen, Quantity::EnergyGreen, 500, 600},
        {Quantity::PhotonRed, Quantity::EnergyRed, 600, 700},
        {Quantity::PhotonFarRed, Quantity::EnergyFarRed, 700, 750},
        {Quantity::PhotonEpar, Quantity::EnergyEpar, 400, 750},
        {Quantity::Ppfd, Quantity::Par, 400, 700},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.from);
        EXPECT_NEAR(Value(q, row.energy), row.to - row.from, 1e-9);
        EXPECT_NEAR(Value(q, row.photons), FlatPhotons(row.from, row.to), 1e-9);
        EXPECT_EQ(q[row.photons].coverage, 1.0);
    }
    EXPECT_NEAR(Value(q, Quantity::Illuminance), 72983.0, 0.05);
    EXPECT_NEAR(Value(q, Quantity::RedFarRed), 13200.0 / 14600.0, 1e-9);
    EXPECT_NEAR(Value(q, Quantity::BlueRed), 90000.0 / 130000.0, 1e-9);
    EXPECT_NEAR(Value(q, Quantity::BlueGreen), 90000.0 / 110000.0, 1e-9);
    // 1239.84198 * 700 nm / ((1050^2 - 350^2) / 2 nm^2)
    EXPECT_NEAR(Value(q, Quantity::Ape), 1239.84198 * 700.0 / 490000.0, 1e-9);
}

TEST(Quantities, BandsOutsideTheSpectrumAreNotAvailableAndPartialBandsSaySo) {
    const auto q = rad::ComputeQuantities(Flat(400, 700, 1000.0));
    EXPECT_FALSE(q[Quantity::PhotonUvb].Available());
    EXPECT_EQ(q[Quantity::PhotonUvb].coverage, 0.0);
    EXPECT_FALSE(q[Quantity::RedFarRed].Available());  // 725..735 missing
    EXPECT_NEAR(q[Quantity::PhotonFarRed].coverage, 1.0 / 51.0, 1e-12);
    EXPECT_NEAR(q[Quantity::PhotonEpar].coverage, 301.0 / 351.0, 1e-12);
    EXPECT_EQ(q[Quantity::Ppfd].coverage, 1.0);

    const auto none = rad::ComputeQuantities(CResample{});
    for (const auto& value : none.values) EXPECT_FALSE(value.Available());

    // A dark spectrum is measured, not missing: zero, but no ratio of zeros.
    const auto dark = rad::ComputeQuantities(Flat(250, 1100, 0.0));
    EXPECT_EQ(Value(dark, Quantity::Ppfd), 0.0);
    EXPECT_TRUE(dark[Quantity::Ppfd].Available());
    EXPECT_FALSE(dark[Quantity::RedFarRed].Available());
    EXPECT_FALSE(dark[Quantity::Cct].Available());
}

TEST(Quantities, NonFiniteValuesAreSkipped) {
    auto s = Flat(250, 1100, 1000.0);
    s.m_pValue[500 - 250] = std::numeric_limits<double>::quiet_NaN();
    s.m_pValue[800 - 250] = std::numeric_limits<double>::infinity();
    const auto q = rad::ComputeQuantities(s);
    EXPECT_NEAR(Value(q, Quantity::Par), 299.0, 1e-9);
    EXPECT_NEAR(q[Quantity::Par].coverage, 300.0 / 301.0, 1e-12);
    EXPECT_TRUE(std::isfinite(Value(q, Quantity::Ape)));
}

TEST(Quantities, ErythemalUvByHand) {
    // Lines of 10 W/m2/um at 290 nm (weight 1), 308 nm (10^-0.94) and 340 nm (10^-3).
    const auto line = [](int at) {
        return rad::ComputeQuantities(
            Spectrum(250, 400, [at](int nm) { return nm == at ? 10.0 : 0.0; }));
    };
    EXPECT_NEAR(Value(line(290), Quantity::Erythemal), 0.01, 1e-12);
    EXPECT_NEAR(Value(line(308), Quantity::Erythemal), 0.0011481536, 1e-9);
    EXPECT_NEAR(Value(line(340), Quantity::Erythemal), 0.00001, 1e-12);
    EXPECT_NEAR(Value(line(308), Quantity::UvIndex), 0.045926, 1e-5);
    // 1 W/m2/um from 250 to 298 nm: 48.5 nm at weight 1 (250 is a band limit, half weight).
    const auto box = rad::ComputeQuantities(Flat(250, 298, 1.0));
    EXPECT_NEAR(Value(box, Quantity::Erythemal), 0.0485, 1e-12);
    EXPECT_NEAR(Value(box, Quantity::UvIndex), 1.94, 1e-9);
    EXPECT_NEAR(box[Quantity::UvIndex].coverage, 49.0 / 151.0, 1e-12);
}

// The spectrum reaches past 380..780 nm on purpose: the colour sums stop at their own ends.
TEST(Quantities, PlanckianRadiatorsSitOnTheLocus) {
    for (double kelvin = 1000; kelvin <= 20000; kelvin += 250) {
        SCOPED_TRACE(kelvin);
        const auto q = rad::ComputeQuantities(
            Spectrum(300, 1100, [kelvin](int nm) { return Planck(nm, kelvin); }));
        EXPECT_NEAR(Value(q, Quantity::Cct), kelvin, kelvin <= 10000 ? 1.0 : kelvin * 0.001);
        EXPECT_NEAR(Value(q, Quantity::Duv), 0.0, 0.0005);
    }
}

TEST(Quantities, OffTheLocusDuvHasItsSign) {
    // A greenish light (more 550 nm) lies above the locus, a purplish one below.
    const auto shifted = [](double green) {
        return rad::ComputeQuantities(Spectrum(380, 780, [green](int nm) {
            return Planck(nm, 4000) * (1.0 + green * std::exp(-std::pow((nm - 550) / 30.0, 2)));
        }));
    };
    EXPECT_GT(Value(shifted(0.2), Quantity::Duv), 0.002);
    EXPECT_LT(Value(shifted(-0.2), Quantity::Duv), -0.002);
}

TEST(Quantities, StandardIlluminantsMatchPublishedChromaticity) {
    // Illuminant A as CIE 15 defines it: Planck with c2 = 1.435e-2 m K at 2848 K (the 2856 K of
    // the current c2 = 1.4388e-2 m K); CIE x, y = 0.44757, 0.40745.
    const auto a = rad::ComputeQuantities(
        Spectrum(300, 830, [](int nm) { return Planck(nm, 2848.0, 1.435e-2); }));
    EXPECT_NEAR(Value(a, Quantity::ChromaX), 0.44757, 0.0005);
    EXPECT_NEAR(Value(a, Quantity::ChromaY), 0.40745, 0.0005);
    // D65: x, y = 0.31271, 0.32902; its melanopic EDI equals its illuminance.
    const auto d65 = rad::ComputeQuantities(D65());
    EXPECT_NEAR(Value(d65, Quantity::ChromaX), 0.31271, 0.0005);
    EXPECT_NEAR(Value(d65, Quantity::ChromaY), 0.32902, 0.0005);
    EXPECT_NEAR(Value(d65, Quantity::MelanopicEdi) / Value(d65, Quantity::Illuminance), 1.0, 0.005);
    EXPECT_NEAR(Value(d65, Quantity::Cct), 6504, 5);
}

TEST(Quantities, KeysAreUniqueAndFindTheirQuantity) {
    for (const auto& info : rad::QuantityTable()) {
        EXPECT_EQ(rad::QuantityByKey(info.key), info.id) << info.key;
    }
    EXPECT_EQ(rad::QuantityByKey("nonsense"), Quantity::Count);
}

}  // namespace
