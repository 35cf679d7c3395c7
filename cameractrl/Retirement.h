// SPDX-License-Identifier: GPL-2.0-or-later
// The workers of closed cameras, kept until they have ended on their own: a worker may still
// be sending its camera the last stop. Whatever has not ended is waited for on destruction.
#pragma once

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

template <typename Worker> class Retirement
{
public:
    Retirement() = default;
    Retirement(const Retirement &) = delete;
    Retirement &operator=(const Retirement &) = delete;
    ~Retirement()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        workers.clear();
    }

    void add(std::unique_ptr<Worker> worker)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        workers.erase(std::remove_if(workers.begin(), workers.end(),
                                     [](const auto &w) { return w->finished(); }),
                      workers.end());
        workers.push_back(std::move(worker));
    }

private:
    std::mutex mutex;
    std::vector<std::unique_ptr<Worker>> workers;
};
