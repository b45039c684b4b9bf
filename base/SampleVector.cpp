#include "base/SampleVector.h"

#include <cstdint>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#include <unistd.h>
#endif

void AdviseHugePages(void* block, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    // Below a few huge pages the hint saves nothing worth a system call.
    constexpr std::size_t kWorthIt = std::size_t(8) << 20;
    if (bytes < kWorthIt) {
        return;
    }
    // The hint takes whole pages: from the first page boundary inside the block to the last.
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto first = (std::uintptr_t(block) + page - 1) / page * page;
    const auto end = (std::uintptr_t(block) + bytes) / page * page;
    if (first < end) {
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
#else
    (void)block;
    (void)bytes;
#endif
}
