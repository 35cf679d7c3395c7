// SPDX-License-Identifier: GPL-2.0-or-later
#include "V4l2Worker.h"
#include "Report.h"

#include <algorithm>

using namespace V4l2Controls;

namespace {

int64_t clampTo(const V4l2Control &c, int64_t value)
{
    return c.minimum <= c.maximum ? std::clamp(value, c.minimum, c.maximum) : value;
}

bool onlyAbsolute(const V4l2Worker::Writes &list)
{
    return std::all_of(list.begin(), list.end(), [](const auto &w) {
        return w.first == absoluteControl(Pan) || w.first == absoluteControl(Tilt) ||
               w.first == absoluteControl(Zoom);
    });
}

} // namespace

V4l2Worker::V4l2Worker(std::shared_ptr<V4l2Io> system, int descriptor, Camera opened,
                       std::shared_ptr<ChangeNotifier> listener, Stores kept)
    : CameraWorker(std::move(listener)), io(std::move(system)), fd(descriptor),
      camera(std::move(opened)), stores(std::move(kept))
{
    start();
}

V4l2Worker::~V4l2Worker()
{
    stop();
}

bool V4l2Worker::writes(const Writes &list, uint32_t id)
{
    return std::any_of(list.begin(), list.end(), [id](const auto &w) { return w.first == id; });
}

// ---- The caller's side ----------------------------------------------------------------------

bool V4l2Worker::looked(const std::vector<uint32_t> &ids)
{
    const std::lock_guard<std::mutex> lock(mutex);
    return std::all_of(ids.begin(), ids.end(), [this](uint32_t id) { return looked_.count(id); });
}

V4l2ControlMap V4l2Worker::controls()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return known;
}

uint32_t V4l2Worker::capabilities()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return gone ? 0 : caps;
}

std::optional<int64_t> V4l2Worker::position(Axis axis)
{
    const std::lock_guard<std::mutex> lock(mutex);
    return positions[axis];
}

void V4l2Worker::write(Writes list, bool remember, bool awaitTilt)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (finishing || list.empty())
            return;
        // What the caller set is what ReadParameters shows, before the camera has it.
        for (auto &[id, value] : list) {
            const auto found = known.find(id);
            if (found != known.end() && isImage(id)) {
                value = clampTo(found->second, value);
                found->second.value = value;
                found->second.known = true;
            }
        }
        Job *into = nullptr;
        const bool tilts = writes(list, absoluteControl(Tilt)) && onlyAbsolute(list);
        // The tilt a pan waits for joins it, wherever it stands in line.
        for (auto it = jobs.begin(); it != jobs.end() && tilts && !into; ++it)
            if (it->kind == Job::Write && it->heldUntil != Clock::time_point())
                into = &*it;
        for (auto it = jobs.rbegin(); it != jobs.rend() && !into; ++it)
            if (it->kind == Job::Write && std::all_of(list.begin(), list.end(), [&](const auto &w) {
                    return writes(it->writes, w.first);
                }))
                into = &*it;
        // A pan written just before a tilt (or the reverse) goes out with it, in one request.
        if (!into && !jobs.empty() && jobs.back().kind == Job::Write &&
            onlyAbsolute(jobs.back().writes) && onlyAbsolute(list))
            into = &jobs.back();
        if (into) {
            for (const auto &w : list) {
                const auto same = std::find_if(into->writes.begin(), into->writes.end(),
                                               [&](const auto &x) { return x.first == w.first; });
                if (same != into->writes.end())
                    same->second = w.second;
                else
                    into->writes.push_back(w);
            }
            into->remember = into->remember || remember;
            if (writes(into->writes, absoluteControl(Tilt)))
                into->heldUntil = Clock::time_point();
        } else {
            Job job;
            job.writes = std::move(list);
            job.remember = remember;
            if (awaitTilt && !writes(job.writes, absoluteControl(Tilt)))
                job.heldUntil = Clock::now() + PairWait;
            jobs.push_back(std::move(job));
        }
    }
    wakeup.wake();
}

void V4l2Worker::writeLater(std::vector<uint32_t> needs, Maker make, std::string what,
                            bool remember)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (finishing)
            return;
        Job job;
        job.kind = Job::Later;
        job.needs = std::move(needs);
        job.make = std::move(make);
        job.what = std::move(what);
        job.remember = remember;
        jobs.push_back(std::move(job));
    }
    wakeup.wake();
}

bool V4l2Worker::storePreset(int number, std::chrono::milliseconds limit)
{
    return queuePreset(Job::StorePreset, number, limit);
}

bool V4l2Worker::clearPreset(int number, std::chrono::milliseconds limit)
{
    return queuePreset(Job::ClearPreset, number, limit);
}

bool V4l2Worker::queuePreset(Job::Kind kind, int number, std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (finishing)
        return false;
    Job job;
    job.kind = kind;
    job.preset = number;
    job.sequence = ++presetsQueued;
    jobs.push_back(job);
    lock.unlock();
    wakeup.wake();
    lock.lock();
    changed.wait_for(lock, limit, [&] { return presetsDone >= job.sequence || finishing || gone; });
    // What nobody waits for any more is forgotten; it was said on stderr.
    const bool failed = presetsFailed.count(job.sequence) > 0;
    presetsFailed.erase(presetsFailed.begin(), presetsFailed.upper_bound(job.sequence));
    return !failed;
}

void V4l2Worker::presetDone(const Job &job, bool kept, const std::string &why)
{
    if (!kept)
        report(why);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        presetsDone = job.sequence;
        if (!kept) {
            presetsFailed.insert(job.sequence);
            refused = true;
        }
    }
    changed.notify_all();
}

V4l2Worker::Job V4l2Worker::positionJob() const
{
    Job job;
    job.kind = Job::ReadPosition;
    return job;
}

bool V4l2Worker::readsPosition(const Job &job) const
{
    return job.kind == Job::ReadPosition;
}

bool V4l2Worker::keptOnClose(const Job &job) const
{
    // What waits is dropped, but presets the user stored or cleared are kept.
    return job.kind == Job::StorePreset || job.kind == Job::ClearPreset;
}

// ---- The worker's side ----------------------------------------------------------------------
