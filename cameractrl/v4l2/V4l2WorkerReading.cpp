// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the camera: the ioctls, what the driver tells of each control, and its events.
#include "Report.h"
#include "V4l2Worker.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace V4l2Controls;

bool V4l2Worker::ioctl(unsigned long request, void *argument)
{
    const int result = io->ioctl(fd, request, argument);
    // A camera another program holds answers EBUSY (the driver's "not ready" too) until it
    // lets go.
    if ((result == -EBUSY) != busy) {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            busy = result == -EBUSY;
        }
        publish(0);
    }
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
        positionDone(ok);
    }
    changed.notify_all();
    publish(CHANGED_POSITION);
    return ok;
}
