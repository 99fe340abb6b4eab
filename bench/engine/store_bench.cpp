// The store step at the end of a full day: 1440 records of a QS-200 and a QS-300 already in
// the day file; one more cycle loads the file, appends the record and rewrites the hour file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "LocalTime.h"
#include "OutputPaths.h"
#include "StoreStep.h"
#include "SyntheticData.h"

namespace {

// A store at the end of a healthy day writes no log event; nothing is kept.
class Unheard final : public ILogSink, public IStoreListener {
  public:
    void WriteLog(const std::string&) override {}
};

void StoreAtEndOfDay(benchmark::State& state) {
    const int64_t first = rad::LocalFieldsToTime(2024, 7, 1, 0, 0, 0).value();
    const auto folder =
        std::filesystem::temp_directory_path() / ("radengine-bench-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    RadlogSettings settings;
    settings.rsdFolder = folder.string() + "/";
    settings.csvFolder = settings.rsdFolder;
    settings.use[kQS200] = settings.use[kQS300] = true;
    const std::string path = rad::DayFilePath(settings.rsdFolder, first);
    rad::CreateParentFolders(path);
    CRsdData day;
    rad::MakeSyntheticDay(day, 1440, {kQS200, kQS300}, first, 60);
    day.Save(path);

    Unheard unheard;
    CStoreStep store(settings, unheard, unheard, ReportLanguage::English, 1440);
    CCycleResult cycle;
    cycle.time = first + 86399;
    cycle.data[kQS200] = rad::MakeSyntheticData(kQS200, cycle.time, 1);
    cycle.data[kQS300] = rad::MakeSyntheticData(kQS300, cycle.time, 2);
    for (auto _ : state) {
        state.PauseTiming();
        day.Save(path);  // back to 1440 records
        state.ResumeTiming();
        store.Store(cycle, {});
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(StoreAtEndOfDay)->Unit(benchmark::kMillisecond);

}  // namespace
