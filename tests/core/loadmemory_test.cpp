// Memory of Load on crafted files: blocks without payloads must not cost full blocks.
#include <cstdlib>
#include <new>

#include "SyntheticData.h"
#include "rsd_fixture.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define RAD_COUNTS_ALLOCATIONS 0  // the sanitizers bring their own operator new
#else
#define RAD_COUNTS_ALLOCATIONS 1
#endif

#if RAD_COUNTS_ALLOCATIONS
#if defined(__GNUC__) && !defined(__clang__)
// GCC inlines the replacements below into their callers and then takes the size header for
// an access outside the block, and free() for a mismatch with new.
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
namespace {

// Every allocation of this program carries its size in front, so the bytes in use and their
// peak are known exactly.
constexpr std::size_t kHeader = alignof(std::max_align_t);
std::size_t g_live = 0;
std::size_t g_peak = 0;

void* Allocate(std::size_t n) {
    auto* base = static_cast<char*>(std::malloc(n + kHeader));
    if (!base) return nullptr;
    *reinterpret_cast<std::size_t*>(base) = n;
    g_live += n;
    if (g_live > g_peak) g_peak = g_live;
    return base + kHeader;
}

void Release(void* p) {
    if (!p) return;
    char* base = static_cast<char*>(p) - kHeader;
    g_live -= *reinterpret_cast<std::size_t*>(base);
    std::free(base);
}

}  // namespace

void* operator new(std::size_t n) {
    if (void* p = Allocate(n)) return p;
    throw std::bad_alloc();
}
// The library's array and nothrow forms call these.
void operator delete(void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
#endif

namespace {

using LoadMemoryTest = RsdFileTest;

struct Crafted {
    const char* name;
    std::string record;  // repeated until the file holds about a megabyte
};

}  // namespace

TEST_F(LoadMemoryTest, StaysWithinASmallMultipleOfTheFileSize) {
#if !RAD_COUNTS_ALLOCATIONS
    GTEST_SKIP() << "allocations are counted only without a sanitizer";
#else
    CRsdData calibrated;
    rad::MakeSyntheticDay(calibrated, 1, {kQS100, kQS200, kQS300, kQS400},
                          LocalTime(2024, 6, 1, 10, 0, 0), 60);
    calibrated.RemoveAt(0);
    const std::string header = SavedBytes(calibrated);
    const Crafted cases[] = {
        {"empty QS-200 blocks", "DT_RSD,100\nDT_RSD_END\nDT_QS200,100\nDT_QS200_END\n"},
        {"four empty blocks",
         "DT_RSD\nDT_RSD_END\nDT_QS100\nDT_QS100_END\nDT_QS200\nDT_QS200_END\nDT_QS300\n"
         "DT_QS300_END\nDT_QS400\nDT_QS400_END\n"},
        {"bare records", "DT_RSD\nDT_RSD_END\n"},
        // Each begin marker takes the next 8 KB of the file as its payload.
        {"payload markers", "DT_RSD\nDT_RSD_END\nDT_QS200\nMD_BGN\nDD_BGN\n"},
    };
    for (const Crafted& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = header;
        while (bytes.size() < (1u << 20)) bytes += c.record;
        const std::string path = PathOf("crafted.RSD");
        WriteBytes(path, bytes);

        CRsdData set;
        const std::size_t before = g_live;
        g_peak = g_live;
        ASSERT_GT(set.Load(path), 0);
        // Records and blocks cost their bookkeeping, about a hundred bytes each; the old
        // reader spent 16 KB on every empty QS-200 block.
        EXPECT_LT(g_peak - before, 16 * bytes.size());
        EXPECT_GT(g_peak - before, bytes.size() / 8);  // the count sees the records at all
    }
#endif
}
