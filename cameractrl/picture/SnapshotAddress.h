// SPDX-License-Identifier: GPL-2.0-or-later
// Where a camera's snapshot is, once the camera has said it: told by its worker, waited for by
// the sources that fetch it, which may outlive the worker.
#pragma once

#include <mutex>
#include <optional>
#include <string>

class SnapshotAddress
{
public:
    // "": the camera has none.
    void tell(std::string url)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        address = std::move(url);
    }
    std::optional<std::string> known() const
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return address;
    }

private:
    mutable std::mutex mutex;
    std::optional<std::string> address;
};
