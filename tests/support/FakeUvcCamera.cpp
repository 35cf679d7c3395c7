// SPDX-License-Identifier: GPL-2.0-or-later
#include "FakeUvcCamera.h"

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

void FakeUvcCamera::advance()
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
    advance();
    return position[0];
}
double FakeUvcCamera::tilt()
{
    advance();
    return position[1];
}
double FakeUvcCamera::zoom()
{
    advance();
    return position[2];
}

std::vector<uint8_t> FakeUvcCamera::currentOf(Selector selector)
{
    advance();
    if (selector == PanTiltAbsolute)
        return bytes(
            8, {{0, int32_t(std::lround(position[0]))}, {32, int32_t(std::lround(position[1]))}});
    if (selector == ZoomAbsolute)
        return bytes(2, {{0, int32_t(std::lround(position[2]))}});
    return controls.at(selector).hardware;
}

void FakeUvcCamera::apply(Selector selector, const std::vector<uint8_t> &data)
{
    advance();
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
