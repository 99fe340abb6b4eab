#include "ResampleTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "LightQuantities.h"
#include "LightSeries.h"
#include "LocalTime.h"
#include "PayloadStore.h"
#include "Resample.h"
#include "SeriesStream.h"
#include "SpectralMath.h"
#include "SyntheticData.h"
#include "rsd_fixture.h"
#include "spectral_fixture.h"

namespace {

using fixture::AddRecord;
using fixture::RampBlock;

constexpr int64_t kBase = 1'700'000'000;  // 2023, a time every zone can write

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A set whose records hold different sensor combinations, with uneven wavelength tables so
// that every grid point falls between pixels.
void FillMixedSet(CRsdData& set) {
    set.SetCal(kQS100, fixture::LinearCal(kQS100, 299.7, 0.731));
    set.SetCal(kQS200, fixture::LinearCal(kQS200, 300.2, 0.4013));
    set.SetCal(kQS300, fixture::LinearCal(kQS300, 880.4, 1.77));
    set.SetCal(kQS400, fixture::LinearCal(kQS400, 940.9, 5.3));
    SensorData dark = RampBlock(kQS200, 3.0f, 0.25f);
    for (std::size_t i = 0; i < dark.DD.size(); ++i) dark.DD[i] = 0.5f + 0.001f * i;
    SensorData nan = RampBlock(kQS300, 2.0f, -0.01f);
    nan.MD[100] = std::numeric_limits<float>::quiet_NaN();
    AddRecord(set, kBase + 1000, {dark, RampBlock(kQS300, 7.0f, 0.1f)});  // merged pair
    AddRecord(set, kBase + 1060, {RampBlock(kQS100, 1.5f, 0.02f)});       // one sensor
    AddRecord(set, kBase + 1120,
              {RampBlock(kQS300, 4.0f), RampBlock(kQS400, 9.0f, 0.3f)});  // no pair
    AddRecord(set, kBase + 1180, {RampBlock(kQS200, 5.0f, 0.01f), nan});  // NaN pixel
    AddRecord(set, kBase + 1240,
              {SensorData(kQS200, SensorData::kNoPayload),
               RampBlock(kQS400, 1.0f, 0.5f)});  // a block without payload
    AddRecord(set, kBase + 1300, {});            // nothing to resample
    AddRecord(set, kBase + 1360, {RampBlock(kQS200, 8.0f, -0.003f), RampBlock(kQS300, 6.0f, 0.2f)});
    for (int i = 0; i < set.GetCount(); ++i) {  // block times a file can hold
        for (int m = 0; m < kModelCount; ++m)
            if (SensorData* block = set.GetAt(i).Block(m)) block->MT = set.GetAt(i).m_time;
    }
}

// The value of the reference path: the merge rule evaluated point by point, or the highest
// model's block without a pair.
double Reference(const CRsdData& set, int index, int nm) {
    const rad::MergePlan plan = rad::MakeMergePlan(set, index);
    if (plan.IsPair()) return plan.ValueAt(nm);
    for (int m = kModelCount - 1; m >= 0; --m) {
        if (const auto s = rad::GetSensorSpectrum(set, m, index)) return s->ValueAt(nm);
    }
    return 0.0;
}

TEST(ResampleTable, EveryRecordMatchesThePointByPointMergeToTheBit) {
    CRsdData set;
    FillMixedSet(set);
    rad::ResampleTables tables;
    for (int index = 0; index < set.GetCount(); ++index) {
        SCOPED_TRACE(index);
        CResample spectrum;
        spectrum.Resample(set, index);
        const rad::ResampleTable* table = tables.For(set, index);
        ASSERT_EQ(table == nullptr, spectrum.IsEmpty());
        if (!table) continue;
        std::vector<double> values(table->Size());
        table->Fill(set, index, values.data());
        ASSERT_EQ(table->First(), spectrum.m_nFirst);
        ASSERT_EQ(table->Last(), spectrum.m_nLast);
        for (int nm = table->First(); nm <= table->Last(); ++nm) {
            const double expected = Reference(set, index, nm);
            EXPECT_TRUE(SameBits(values[static_cast<std::size_t>(nm - table->First())], expected))
                << nm;
            EXPECT_TRUE(SameBits(spectrum.GetValue(nm), expected)) << nm;
        }
    }
}

TEST(ResampleTable, RecordsOfOneCombinationShareATableAndAWindowCutsIt) {
    CRsdData set;
    FillMixedSet(set);
    rad::ResampleTables tables(rad::kQuantityFirstNm, rad::kQuantityLastNm);
    EXPECT_EQ(tables.For(set, 0), tables.For(set, 6));  // both QS-200 + QS-300
    EXPECT_NE(tables.For(set, 0), tables.For(set, 1));
    EXPECT_EQ(tables.For(set, 5), nullptr);
    const rad::ResampleTable* cut = tables.For(set, 0);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->First(), 301);
    EXPECT_EQ(cut->Last(), rad::kQuantityLastNm);
    // A window the record's grid does not reach gives no table.
    EXPECT_FALSE(rad::ResampleTable::For(set, 1, 2000, 2100));
    EXPECT_THROW(rad::ResampleTable::For(set, 7), std::out_of_range);
}

void ExpectSameRows(const std::vector<rad::SeriesRow>& a, const std::vector<rad::SeriesRow>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].record, b[i].record);
        EXPECT_EQ(a[i].time, b[i].time);
        EXPECT_EQ(a[i].memo, b[i].memo);
        for (std::size_t q = 0; q < rad::kQuantityCount; ++q) {
            EXPECT_TRUE(SameBits(a[i].quantities.values[q].value, b[i].quantities.values[q].value))
                << "row " << i << " quantity " << q;
            EXPECT_EQ(a[i].quantities.values[q].coverage, b[i].quantities.values[q].coverage);
        }
        // The flags' evidence is the same from the blocks and from a store of their payloads.
        EXPECT_EQ(a[i].qc, b[i].qc) << "row " << i;
        EXPECT_TRUE(SameBits(a[i].qcEvidence.mergeDeviation, b[i].qcEvidence.mergeDeviation));
    }
}

TEST(ResampleTable, SeriesRowsEqualTheWholeSpectrumsQuantitiesOnAnyThreadCount) {
    CRsdData set;
    FillMixedSet(set);
    // Enough records for the work to be split.
    for (int i = 0; i < 400; ++i)
        AddRecord(
            set, 2000 + i,
            {RampBlock(kQS200, 1.0f + i * 0.01f, 0.002f), RampBlock(kQS300, 2.0f, 0.001f * i)});
    std::vector<rad::SeriesRow> expected;
    for (int index = 0; index < set.GetCount(); ++index) {
        CResample spectrum;
        spectrum.Resample(set, index);
        const CRad& rad = set.GetAt(index);
        rad::SeriesRow& row = expected.emplace_back();
        row.time = rad.m_time;
        row.memo = rad.m_strMemo;
        row.record = index;
        row.quantities = rad::ComputeQuantities(spectrum);
        row.qcEvidence = rad::GatherQcEvidence(set, index);
        row.qc = rad::RowQcFlags(row, {});
    }
    for (const int threads : {1, 2, 3}) {
        SCOPED_TRACE(threads);
        ExpectSameRows(rad::ComputeSeries(set, threads), expected);
    }
    const std::vector<int> some = {6, 0, 3};
    const auto rows = rad::ComputeSeries(set, some, 2);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].record, 6);
    EXPECT_THROW(rad::ComputeSeries(set, std::vector<int>{0, 9999}, 2), std::out_of_range);
}

using SeriesFile = RsdFileTest;

// Rows of a summary load, with the payloads in a store or made while the file loads with any
// room made beforehand, equal those of a full load; a calibration that a later block of the
// file replaces sends the caller to a stored load.
TEST_F(SeriesFile, RowsOfASummaryLoadEqualTheFullLoadsUnlessACalibrationComesLate) {
    CRsdData written;
    FillMixedSet(written);
    // A file keeps the coefficients, not the table: calibrations that have them.
    for (int m = 0; m < kModelCount; ++m) written.SetCal(m, rad::MakeSyntheticCal(m));
    const std::string path = PathOf("day.RSD");
    ASSERT_TRUE(written.Save(path));
    CRsdData full;
    ASSERT_EQ(full.Load(path), written.GetCount());
    const std::vector<rad::SeriesRow> expected = rad::ComputeSeries(full);
    ASSERT_TRUE(expected[0].quantities[rad::Quantity::Ppfd].Available());
    rad::PayloadStore store;
    for (int pass = 0; pass < 2; ++pass) {  // the second load reuses the store's memory
        store.Clear();
        CRsdData summary;
        ASSERT_EQ(summary.LoadSummary(path, store.Visitor()), written.GetCount());
        ExpectSameRows(rad::ComputeSeries(summary, 2, &store), expected);
    }

    for (const std::size_t room : {0, 3, 100}) {
        SCOPED_TRACE(room);
        CRsdData set;
        rad::SeriesStream stream(set, room);
        ASSERT_EQ(set.LoadSummary(path, stream.Visitor()), written.GetCount());
        const auto rows = stream.Finish();
        ASSERT_TRUE(rows.has_value());
        ExpectSameRows(*rows, expected);
    }
    {
        // Handed to a sink as they are made, the same rows; none kept.
        CRsdData set;
        std::vector<rad::SeriesRow> sunk;
        rad::SeriesStream stream(set, [&sunk](rad::SeriesRow&& row) { sunk.push_back(row); });
        ASSERT_EQ(set.LoadSummary(path, stream.Visitor()), written.GetCount());
        const auto rows = stream.Finish();
        ASSERT_TRUE(rows.has_value());
        EXPECT_TRUE(rows->empty());
        ExpectSameRows(sunk, expected);
    }
    // Calibrations read after the first rows replace those the rows were made with: the file
    // again, or two calibrations in a row (the second may take the first object's address).
    CRsdData calibrations;
    for (int m = 0; m < kModelCount; ++m)
        if (const SensorCal* cal = written.GetCal(m)) calibrations.SetCal(m, *cal);
    ASSERT_TRUE(calibrations.Save(PathOf("cal.RSD")));
    const std::string bytes = ReadBytes(path), cal = ReadBytes(PathOf("cal.RSD"));
    for (const std::string& tail : {bytes, cal + cal}) {
        WriteBytes(PathOf("joined.RSD"), bytes + tail);
        CRsdData set;
        rad::SeriesStream stream(set);
        ASSERT_GE(set.LoadSummary(PathOf("joined.RSD"), stream.Visitor()), written.GetCount());
        EXPECT_FALSE(stream.Finish().has_value()) << tail.size();
    }
}

TEST(ResampleTable, PayloadStoreFromALaterRecordFindsNothingBefore) {
    rad::PayloadStore store;
    store.Clear(5);
    const std::vector<float> values = {1.0f, 2.0f};
    store.Visitor()(4, kQS200, false, values);  // before the first: dropped
    store.Visitor()(6, kQS200, true, values);
    EXPECT_EQ(store.Find(4, kQS200, false), nullptr);
    EXPECT_EQ(store.Find(5, kQS200, true), nullptr);
    ASSERT_NE(store.Find(6, kQS200, true), nullptr);
    EXPECT_EQ(store.Find(6, kQS200, true)[1], 2.0f);
}

// The lines are the same with the per-hour time conversion as without, over the days the
// clocks change (the tests run in a zone with daylight saving time and in one without).
TEST(ResampleTable, LinesThroughTheTimeCacheEqualThoseWithout) {
    rad::InitTimeZone();
    rad::LocalTimeCache times;
    rad::SeriesRow row;
    int lines = 0;
    for (const int month : {3, 11}) {
        const int64_t start = rad::LocalFieldsToTime(2024, month, 2, 0, 0, 0).value();
        for (int64_t t = start; t < start + 10 * 86400; t += 7 * 60 + 13, ++lines) {
            row.time = t;
            ASSERT_EQ(rad::SeriesCsvLine(row, &times), rad::SeriesCsvLine(row)) << t;
            ASSERT_EQ(rad::SeriesJsonLine(row, &times), rad::SeriesJsonLine(row)) << t;
        }
    }
    EXPECT_GT(lines, 3000);
    row.time = std::numeric_limits<int64_t>::max();  // no local form: the same error
    EXPECT_THROW(rad::SeriesCsvLine(row, &times), std::invalid_argument);
}

// The digits themselves are the shared fixed-point formatter's, compared with printf there.
// A value that rounds to zero shows no sign.
TEST(ResampleTable, AQuantityWithoutAValueIsAnEmptyCell) {
    EXPECT_EQ(rad::FormatQuantity(rad::Quantity::Ppfd, {}), "");
    EXPECT_EQ(rad::FormatQuantity(rad::Quantity::Duv, {.value = -0.00001}), "0.0000");
    EXPECT_EQ(rad::FormatQuantity(rad::Quantity::Duv, {.value = -0.0001}), "-0.0001");
}

}  // namespace
