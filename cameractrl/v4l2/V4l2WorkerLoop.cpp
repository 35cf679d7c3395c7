// SPDX-License-Identifier: GPL-2.0-or-later
// The worker's loop: what goes next, and the wait for the camera or the caller.
#include "Report.h"
#include "V4l2Worker.h"

#include <algorithm>
#include <cstring>

using namespace V4l2Controls;

std::vector<uint32_t> V4l2Worker::needsOf(const Job &job) const
{
    std::vector<uint32_t> ids;
    switch (job.kind) {
    case Job::Write:
        for (const auto &w : job.writes)
            ids.push_back(w.first);
        // An absolute pan goes out with the tilt and the reverse (fillPanTilt).
        if (writes(job.writes, absoluteControl(Pan)) || writes(job.writes, absoluteControl(Tilt)))
            ids.insert(ids.end(), {absoluteControl(Pan), absoluteControl(Tilt)});
        break;
    case Job::Later:
        ids = job.needs;
        break;
    case Job::ReadPosition:
    case Job::StorePreset:
        ids = {absoluteControl(Pan), absoluteControl(Tilt), absoluteControl(Zoom)};
        break;
    case Job::ClearPreset:
        break;
    }
    return ids;
}

V4l2Worker::Ready V4l2Worker::readyToDrive(Motion::Drive drive)
{
    const bool zoomAxis = drive == Motion::Zoom;
    if (!driveSettled(known, looked_, zoomAxis)) {
        for (uint32_t id : driveControls(zoomAxis))
            if (!looked_.count(id)) {
                lookFirst = id;
                return Ready::First;
            }
    }
    if ((zoomAxis ? zoom : panTilt) != Drive::None)
        return Ready::Go;
    // Asked before the camera was read: now it is known that it cannot.
    reportOnce(camera.name + " (" + camera.node + ") offers no " +
               (zoomAxis ? "zoom" : "pan and tilt"));
    return Ready::Cannot;
}

bool V4l2Worker::readyToRun(const Job &job)
{
    for (uint32_t id : needsOf(job))
        if (!looked_.count(id)) {
            lookFirst = id;
            return false;
        }
    return true;
}

V4l2Worker::Next V4l2Worker::readingStep(uint32_t &control)
{
    // Under the lock: one control at a time, its range and then its value.
    for (uint32_t id : used()) {
        control = id;
        if (!looked_.count(id))
            return Next::Look;
        if (known.count(id) && !subscribed.count(id))
            return Next::Subscribe;
    }
    return Next::Read;
}

V4l2Worker::Next V4l2Worker::next(Job &job, Motion &motion, uint32_t &control, int &timeoutMs)
{
    const std::lock_guard<std::mutex> lock(mutex);
    timeoutMs = -1;
    if (gone) {
        ended = true;
        return Next::Finish;
    }
    if (finishing) {
        // Presets stored or cleared are kept, what moves stops; then the camera waits a
        // moment to be opened again.
        if (!jobs.empty()) {
            job = std::move(jobs.front());
            jobs.pop_front();
            return Next::RunJob;
        }
        motion = wanted;
        if (panTilt != Drive::None && wanted.turnsFrom(sent, Motion::PanTilt))
            return Next::PanTilt;
        if (zoom != Drive::None && wanted.turnsFrom(sent, Motion::Zoom))
            return Next::Zoom;
        const Clock::time_point now = Clock::now();
        if (lettingGo(now))
            return Next::Finish;
        timeoutMs =
            int(std::chrono::ceil<std::chrono::milliseconds>(closedAt + Reopening - now).count());
        return Next::Wait;
    }
    Motion::Drive drive = Motion::PanTilt;
    Clock::time_point held;
    switch (order(job, drive, held)) {
    case Turn::First:
        control = lookFirst;
        return Next::Look;
    case Turn::Drive:
        motion = wanted;
        return drive == Motion::Zoom ? Next::Zoom : Next::PanTilt;
    case Turn::RunJob:
        return Next::RunJob;
    case Turn::Rest:
        break;
    }
    if (std::any_of(stepRate.begin(), stepRate.end(), [](double r) { return r != 0; })) {
        const auto due = lastStep + StepInterval - Clock::now();
        if (due <= Clock::duration::zero())
            return Next::Step;
        timeoutMs = int(std::chrono::ceil<std::chrono::milliseconds>(due).count());
    }
    if (held != Clock::time_point()) {
        // What waits behind a held pan waits with it; the camera's reading too.
        const int ms = std::max(
            1, int(std::chrono::ceil<std::chrono::milliseconds>(held - Clock::now()).count()));
        timeoutMs = timeoutMs < 0 ? ms : std::min(timeoutMs, ms);
        return Next::Wait;
    }
    // Nothing the user asked for waits.
    idle();
    if (!read)
        return readingStep(control);
    if (imagesDirty) {
        const auto due = imagesChanged + ImageSaveDelay - Clock::now();
        const int ms = std::max(0, int(std::chrono::ceil<std::chrono::milliseconds>(due).count()));
        timeoutMs = timeoutMs < 0 ? ms : std::min(timeoutMs, ms);
    }
    return Next::Wait;
}

void V4l2Worker::run()
{
    Job job;
    Motion motion;
    uint32_t control = 0;
    int timeoutMs = -1;
    for (bool running = true; running;) {
        switch (next(job, motion, control, timeoutMs)) {
        case Next::Finish:
            running = false;
            break;
        case Next::PanTilt:
            sendMotion(motion, true);
            break;
        case Next::Zoom:
            sendMotion(motion, false);
            break;
        case Next::RunJob:
            runJob(job);
            break;
        case Next::Step:
            step();
            break;
        case Next::Look:
            look(control);
            break;
        case Next::Subscribe:
            subscribe(control);
            break;
        case Next::Read:
            finishReading();
            break;
        case Next::Wait: {
            const int ready = io->wait(fd, wakeup.fd(), wakeup.fd() >= 0 ? timeoutMs : 20);
            if (ready & V4l2Io::Woken)
                wakeup.drain();
            if (ready & V4l2Io::Events)
                drainEvents();
            if (ready < 0) {
                reportOnce(camera.name + " (" + camera.node + "): " + std::strerror(-ready));
                std::this_thread::sleep_for(StepInterval);
            }
            saveImages(false);
            break;
        }
        }
    }
    bool lost = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        lost = gone;
    }
    if (!lost) {
        // Closing never leaves the camera turning.
        if (std::any_of(sent.speed.begin(), sent.speed.end(), [](int s) { return s != 0; })) {
            const Motion still;
            sendMotion(still, true);
            sendMotion(still, false);
        }
        saveImages(true);
    }
    io->close(fd);
    done = true;
}
