// The store step at the end of a full day: 8640 records of all four sensors (a day at a 10 s
// interval) already in the day file. A store appends its record and rewrites the hour file;
// the day's data set is kept between stores, so the day file is read again only when it
// changed on disk since the last write, which the second benchmark measures.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "LocalTime.h"
#include "OutputPaths.h"
#include "StoreStep.h"
#include "SyntheticData.h"

namespace {

constexpr int kRecords = 8640;
constexpr int kIntervalSeconds = 10;

// A store at the end of a healthy day writes no log event; nothing is kept.
class Unheard final : public ILogSink, public IStoreListener {
  public:
    void WriteLog(const std::string&) override {}
};

// A full day in a fresh folder, and the settings of a station measuring all four sensors.
class FullDay {
  public:
    FullDay()
        : m_folder(std::filesystem::temp_directory_path() /
                   ("radengine-bench-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(m_folder);
        settings.rsdFolder = m_folder.string() + "/";
        settings.csvFolder = settings.rsdFolder;
        settings.use.fill(true);
        path = rad::DayFilePath(settings.rsdFolder, first);
        rad::CreateParentFolders(path);
        rad::MakeSyntheticDay(day, kRecords, {kQS100, kQS200, kQS300, kQS400}, first,
                              kIntervalSeconds);
        day.Save(path);
    }
    ~FullDay() { std::filesystem::remove_all(m_folder); }
    FullDay(const FullDay&) = delete;
    FullDay& operator=(const FullDay&) = delete;

    // A cycle in the last second of the day, after the last record.
    CCycleResult NextCycle() const {
        CCycleResult cycle;
        cycle.time = first + 86399;
        for (int model = 0; model < kModelCount; ++model)
            cycle.data[model] = rad::MakeSyntheticData(model, cycle.time, 1);
        return cycle;
    }

    const int64_t first = rad::LocalFieldsToTime(2024, 7, 1, 0, 0, 0).value();
    RadlogSettings settings;
    std::string path;
    CRsdData day;

  private:
    std::filesystem::path m_folder;
};

// Every store after the first appends to the file the step wrote itself: no reading. The
// argument is [SAVE] CSV: the hour file (360 records by then) is rewritten whole by each store.
void StoreAtEndOfDay(benchmark::State& state) {
    FullDay full;
    full.settings.saveCsv = state.range(0) != 0;
    Unheard unheard;
    CStoreStep store(full.settings, unheard, unheard, ReportLanguage::English, 1440);
    store.Store(full.NextCycle(), {});  // reads the day once
    for (auto _ : state) store.Store(full.NextCycle(), {});
    state.counters["loads"] = store.DayFileLoads();
}
BENCHMARK(StoreAtEndOfDay)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Something else wrote the day file before every store: it is read whole again.
void StoreAfterAnotherWriter(benchmark::State& state) {
    FullDay full;
    Unheard unheard;
    CStoreStep store(full.settings, unheard, unheard, ReportLanguage::English, 1440);
    for (auto _ : state) {
        state.PauseTiming();
        full.day.Save(full.path);  // back to the full day, as another program left it
        state.ResumeTiming();
        store.Store(full.NextCycle(), {});
    }
    state.counters["loads"] = store.DayFileLoads();
}
BENCHMARK(StoreAfterAnotherWriter)->Unit(benchmark::kMillisecond);

}  // namespace
