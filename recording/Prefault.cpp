#include "recording/Prefault.h"

#include <algorithm>
#include <cstdint>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Small arrays fault in quickly enough on their own.
constexpr std::size_t kWorthIt = std::size_t(8) << 20;
constexpr std::size_t kStep = std::size_t(4) << 20;
// Far enough ahead that the filling thread never waits for a page.
constexpr std::size_t kAhead = std::size_t(16) << 20;

} // namespace

BackgroundPrefault::BackgroundPrefault(std::vector<Block> blocks) {
#ifdef MADV_POPULATE_WRITE
    std::size_t total = 0;
    for (const Block& block : blocks) {
        total += block.bytes;
    }
    if (total >= kWorthIt) {
        m_thread = std::thread([this, blocks = std::move(blocks)] { Populate(blocks); });
    }
#else
    (void)blocks;
#endif
}

BackgroundPrefault::~BackgroundPrefault() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void BackgroundPrefault::Filled(std::size_t bytes) {
    // The populating thread only moves on by whole steps: telling it less is a waste.
    if (!m_thread.joinable() || bytes / kStep == m_told) {
        return;
    }
    m_told = bytes / kStep;
    {
        const std::lock_guard lock(m_mutex);
        m_filled = bytes;
    }
    m_wake.notify_one();
}

void BackgroundPrefault::Populate(const std::vector<Block>& blocks) {
#ifdef MADV_POPULATE_WRITE
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    // The blocks are filled side by side, so they are populated side by side.
    for (std::size_t offset = 0;; offset += kStep) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [&] { return m_stop || offset + kStep <= m_filled + kAhead; });
            if (m_stop) {
                return;
            }
        }
        bool any = false;
        for (const Block& block : blocks) {
            if (offset >= block.bytes) {
                continue;
            }
            any = true;
            const auto begin = std::uintptr_t(block.start) + offset;
            const auto end = std::uintptr_t(block.start) + std::min(block.bytes, offset + kStep);
            const auto first = (begin + page - 1) / page * page;
            const auto last = end / page * page;
            if (first < last &&
                madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE) != 0) {
                return; // not supported here: the filling thread faults pages in itself
            }
        }
        if (!any) {
            return;
        }
    }
#else
    (void)blocks;
#endif
}
