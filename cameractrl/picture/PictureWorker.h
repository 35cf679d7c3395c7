// SPDX-License-Identifier: GPL-2.0-or-later
// Takes an open camera's pictures on a thread of its own, so that neither the caller nor the
// camera's worker waits for a frame: a preset's picture once the camera stands still (after
// StillWait at most), and, while live view is on, a frame every LiveInterval. Each becomes a
// Thumbnail; a preset's is kept in the PictureStore. A take that fails (no frame within
// FrameWait, junk, another program on the camera) leaves the preset without a picture and
// says why, once per camera and reason. While a live stream is open, presets' pictures come
// from it: a USB camera streams to one file handle only.
//
// The thread starts with the first picture asked for. Once the camera is closed (finish()),
// live view ends, news stops, and the takes asked for still go, without waiting for
// stillness; destroyed, it lets them go on for FrameWait at most.
#pragma once

#include "ChangeNotifier.h"
#include "ViewSource.h"
#include "WakeEvent.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PictureWorker
{
public:
    using Clock = std::chrono::steady_clock;
    using Moving = std::function<bool()>; // called under the worker's lock; null: still

    // `key`: where the camera's pictures are kept (PictureStore); `name`: for messages.
    PictureWorker(std::string key, std::string name, Moving moving,
                  std::shared_ptr<ChangeNotifier> notifier);
    ~PictureWorker();
    PictureWorker(const PictureWorker &) = delete;
    PictureWorker &operator=(const PictureWorker &) = delete;

    const std::string &key() const { return cameraKey; }
    // The preset's picture, from `source` (or the live stream while there is one). A take of
    // the same preset still waiting is replaced.
    void take(int preset, std::unique_ptr<ViewSource> source);
    // Forgets a take of the preset not yet kept, and the preset's picture.
    void drop(int preset);
    // Live view from `source`; nullptr ends it.
    void live(std::unique_ptr<ViewSource> source);
    bool liveFrame(std::vector<uint8_t> *jpeg, uint32_t *version);

    // The camera is closed: see above. Returns at once.
    void finish();
    // Opened again before it ended: false when it has.
    bool resume(Moving moving);
    bool finished();

    static constexpr auto StillWait = std::chrono::seconds(10);
    static constexpr auto FrameWait = std::chrono::seconds(3);
    static constexpr auto LiveInterval = std::chrono::milliseconds(250);
    static constexpr auto LiveRetry = std::chrono::seconds(1);

private:
    struct Take
    {
        int preset = 0;
        std::unique_ptr<ViewSource> source;
    };

    void start();
    void run();
    void runTake(Take &take, ViewSource *stream);
    void runLive(ViewSource &stream);
    void waitUntilStill();
    void publish();

    const std::string cameraKey, name;
    const std::shared_ptr<ChangeNotifier> notifier;
    const WakeEvent stopAll;  // ending: whatever waits for a frame gives up
    const WakeEvent stopLive; // live view changed: its frame is not waited for

    std::mutex mutex;
    std::condition_variable changed;
    Moving moving;
    std::deque<Take> takes;
    int current = -1; // the preset being taken
    bool currentDropped = false;
    std::unique_ptr<ViewSource> liveSource; // handed over, not yet taken by the thread
    bool liveChanged = false;
    std::vector<uint8_t> lastFrame;
    uint32_t frameNumber = 0;
    std::string liveProblem;
    bool finishing = false, ending = false, over = false, quiet = false;
    std::thread thread;

    std::mutex keeping; // a kept picture and a drop never cross
};
