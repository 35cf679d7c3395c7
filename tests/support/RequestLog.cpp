// SPDX-License-Identifier: GPL-2.0-or-later
#include "RequestLog.h"

RequestLog::RequestLog(FakeV4l2Io &fake, const std::string &path,
                       std::optional<FakeUvcCamera::Selector> hold)
    : io(fake), node(path), holdAt(hold)
{
    io.with(node, [this](FakeUvcCamera &camera) {
        camera.onRequest = [this](const char *request, FakeUvcCamera::Selector selector,
                                  const std::vector<uint8_t> &data) {
            std::unique_lock<std::mutex> lock(mutex);
            log.push_back({std::chrono::steady_clock::now(), request, selector, data});
            if (holdAt == selector && !holding && !released) {
                holding = true;
                changed.notify_all();
                changed.wait(lock, [this] { return released; });
            }
        };
        return 0;
    });
}

RequestLog::~RequestLog()
{
    release();
    io.with(node, [](FakeUvcCamera &camera) {
        camera.onRequest = nullptr;
        return 0;
    });
}

bool RequestLog::waitUntilHeld(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, limit, [this] { return holding; });
}

void RequestLog::release()
{
    const std::lock_guard<std::mutex> lock(mutex);
    released = true;
    changed.notify_all();
}

std::vector<RequestLog::Entry> RequestLog::entries() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return log;
}

std::vector<std::string> RequestLog::lines() const
{
    std::vector<std::string> out;
    for (const Entry &e : entries())
        out.push_back(e.line());
    return out;
}

std::string RequestLog::Entry::line() const
{
    return request + " " + FakeUvcCamera::nameOf(selector);
}
