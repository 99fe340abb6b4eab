// rsdtool netcdf of a month: 30 day files of 1440 one-minute records of a QS-200 and a
// QS-300, generated here, read and written into one archive on the default 1 nm grid.
// Target: at most 3 s on a 2-core machine; the CPU column is that of every thread.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "LocalTime.h"
#include "NetcdfPipeline.h"
#include "RsdData.h"
#include "SyntheticData.h"

namespace {

constexpr int kDays = 30;
constexpr int kRecords = 1440;

void ArchiveMonth(benchmark::State& state) {
    rad::InitTimeZone();
    const auto folder =
        std::filesystem::temp_directory_path() / ("rsdarchive-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::vector<std::string> files;
    for (int day = 0; day < kDays; ++day) {
        CRsdData set;
        const int64_t midnight = rad::LocalFieldsToTime(2024, 7, 1 + day, 0, 0, 0).value();
        rad::MakeSyntheticDay(set, kRecords, {kQS200, kQS300}, midnight, 60);
        files.push_back((folder / (std::to_string(day) + ".rsd")).string());
        set.Save(files.back());
    }
    const std::string out = (folder / "month.nc").string();
    const ArchiveLoader load = [](const std::string& path, CRsdData& set) {
        return set.Load(path) < 0 ? std::optional<std::string>("cannot load") : std::nullopt;
    };
    for (auto _ : state) WriteArchive(files, out, {}, load);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(out)) / 1e6;
    std::filesystem::remove_all(folder);
}
BENCHMARK(ArchiveMonth)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
