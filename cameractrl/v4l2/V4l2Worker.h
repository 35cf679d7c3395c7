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
//
// The thread, that order and the close are CameraWorker's; this is the V4L2 part, over
// V4l2Worker*.cpp: its reading and events, its writing and motion, restoring image settings,
// and its loop.
#pragma once

#include "CameraWorker.h"
#include "ChangeNotifier.h"
#include "PresetStore.h"
#include "V4l2Controls.h"
#include "V4l2Io.h"
#include "V4l2Job.h"

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class CameraStore;

class V4l2Worker : public CameraWorker<V4l2Job>
{
public:
    using Axis = V4l2Controls::Axis;
    using Writes = V4l2Job::Writes;
    using Maker = V4l2Job::Maker;

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
    ~V4l2Worker() override;

    // ---- For the caller's thread; none of these waits for the camera beyond its limit ----

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
    // Keeps or forgets preset `number` in the preset file, in turn with what was asked before;
    // waits for that at most `limit`. False when it could not be written by then (said on
    // stderr, every time); true when it was, or is still on its way.
    bool storePreset(int number, std::chrono::milliseconds limit);
    bool clearPreset(int number, std::chrono::milliseconds limit);
    const Camera &opened() const { return camera; }

private:
    using Job = V4l2Job;
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
    void run() override;
    Next next(Job &job, Motion &wanted, uint32_t &control, int &timeoutMs);
    Job positionJob() const override;
    bool readsPosition(const Job &job) const override;
    bool keptOnClose(const Job &job) const override;
    // A drive or job whose controls are not all read yet has one read first (lookFirst).
    Ready readyToDrive(Motion::Drive drive) override;
    bool readyToRun(const Job &job) override;
    std::vector<uint32_t> needsOf(const Job &job) const;
    Next readingStep(uint32_t &control);

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
    const Stores stores;

    // Shared with the caller's thread, under the mutex.
    V4l2ControlMap known;
    V4l2Controls::Drive panTilt = V4l2Controls::Drive::None;
    V4l2Controls::Drive zoom = V4l2Controls::Drive::None;
    uint32_t caps = 0;
    std::set<uint32_t> looked_; // asked for: in `known` when the camera has it
    std::array<std::optional<int64_t>, 3> positions;
    unsigned presetsQueued = 0;
    unsigned presetsDone = 0;
    std::set<unsigned> presetsFailed; // not yet told to whoever waited for them

    // The worker's own.
    uint32_t lookFirst = 0;
    std::set<uint32_t> subscribed;
    std::set<uint32_t> written; // since opening: not given back from the image store
    std::array<std::optional<int64_t>, 3> targets; // last absolute position commanded
    std::array<double, 3> stepAt = {0, 0, 0};
    std::array<double, 3> stepRate = {0, 0, 0};
    Clock::time_point lastStep;
    bool imagesDirty = false;
    Clock::time_point imagesChanged;
};
