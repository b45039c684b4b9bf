#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

/// Has the system back blocks of memory with pages on another thread, front to back, while
/// this thread fills them: on a fresh hour of samples the kernel's zeroing of new pages costs
/// as much as decoding, and the second core can take it. The pages taken stay a few megabytes
/// ahead of what is filled, so that room reserved for a length that a header only claims
/// costs no memory. Stops early when destroyed; does nothing where the system cannot
/// populate memory ahead.
class BackgroundPrefault {
public:
    struct Block {
        void* start = nullptr;
        std::size_t bytes = 0;
    };
    explicit BackgroundPrefault(std::vector<Block> blocks);
    ~BackgroundPrefault();
    BackgroundPrefault(const BackgroundPrefault&) = delete;
    BackgroundPrefault& operator=(const BackgroundPrefault&) = delete;

    /// Tells that the first `bytes` of every block are filled; called by the filling thread.
    void Filled(std::size_t bytes);

private:
    void Populate(const std::vector<Block>& blocks);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::size_t m_filled = 0; ///< guarded by m_mutex
    bool m_stop = false;      ///< guarded by m_mutex
    std::size_t m_told = 0;   ///< steps told so far; the filling thread's own
    std::thread m_thread;
};
