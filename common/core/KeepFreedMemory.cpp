#include "KeepFreedMemory.h"

#include <malloc.h>

namespace rad {

void KeepFreedMemory() {
    constexpr int kKeepFreedBytes = 1 << 30;
    constexpr int kLargestHeapBlock = 32 << 20;  // the most glibc keeps off mmap
    mallopt(M_TRIM_THRESHOLD, kKeepFreedBytes);
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
}

}  // namespace rad
