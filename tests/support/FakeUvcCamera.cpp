// SPDX-License-Identifier: GPL-2.0-or-later
#include "FakeUvcCamera.h"
#include "JpegModule.h"
#include "SimView.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

enum Query
{
    Cur,
    Min,
    Max,
    Res,
    Def
};

constexpr double PanTiltTopSpeed = 120 * 3600.0; // absolute moves, arc-seconds a second
constexpr double ZoomTopSpeed = 400;
constexpr double ZoomUnitsPerSpeed = 20;

int32_t getLe(const std::vector<uint8_t> &data, int offset, int size, bool isSigned)
{
    uint64_t v = 0;
    for (int i = 0; i < size; ++i) {
        const int bit = offset + i;
        if (size_t(bit / 8) < data.size() && (data[bit / 8] >> (bit % 8) & 1))
            v |= uint64_t(1) << i;
    }
    if (isSigned && size < 64 && (v >> (size - 1) & 1))
        v |= ~uint64_t(0) << size;
    return int32_t(int64_t(v));
}

void setLe(std::vector<uint8_t> &data, int offset, int size, int32_t value)
{
    for (int i = 0; i < size; ++i) {
        const int bit = offset + i;
        const uint8_t mask = uint8_t(1u << (bit % 8));
        if (uint32_t(value) >> i & 1)
            data[bit / 8] |= mask;
        else
            data[bit / 8] &= uint8_t(~mask);
    }
}

std::vector<uint8_t> bytes(int size, std::initializer_list<std::pair<int, int32_t>> fields)
{
    // fields: (bit offset, value) of 16-bit fields, or 32 for the pan/tilt pair
    std::vector<uint8_t> data(size_t(size), 0);
    for (const auto &[offset, value] : fields)
        setLe(data, offset, std::min(size * 8 - offset, size == 8 ? 32 : 16), value);
    return data;
}

} // namespace

struct FakeUvcCamera::Mapping
{
    uint32_t id;
    Selector selector;
    int offset; // bits
    int size;   // bits
    uint32_t type;
    bool isSigned;
    enum Special
    {
        Plain,
        RelativeSpeed,
        ZoomSpeed
    } special;
    uint32_t master;
    int32_t masterManual;
    uint32_t slave;
    uint32_t menuMask;
};

// The mappings uvc_ctrl.c builds over the controls above; HFLIP, VFLIP, PAN_RESET and
// TILT_RESET have none in Linux 6.1.
const FakeUvcCamera::Mapping *FakeUvcCamera::mappingOf(uint32_t id)
{
    using M = Mapping;
    static const Mapping mappings[] = {
        {V4L2_CID_BRIGHTNESS, Brightness, 0, 16, V4L2_CTRL_TYPE_INTEGER, true, M::Plain, 0, 0, 0,
         0},
        {V4L2_CID_CONTRAST, Contrast, 0, 16, V4L2_CTRL_TYPE_INTEGER, false, M::Plain, 0, 0, 0, 0},
        {V4L2_CID_HUE, Hue, 0, 16, V4L2_CTRL_TYPE_INTEGER, true, M::Plain, 0, 0, 0, 0},
        {V4L2_CID_SATURATION, Saturation, 0, 16, V4L2_CTRL_TYPE_INTEGER, false, M::Plain, 0, 0, 0,
         0},
        {V4L2_CID_SHARPNESS, Sharpness, 0, 16, V4L2_CTRL_TYPE_INTEGER, false, M::Plain, 0, 0, 0, 0},
        {V4L2_CID_GAMMA, Gamma, 0, 16, V4L2_CTRL_TYPE_INTEGER, false, M::Plain, 0, 0, 0, 0},
        {V4L2_CID_BACKLIGHT_COMPENSATION, Backlight, 0, 16, V4L2_CTRL_TYPE_INTEGER, false, M::Plain,
         0, 0, 0, 0},
        {V4L2_CID_AUTO_WHITE_BALANCE, WhiteBalanceAuto, 0, 1, V4L2_CTRL_TYPE_BOOLEAN, false,
         M::Plain, 0, 0, V4L2_CID_WHITE_BALANCE_TEMPERATURE, 0},
        {V4L2_CID_WHITE_BALANCE_TEMPERATURE, WhiteBalance, 0, 16, V4L2_CTRL_TYPE_INTEGER, false,
         M::Plain, V4L2_CID_AUTO_WHITE_BALANCE, 0, 0, 0},
        // Its entries: powerLineValues.
        {V4L2_CID_POWER_LINE_FREQUENCY, PowerLine, 0, 2, V4L2_CTRL_TYPE_MENU, false, M::Plain, 0, 0,
         0, 0x7},
        {V4L2_CID_FOCUS_AUTO, FocusAuto, 0, 1, V4L2_CTRL_TYPE_BOOLEAN, false, M::Plain, 0, 0, 0, 0},
        {V4L2_CID_ZOOM_ABSOLUTE, ZoomAbsolute, 0, 16, V4L2_CTRL_TYPE_INTEGER, false, M::Plain, 0, 0,
         0, 0},
        {V4L2_CID_ZOOM_CONTINUOUS, ZoomRelative, 0, 0, V4L2_CTRL_TYPE_INTEGER, true, M::ZoomSpeed,
         0, 0, 0, 0},
        {V4L2_CID_PAN_ABSOLUTE, PanTiltAbsolute, 0, 32, V4L2_CTRL_TYPE_INTEGER, true, M::Plain, 0,
         0, 0, 0},
        {V4L2_CID_TILT_ABSOLUTE, PanTiltAbsolute, 32, 32, V4L2_CTRL_TYPE_INTEGER, true, M::Plain, 0,
         0, 0, 0},
        {V4L2_CID_PAN_SPEED, PanTiltRelative, 0, 16, V4L2_CTRL_TYPE_INTEGER, true, M::RelativeSpeed,
         0, 0, 0, 0},
        {V4L2_CID_TILT_SPEED, PanTiltRelative, 16, 16, V4L2_CTRL_TYPE_INTEGER, true,
         M::RelativeSpeed, 0, 0, 0, 0},
    };
    for (const Mapping &m : mappings)
        if (m.id == id)
            return &m;
    return nullptr;
}

// ---- The camera ---------------------------------------------------------------------------

void FakeUvcCamera::add(Selector selector, Info info)
{
    Control c;
    c.info = info;
    const auto range = [&](int size, int32_t min, int32_t max, int32_t def, int32_t cur) {
        c.size = size;
        c.min = bytes(size, {{0, min}});
        c.max = bytes(size, {{0, max}});
        c.res = bytes(size, {{0, 1}});
        c.def = bytes(size, {{0, def}});
        c.hardware = bytes(size, {{0, cur}});
    };
    switch (selector) {
    case Brightness:
        range(2, -64, 64, 0, 10);
        break;
    case Contrast:
        range(2, 0, 95, 32, 40);
        break;
    case Hue:
        range(2, -40, 40, 0, 0);
        break;
    case Saturation:
        range(2, 0, 100, 64, 64);
        break;
    case Sharpness:
        range(2, 0, 7, 3, 2);
        break;
    case Gamma:
        range(2, 100, 500, 300, 300);
        break;
    case Backlight:
        range(2, 0, 2, 1, 1);
        break;
    case WhiteBalance:
        range(2, 2800, 6500, 4600, 5000);
        c.res = bytes(2, {{0, 10}});
        c.autoUpdate = true;
        break;
    case WhiteBalanceAuto:
    case FocusAuto:
        range(1, 0, 1, 1, 1); // automatic, as cameras start
        c.hasRange = false;
        break;
    case PowerLine:
        range(1, 0, 2, 1, 1);
        c.hasRange = false;
        break;
    case ZoomAbsolute:
        range(2, ZoomMin, ZoomMax, ZoomMin, 250);
        c.autoUpdate = true;
        break;
    case ZoomRelative: // bZoom, bDigitalZoom, bSpeed: the speed byte holds the range
        c.size = 3;
        c.min = {0, 0, 1};
        c.max = {0, 0, 7};
        c.res = {0, 0, 1};
        c.def = {0, 0, 1};
        c.hardware = {0, 0, 0};
        c.autoUpdate = true;
        break;
    case PanTiltAbsolute:
        c.size = 8;
        c.min = bytes(8, {{0, -PanLimit}, {32, TiltMin}});
        c.max = bytes(8, {{0, PanLimit}, {32, TiltMax}});
        c.res = bytes(8, {{0, 3600}, {32, 3600}});
        c.def = bytes(8, {{0, 0}, {32, 0}});
        c.autoUpdate = true;
        break;
    case PanTiltRelative: // pan direction, pan speed, tilt direction, tilt speed
        c.size = 4;
        c.min = {0, 1, 0, 1};
        c.max = {0, 24, 0, 24};
        c.res = {0, 1, 0, 1};
        c.def = {0, 1, 0, 1};
        c.hardware = {0, 0, 0, 0};
        c.autoUpdate = true;
        break;
    }
    c.cur = c.hardware;
    controls[selector] = c;
}

void FakeUvcCamera::addImageControls()
{
    for (Selector s : {Brightness, Contrast, Hue, Saturation, Sharpness, Gamma, WhiteBalance,
                       WhiteBalanceAuto, Backlight, PowerLine})
        add(s);
}

void FakeUvcCamera::addPtz(bool relative, bool relativeGetCur, bool absolute)
{
    if (relative) {
        add(PanTiltRelative, {relativeGetCur, true});
        add(ZoomRelative, {relativeGetCur, true});
    }
    if (absolute) {
        add(PanTiltAbsolute);
        add(ZoomAbsolute);
    }
}

const char *FakeUvcCamera::nameOf(Selector selector)
{
    static const char *const names[] = {
        "brightness",    "contrast",           "hue",
        "saturation",    "sharpness",          "gamma",
        "white-balance", "white-balance-auto", "backlight",
        "power-line",    "focus-auto",         "zoom-absolute",
        "zoom-relative", "pantilt-absolute",   "pantilt-relative",
    };
    return names[selector];
}

void FakeUvcCamera::request(const char *what, Selector selector, const std::vector<uint8_t> &data)
{
    if (onRequest)
        onRequest(what, selector, data);
    ++requestCount;
    ++requestThreads[std::this_thread::get_id()];
    if (latency.count() > 0)
        std::this_thread::sleep_for(latency);
}

int FakeUvcCamera::requestsFrom(std::thread::id thread) const
{
    const auto found = requestThreads.find(thread);
    return found == requestThreads.end() ? 0 : found->second;
}

void FakeUvcCamera::advanceLocked()
{
    const auto now = std::chrono::steady_clock::now();
    const double dt = std::chrono::duration<double>(now - motorTime).count();
    motorTime = now;
    const double low[3] = {-PanLimit, TiltMin, ZoomMin}, high[3] = {PanLimit, TiltMax, ZoomMax};
    const double top[3] = {PanTiltTopSpeed, PanTiltTopSpeed, ZoomTopSpeed};
    for (int a = 0; a < 3; ++a) {
        if (velocity[a] != 0)
            position[a] += velocity[a] * dt;
        else if (targeted[a]) {
            const double gap = target[a] - position[a];
            position[a] += std::clamp(gap, -top[a] * dt, top[a] * dt);
        }
        position[a] = std::clamp(position[a], low[a], high[a]);
    }
}

double FakeUvcCamera::pan()
{
    return motor()[0];
}
double FakeUvcCamera::tilt()
{
    return motor()[1];
}
double FakeUvcCamera::zoom()
{
    return motor()[2];
}

std::array<double, 3> FakeUvcCamera::motor()
{
    const std::lock_guard<std::mutex> guard(motorLock);
    advanceLocked();
    return {position[0], position[1], position[2]};
}

std::vector<uint8_t> FakeUvcCamera::currentOf(Selector selector)
{
    const std::lock_guard<std::mutex> guard(motorLock);
    advanceLocked();
    if (selector == PanTiltAbsolute)
        return bytes(
            8, {{0, int32_t(std::lround(position[0]))}, {32, int32_t(std::lround(position[1]))}});
    if (selector == ZoomAbsolute)
        return bytes(2, {{0, int32_t(std::lround(position[2]))}});
    return controls.at(selector).hardware;
}

void FakeUvcCamera::apply(Selector selector, const std::vector<uint8_t> &data)
{
    const std::lock_guard<std::mutex> guard(motorLock);
    advanceLocked();
    const auto direction = [](uint8_t d) { return d == 0 ? 0 : d == 0xff ? -1 : 1; };
    switch (selector) {
    case PanTiltAbsolute:
        for (int a = 0; a < 2; ++a) {
            target[a] = getLe(data, 32 * a, 32, true);
            targeted[a] = true;
            velocity[a] = 0;
        }
        break;
    case ZoomAbsolute:
        target[2] = getLe(data, 0, 16, false);
        targeted[2] = true;
        velocity[2] = 0;
        break;
    case PanTiltRelative:
        for (int a = 0; a < 2; ++a) {
            velocity[a] = direction(data[2 * a]) * data[2 * a + 1] * DegreesPerSpeedUnit * 3600;
            targeted[a] = false;
        }
        break;
    case ZoomRelative:
        velocity[2] = direction(data[0]) * data[2] * ZoomUnitsPerSpeed;
        targeted[2] = false;
        break;
    default:
        break;
    }
    controls.at(selector).hardware = data;
}

int32_t FakeUvcCamera::hardware(Selector selector)
{
    return getLe(currentOf(selector), 0, controls.at(selector).size * 8, false);
}

std::vector<std::pair<int32_t, int32_t>> FakeUvcCamera::menuEntries() const
{
    std::vector<std::pair<int32_t, int32_t>> entries;
    for (size_t i = 0; i < powerLineValues.size(); ++i)
        entries.emplace_back(kernel == Kernel::Linux61 ? int32_t(i) : powerLineValues[i],
                             powerLineValues[i]);
    return entries;
}

int64_t FakeUvcCamera::value(uint32_t id)
{
    const Mapping *m = mappingOf(id);
    return m ? read(*m, currentOf(m->selector), Cur) : 0;
}

// ---- The driver ---------------------------------------------------------------------------

int32_t FakeUvcCamera::read(const Mapping &m, const std::vector<uint8_t> &data, int query) const
{
    if (m.special == Mapping::RelativeSpeed) { // uvc_ctrl_get_rel_speed
        const size_t first = size_t(m.offset / 8);
        const auto rel = int8_t(data[first]);
        if (query == Cur)
            return rel == 0 ? 0 : rel > 0 ? data[first + 1] : -data[first + 1];
        return query == Min ? -data[first + 1] : data[first + 1];
    }
    if (m.special == Mapping::ZoomSpeed) { // uvc_ctrl_get_zoom
        const auto zoom = int8_t(data[0]);
        if (query == Cur)
            return zoom == 0 ? 0 : zoom > 0 ? data[2] : -data[2];
        return data[2];
    }
    const int32_t raw = getLe(data, m.offset, m.size, m.isSigned);
    if (m.type == V4L2_CTRL_TYPE_MENU) // uvc_ctrl_get: the value's entry
        for (const auto &[index, value] : menuEntries())
            if (value == raw)
                return index;
    return raw;
}

int FakeUvcCamera::load(Control &c, Selector selector)
{
    if (c.loaded)
        return 0;
    if (!c.info.get) {
        std::fill(c.cur.begin(), c.cur.end(), 0);
        c.loaded = true;
        return 0;
    }
    request("GET_CUR", selector);
    c.cur = currentOf(selector);
    c.loaded = true;
    return 0;
}

int FakeUvcCamera::getValue(const Mapping &m, int32_t &value)
{
    Control &c = controls.at(m.selector);
    if (!c.info.get)
        return -EACCES;
    load(c, m.selector);
    value = read(m, c.cur, Cur);
    return 0;
}

int FakeUvcCamera::fill(const Mapping &m, v4l2_query_ext_ctrl &q)
{
    Control &c = controls.at(m.selector);
    const uint32_t id = m.id;
    q = {};
    q.id = id;
    q.type = m.type;
    q.elems = 1;
    q.elem_size = 4;
    if (!c.info.get)
        q.flags |= V4L2_CTRL_FLAG_WRITE_ONLY;
    if (!c.info.set)
        q.flags |= V4L2_CTRL_FLAG_READ_ONLY;
    if (m.master) {
        const Mapping *master = mappingOf(m.master);
        int32_t v = 0;
        if (master && controls.count(master->selector) && controls.at(master->selector).info.get &&
            getValue(*master, v) == 0 && v != m.masterManual)
            q.flags |= V4L2_CTRL_FLAG_INACTIVE;
    }
    limits(m, q);
    return 0;
}

void FakeUvcCamera::limits(const Mapping &m, v4l2_query_ext_ctrl &q)
{
    Control &c = controls.at(m.selector);
    if (!c.cached) { // uvc_ctrl_populate_cache
        request("GET_DEF", m.selector);
        if (c.hasRange) {
            request("GET_MIN", m.selector);
            request("GET_MAX", m.selector);
            request("GET_RES", m.selector);
        }
        c.cached = true;
    }
    q.default_value = read(m, c.def, Def);
    if (m.type == V4L2_CTRL_TYPE_MENU) {
        const auto entries = menuEntries();
        q.minimum = entries.empty() ? 0 : entries.front().first;
        q.maximum = entries.empty() ? 0 : entries.back().first;
        q.step = 1;
    } else if (m.type == V4L2_CTRL_TYPE_BOOLEAN) {
        q.minimum = 0;
        q.maximum = 1;
        q.step = 1;
    } else {
        q.maximum = read(m, c.max, Max);
        // Newer kernels: the reverse of the fastest speed, not of the slowest.
        q.minimum = m.special != Mapping::Plain && kernel == Kernel::Current ? -read(m, c.max, Max)
                                                                             : read(m, c.min, Min);
        q.step = uint64_t(read(m, c.res, Res));
    }
}

int FakeUvcCamera::query(v4l2_query_ext_ctrl &q)
{
    const Mapping *m = mappingOf(q.id);
    if (!m || !has(m->selector))
        return -EINVAL;
    return fill(*m, q);
}

int FakeUvcCamera::queryMenu(v4l2_querymenu &menu)
{
    // uvc_query_v4l2_menu: the names are the driver's; an enumerated menu costs no request.
    static const char *const names[] = {"Disabled", "50 Hz", "60 Hz", "Auto"};
    const Mapping *m = mappingOf(menu.id);
    if (!m || !has(m->selector) || m->type != V4L2_CTRL_TYPE_MENU)
        return -EINVAL;
    for (const auto &[index, value] : menuEntries()) {
        if (uint32_t(index) != menu.index || value < 0 || size_t(value) >= std::size(names))
            continue;
        std::memset(menu.name, 0, sizeof menu.name);
        std::memcpy(menu.name, names[value], std::strlen(names[value]));
        menu.reserved = 0;
        return 0;
    }
    return -EINVAL;
}

int FakeUvcCamera::accessible(const Mapping &m, const v4l2_ext_controls &list, bool write)
{
    const Control &c = controls.at(m.selector);
    if (!write)
        return c.info.get ? 0 : -EACCES;
    if (!c.info.set)
        return -EACCES;
    if (!m.master)
        return 0;
    for (int i = int(list.count) - 1; i >= 0; --i)
        if (list.controls[i].id == m.master)
            return list.controls[i].value == m.masterManual ? 0 : -EACCES;
    const Mapping *master = mappingOf(m.master);
    int32_t v = 0;
    if (!master || !has(master->selector) || !controls.at(master->selector).info.get)
        return 0;
    if (getValue(*master, v) == 0 && v != m.masterManual)
        return -EACCES;
    return 0;
}

int FakeUvcCamera::commit(bool rollback, Selector *failed)
{
    int error = 0;
    for (auto &[selector, c] : controls) {
        if (c.autoUpdate || !c.info.get)
            c.loaded = false;
        if (!c.dirty)
            continue;
        if (!rollback) {
            request("SET_CUR", selector, c.cur);
            const auto stall = stalls.find(selector);
            if (stall != stalls.end()) {
                // One refusal rolls back the rest, so the cache matches the camera.
                error = stall->second;
                rollback = true;
                if (failed)
                    *failed = selector;
            } else {
                apply(selector, c.cur);
            }
        }
        if (rollback)
            c.cur = c.backup;
        c.dirty = false;
    }
    return error;
}

int FakeUvcCamera::get(v4l2_ext_controls &list)
{
    for (uint32_t i = 0; i < list.count; ++i) {
        const Mapping *m = mappingOf(list.controls[i].id);
        const int access = !m || !has(m->selector) ? -EINVAL : accessible(*m, list, false);
        if (access) {
            list.error_idx = list.count;
            return access;
        }
    }
    for (uint32_t i = 0; i < list.count; ++i) {
        int32_t v = 0;
        const int error = getValue(*mappingOf(list.controls[i].id), v);
        if (error) {
            commit(true);
            list.error_idx = i;
            return error;
        }
        list.controls[i].value = v;
    }
    list.error_idx = 0;
    return commit(true);
}

int FakeUvcCamera::set(v4l2_ext_controls &list, int handle)
{
    for (uint32_t i = 0; i < list.count; ++i) {
        const Mapping *m = mappingOf(list.controls[i].id);
        const int access = !m || !has(m->selector) ? -EINVAL : accessible(*m, list, true);
        if (access) {
            list.error_idx = list.count;
            return access;
        }
    }
    for (uint32_t i = 0; i < list.count; ++i) { // uvc_ctrl_set
        const Mapping &m = *mappingOf(list.controls[i].id);
        Control &c = controls.at(m.selector);
        int32_t value = list.controls[i].value; // the driver hands back what it sets
        int32_t raw = value;
        if (m.type == V4L2_CTRL_TYPE_INTEGER) {
            v4l2_query_ext_ctrl q = {};
            limits(m, q); // the same min, max and step the driver reports
            const auto min = int32_t(q.minimum), max = int32_t(q.maximum);
            const auto step = uint32_t(q.step ? q.step : 1);
            const uint32_t offset = uint32_t(value) - uint32_t(min);
            value = int32_t(uint32_t(min) + (offset + step / 2) / step * step);
            value = m.isSigned ? std::clamp(value, min, max)
                               : int32_t(std::clamp(uint32_t(value), uint32_t(min), uint32_t(max)));
        } else if (m.type == V4L2_CTRL_TYPE_BOOLEAN) {
            value = std::clamp(value, 0, 1);
        } else if (m.type == V4L2_CTRL_TYPE_MENU) {
            const auto entries = menuEntries();
            const auto entry = std::find_if(entries.begin(), entries.end(),
                                            [&](const auto &e) { return e.first == value; });
            if (entry == entries.end()) {
                commit(true);
                list.error_idx = list.count;
                return entries.empty() || value < entries.front().first ||
                               value > entries.back().first
                           ? -ERANGE
                           : -EINVAL;
            }
            raw = entry->second;
        }
        // A mapping that covers part of the control reads the rest first.
        if (c.size * 8 != m.size)
            load(c, m.selector);
        if (!c.dirty)
            c.backup = c.cur;
        if (m.special == Mapping::RelativeSpeed) { // uvc_ctrl_set_rel_speed
            const size_t first = size_t(m.offset / 8);
            c.cur[first] = value == 0 ? 0 : value > 0 ? 1 : 0xff;
            c.cur[first + 1] = uint8_t(std::min(std::abs(value), 0xff));
        } else if (m.special == Mapping::ZoomSpeed) { // uvc_ctrl_set_zoom
            c.cur[0] = value == 0 ? 0 : value > 0 ? 1 : 0xff;
            c.cur[2] = uint8_t(std::min(std::abs(value), 0xff));
        } else {
            setLe(c.cur, m.offset, m.size, raw);
        }
        c.dirty = true;
        list.controls[i].value = value;
    }
    Selector failed = Brightness;
    if (const int error = commit(false, &failed)) {
        list.error_idx = list.count;
        for (uint32_t i = 0; i < list.count; ++i)
            if (mappingOf(list.controls[i].id)->selector == failed)
                list.error_idx = i;
        return error;
    }
    std::vector<std::pair<uint32_t, int32_t>> request;
    for (uint32_t i = 0; i < list.count; ++i) {
        const uint32_t id = list.controls[i].id;
        const int32_t value = list.controls[i].value;
        request.emplace_back(id, value);
    }
    commits.push_back(request);
    list.error_idx = 0;

    // uvc_ctrl_send_events
    const auto inRequest = [&](uint32_t id) {
        for (uint32_t i = 0; i < list.count; ++i)
            if (list.controls[i].id == id)
                return true;
        return false;
    };
    for (uint32_t i = 0; i < list.count; ++i) {
        const Mapping &m = *mappingOf(list.controls[i].id);
        if (m.slave && !inRequest(m.slave)) {
            const Mapping *slave = mappingOf(m.slave);
            int32_t v = 0;
            if (slave && has(slave->selector)) {
                const uint32_t changes = V4L2_EVENT_CTRL_CH_FLAGS |
                                         (getValue(*slave, v) == 0 ? V4L2_EVENT_CTRL_CH_VALUE : 0);
                send(*slave, v, changes, handle);
            }
        }
        const uint32_t changes = V4L2_EVENT_CTRL_CH_VALUE |
                                 (m.master && inRequest(m.master) ? V4L2_EVENT_CTRL_CH_FLAGS : 0);
        send(m, list.controls[i].value, changes, handle);
    }
    return 0;
}

void FakeUvcCamera::send(const Mapping &m, int32_t value, uint32_t changes, int originator,
                         int onlyTo)
{
    for (const auto &[handle, ids] : subscribers) {
        if (!ids.count(m.id) || (onlyTo >= 0 && handle != onlyTo))
            continue;
        // No echo to the descriptor that made the change, unless its flags changed.
        if (handle == originator && !(changes & V4L2_EVENT_CTRL_CH_FLAGS))
            continue;
        v4l2_query_ext_ctrl q = {};
        fill(m, q);
        v4l2_event event = {};
        event.type = V4L2_EVENT_CTRL;
        event.id = m.id;
        event.u.ctrl.changes = changes;
        event.u.ctrl.type = q.type;
        event.u.ctrl.value = value;
        event.u.ctrl.flags = q.flags;
        event.u.ctrl.minimum = int32_t(q.minimum);
        event.u.ctrl.maximum = int32_t(q.maximum);
        event.u.ctrl.step = int32_t(q.step);
        event.u.ctrl.default_value = int32_t(q.default_value);
        const std::lock_guard<std::mutex> guard(queueLock);
        auto &queue = queues[handle];
        const auto older = std::find_if(queue.begin(), queue.end(),
                                        [&](const v4l2_event &e) { return e.id == m.id; });
        if (older != queue.end()) { // v4l2_ctrl_merge
            event.u.ctrl.changes |= older->u.ctrl.changes;
            queue.erase(older);
        }
        queue.push_back(event);
    }
}

int FakeUvcCamera::subscribe(const v4l2_event_subscription &subscription, int handle)
{
    const Mapping *m = mappingOf(subscription.id);
    if (subscription.type != V4L2_EVENT_CTRL || !m || !has(m->selector))
        return -EINVAL;
    subscribers[handle].insert(m->id);
    if (subscription.flags & V4L2_EVENT_SUB_FL_SEND_INITIAL) {
        int32_t v = 0;
        const uint32_t changes =
            V4L2_EVENT_CTRL_CH_FLAGS | (getValue(*m, v) == 0 ? V4L2_EVENT_CTRL_CH_VALUE : 0);
        send(*m, v, changes, -1, handle); // only to the one subscribing
    }
    return 0;
}

void FakeUvcCamera::unsubscribe(int handle)
{
    subscribers.erase(handle);
    dropEvents(handle);
}

void FakeUvcCamera::dropEvents(int handle)
{
    const std::lock_guard<std::mutex> guard(queueLock);
    queues.erase(handle);
}

bool FakeUvcCamera::dequeue(int handle, v4l2_event &event)
{
    const std::lock_guard<std::mutex> guard(queueLock);
    auto &queue = queues[handle];
    if (queue.empty())
        return false;
    event = queue.front();
    queue.erase(queue.begin());
    return true;
}

bool FakeUvcCamera::pending(int handle) const
{
    const std::lock_guard<std::mutex> guard(queueLock);
    const auto found = queues.find(handle);
    return found != queues.end() && !found->second.empty();
}

void FakeUvcCamera::changeByItself(uint32_t id, int32_t value)
{
    const Mapping *m = mappingOf(id);
    if (!m || !has(m->selector))
        return;
    Control &c = controls.at(m->selector);
    std::vector<uint8_t> data = currentOf(m->selector);
    setLe(data, m->offset, m->size, value);
    c.hardware = data;
    // uvc_ctrl_status_event: to everyone, from the interrupt's data; the cache stays.
    send(*m, value, V4L2_EVENT_CTRL_CH_VALUE, -1);
}

// ---- Streaming -----------------------------------------------------------------------------

namespace {

constexpr size_t PageSize = 4096;
constexpr uint32_t MaxBuffers = 32; // VB2_MAX_FRAME

size_t pageAligned(size_t size)
{
    return (size + PageSize - 1) / PageSize * PageSize;
}

uint8_t byteOf(int value)
{
    return uint8_t(std::clamp(value, 0, 255));
}

} // namespace

bool FakeUvcCamera::streamingRequest(unsigned long request)
{
    switch (request) {
    case VIDIOC_ENUM_FMT:
    case VIDIOC_ENUM_FRAMESIZES:
    case VIDIOC_G_FMT:
    case VIDIOC_S_FMT:
    case VIDIOC_TRY_FMT:
    case VIDIOC_REQBUFS:
    case VIDIOC_QUERYBUF:
    case VIDIOC_QBUF:
    case VIDIOC_DQBUF:
    case VIDIOC_STREAMON:
    case VIDIOC_STREAMOFF:
        return true;
    default:
        return false;
    }
}

uint32_t FakeUvcCamera::imageSizeLocked() const
{
    return pixLocked(formatIndex, frameIndex).sizeimage;
}

v4l2_pix_format FakeUvcCamera::currentFormat()
{
    const std::lock_guard<std::mutex> guard(streamLock);
    return pixLocked(formatIndex, frameIndex);
}

v4l2_pix_format FakeUvcCamera::pixLocked(size_t format, size_t frame) const
{
    v4l2_pix_format pix = {};
    const Format &f = formats[format];
    pix.pixelformat = f.fourcc;
    pix.width = uint32_t(f.frames[frame].first);
    pix.height = uint32_t(f.frames[frame].second);
    pix.field = V4L2_FIELD_NONE;
    pix.bytesperline = f.fourcc == V4L2_PIX_FMT_YUYV ? pix.width * 2 : 0; // bpp 0 for MJPEG
    pix.sizeimage = pix.width * pix.height * 2; // dwMaxVideoFrameSize, MJPEG or not
    pix.colorspace = V4L2_COLORSPACE_SRGB;
    return pix;
}

int FakeUvcCamera::streamer()
{
    const std::lock_guard<std::mutex> guard(streamLock);
    return privileged;
}

void FakeUvcCamera::freeLocked()
{
    streaming = false;
    buffers.clear();
    queued.clear();
    filled.clear();
}

void FakeUvcCamera::release(int handle)
{
    // uvc_v4l2_release: a privileged handle's queue is released with it.
    const std::lock_guard<std::mutex> guard(streamLock);
    if (privileged == handle) {
        freeLocked();
        privileged = -1;
    }
}

uint8_t *FakeUvcCamera::memory(int64_t offset, size_t length)
{
    const std::lock_guard<std::mutex> guard(streamLock);
    for (size_t i = 0; i < buffers.size(); ++i)
        if (int64_t(i * pageAligned(imageSizeLocked())) == offset &&
            length <= buffers[i].memory.size()) {
            buffers[i].mapped = true;
            return buffers[i].memory.data();
        }
    return nullptr;
}

void FakeUvcCamera::renderLocked(Buffer &buffer)
{
    const Format &f = formats[formatIndex];
    const auto &[w, h] = f.frames[frameIndex];
    const std::array<double, 3> at = motor();
    // Arc-seconds to tenths of a degree; the zoom's range onto the simulation's.
    const RgbImage image = SimView::draw(
        int(std::lround(at[0] / 360)), int(std::lround(at[1] / 360)),
        int(std::lround((at[2] - ZoomMin) * SimCamera::ZoomMax / (ZoomMax - ZoomMin))), w, h);
    std::vector<uint8_t> bytes;
    if (f.fourcc == V4L2_PIX_FMT_MJPEG) {
        std::string error;
        if (JpegCodec *codec = JpegModule::codec(error))
            codec->encode(image, 85, bytes, error);
        if (junkFrames)
            bytes.assign(bytes.size(), 0x5a);
    } else {
        for (size_t i = 0; i + 5 < image.pixels.size(); i += 6) {
            const uint8_t *p = &image.pixels[i];
            const auto luma = [](const uint8_t *c) {
                return byteOf(((66 * c[0] + 129 * c[1] + 25 * c[2] + 128) >> 8) + 16);
            };
            const int r = (p[0] + p[3]) / 2, g = (p[1] + p[4]) / 2, b = (p[2] + p[5]) / 2;
            bytes.insert(bytes.end(),
                         {luma(p), byteOf(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128),
                          luma(p + 3), byteOf(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128)});
        }
    }
    buffer.used = uint32_t(std::min(bytes.size(), buffer.memory.size()));
    std::copy(bytes.begin(), bytes.begin() + buffer.used, buffer.memory.begin());
}

void FakeUvcCamera::fillLocked()
{
    if (!streaming || stalled)
        return;
    const auto now = std::chrono::steady_clock::now();
    const uint64_t due = uint64_t((now - streamStart) / frameInterval);
    // Frames that found no buffer queued are lost, as the driver loses them; only the last
    // few can have found one.
    frames = std::max(frames, due > buffers.size() ? due - buffers.size() : 0);
    for (; frames < due; ++frames) {
        if (queued.empty())
            continue;
        const size_t index = queued.front();
        queued.pop_front();
        buffers[index].sequence = uint32_t(frames);
        renderLocked(buffers[index]);
        filled.push_back(index);
    }
}

int FakeUvcCamera::untilFrame(int handle)
{
    const std::lock_guard<std::mutex> guard(streamLock);
    if (privileged != handle || !streaming)
        return -1;
    fillLocked();
    if (!filled.empty())
        return 0;
    if (queued.empty() || stalled)
        return -1;
    const auto next = streamStart + frameInterval * (frames + 1);
    return int(std::max<int64_t>(
        1, std::chrono::ceil<std::chrono::milliseconds>(next - std::chrono::steady_clock::now())
               .count()));
}

int FakeUvcCamera::stream(unsigned long request, void *argument, int handle)
{
    const std::lock_guard<std::mutex> guard(streamLock);
    // uvc_acquire_privileges, for what changes the stream.
    const auto acquire = [&] {
        if (privileged >= 0 && privileged != handle)
            return -EBUSY;
        privileged = handle;
        return 0;
    };
    const bool owner = privileged == handle;
    switch (request) {
    case VIDIOC_ENUM_FMT: {
        auto *d = static_cast<v4l2_fmtdesc *>(argument);
        if (d->type != V4L2_BUF_TYPE_VIDEO_CAPTURE || d->index >= formats.size())
            return -EINVAL;
        const uint32_t index = d->index;
        *d = {};
        d->index = index;
        d->type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        d->pixelformat = formats[index].fourcc;
        d->flags = formats[index].fourcc == V4L2_PIX_FMT_MJPEG ? V4L2_FMT_FLAG_COMPRESSED : 0;
        return 0;
    }
    case VIDIOC_ENUM_FRAMESIZES: {
        auto *size = static_cast<v4l2_frmsizeenum *>(argument);
        for (const Format &f : formats) {
            if (f.fourcc != size->pixel_format)
                continue;
            if (size->index >= f.frames.size())
                return -EINVAL;
            size->type = V4L2_FRMSIZE_TYPE_DISCRETE;
            size->discrete.width = uint32_t(f.frames[size->index].first);
            size->discrete.height = uint32_t(f.frames[size->index].second);
            return 0;
        }
        return -EINVAL;
    }
    case VIDIOC_G_FMT:
    case VIDIOC_TRY_FMT:
    case VIDIOC_S_FMT: {
        auto *format = static_cast<v4l2_format *>(argument);
        if (format->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return -EINVAL;
        if (request == VIDIOC_S_FMT && acquire() != 0)
            return -EBUSY;
        size_t fi = formatIndex, ri = frameIndex;
        if (request != VIDIOC_G_FMT) { // uvc_v4l2_try_format
            v4l2_pix_format &pix = format->fmt.pix;
            fi = 0; // the default format, unless the one asked for is there
            for (size_t i = 0; i < formats.size(); ++i)
                if (formats[i].fourcc == pix.pixelformat)
                    fi = i;
            uint64_t best = UINT64_MAX;
            for (size_t i = 0; i < formats[fi].frames.size(); ++i) {
                const uint64_t w = uint64_t(formats[fi].frames[i].first),
                               h = uint64_t(formats[fi].frames[i].second);
                const uint64_t d =
                    w * h + uint64_t(pix.width) * pix.height -
                    2 * std::min<uint64_t>(w, pix.width) * std::min<uint64_t>(h, pix.height);
                if (d < best) {
                    best = d;
                    ri = i;
                }
            }
        }
        if (request == VIDIOC_S_FMT) {
            if (!buffers.empty())
                return -EBUSY; // uvc_v4l2_set_format: the queue is allocated
            formatIndex = fi;
            frameIndex = ri;
        }
        format->fmt.pix = pixLocked(fi, ri);
        return 0;
    }
    case VIDIOC_REQBUFS: {
        auto *r = static_cast<v4l2_requestbuffers *>(argument);
        if (acquire() != 0)
            return -EBUSY;
        if (streaming)
            return -EBUSY; // vb2_core_reqbufs: streaming active
        if (r->type != V4L2_BUF_TYPE_VIDEO_CAPTURE || r->memory != V4L2_MEMORY_MMAP)
            return -EINVAL; // user pointers and DMA buffers are not faked
        freeLocked();
        r->count = std::min(r->count, MaxBuffers);
        buffers.resize(r->count);
        for (Buffer &b : buffers)
            b.memory.assign(imageSizeLocked(), 0);
        if (r->count == 0)
            privileged = -1; // uvc_ioctl_reqbufs dismisses the privileges with the buffers
        return 0;
    }
    case VIDIOC_QUERYBUF:
    case VIDIOC_QBUF:
    case VIDIOC_DQBUF: {
        if (!owner)
            return -EBUSY;
        auto *b = static_cast<v4l2_buffer *>(argument);
        if (b->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return -EINVAL;
        if (request == VIDIOC_DQBUF) {
            if (!streaming)
                return -EINVAL; // streaming off, will not wait for buffers
            fillLocked();
            if (filled.empty())
                return -EAGAIN; // the file handle is non-blocking
            b->index = uint32_t(filled.front());
            filled.pop_front();
        } else if (b->index >= buffers.size()) {
            return -EINVAL;
        }
        const size_t i = b->index;
        const bool isQueued = std::find(queued.begin(), queued.end(), i) != queued.end();
        const bool isFilled = std::find(filled.begin(), filled.end(), i) != filled.end();
        if (request == VIDIOC_QBUF) {
            if (isQueued || isFilled)
                return -EINVAL; // not in dequeued state
            queued.push_back(i);
        }
        const Buffer &buffer = buffers[i];
        const uint32_t index = b->index;
        *b = {};
        b->index = index;
        b->type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        b->memory = V4L2_MEMORY_MMAP;
        b->length = imageSizeLocked();
        b->m.offset = uint32_t(i * pageAligned(imageSizeLocked()));
        b->bytesused = request == VIDIOC_DQBUF ? buffer.used : 0;
        b->sequence = buffer.sequence;
        b->field = V4L2_FIELD_NONE;
        b->flags = V4L2_BUF_FLAG_TIMESTAMP_MONOTONIC | (buffer.mapped ? V4L2_BUF_FLAG_MAPPED : 0) |
                   (request == VIDIOC_QBUF || isQueued ? V4L2_BUF_FLAG_QUEUED : 0) |
                   (isFilled ? V4L2_BUF_FLAG_DONE : 0);
        return 0;
    }
    case VIDIOC_STREAMON:
    case VIDIOC_STREAMOFF: {
        if (!owner)
            return -EBUSY;
        if (*static_cast<int *>(argument) != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return -EINVAL;
        if (request == VIDIOC_STREAMOFF) {
            streaming = false; // every buffer back in the dequeued state
            queued.clear();
            filled.clear();
            return 0;
        }
        if (streaming)
            return 0;
        if (buffers.empty())
            return -EINVAL; // no buffers have been allocated
        streaming = true;
        streamStart = std::chrono::steady_clock::now();
        frames = 0;
        return 0;
    }
    default:
        return -ENOTTY;
    }
}
