// SPDX-License-Identifier: GPL-2.0-or-later
#include "V4l2Worker.h"
#include "CameraStore.h"
#include "Report.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <unistd.h>

using namespace V4l2Controls;

namespace {

constexpr auto StepInterval = std::chrono::milliseconds(50);
constexpr auto ImageSaveDelay = std::chrono::seconds(1);

int64_t clampTo(const V4l2Control &c, int64_t value)
{
    return c.minimum <= c.maximum ? std::clamp(value, c.minimum, c.maximum) : value;
}

bool writes(const V4l2Worker::Writes &list, uint32_t id)
{
    return std::any_of(list.begin(), list.end(), [id](const auto &w) { return w.first == id; });
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
    : io(std::move(system)), fd(descriptor), camera(std::move(opened)),
      notifier(std::move(listener)), stores(std::move(kept))
{
    thread = std::thread(&V4l2Worker::run, this);
}

V4l2Worker::~V4l2Worker()
{
    finish();
    {
        const std::lock_guard<std::mutex> lock(mutex);
        ending = true;
    }
    wakeup.wake();
    if (thread.joinable())
        thread.join();
}

// ---- The caller's side ----------------------------------------------------------------------

bool V4l2Worker::waitUntilRead(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, limit, [this] { return read || finishing; }) && read;
}

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

void V4l2Worker::setSpeed(Axis axis, int speed)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        wanted.speed[axis] = speed;
    }
    wakeup.wake();
}

bool V4l2Worker::refreshPosition(std::chrono::milliseconds freshness,
                                 std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (finishing || gone)
        return false;
    if (positionReads > 0 && Clock::now() - positionRead <= freshness)
        return positionTold;
    const unsigned seen = positionReads;
    if (!positionQueued) {
        Job job;
        job.kind = Job::ReadPosition;
        jobs.push_back(job);
        positionQueued = true;
        wakeup.wake();
    }
    changed.wait_for(lock, limit, [&] { return positionReads != seen || finishing; });
    // A slow camera is not a gone one: its last answer stands until the next one comes (and
    // is told through the change listener).
    return !finishing && positionReads > 0 && positionTold;
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

bool V4l2Worker::waitUntilSent(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    // The worker must find nothing left once more, after all that was asked before now.
    const unsigned target = idleTimes + 1;
    wakeup.wake();
    const bool sent =
        changed.wait_for(lock, limit, [&] { return idleTimes >= target || finishing; });
    const bool ok = sent && !gone && !refused;
    refused = false;
    return ok;
}

void V4l2Worker::finish()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!finishing)
            closedAt = Clock::now();
        finishing = true;
        wanted = Motion{};
        positionQueued = false;
        // What waits is dropped, but presets the user stored or cleared are kept.
        jobs.erase(std::remove_if(jobs.begin(), jobs.end(),
                                  [](const Job &job) {
                                      return job.kind != Job::StorePreset &&
                                             job.kind != Job::ClearPreset;
                                  }),
                   jobs.end());
    }
    changed.notify_all();
    wakeup.wake();
}

bool V4l2Worker::resume()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (gone || ended || ending)
            return false;
        finishing = false;
        refused = false;
    }
    wakeup.wake();
    return true;
}

// ---- The worker's side ----------------------------------------------------------------------

void V4l2Worker::publish(uint32_t changes)
{
    {
        // A closed camera is nobody's news, unless it went away while open.
        const std::lock_guard<std::mutex> lock(mutex);
        if (finishing && !gone)
            return;
    }
    if (changes)
        notifier->notify(changes);
}

bool V4l2Worker::ioctl(unsigned long request, void *argument)
{
    const int result = io->ioctl(fd, request, argument);
    if (result == -ENODEV) {
        bool first = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            first = !gone;
            gone = finishing = true;
            jobs.clear();
        }
        changed.notify_all();
        if (first) {
            // Unplugged: the hot-plug enumeration follows; say it once and stop trying.
            reportOnce(camera.name + " (" + camera.node + ") is gone");
            publish(CHANGED_CAPABILITIES);
        }
    }
    errno = result < 0 ? -result : 0;
    return result == 0;
}

bool V4l2Worker::setControls(Writes &list, std::string &refused)
{
    std::vector<v4l2_ext_control> items(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        items[i].id = list[i].first;
        items[i].value =
            static_cast<int32_t>(std::clamp<int64_t>(list[i].second, INT32_MIN, INT32_MAX));
    }
    v4l2_ext_controls request = {};
    request.which = V4L2_CTRL_WHICH_CUR_VAL;
    request.count = static_cast<uint32_t>(items.size());
    request.controls = items.data();
    if (!ioctl(VIDIOC_S_EXT_CTRLS, &request)) {
        const size_t bad = request.error_idx < items.size() ? request.error_idx : 0;
        refused = nameOf(items[bad].id);
        return false;
    }
    // The driver hands back what it really set (clamped, rounded to the step).
    for (size_t i = 0; i < list.size(); ++i)
        list[i].second = items[i].value;
    return true;
}

bool V4l2Worker::getControls(const std::vector<uint32_t> &ids)
{
    if (ids.empty())
        return true;
    std::vector<v4l2_ext_control> items(ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
        items[i].id = ids[i];
    v4l2_ext_controls request = {};
    request.which = V4L2_CTRL_WHICH_CUR_VAL;
    request.count = static_cast<uint32_t>(items.size());
    request.controls = items.data();
    if (!ioctl(VIDIOC_G_EXT_CTRLS, &request)) {
        // One refusal fails the lot: ask one by one, so the others still arrive.
        if (ids.size() == 1 || errno == ENODEV)
            return false;
        bool all = true;
        for (uint32_t id : ids)
            all = getControls({id}) && all;
        return all;
    }
    const std::lock_guard<std::mutex> lock(mutex);
    for (const v4l2_ext_control &item : items) {
        auto found = known.find(item.id);
        if (found == known.end())
            continue;
        found->second.value = item.value;
        found->second.known = true;
        for (Axis axis : {Pan, Tilt, Zoom})
            if (item.id == absoluteControl(axis))
                positions[axis] = item.value;
    }
    return true;
}

void V4l2Worker::drainEvents(const Writes *sending)
{
    uint32_t changes = 0;
    v4l2_event event = {};
    while (ioctl(VIDIOC_DQEVENT, &event)) {
        if (event.type != V4L2_EVENT_CTRL)
            continue;
        const v4l2_event_ctrl &e = event.u.ctrl;
        const std::lock_guard<std::mutex> lock(mutex);
        const auto found = known.find(event.id);
        if (found == known.end())
            continue;
        V4l2Control &c = found->second;
        // A value the caller set and the camera has not been sent yet stays the caller's.
        const bool waiting = (sending && writes(*sending, event.id)) ||
                             std::any_of(jobs.begin(), jobs.end(), [&](const Job &job) {
                                 return job.kind == Job::Write && writes(job.writes, event.id);
                             });
        if (e.changes & V4L2_EVENT_CTRL_CH_VALUE && !waiting) {
            c.value = e.value;
            c.known = true;
        }
        if (e.changes & V4L2_EVENT_CTRL_CH_FLAGS)
            c.flags = e.flags;
        if (e.changes & V4L2_EVENT_CTRL_CH_RANGE) {
            c.minimum = e.minimum;
            c.maximum = e.maximum;
            c.step = e.step;
            c.defaultValue = e.default_value;
        }
        bool positional = false;
        for (Axis axis : {Pan, Tilt, Zoom})
            if (event.id == absoluteControl(axis) && e.changes & V4L2_EVENT_CTRL_CH_VALUE) {
                positions[axis] = targets[axis] = e.value;
                positional = true;
            }
        changes |= positional ? CHANGED_POSITION : CHANGED_PARAMETERS;
        const uint32_t now = V4l2Controls::capabilities(known);
        if (now != caps) {
            caps = now;
            changes |= CHANGED_CAPABILITIES;
        }
    }
    publish(changes);
}

void V4l2Worker::updateDrives()
{
    // Under the lock. Until the controls that decide it are known, an axis is not driven.
    panTilt = driveSettled(known, looked_, false) ? panTiltDrive(known) : Drive::None;
    zoom = driveSettled(known, looked_, true) ? zoomDrive(known) : Drive::None;
}

void V4l2Worker::look(uint32_t id)
{
    // The driver's first query of a control fetches its default, minimum, maximum and step.
    v4l2_query_ext_ctrl query = {};
    query.id = id;
    const bool had = ioctl(VIDIOC_QUERY_EXT_CTRL, &query);
    if (!had && errno == ENODEV)
        return;
    // Which entries a menu has: not every camera can switch anti-flicker off.
    std::map<int64_t, std::string> menu;
    if (had && query.type == V4L2_CTRL_TYPE_MENU)
        for (int64_t index = std::max<int64_t>(0, query.minimum);
             index <= std::min<int64_t>(query.maximum, 31); ++index) {
            v4l2_querymenu item = {};
            item.id = id;
            item.index = uint32_t(index);
            if (ioctl(VIDIOC_QUERYMENU, &item))
                menu[index] = std::string(
                    reinterpret_cast<const char *>(item.name),
                    strnlen(reinterpret_cast<const char *>(item.name), sizeof item.name));
            else if (errno == ENODEV)
                return;
        }
    uint32_t changes = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        looked_.insert(id);
        // A camera lacking it says EINVAL.
        if (had && !(query.flags & V4L2_CTRL_FLAG_DISABLED)) {
            V4l2Control &c = known[id];
            c.minimum = query.minimum;
            c.maximum = query.maximum;
            c.step = std::max<int64_t>(1, int64_t(query.step));
            c.defaultValue = query.default_value;
            c.flags = query.flags;
            c.type = query.type;
            c.menu = std::move(menu);
        }
        updateDrives();
        const uint32_t now = V4l2Controls::capabilities(known);
        if (now != caps) {
            caps = now;
            changes |= CHANGED_CAPABILITIES;
        }
    }
    publish(changes);
}

void V4l2Worker::subscribe(uint32_t id)
{
    // The initial event carries the value; subscribed on this descriptor, the driver sends no
    // echo of our own writes.
    v4l2_event_subscription subscription = {};
    subscription.type = V4L2_EVENT_CTRL;
    subscription.id = id;
    subscription.flags = V4L2_EVENT_SUB_FL_SEND_INITIAL;
    const bool ok = ioctl(VIDIOC_SUBSCRIBE_EVENT, &subscription);
    if (!ok && errno == ENODEV)
        return;
    subscribed.insert(id);
    drainEvents();
    if (!ok && readable(controls(), id))
        getControls({id});
    publish(CHANGED_PARAMETERS);
}

void V4l2Worker::finishReading()
{
    std::string error;
    if (stores.presets && !camera.olderIdentity.empty() &&
        !stores.presets->adopt(camera.identity, camera.olderIdentity, error))
        reportOnce(error);

    // Cameras forget their image settings at power-off: give back what was last set here,
    // but never over what the user set since opening.
    Writes restore;
    if (stores.images) {
        const V4l2ControlMap now = controls();
        const auto saved = stores.images->all(camera.identity);
        bool automatic = false;
        for (uint32_t id : used()) {
            const auto value = saved.find(nameOf(id));
            const auto control = now.find(id);
            if (value == saved.end() || control == now.end() || !isImage(id) ||
                !writable(now, id) || written.count(id))
                continue;
            int64_t v = 0;
            try {
                v = std::stoll(value->second);
            } catch (const std::exception &) {
                continue;
            }
            if (id == V4L2_CID_AUTO_WHITE_BALANCE)
                automatic = v != 0;
            if (id == V4L2_CID_WHITE_BALANCE_TEMPERATURE && automatic)
                continue; // the camera chooses it
            if (!control->second.known || control->second.value != v)
                restore.emplace_back(id, v);
        }
    }
    {
        const std::lock_guard<std::mutex> lock(mutex);
        restore.erase(
            std::remove_if(restore.begin(), restore.end(),
                           [this](const auto &w) {
                               return std::any_of(jobs.begin(), jobs.end(), [&](const Job &job) {
                                   return job.kind == Job::Write && writes(job.writes, w.first);
                               });
                           }),
            restore.end());
    }
    if (!restore.empty())
        write(restore);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        read = true;
        for (Axis axis : {Pan, Tilt, Zoom}) {
            const auto found = known.find(absoluteControl(axis));
            if (found != known.end() && found->second.known)
                positions[axis] = targets[axis] = found->second.value;
        }
    }
    changed.notify_all();
    publish(CHANGED_PARAMETERS | CHANGED_CAPABILITIES | CHANGED_POSITION);
}

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

std::optional<V4l2Worker::Next> V4l2Worker::motionStep(bool turns, uint32_t &control)
{
    // Under the lock.
    for (Motion::Drive drive : {Motion::PanTilt, Motion::Zoom}) {
        if (!(turns ? wanted.turnsFrom(sent, drive) : wanted.differsFrom(sent, drive)))
            continue;
        const bool zoomAxis = drive == Motion::Zoom;
        if (!driveSettled(known, looked_, zoomAxis)) {
            for (uint32_t id : driveControls(zoomAxis))
                if (!looked_.count(id)) {
                    control = id;
                    return Next::Look;
                }
        }
        if ((zoomAxis ? zoom : panTilt) != Drive::None)
            return zoomAxis ? Next::Zoom : Next::PanTilt;
        // Asked before the camera was read: now it is known that it cannot.
        reportOnce(camera.name + " (" + camera.node + ") offers no " +
                   (zoomAxis ? "zoom" : "pan and tilt"));
        for (Axis axis : zoomAxis ? std::vector<Axis>{Zoom} : std::vector<Axis>{Pan, Tilt})
            wanted.speed[axis] = sent.speed[axis];
    }
    return std::nullopt;
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
        const auto left = closedAt + Reopening - Clock::now();
        if (ending || left <= Clock::duration::zero()) {
            ended = true;
            return Next::Finish;
        }
        timeoutMs = int(std::chrono::ceil<std::chrono::milliseconds>(left).count());
        return Next::Wait;
    }
    if (const auto step = motionStep(true, control)) {
        motion = wanted;
        return *step;
    }
    Clock::time_point held;
    if (!jobs.empty()) {
        for (uint32_t id : needsOf(jobs.front()))
            if (!looked_.count(id)) {
                control = id;
                return Next::Look;
            }
        if (jobs.front().heldUntil > Clock::now()) {
            held = jobs.front().heldUntil;
        } else {
            job = std::move(jobs.front());
            jobs.pop_front();
            if (job.kind == Job::ReadPosition)
                positionQueued = false;
            return Next::RunJob;
        }
    }
    if (const auto step = motionStep(false, control)) {
        motion = wanted;
        return *step;
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
    ++idleTimes;
    changed.notify_all();
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

void V4l2Worker::runJob(Job &job)
{
    switch (job.kind) {
    case Job::Write:
        applyWrites(job);
        break;
    case Job::Later:
        job.writes = job.make(controls());
        if (job.writes.empty())
            reportOnce(camera.name + " (" + camera.node + ") offers no " + job.what);
        else
            applyWrites(job);
        break;
    case Job::ReadPosition:
        readPosition();
        break;
    case Job::StorePreset: {
        const V4l2ControlMap now = controls();
        PresetStore::Position position;
        bool any = false;
        if (readPosition())
            for (Axis axis : {Pan, Tilt, Zoom})
                if (readable(now, absoluteControl(axis))) {
                    position[axis] = this->position(axis);
                    any = any || position[axis].has_value();
                }
        std::string error;
        if (!any || !stores.presets)
            presetDone(job, false,
                       camera.name + " cannot tell its position: preset " +
                           std::to_string(job.preset) + " is not stored");
        else if (!stores.presets->store(camera.identity, job.preset, position, error))
            presetDone(job, false,
                       "preset " + std::to_string(job.preset) + " of " + camera.name +
                           " is not stored: " + error);
        else
            presetDone(job, true, {});
        break;
    }
    case Job::ClearPreset: {
        std::string error;
        if (stores.presets && !stores.presets->erase(camera.identity, job.preset, error))
            presetDone(job, false,
                       "preset " + std::to_string(job.preset) + " of " + camera.name +
                           " is not cleared: " + error);
        else
            presetDone(job, true, {});
        break;
    }
    }
}

void V4l2Worker::fillPanTilt(Writes &list)
{
    const uint32_t pan = absoluteControl(Pan), tilt = absoluteControl(Tilt);
    if (writes(list, pan) == writes(list, tilt))
        return;
    const V4l2ControlMap now = controls();
    const Axis other = writes(list, pan) ? Tilt : Pan;
    if (!writable(now, absoluteControl(other)))
        return;
    // Written alone, the driver would fill in the other half with where that axis is this
    // moment, stopping it short of where it was sent.
    if (!targets[other] && readable(now, absoluteControl(other)))
        readPosition();
    const int64_t value = targets[other]    ? *targets[other]
                          : position(other) ? *position(other)
                                            : now.at(absoluteControl(other)).defaultValue;
    list.emplace_back(absoluteControl(other), value);
}

void V4l2Worker::applyWrites(Job &job)
{
    // Asked for before the camera was read, a control it lacks is said now, and so is a
    // position beyond its range (the driver would clamp it: a move nobody asked for).
    Writes list;
    const V4l2ControlMap had = controls();
    for (const auto &w : job.writes) {
        const bool positional = w.first == absoluteControl(Pan) || w.first == absoluteControl(Tilt);
        if (!writable(had, w.first))
            reportOnce(camera.name + " (" + camera.node + ") offers no " + nameOf(w.first));
        else if (positional &&
                 (w.second < had.at(w.first).minimum || w.second > had.at(w.first).maximum))
            reportOnce(camera.name + " (" + camera.node + ") cannot reach " + nameOf(w.first) +
                       " " + std::to_string(toDegrees(w.second)) + "°");
        else
            list.push_back(w);
    }
    if (list.empty())
        return;
    fillPanTilt(list);
    // Events queued before this write (a flags change carries the value of its moment) are
    // older than it: taken now, they cannot overwrite it afterwards.
    drainEvents(&list);
    std::string refused;
    if (setControls(list, refused)) {
        uint32_t changes = 0;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            for (const auto &[id, value] : list) {
                auto found = known.find(id);
                if (found == known.end())
                    continue;
                // The camera's rounding or clamping is news to whoever set the value.
                if (isImage(id) && (!found->second.known || found->second.value != value))
                    changes |= CHANGED_PARAMETERS;
                found->second.value = value;
                found->second.known = true;
            }
        }
        for (const auto &[id, value] : list) {
            written.insert(id);
            for (Axis axis : {Pan, Tilt, Zoom})
                if (id == absoluteControl(axis))
                    targets[axis] = value;
            if (job.remember && stores.images && isImage(id)) {
                stores.images->put(camera.identity, nameOf(id), std::to_string(value));
                imagesDirty = true;
                imagesChanged = Clock::now();
            }
        }
        publish(changes);
        return;
    }
    if (errno == ENODEV)
        return;
    reportOnce(camera.name + " refused " + refused + ": " + std::strerror(errno));
    {
        const std::lock_guard<std::mutex> lock(mutex);
        this->refused = true;
    }
    // Show what the camera really has, not what it refused.
    std::vector<uint32_t> ids;
    const V4l2ControlMap now = controls();
    for (const auto &w : list)
        if (readable(now, w.first) && isImage(w.first))
            ids.push_back(w.first);
    getControls(ids);
    publish(CHANGED_PARAMETERS);
}

bool V4l2Worker::readPosition()
{
    const V4l2ControlMap now = controls();
    std::vector<uint32_t> ids;
    for (Axis axis : {Pan, Tilt, Zoom})
        if (readable(now, absoluteControl(axis)))
            ids.push_back(absoluteControl(axis));
    const bool ok = !ids.empty() && getControls(ids);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        positionRead = Clock::now();
        ++positionReads;
        positionTold = ok;
    }
    changed.notify_all();
    publish(CHANGED_POSITION);
    return ok;
}

void V4l2Worker::sendMotion(const Motion &motion, bool panTiltAxes)
{
    const V4l2ControlMap now = controls();
    const std::vector<Axis> axes =
        panTiltAxes ? std::vector<Axis>{Pan, Tilt} : std::vector<Axis>{Zoom};
    const Drive drive = panTiltAxes ? panTilt : zoom;
    const bool starting =
        std::all_of(axes.begin(), axes.end(), [&](Axis a) { return sent.speed[a] == 0; });
    for (Axis axis : axes)
        sent.speed[axis] = motion.speed[axis];

    if (drive == Drive::Speed) {
        Writes list;
        for (Axis axis : axes)
            if (writable(now, speedControl(axis)))
                list.emplace_back(speedControl(axis),
                                  speedValue(now.at(speedControl(axis)), axis, motion.speed[axis]));
        std::string refused;
        if (!setControls(list, refused) && errno != ENODEV)
            reportOnce(camera.name + " refused " + refused + ": " + std::strerror(errno));
        for (Axis axis : axes)
            targets[axis].reset(); // wherever the motion ends
        return;
    }
    if (drive != Drive::Steps)
        return;
    if (starting) {
        bool unknown = false;
        for (Axis axis : axes)
            unknown = unknown || !targets[axis];
        if (unknown)
            readPosition();
        for (Axis axis : axes) {
            const auto found = now.find(absoluteControl(axis));
            if (found == now.end())
                continue;
            const auto at = targets[axis] ? targets[axis] : position(axis);
            stepAt[axis] = double(at ? *at : found->second.defaultValue);
        }
        lastStep = Clock::now() - StepInterval; // the first step goes at once
    }
    for (Axis axis : axes) {
        const auto found = now.find(absoluteControl(axis));
        stepRate[axis] = found == now.end()
                             ? 0
                             : V4l2Controls::stepRate(found->second, axis, motion.speed[axis]);
    }
}

void V4l2Worker::step()
{
    const Clock::time_point now = Clock::now();
    const double seconds = std::min(0.25, std::chrono::duration<double>(now - lastStep).count());
    lastStep = now;
    const V4l2ControlMap controls = this->controls();
    Writes list;
    const auto advance = [&](Axis axis) {
        const auto found = controls.find(absoluteControl(axis));
        if (found == controls.end() || !writable(controls, found->first))
            return;
        const V4l2Control &c = found->second;
        stepAt[axis] = std::clamp(stepAt[axis] + stepRate[axis] * seconds, double(c.minimum),
                                  double(c.maximum));
        list.emplace_back(found->first, std::llround(stepAt[axis]));
    };
    // Pan and tilt go together (one control to the camera), zoom on its own.
    if (stepRate[Pan] != 0 || stepRate[Tilt] != 0) {
        advance(Pan);
        advance(Tilt);
    }
    if (stepRate[Zoom] != 0)
        advance(Zoom);
    // At the end of its range an axis stays: nothing new to send.
    const bool moved = std::any_of(list.begin(), list.end(), [&](const auto &w) {
        for (Axis axis : {Pan, Tilt, Zoom})
            if (w.first == absoluteControl(axis))
                return targets[axis] != w.second;
        return true;
    });
    std::string refused;
    if (!moved)
        return;
    if (!setControls(list, refused)) {
        if (errno != ENODEV)
            reportOnce(camera.name + " refused " + refused + ": " + std::strerror(errno));
        std::fill(stepRate.begin(), stepRate.end(), 0.0);
        return;
    }
    for (const auto &[id, value] : list)
        for (Axis axis : {Pan, Tilt, Zoom})
            if (id == absoluteControl(axis))
                targets[axis] = value;
}

void V4l2Worker::saveImages(bool now)
{
    if (!imagesDirty || !stores.images)
        return;
    if (!now && Clock::now() - imagesChanged < ImageSaveDelay)
        return;
    // Said once: it is tried again with every change, and the panel works on without it.
    std::string error;
    if (!stores.images->save(error))
        reportOnce("image settings of " + camera.name + " are not remembered: " + error);
    imagesDirty = false;
}
