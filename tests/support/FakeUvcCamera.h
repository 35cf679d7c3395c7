// SPDX-License-Identifier: GPL-2.0-or-later
// A USB PTZ camera as Linux's uvcvideo driver presents it through V4L2, written from the
// driver's source (uvc_ctrl.c, uvc_v4l2.c of Linux 6.1): UVC controls with their raw
// GET_CUR/MIN/MAX/RES/DEF data and the driver's cache of them, the V4L2 mappings over them
// (relative speeds and zoom, compound pan/tilt, auto-mode masters), clamping instead of
// ERANGE, one request per commit of S_EXT_CTRLS, control events; and a motor that moves pan,
// tilt and zoom in time. `kernel` switches to the newer kernels' -max..max relative ranges.
//
// Locks as the driver does: `lock` is the chain's control mutex, held across every transfer
// to the camera by the control, menu and event-subscription ioctls; the event queues have a
// lock of their own (the file handle's), so dequeuing an event never waits for a transfer.
//
// Streaming as uvc_v4l2.c and videobuf2 do it: the formats and frame sizes of the camera's
// descriptors, one file handle with the privileges to set the format and own the buffers
// (uvc_acquire_privileges: EBUSY for any other, as vb2_queue_is_busy), memory-mapped buffers
// queued, filled as frames arrive every `frameInterval` and dequeued without blocking. The
// stream has its own lock: a frame never waits for a control transfer. What the camera sees is
// the simulated camera's drawing at the motor's position.
#pragma once

#include <linux/videodev2.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class FakeUvcCamera
{
public:
    enum class Kernel
    {
        Linux61,
        Current
    };
    // The UVC controls a camera may have (its descriptors' bmControls).
    enum Selector
    {
        Brightness,
        Contrast,
        Hue,
        Saturation,
        Sharpness,
        Gamma,
        WhiteBalance,
        WhiteBalanceAuto,
        Backlight,
        PowerLine,
        FocusAuto,
        ZoomAbsolute,
        ZoomRelative,
        PanTiltAbsolute,
        PanTiltRelative,
    };
    // What GET_INFO says of a control.
    struct Info
    {
        bool get;
        bool set;
    };

    // The driver's control lock: one request to the camera at a time, whoever asks.
    std::recursive_mutex lock;

    Kernel kernel = Kernel::Linux61;
    std::chrono::milliseconds latency{0}; // per control request to the camera
    // Told of every request as it starts, before its latency, with `lock` held.
    std::function<void(const char *request, Selector selector, const std::vector<uint8_t> &data)>
        onRequest;
    static const char *nameOf(Selector selector);

    // The camera's pan and tilt in arc-seconds and zoom in its units, moving meanwhile.
    static constexpr int PanLimit = 612000, TiltMin = -108000, TiltMax = 324000;
    static constexpr int ZoomMin = 100, ZoomMax = 500;
    static constexpr double DegreesPerSpeedUnit = 4.0; // relative speed to degrees a second

    // The power-line frequency values the camera takes (0 off, 1 50 Hz, 2 60 Hz, 3 auto): UVC
    // 1.1 cameras 0..2, 1.5 ones 0..3, and {1, 2} for those the driver knows cannot switch it
    // off. Linux 6.1 numbers its menu entries from 0 in this order; newer kernels by value.
    std::vector<int32_t> powerLineValues = {0, 1, 2};

    void add(Selector selector, Info info = {true, true});
    void addImageControls(); // brightness .. power line, white balance automatic
    void addPtz(bool relative, bool relativeGetCur, bool absolute);
    bool has(Selector selector) const { return controls.count(selector) != 0; }

    // The camera's own values, as it would answer GET_CUR.
    double pan();
    double tilt();
    double zoom();
    int64_t value(uint32_t id);          // as V4L2 reads it
    int32_t hardware(Selector selector); // the camera's own, for a one-field control
    int requests() const { return requestCount; }
    int requestsFrom(std::thread::id thread) const;
    // A control whose SET_CUR the camera stalls, with the error the driver then returns
    // (-EILSEQ for "wrong state", -EBUSY for "not ready").
    std::map<Selector, int> stalls;
    // Set commits that succeeded, in order: the V4L2 controls of each.
    std::vector<std::vector<std::pair<uint32_t, int32_t>>> commits;

    // The driver's side of the V4L2 control ioctls; `handle` tells descriptors apart.
    int query(v4l2_query_ext_ctrl &query);
    int get(v4l2_ext_controls &controls);
    int set(v4l2_ext_controls &controls, int handle);
    int queryMenu(v4l2_querymenu &menu);
    int subscribe(const v4l2_event_subscription &subscription, int handle);
    void unsubscribe(int handle);
    void dropEvents(int handle); // of a handle that never subscribed: `lock` not needed
    // Pending events of `handle`, oldest first; true when one was taken.
    bool dequeue(int handle, v4l2_event &event);
    bool pending(int handle) const;
    // The camera changes a value by itself (auto mode, IR remote) and says so.
    void changeByItself(uint32_t id, int32_t value);

    // ---- Streaming ----
    struct Format
    {
        uint32_t fourcc;
        std::vector<std::pair<int, int>> frames; // width, height, in descriptor order
    };
    std::vector<Format> formats = {
        {V4L2_PIX_FMT_MJPEG, {{1280, 720}, {640, 360}, {320, 180}, {160, 90}}},
        {V4L2_PIX_FMT_YUYV, {{640, 360}, {320, 180}, {160, 90}}}};
    std::chrono::milliseconds frameInterval{33};
    bool junkFrames = false; // MJPEG frames that are no JPEG
    bool stalled = false;    // streams, but no frame ever arrives
    static bool streamingRequest(unsigned long request);
    int stream(unsigned long request, void *argument, int handle);
    uint8_t *memory(int64_t offset, size_t length);
    // Milliseconds until `handle` has a filled buffer to dequeue: 0 now, -1 not before
    // something changes.
    int untilFrame(int handle);
    void release(int handle); // its file handle is closed
    int streamer(); // the handle with the privileges, -1 none
    v4l2_pix_format currentFormat();

private:
    struct Control
    {
        int size = 2;
        Info info = {true, true};
        bool autoUpdate = false;
        bool hasRange = true; // GET_MIN, GET_MAX, GET_RES
        std::vector<uint8_t> min, max, res, def, hardware;
        std::vector<uint8_t> cur, backup; // the driver's cache
        bool cached = false, loaded = false, dirty = false;
    };
    struct Mapping;
    static const Mapping *mappingOf(uint32_t id);
    // The menu's entries: (V4L2 index, the camera's value).
    std::vector<std::pair<int32_t, int32_t>> menuEntries() const;

    void request(const char *what, Selector selector, const std::vector<uint8_t> &data = {});
    std::vector<uint8_t> currentOf(Selector selector);
    void apply(Selector selector, const std::vector<uint8_t> &data);
    int32_t read(const Mapping &m, const std::vector<uint8_t> &data, int query) const;
    int fill(const Mapping &m, v4l2_query_ext_ctrl &query);
    void limits(const Mapping &m, v4l2_query_ext_ctrl &query);
    int load(Control &c, Selector selector);
    int getValue(const Mapping &m, int32_t &value);
    int accessible(const Mapping &m, const v4l2_ext_controls &controls, bool write);
    // Returns 0 or the error of the control that failed, whose index goes to `failed`.
    int commit(bool rollback, Selector *failed = nullptr);
    void send(const Mapping &m, int32_t value, uint32_t changes, int originator, int onlyTo = -1);

    std::map<Selector, Control> controls;
    std::map<int, std::set<uint32_t>> subscribers;
    mutable std::mutex queueLock; // the file handles' event lock, taken after `lock`
    std::map<int, std::vector<v4l2_event>> queues;
    int requestCount = 0;
    std::map<std::thread::id, int> requestThreads;

    struct Buffer
    {
        std::vector<uint8_t> memory;
        uint32_t used = 0, sequence = 0;
        bool mapped = false;
    };
    void fillLocked(); // buffers queued whose frame time has come
    void renderLocked(Buffer &buffer);
    void freeLocked();
    uint32_t imageSizeLocked() const;
    v4l2_pix_format pixLocked(size_t format, size_t frame) const;
    std::array<double, 3> motor(); // where pan, tilt and zoom are now

    std::mutex streamLock; // the stream's and its queue's, never taken with `lock` held
    int privileged = -1;
    size_t formatIndex = 0, frameIndex = 0;
    std::vector<Buffer> buffers;
    std::deque<size_t> queued, filled;
    bool streaming = false;
    std::chrono::steady_clock::time_point streamStart;
    uint64_t frames = 0; // frame times passed since streaming started

    // The motor, under its own lock: frames read it while a control transfer runs.
    std::mutex motorLock;
    void advanceLocked();
    std::chrono::steady_clock::time_point motorTime = std::chrono::steady_clock::now();
    double position[3] = {0, 0, 250}; // pan, tilt, zoom
    double velocity[3] = {0, 0, 0};   // per second
    bool targeted[3] = {false, false, false};
    double target[3] = {0, 0, 0};
};
