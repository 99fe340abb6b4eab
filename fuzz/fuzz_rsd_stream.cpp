// Any file given to the streaming RSD reader through a small read window: no crash, leak or
// undefined behaviour, and the same data set as the reader of bytes in memory makes; the
// summary load with its payloads put back makes it too.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "LocalTime.h"
#include "PayloadStore.h"
#include "RsdData.h"

namespace {

std::string g_input;
std::string g_streamed;
std::string g_inMemory;

void RemoveScratch() {
    for (const std::string* path : {&g_input, &g_streamed, &g_inMemory}) {
        std::remove(path->c_str());
    }
}

// The first byte picks the window, from the least the reader takes up to about 4 KB, so
// that lines and payloads straddle its edges everywhere.
std::size_t WindowOf(uint8_t byte) { return 514 + static_cast<std::size_t>(byte) * 14; }

int LoadBoth(const char* data, size_t size, std::size_t window, CRsdData& streamed,
             CRsdData& inMemory) {
    int results[2] = {0, 0};
    bool threw[2] = {false, false};
    try {
        results[0] = streamed.Load(g_input, window);
    } catch (const RsdInvalidDataError&) {
        threw[0] = true;
    }
    try {
        results[1] = inMemory.LoadFromMemory(data, size);
    } catch (const RsdInvalidDataError&) {
        threw[1] = true;
    }
    if (threw[0] != threw[1] || results[0] != results[1]) std::abort();
    return results[0];
}

// The set of a summary load with the payloads it handed over put back into their blocks.
void LoadSummaryWhole(CRsdData& set, int expected) {
    rad::PayloadStore store;
    if (set.LoadSummary(g_input, store.Visitor()) != expected) std::abort();
    for (int r = 0; r < set.GetCount(); ++r) {
        for (int m = 0; m < kModelCount; ++m) {
            SensorData* block = set.GetAt(r).Block(m);
            if (block == nullptr) continue;
            const auto n = static_cast<std::size_t>(PixelCount(m));
            if (const float* md = store.Find(r, m, false)) block->MD.assign(md, md + n);
            if (const float* dd = store.Find(r, m, true)) block->DD.assign(dd, dd + n);
        }
    }
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "UTC0", 1);
    rad::InitTimeZone();
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir;
    const std::string stem = std::string(dir) + "/fuzz_rsd_stream_" + std::to_string(::getpid());
    g_input = stem + ".in";
    g_streamed = stem + ".a";
    g_inMemory = stem + ".b";
    std::atexit(RemoveScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::size_t window = WindowOf(data[0]);
    const char* file = reinterpret_cast<const char*>(data + 1);
    const std::size_t length = size - 1;
    {
        std::ofstream out(g_input, std::ios::binary | std::ios::trunc);
        out.write(file, static_cast<std::streamsize>(length));
        if (!out) std::abort();
    }
    CRsdData streamed, inMemory;
    const int count = LoadBoth(file, length, window, streamed, inMemory);
    if (count < 0) return 0;
    // Equal sets write equal files.
    if (!streamed.Save(g_streamed) || !inMemory.Save(g_inMemory)) std::abort();
    const std::string expected = Contents(g_streamed);
    if (expected != Contents(g_inMemory)) std::abort();
    CRsdData summary;
    LoadSummaryWhole(summary, count);
    if (!summary.Save(g_inMemory) || Contents(g_inMemory) != expected) std::abort();
    return 0;
}
