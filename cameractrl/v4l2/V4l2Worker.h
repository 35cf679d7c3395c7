// The one thread that talks to an open V4L2 camera. The device object hands it what the user
// asked for and returns at once; a camera that takes its time (the driver blocks each control
// request until the camera answers) delays the camera, never the caller.
//
// What waits to be sent is state, not a queue of everything asked: the motion wanted now
// (pan, tilt and zoom speeds) and a list of control writes in the order asked, where a newer
// value of a control replaces one not yet sent. A stop or a change of direction goes first,
// then the writes, then speed changes. Control events from the driver (other programs, the
// camera's auto modes) update what the worker knows and reach the caller's listener.
#pragma once

#include "ChangeNotifier.h"
#include "Motion.h"
#include "PresetStore.h"
#include "V4l2Controls.h"
#include "V4l2Io.h"
#include "WakeEvent.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class CameraStore;

class V4l2Worker
{
public:
    using Axis = V4l2Controls::Axis;
    using Writes = std::vector<std::pair<uint32_t, int64_t>>;
    using Clock = std::chrono::steady_clock;

    struct Camera
    {
        std::string node;
        std::string name;
        std::string identity;      // where presets and image settings are kept
        std::string olderIdentity; // what earlier versions kept them under
    };
    struct Stores
    {
        std::shared_ptr<PresetStore> presets;
        std::shared_ptr<CameraStore> images; // nullptr: image settings are not remembered
    };

    // Takes over `fd` and starts reading the camera.
    V4l2Worker(std::shared_ptr<V4l2Io> io, int fd, Camera camera,
               std::shared_ptr<ChangeNotifier> notifier, Stores stores);
    ~V4l2Worker(); // joins the thread: call finish() first

    // ---- For the caller's thread; none of these waits for the camera beyond its limit ----

    // Waits until the camera's controls and values are read, at most `limit`.
    bool waitUntilRead(std::chrono::milliseconds limit);
    V4l2ControlMap controls();
    uint32_t capabilities();
    std::optional<int64_t> position(Axis axis);

    // Queued in order; a write of a control already waiting replaces its value there.
    // `remember`: kept as the camera's image setting.
    void write(Writes writes, bool remember = false);
    void setSpeed(Axis axis, int speed); // signed panel speed, 0 stops
    // Reads the position unless one was read within `freshness`, waiting at most `limit`.
    void refreshPosition(std::chrono::milliseconds freshness, std::chrono::milliseconds limit);
    void storePreset(int number);
    void clearPreset(int number);
    // Waits until everything asked so far has been sent, at most `limit`; false when it has
    // not, or the camera refused something since the last call, or is gone.
    bool waitUntilSent(std::chrono::milliseconds limit);
    // Drops what waits, stops what moves, closes the camera; returns at once.
    void finish();
    bool finished() const { return done; }

private:
    struct Job
    {
        enum Kind
        {
            Write,
            ReadPosition,
            StorePreset,
            ClearPreset
        } kind = Write;
        Writes writes;
        bool remember = false;
        int preset = 0;
    };
    enum class Next
    {
        Wait,
        Finish,
        PanTilt,
        Zoom,
        RunJob,
        Step
    };

    void queuePreset(Job::Kind kind, int number);
    void run();
    void readCamera();
    Next next(Job &job, Motion &wanted, int &timeoutMs);
    void publish(uint32_t changes);

    bool ioctl(unsigned long request, void *argument);
    bool setControls(Writes &writes, std::string &refused);
    bool getControls(const std::vector<uint32_t> &ids);
    void drainEvents();

    void runJob(Job &job);
    void applyWrites(Job &job);
    void fillPanTilt(Writes &writes);
    bool readPosition();
    void sendMotion(const Motion &wanted, bool panTilt);
    void step();
    void saveImages(bool now);

    const std::shared_ptr<V4l2Io> io;
    const int fd;
    const Camera camera;
    const std::shared_ptr<ChangeNotifier> notifier;
    const Stores stores;
    const WakeEvent wakeup;

    // Shared with the caller's thread.
    mutable std::mutex mutex;
    std::condition_variable changed;
    V4l2ControlMap known;
    V4l2Controls::Drive panTilt = V4l2Controls::Drive::None;
    V4l2Controls::Drive zoom = V4l2Controls::Drive::None;
    uint32_t caps = 0;
    bool read = false;
    bool finishing = false;
    bool gone = false;
    std::deque<Job> jobs;
    Motion wanted;
    std::array<std::optional<int64_t>, 3> positions;
    Clock::time_point positionRead;
    unsigned positionReads = 0;
    bool positionQueued = false;
    unsigned idleTimes = 0; // how often the worker found nothing left to send
    bool refused = false;   // since the last waitUntilSent
    std::atomic<bool> done{false};

    // The worker's own.
    Motion sent;
    std::array<std::optional<int64_t>, 3> targets; // last absolute position commanded
    std::array<double, 3> stepAt = {0, 0, 0};
    std::array<double, 3> stepRate = {0, 0, 0};
    Clock::time_point lastStep;
    bool imagesDirty = false;
    Clock::time_point imagesChanged;

    std::thread thread;
};
