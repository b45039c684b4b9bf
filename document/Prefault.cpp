#include "document/Prefault.h"

#include <algorithm>
#include <cstdint>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#include <unistd.h>
#endif

BackgroundPrefault::BackgroundPrefault(std::vector<Block> blocks) {
#ifdef MADV_POPULATE_WRITE
    // Small arrays fault in quickly enough on their own.
    constexpr std::size_t kWorthIt = std::size_t(8) << 20;
    constexpr std::size_t kStep = std::size_t(4) << 20;
    std::size_t total = 0;
    for (const Block& block : blocks) {
        total += block.bytes;
    }
    if (total < kWorthIt) {
        return;
    }
    m_thread = std::thread([this, blocks = std::move(blocks)] {
        const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
        // The blocks are filled side by side, so they are populated side by side.
        for (std::size_t offset = 0; !m_stop.load(std::memory_order_relaxed); offset += kStep) {
            bool any = false;
            for (const Block& block : blocks) {
                if (offset >= block.bytes) {
                    continue;
                }
                any = true;
                const auto begin = std::uintptr_t(block.start) + offset;
                const auto end =
                    std::uintptr_t(block.start) + std::min(block.bytes, offset + kStep);
                const auto first = (begin + page - 1) / page * page;
                const auto last = end / page * page;
                if (first < last && madvise(reinterpret_cast<void*>(first), last - first,
                                            MADV_POPULATE_WRITE) != 0) {
                    return; // not supported here: the filling thread faults pages in itself
                }
            }
            if (!any) {
                return;
            }
        }
    });
#else
    (void)blocks;
#endif
}

BackgroundPrefault::~BackgroundPrefault() {
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
}
