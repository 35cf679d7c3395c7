// SPDX-License-Identifier: GPL-2.0-or-later
// What a fake camera is asked, request by request as each starts, for the tests and the bench.
// It can hold the first request for one control: the camera does not answer it, and the
// driver's control lock stays held, until released.
#pragma once

#include "FakeV4l2Io.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class RequestLog
{
public:
    struct Entry
    {
        std::chrono::steady_clock::time_point at;
        std::string request; // "GET_DEF", "SET_CUR"
        FakeUvcCamera::Selector selector;
        std::vector<uint8_t> data; // what SET_CUR sends
        std::string line() const;  // "GET_DEF gamma"
    };

    RequestLog(FakeV4l2Io &io, const std::string &node,
               std::optional<FakeUvcCamera::Selector> holdAt = std::nullopt);
    ~RequestLog(); // releases and stops listening
    RequestLog(const RequestLog &) = delete;
    RequestLog &operator=(const RequestLog &) = delete;

    bool waitUntilHeld(std::chrono::milliseconds limit);
    void release();
    std::vector<Entry> entries() const;
    std::vector<std::string> lines() const;

private:
    FakeV4l2Io &io;
    const std::string node;
    const std::optional<FakeUvcCamera::Selector> holdAt;
    mutable std::mutex mutex; // never the camera's: read at any time
    std::condition_variable changed;
    std::vector<Entry> log;
    bool holding = false, released = false;
};
