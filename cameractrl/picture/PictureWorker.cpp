// SPDX-License-Identifier: GPL-2.0-or-later
#include "PictureWorker.h"
#include "PictureStore.h"
#include "Report.h"
#include "Thumbnail.h"

#include <algorithm>

namespace {

constexpr auto StillPoll = std::chrono::milliseconds(50);

} // namespace

PictureWorker::PictureWorker(std::string key, std::string cameraName, Moving movingNow,
                             std::shared_ptr<ChangeNotifier> listener)
    : cameraKey(std::move(key)), name(std::move(cameraName)), notifier(std::move(listener)),
      moving(std::move(movingNow))
{}

PictureWorker::~PictureWorker()
{
    finish();
    {
        std::unique_lock<std::mutex> lock(mutex);
        // What was asked still goes, for a while: a script that stores a preset and ends
        // gets its picture.
        changed.wait_for(lock, FrameWait + std::chrono::seconds(1), [this] { return over; });
        ending = true;
    }
    changed.notify_all();
    stopAll.wake();
    stopLive.wake();
    if (thread.joinable())
        thread.join();
}

void PictureWorker::start()
{
    // Under the lock.
    if (!thread.joinable())
        thread = std::thread([this] { run(); });
}

void PictureWorker::take(int preset, std::unique_ptr<ViewSource> source)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (over)
            return;
        const auto same = std::find_if(takes.begin(), takes.end(),
                                       [&](const Take &t) { return t.preset == preset; });
        if (same != takes.end())
            same->source = std::move(source);
        else
            takes.push_back({preset, std::move(source)});
        start();
    }
    changed.notify_all();
}

void PictureWorker::drop(int preset)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        takes.erase(std::remove_if(takes.begin(), takes.end(),
                                   [&](const Take &t) { return t.preset == preset; }),
                    takes.end());
        if (current == preset)
            currentDropped = true;
    }
    const std::lock_guard<std::mutex> serial(keeping);
    std::string error;
    if (!PictureStore::shared().drop(cameraKey, preset, {}, error))
        report("the picture of preset " + std::to_string(preset) + " of " + name +
               " is kept: " + error);
}

void PictureWorker::live(std::unique_ptr<ViewSource> source)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (over || (finishing && source))
            return;
        liveSource = std::move(source);
        liveChanged = true;
        lastFrame.clear();
        liveProblem.clear();
        if (liveSource)
            start();
    }
    stopLive.wake();
    changed.notify_all();
}

bool PictureWorker::liveFrame(std::vector<uint8_t> *jpeg, uint32_t *version)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (lastFrame.empty())
        return false;
    if (jpeg)
        *jpeg = lastFrame;
    if (version)
        *version = frameNumber;
    return true;
}

void PictureWorker::finish()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        finishing = quiet = true;
        moving = nullptr; // the camera's worker may go now
        liveSource.reset();
        liveChanged = true;
        lastFrame.clear();
        if (!thread.joinable())
            over = true; // never started: nothing to finish
    }
    stopLive.wake();
    changed.notify_all();
}

bool PictureWorker::resume(Moving movingNow)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (over && thread.joinable())
        return false;
    over = finishing = quiet = false;
    moving = std::move(movingNow);
    return true;
}

bool PictureWorker::finished()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return over;
}

void PictureWorker::publish()
{
    bool silent = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        silent = quiet;
    }
    if (!silent)
        notifier->notify(CHANGED_PICTURE);
}

void PictureWorker::waitUntilStill()
{
    std::unique_lock<std::mutex> lock(mutex);
    const Clock::time_point limit = Clock::now() + StillWait;
    while (!ending && moving && moving() && Clock::now() < limit)
        changed.wait_for(lock, StillPoll);
}

void PictureWorker::runTake(Take &take, ViewSource *stream)
{
    waitUntilStill();
    ViewSource *source = stream ? stream : take.source.get();
    Frame frame;
    std::vector<uint8_t> jpeg;
    std::string problem = "this camera gives no pictures";
    const bool ok = source &&
                    source->frame(frame, Clock::now() + FrameWait, stopAll.fd(), problem) &&
                    Thumbnail::make(frame, jpeg, problem);
    take.source.reset(); // a USB camera is free again before anything else happens
    {
        const std::lock_guard<std::mutex> serial(keeping);
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (currentDropped || ending)
                return;
        }
        std::string error;
        PictureStore &store = PictureStore::shared();
        if (ok ? !store.write(cameraKey, take.preset, jpeg, error)
               : !store.drop(cameraKey, take.preset, problem, error))
            report("the picture of preset " + std::to_string(take.preset) + " of " + name +
                   " is not kept: " + error);
    }
    if (!ok)
        reportOnce(name + ": a preset is stored without a picture: " + problem);
    publish();
}

void PictureWorker::runLive(ViewSource &stream)
{
    Frame frame;
    std::vector<uint8_t> jpeg;
    std::string problem;
    const bool ok = stream.frame(frame, Clock::now() + FrameWait, stopLive.fd(), problem) &&
                    Thumbnail::make(frame, jpeg, problem);
    bool told = true;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (liveChanged || ending)
            return; // stopped meanwhile: not a failure
        if (ok) {
            lastFrame = std::move(jpeg);
            ++frameNumber;
            liveProblem.clear();
        } else {
            told = liveProblem != problem;
            liveProblem = problem;
        }
    }
    if (!ok && told)
        reportOnce(name + ": no live view: " + problem);
    if (ok)
        publish();
}

void PictureWorker::run()
{
    std::unique_ptr<ViewSource> stream; // the live view's, while it is on
    Clock::time_point nextFrame;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        if (ending)
            break;
        if (liveChanged) {
            liveChanged = false;
            std::unique_ptr<ViewSource> fresh = std::move(liveSource);
            lock.unlock();
            stream.reset(); // closed before the next one opens the camera
            stream = std::move(fresh);
            stopLive.drain();
            lock.lock();
            nextFrame = Clock::now();
            continue;
        }
        if (!takes.empty()) {
            Take take = std::move(takes.front());
            takes.pop_front();
            current = take.preset;
            currentDropped = false;
            lock.unlock();
            runTake(take, stream.get());
            lock.lock();
            current = -1;
            continue;
        }
        if (stream && !finishing) {
            const Clock::time_point now = Clock::now();
            if (now < nextFrame) {
                changed.wait_until(lock, nextFrame);
                continue;
            }
            lock.unlock();
            runLive(*stream);
            lock.lock();
            nextFrame = now + (liveProblem.empty() ? LiveInterval : LiveRetry);
            continue;
        }
        if (finishing)
            break;
        changed.wait(lock);
    }
    over = true;
    lock.unlock();
    stream.reset();
    changed.notify_all();
}
