#include "cli/HugePageHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace cli {
namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;

// The part of the heap given huge pages, [start, end): empty until UseHugePagesForHeap.
std::uintptr_t hugeHeapStart = 0;
std::uintptr_t hugeHeapEnd = 0;

}  // namespace

void UseHugePagesForHeap() {
    constexpr std::uintptr_t kReserve = std::uintptr_t(64) << 20;
    // The heap then grows in one step of 64 MiB, is never trimmed back (the process is short)
    // and keeps even large blocks, so one advice covers what the command allocates.
    mallopt(M_TOP_PAD, static_cast<int>(kReserve));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kReserve));
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kReserve / 2));
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    // More than is left: the heap grows now. Volatile, or the unused block is optimised away.
    void* volatile probe = std::malloc(256 << 10);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t start = (before + kHugePage - 1) & ~(kHugePage - 1);
    if (after > start + kHugePage) {
        if (madvise(reinterpret_cast<void*>(start), after - start, MADV_HUGEPAGE) == 0) {
            hugeHeapStart = start;
            hugeHeapEnd = after;
        }
    }
    std::free(probe);
}

void PrefaultHeap(std::size_t bytes) {
    const std::uintptr_t end =
        hugeHeapStart + std::min<std::uintptr_t>(bytes, hugeHeapEnd - hugeHeapStart);
    // Mapping does not change what the memory holds, so malloc may hand it out meanwhile. One
    // huge page at a time: the call holds the process's memory map, and the command's own
    // faults and mappings wait for it.
    for (std::uintptr_t page = hugeHeapStart; page < end; page += kHugePage) {
        madvise(reinterpret_cast<void*>(page), std::min(kHugePage, end - page),
                MADV_POPULATE_WRITE);
    }
}

}  // namespace cli
