#pragma once

#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

/// Has the system back blocks of memory with pages on another thread, front to back, while
/// this thread fills them: on a fresh hour of samples the kernel's zeroing of new pages costs
/// as much as decoding, and the second core can take it. Stops early when destroyed; does
/// nothing where the system cannot populate memory ahead.
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

private:
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};
