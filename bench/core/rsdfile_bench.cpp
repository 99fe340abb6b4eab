// RSD file speed on a full day: 1440 records (one a minute) of a QS-200 and a QS-300, ~29 MB.
//   build/release/bench/core/core_rsdfile_bench
// Load is compared with a bare read(2) of the same bytes into a buffer kept across runs. The
// loads run as rsdtool and Radview do, with freed memory kept in the process (BM_Load).
// BM_LoadFirstTouch hands the freed memory back to the system before every load, as for the
// first file of a process: on a virtual machine the first touch of each fresh page costs
// microseconds and then outweighs the parsing.
// On the 2-core development VM, idle: read 1.4 ms, Load 3.9..4.1 ms (2.7..2.9 times),
// first-touch Load 80..90 ms.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "KeepFreedMemory.h"
#include "LocalTime.h"
#include "SyntheticData.h"

namespace {

class DayFile {
  public:
    DayFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "rsdbench.XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        m_dir = pattern;
        m_path = m_dir + "/day.RSD";
        rad::MakeSyntheticDay(m_set, 1440, {kQS200, kQS300},
                              rad::LocalFieldsToTime(2024, 6, 1, 0, 0, 0).value(), 60);
        if (!m_set.Save(m_path)) std::abort();
    }
    ~DayFile() { std::filesystem::remove_all(m_dir); }

    const std::string& Path() const { return m_path; }
    const CRsdData& Set() const { return m_set; }
    std::string Scratch(const char* name) const { return m_dir + "/" + name; }

  private:
    std::string m_dir;
    std::string m_path;
    CRsdData m_set;
};

const DayFile& Day() {
    static const DayFile day;
    return day;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(Day().Path())));
}

// Plain read(2) of the whole file.
void ReadWhole(char* buffer, std::size_t size) {
    const int fd = ::open(Day().Path().c_str(), O_RDONLY);
    std::size_t have = 0;
    while (have < size) {
        const ssize_t n = ::read(fd, buffer + have, size - have);
        if (n <= 0) break;
        have += static_cast<std::size_t>(n);
    }
    ::close(fd);
    benchmark::DoNotOptimize(buffer);
}

void BM_ReadBytes(benchmark::State& state) {
    const auto size = std::filesystem::file_size(Day().Path());
    std::unique_ptr<char[]> buffer(new char[size]);
    for (auto _ : state) ReadWhole(buffer.get(), size);
    SetBytes(state);
}
BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond);

void LoadDay(benchmark::State& state) {
    CRsdData set;
    if (set.Load(Day().Path()) != 1440) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(set.GetLast());
}

void BM_Load(benchmark::State& state) {
    rad::KeepFreedMemory();
    for (auto _ : state) LoadDay(state);
    SetBytes(state);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_LoadFirstTouch(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        malloc_trim(0);
        state.ResumeTiming();
        LoadDay(state);
    }
    SetBytes(state);
}
BENCHMARK(BM_LoadFirstTouch)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    const std::string path = Day().Scratch("save.RSD");
    for (auto _ : state) {
        if (!Day().Set().Save(path)) state.SkipWithError("save failed");
    }
    SetBytes(state);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_AppendOneRecord(benchmark::State& state) {
    const std::string path = Day().Scratch("append.RSD");
    if (!Day().Set().Save(path)) state.SkipWithError("save failed");
    const CRad& rad = *Day().Set().GetLast();
    for (auto _ : state) {
        if (!Day().Set().Append(path, rad)) state.SkipWithError("append failed");
    }
}
BENCHMARK(BM_AppendOneRecord)->Unit(benchmark::kMicrosecond);

}  // namespace
