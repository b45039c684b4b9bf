#pragma once

#include "base/Host.h"

#include <QString>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>

/// Waits for work running on another thread while the host shows how far it is: every 20 ms
/// `done()` of `total` steps (held under `total` until the work ends), `stop` set once the
/// user asks to stop (the work then ends early on its own), and the end told when it comes.
template <typename T>
void WaitShowingProgress(const std::future<T>& work, Host& host, const QString& task, int total,
                         const std::function<int()>& done, std::atomic<bool>& stop) {
    using namespace std::chrono_literals;
    while (work.wait_for(20ms) != std::future_status::ready) {
        const int step = std::clamp(done(), 0, total - 1);
        if (!stop && !host.ReportProgress(task, step, total)) {
            stop = true;
        }
    }
    host.ReportProgress(task, total, total);
}
