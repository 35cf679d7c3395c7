// SPDX-License-Identifier: GPL-2.0-or-later
// The one thread that talks to an open V4L2 camera. The device object hands it what the user
// asked for and returns at once; a camera that takes its time (the driver blocks each control
// request until the camera answers) delays the camera, never the caller.
//
// What waits to be sent is state, not a queue of everything asked: the motion wanted now
// (pan, tilt and zoom speeds) and a list of control writes in the order asked, where a newer
// value of a control replaces one not yet sent. A stop or a change of direction goes first,
// then the writes, then speed changes, and only then the reading of the camera: one request
// at a time, one control after the other (its range, then its value), so that whatever the
// user does goes out as soon as the request in flight ends. A write or a motion that needs a
// control not yet read has that one read first; an absolute pan waits a moment at the head of
// the writes for the tilt that usually follows. Control events from the driver (other
// programs, the camera's auto modes) update what the worker knows and reach the listener.
//
// A closed camera stops reading at its next request and waits a moment before it lets go
// of the device: opened again in that moment, it goes on where it was.
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
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
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
    // Works out writes from the camera's controls; nothing: the camera cannot.
    using Maker = std::function<Writes(const V4l2ControlMap &)>;
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
    // Whether each of `ids` has been asked for, whether the camera has it or not.
    bool looked(const std::vector<uint32_t> &ids);
    V4l2ControlMap controls();
    uint32_t capabilities();
    std::optional<int64_t> position(Axis axis);

    // Queued in order; a write of a control already waiting replaces its value there.
    // `remember`: kept as the camera's image setting. `awaitTilt`: an absolute pan held for
    // up to PairWait, so that a tilt asked for meanwhile goes out with it as one move.
    void write(Writes writes, bool remember = false, bool awaitTilt = false);
    // Once the controls in `needs` are read, `make` works out what to write (nothing is
    // reported as the camera lacking `what`).
    void writeLater(std::vector<uint32_t> needs, Maker make, std::string what, bool remember);
    void setSpeed(Axis axis, int speed); // signed panel speed, 0 stops
    // Reads the position unless one was read within `freshness`, waiting at most `limit`.
    // False when the camera is gone or its last reading failed; a reading still on its way
    // leaves the last one told standing.
    bool refreshPosition(std::chrono::milliseconds freshness, std::chrono::milliseconds limit);
    // Keeps or forgets preset `number` in the preset file, in turn with what was asked before;
    // waits for that at most `limit`. False when it could not be written by then (said on
    // stderr, every time); true when it was, or is still on its way.
    bool storePreset(int number, std::chrono::milliseconds limit);
    bool clearPreset(int number, std::chrono::milliseconds limit);
    // Waits until everything asked so far has been sent, at most `limit`; false when it has
    // not, or the camera refused something since the last call, or is gone.
    bool waitUntilSent(std::chrono::milliseconds limit);
    // Drops what waits, stops what moves and closes the camera after a moment; returns at
    // once.
    void finish();
    // Takes back a finished camera that has not closed yet: false when it has.
    bool resume();
    bool finished() const { return done; }
    const Camera &opened() const { return camera; }

    static constexpr auto Reopening = std::chrono::seconds(1);
    static constexpr auto PairWait = std::chrono::milliseconds(150);

private:
    struct Job
    {
        enum Kind
        {
            Write,
            Later, // writes that `make` works out when its turn comes
            ReadPosition,
            StorePreset,
            ClearPreset
        } kind = Write;
        Writes writes;
        bool remember = false;
        int preset = 0;
        std::vector<uint32_t> needs;
        Maker make;
        std::string what;
        unsigned sequence = 0;       // of a preset job
        Clock::time_point heldUntil; // a pan waiting for its tilt
    };
    enum class Next
    {
        Wait,
        Finish,
        PanTilt,
        Zoom,
        RunJob,
        Step,
        Look,      // ask for one control's range
        Subscribe, // and then for its value and events
        Read       // every control has been read
    };

    static constexpr auto StepInterval = std::chrono::milliseconds(50);
    static constexpr auto ImageSaveDelay = std::chrono::seconds(1);

    static bool writes(const Writes &list, uint32_t id);
    bool queuePreset(Job::Kind kind, int number, std::chrono::milliseconds limit);
    void presetDone(const Job &job, bool kept, const std::string &why);
    void run();
    Next next(Job &job, Motion &wanted, uint32_t &control, int &timeoutMs);
    // The motion to send now (`turns`: only stops and changes of direction), or the control
    // to read first for it.
    std::optional<Next> motionStep(bool turns, uint32_t &control);
    std::vector<uint32_t> needsOf(const Job &job) const;
    Next readingStep(uint32_t &control);
    void publish(uint32_t changes);

    void look(uint32_t id);
    void subscribe(uint32_t id);
    void finishReading();
    void updateDrives();

    bool ioctl(unsigned long request, void *argument);
    bool setControls(Writes &writes, std::string &refused);
    bool getControls(const std::vector<uint32_t> &ids);
    // `sending`: values about to be written, which an older event does not overwrite.
    void drainEvents(const Writes *sending = nullptr);

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
    std::set<uint32_t> looked_; // asked for: in `known` when the camera has it
    bool read = false;
    bool finishing = false;
    bool gone = false;
    bool ending = false; // no reopening: the worker is being destroyed
    bool ended = false;  // past taking it back
    Clock::time_point closedAt;
    std::deque<Job> jobs;
    Motion wanted;
    std::array<std::optional<int64_t>, 3> positions;
    Clock::time_point positionRead;
    unsigned positionReads = 0;
    bool positionQueued = false;
    bool positionTold = false; // the last reading succeeded
    unsigned idleTimes = 0;    // how often the worker found nothing left to send
    bool refused = false;      // since the last waitUntilSent
    unsigned presetsQueued = 0;
    unsigned presetsDone = 0;
    std::set<unsigned> presetsFailed; // not yet told to whoever waited for them
    std::atomic<bool> done{false};

    // The worker's own.
    std::set<uint32_t> subscribed;
    std::set<uint32_t> written; // since opening: not given back from the image store
    Motion sent;
    std::array<std::optional<int64_t>, 3> targets; // last absolute position commanded
    std::array<double, 3> stepAt = {0, 0, 0};
    std::array<double, 3> stepRate = {0, 0, 0};
    Clock::time_point lastStep;
    bool imagesDirty = false;
    Clock::time_point imagesChanged;

    std::thread thread;
};
