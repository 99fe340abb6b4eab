// Spectral processing on a generated day of 1440 one-minute records, each with a QS-200
// and a QS-300 block:
//   build/release/bench/core/core_spectral_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <numeric>

#include "CalcCsv.h"
#include "LocalTime.h"
#include "Resample.h"
#include "SpectralCsv.h"
#include "SyntheticData.h"

namespace {
constexpr int kDayRecords = 1440;

const CRsdData& Day() {
    static const CRsdData* day = [] {
        auto* set = new CRsdData;
        rad::MakeSyntheticDay(*set, kDayRecords, {kQS200, kQS300},
                              *rad::LocalFieldsToTime(2024, 7, 1, 0, 0, 0), 60);
        return set;
    }();
    return *day;
}

std::vector<int> AllRecords() {
    std::vector<int> indices(kDayRecords);
    std::iota(indices.begin(), indices.end(), 0);
    return indices;
}

void BM_ResampleMergedRecord(benchmark::State& state) {
    CResample spectrum;
    int index = 0;
    for (auto _ : state) {
        spectrum.Resample(Day(), index);
        benchmark::DoNotOptimize(spectrum.m_dMax);
        index = (index + 1) % kDayRecords;
    }
}
BENCHMARK(BM_ResampleMergedRecord)->Unit(benchmark::kMicrosecond);

void BM_SpectralCsvDay(benchmark::State& state) {
    CsvSettings settings;
    settings.pitch = 1;
    const std::vector<int> indices = AllRecords();
    const std::string path = "/tmp/core_spectral_bench.csv";
    for (auto _ : state) {
        CSpectralCsv csv;
        csv.BuildMergedAxis(Day());
        csv.BuildCsvRows(Day(), settings);
        csv.AppendRecords(Day(), indices, settings);
        if (state.range(0) && !rad::WriteCsvLines(path, csv.csvLines)) state.SkipWithError("write");
        benchmark::DoNotOptimize(csv.csvLines.data());
    }
    std::remove(path.c_str());
}
// 0 = lines built in memory, 1 = and written to a file.
BENCHMARK(BM_SpectralCsvDay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The file as the programs write it: row by row, each row a cell of every record.
void BM_SpectralCsvDayByRows(benchmark::State& state) {
    CsvSettings settings;
    settings.pitch = 1;
    const std::vector<int> indices = AllRecords();
    const std::string path = "/tmp/core_spectral_bench_rows.csv";
    for (auto _ : state) {
        CSpectralCsv csv;
        csv.BuildMergedAxis(Day());
        csv.BuildCsvRows(Day(), settings);
        if (csv.WriteRecords(path, Day(), indices, settings) != 0) state.SkipWithError("write");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SpectralCsvDayByRows)->Unit(benchmark::kMillisecond);

void BM_CalcCsvDay(benchmark::State& state) {
    const std::vector<int> indices = AllRecords();
    for (auto _ : state) {
        auto lines = rad::BuildCalcCsvLines(Day(), indices, IntegSettings{});
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_CalcCsvDay)->Unit(benchmark::kMillisecond);
}  // namespace
