#include "QcFlags.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "IniFile.h"
#include "QcDays.h"
#include "QcSettings.h"
#include "RsdData.h"
#include "SyntheticData.h"

namespace {

constexpr int64_t kNoon = 1'700'000'000;  // 2023, a time every zone can write
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Three records of a QS-100 and a QS-300; the middle one is changed by each case.
unsigned FlagsOfChangedRecord(const std::function<void(CRad&)>& change) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 3, {kQS100, kQS300}, kNoon, 600);
    change(set.GetAt(1));
    const rad::QcEvidence evidence = rad::GatherQcEvidence(set, 1);
    return rad::QcFlagsOf(evidence, kNaN, kNaN, kNaN, {}, rad::ExpectedModels(set));
}

TEST(QcFlags, EachRecordFaultGivesItsFlagAndNoOther) {
    const struct {
        const char* name;
        std::function<void(CRad&)> change;
        unsigned expected;
    } cases[] = {
        {"clean", [](CRad&) {}, 0},
        {"nonfinite pixel", [](CRad& r) { r.Block(kQS100)->MD[5] = NAN; }, rad::kQcNonfinite},
        {"nonfinite status", [](CRad& r) { r.Block(kQS300)->statusFloat[0] = INFINITY; },
         rad::kQcNonfinite},
        {"saturated", [](CRad& r) { r.Block(kQS100)->MD[7] = r.Block(kQS100)->DD[7] = 0.0f; },
         rad::kQcSaturated},
        {"light 0 alone is no saturation", [](CRad& r) { r.Block(kQS100)->MD[7] = 0.0f; }, 0},
        {"sensor missing", [](CRad& r) { r.RemoveBlock(kQS300); }, rad::kQcSensorMissing},
        {"sensors apart", [](CRad& r) { r.Block(kQS300)->MT = r.Block(kQS100)->MT + 121; },
         rad::kQcSensorsApart},
        {"sensors 120 s apart", [](CRad& r) { r.Block(kQS300)->MT = r.Block(kQS100)->MT + 120; },
         0},
        {"merge mismatch",
         [](CRad& r) {
             // Bright at any hour of the zone: the overlap is judged.
             SensorData& b = *r.Block(kQS300);
             for (std::size_t k = 0; k < b.MD.size(); ++k) b.MD[k] = b.DD[k] + 1e5f;
         },
         rad::kQcMergeMismatch},
        {"another unit's block", [](CRad& r) { SetTextField(r.Block(kQS300)->SN, "99999"); },
         rad::kQcCalibrationMismatch},
    };
    for (const auto& c : cases) EXPECT_EQ(FlagsOfChangedRecord(c.change), c.expected) << c.name;
}

TEST(QcFlags, ThresholdsHoldAtTheirBoundaryAndFlagPastIt) {
    const rad::QcThresholds t;
    rad::QcEvidence at;
    at.blockSpanSeconds = 120;
    at.mergeDeviation = 0.25;
    rad::QcEvidence past = at;
    past.blockSpanSeconds = 120.5;
    past.mergeDeviation = 0.2501;
    // PPFD 1.5 * 1000 + 100 = 1600 at the limit; elevation -6 deg at zenith 96.
    EXPECT_EQ(rad::QcFlagsOf(at, 1600, 96, 1000, t, 0), 0u);
    EXPECT_EQ(rad::QcFlagsOf(past, 1600.01, 96.01, 1000, t, 0),
              rad::kQcSensorsApart | rad::kQcMergeMismatch | rad::kQcAboveClearSky | rad::kQcNight);
    // At night the clear sky is 0: 100 umol/m2/s is still allowed, more is not.
    EXPECT_EQ(rad::QcFlagsOf({}, 100, 120, 0, t, 0), rad::kQcNight);
    EXPECT_EQ(rad::QcFlagsOf({}, 101, 120, 0, t, 0), rad::kQcNight | rad::kQcAboveClearSky);
    // Without a site nothing that needs the sun is judged.
    EXPECT_EQ(rad::QcFlagsOf({}, 5000, kNaN, kNaN, t, 0), 0u);
}

TEST(QcFlags, ProfileSectionChangesThresholdsAndIgnoresWhatIsNoNumber) {
    CIniFile ini;
    ini.SetText("[QC]\nSENSORSAPART=30\nMERGEMISMATCH=0.5x\nNIGHTELEVATION=-12\n");
    const rad::QcThresholds t = rad::LoadQcThresholds(ini);
    EXPECT_EQ(t.sensorsApartSeconds, 30);
    EXPECT_EQ(t.mergeMismatch, rad::QcThresholds{}.mergeMismatch);
    EXPECT_EQ(t.nightElevationDeg, -12);
    rad::QcEvidence evidence;
    evidence.blockSpanSeconds = 31;
    EXPECT_EQ(rad::QcFlagsOf(evidence, kNaN, 100, kNaN, t, 0), rad::kQcSensorsApart);
}

TEST(QcFlags, NamesAndCountsPerDay) {
    EXPECT_EQ(rad::QcNames(0), "");
    EXPECT_EQ(rad::QcNames(rad::kQcSaturated | rad::kQcNight), "saturated night");
    EXPECT_EQ(rad::QcJsonArray(0), "[]");
    EXPECT_EQ(rad::QcJsonArray(rad::kQcNonfinite | rad::kQcSensorMissing),
              "[\"nonfinite\",\"sensor_missing\"]");
    const rad::LightSample samples[] = {
        {.time = kNoon, .qc = rad::kQcSaturated | rad::kQcNight},
        {.time = kNoon + 60, .qc = rad::kQcSaturated},
        {.time = kNoon + 86400, .qc = 0},
    };
    const auto days = rad::CountQcByDay(samples, 0);
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(days[0].records, 2);
    EXPECT_EQ(days[0].counts[1], 2);  // saturated
    EXPECT_EQ(days[0].counts[6], 1);  // night
    EXPECT_EQ(days[1].records, 1);
    EXPECT_EQ(days[1].counts, (std::array<int, rad::kQcFlagCount>{}));
    // Night is information: a day's flagged records count the faults only.
    EXPECT_EQ(rad::SummariseDays(samples, 0)[0].flagged, 2);
}

}  // namespace
