// Any bytes given to the RSD reader: no crash, leak or undefined behaviour, and whatever it
// accepts can be saved and read back to the same number of records.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "LocalTime.h"
#include "RsdData.h"

namespace {

std::string g_path;

void RemoveScratch() { std::remove(g_path.c_str()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A zone without offset: every time the reader accepts is then also one it can write
    // back (time 0 of a record without MT stays in 1970).
    setenv("TZ", "UTC0", 1);
    rad::InitTimeZone();
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir;
    g_path = std::string(dir) + "/fuzz_rsd_" + std::to_string(::getpid()) + ".rsd";
    std::atexit(RemoveScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CRsdData set;
    try {
        if (set.LoadFromMemory(reinterpret_cast<const char*>(data), size) < 0) return 0;
    } catch (const RsdInvalidDataError&) {
        // The records before the bad time stay and must be as writable as any others.
    }
    if (!set.Save(g_path)) std::abort();
    CRsdData back;
    if (back.Load(g_path) != set.GetCount()) std::abort();
    return 0;
}
