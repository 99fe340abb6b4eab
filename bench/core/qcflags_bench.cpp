// The quality flags' share of the light series, per record of a day of one-minute records of a
// QS-200 and a QS-300 (the month of tools_series_bench is 30 such days):
//   build/release/bench/core/core_qcflags_bench
// SeriesRow: a row as rsdtool series makes it (resampling, every quantity, the flags'
// evidence). QcEvidence: the evidence alone (every stored value looked at, the two sensors
// compared over their overlap). The flags add QcEvidence / (SeriesRow - QcEvidence) to the
// series, at most 10 %; the sun's share (AddSun) is the same with or without them.
// On the 2-core development VM, idle: SeriesRow 98.6 us, QcEvidence 5.9 us: 6.4 %.
#include <benchmark/benchmark.h>

#include "LightSeries.h"
#include "LocalTime.h"
#include "QcFlags.h"
#include "SyntheticData.h"

namespace {

constexpr int kRecords = 1440;

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
BENCHMARK(BM_SeriesRow)->Unit(benchmark::kMicrosecond);

void BM_QcEvidence(benchmark::State& state) {
    const CRsdData& day = Day();
    int index = 0;
    for (auto _ : state) {
        const rad::QcEvidence evidence = rad::GatherQcEvidence(day, index);
        benchmark::DoNotOptimize(evidence);
        index = (index + 1) % kRecords;
    }
}
BENCHMARK(BM_QcEvidence)->Unit(benchmark::kMicrosecond);

}  // namespace
