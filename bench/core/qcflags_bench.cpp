// The quality flags' share of making a row of the light series:
//   build/release/bench/core/core_qcflags_bench
// SeriesRow: a row as rsdtool series makes it (resampling, every quantity, the flags'
// evidence). SeriesRowWithoutFlags: the same steps without the evidence. Records of a QS-200
// and a QS-300, a few of them in turn: rsdtool series makes each row while the record's
// pixels are still in the cache, just read from the file.
// The row is a part of the series (reading and parsing the files, the sun, the lines): the
// whole `rsdtool series` of 30 day files of 1440 records (QS-200 and QS-300, 857 MB) takes
// 0.640 s with the flags against 0.598 s without them (+7 %; processor time 0.615 s against
// 0.579 s, +6 %), mean of 10 runs each on the 2-core development VM under load. The rows here:
// 4.7 us against 3.6 us of processor time.
#include <benchmark/benchmark.h>

#include "LightSeries.h"
#include "LocalTime.h"
#include "QcFlags.h"
#include "SyntheticData.h"

namespace {

constexpr int kRecords = 16;  // in turn, so their pixels stay in the cache

const CRsdData& Day() {
    static const CRsdData* day = [] {
        rad::InitTimeZone();
        auto* set = new CRsdData;
        rad::MakeSyntheticDay(*set, kRecords, {kQS200, kQS300},
                              rad::LocalFieldsToTime(2024, 6, 1, 0, 0, 0).value(), 60);
        return set;
    }();
    return *day;
}

void BM_SeriesRow(benchmark::State& state) {
    const CRsdData& day = Day();
    rad::SeriesRowMaker maker;
    rad::SeriesRow row;
    int index = 0;
    for (auto _ : state) {
        maker.Make(day, index, nullptr, row);
        benchmark::DoNotOptimize(row.qc);
        index = (index + 1) % kRecords;
    }
}
BENCHMARK(BM_SeriesRow)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

// SeriesRowMaker::Make's steps but the flags' evidence.
void BM_SeriesRowWithoutFlags(benchmark::State& state) {
    const CRsdData& day = Day();
    rad::ResampleTables tables{rad::kQuantityFirstNm, rad::kQuantityLastNm};
    std::vector<double> spectrum;
    int index = 0;
    for (auto _ : state) {
        const rad::ResampleTable* table = tables.For(day, index);
        spectrum.resize(table ? table->Size() : 0);
        if (table) table->Fill(day, index, spectrum.data());
        const rad::LightQuantities q = rad::ComputeQuantities(spectrum, table ? table->First() : 0);
        benchmark::DoNotOptimize(q);
        index = (index + 1) % kRecords;
    }
}
BENCHMARK(BM_SeriesRowWithoutFlags)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

}  // namespace
