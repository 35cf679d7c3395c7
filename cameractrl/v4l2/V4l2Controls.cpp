// SPDX-License-Identifier: GPL-2.0-or-later
#include "V4l2Controls.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <initializer_list>

namespace V4l2Controls {

namespace {

constexpr int PanelFastest[AxisCount] = {24, 16, 7};
constexpr int64_t ArcSecondsPerDegree = 3600;

struct Known
{
    uint32_t id;
    const char *name;
    int record; // -1: none
};

// In the order they are read: what the window shows first (the joystick and the zoom lever,
// while the image panel is shut), then the image panel from the top, then the rest.
constexpr Known KnownControls[] = {
    {V4L2_CID_PAN_SPEED, "pan speed", -1},
    {V4L2_CID_TILT_SPEED, "tilt speed", -1},
    {V4L2_CID_ZOOM_CONTINUOUS, "zoom speed", -1},
    {V4L2_CID_BRIGHTNESS, "brightness", PARAM_BRIGHTNESS},
    {V4L2_CID_CONTRAST, "contrast", PARAM_CONTRAST},
    {V4L2_CID_HUE, "hue", PARAM_HUE},
    {V4L2_CID_SATURATION, "saturation", PARAM_SATURATION},
    {V4L2_CID_SHARPNESS, "sharpness", PARAM_SHARPNESS},
    {V4L2_CID_GAMMA, "gamma", PARAM_GAMMA},
    {V4L2_CID_BACKLIGHT_COMPENSATION, "backlight", PARAM_BACKLIGHT},
    {V4L2_CID_AUTO_WHITE_BALANCE, "white balance automatic", PARAM_WHITE_BALANCE_AUTO},
    {V4L2_CID_WHITE_BALANCE_TEMPERATURE, "white balance", PARAM_WHITE_BALANCE},
    {V4L2_CID_POWER_LINE_FREQUENCY, "anti-flicker", PARAM_FLICKER},
    {V4L2_CID_PAN_ABSOLUTE, "absolute pan", -1},
    {V4L2_CID_TILT_ABSOLUTE, "absolute tilt", -1},
    {V4L2_CID_ZOOM_ABSOLUTE, "absolute zoom", -1},
    {V4L2_CID_PAN_RESET, "pan reset", -1},
    {V4L2_CID_TILT_RESET, "tilt reset", -1},
    {V4L2_CID_HFLIP, "mirror", -1},
    {V4L2_CID_VFLIP, "flip", -1},
    {V4L2_CID_FOCUS_AUTO, "automatic focus", -1},
};

const Known *find(uint32_t id)
{
    for (const Known &k : KnownControls)
        if (k.id == id)
            return &k;
    return nullptr;
}

// Both directions alike and a stop: -fastest..fastest around 0.
bool symmetric(const V4l2Control &c)
{
    return c.maximum > 0 && c.minimum <= -c.maximum;
}

// Some of `ids` is a writable speed control, and every such one drives both ways alike.
bool speedsSymmetric(const V4l2ControlMap &controls, std::initializer_list<uint32_t> ids)
{
    bool any = false;
    for (uint32_t id : ids) {
        if (!writable(controls, id))
            continue;
        if (!symmetric(controls.at(id)))
            return false;
        any = true;
    }
    return any;
}

} // namespace

const std::vector<uint32_t> &used()
{
    // Never destroyed: a camera thread may still be reading when the program exits.
    static const auto *ids = [] {
        auto *all = new std::vector<uint32_t>;
        for (const Known &k : KnownControls)
            all->push_back(k.id);
        return all;
    }();
    return *ids;
}

uint32_t recordControl(int position)
{
    for (const Known &k : KnownControls)
        if (k.record == position)
            return k.id;
    return 0;
}

bool isImage(uint32_t id)
{
    const Known *k = find(id);
    return k && k->record >= 0;
}

const char *nameOf(uint32_t id)
{
    const Known *k = find(id);
    return k ? k->name : "control";
}

bool has(const V4l2ControlMap &controls, uint32_t id)
{
    return controls.count(id) != 0;
}

bool writable(const V4l2ControlMap &controls, uint32_t id)
{
    const auto found = controls.find(id);
    return found != controls.end() && !(found->second.flags & V4L2_CTRL_FLAG_READ_ONLY);
}

bool readable(const V4l2ControlMap &controls, uint32_t id)
{
    const auto found = controls.find(id);
    return found != controls.end() && !(found->second.flags & V4L2_CTRL_FLAG_WRITE_ONLY);
}

uint32_t speedControl(Axis axis)
{
    constexpr uint32_t ids[] = {V4L2_CID_PAN_SPEED, V4L2_CID_TILT_SPEED, V4L2_CID_ZOOM_CONTINUOUS};
    return ids[axis];
}

uint32_t absoluteControl(Axis axis)
{
    constexpr uint32_t ids[] = {V4L2_CID_PAN_ABSOLUTE, V4L2_CID_TILT_ABSOLUTE,
                                V4L2_CID_ZOOM_ABSOLUTE};
    return ids[axis];
}

std::vector<uint32_t> driveControls(bool zoomAxis)
{
    if (zoomAxis)
        return {V4L2_CID_ZOOM_CONTINUOUS, V4L2_CID_ZOOM_ABSOLUTE};
    return {V4L2_CID_PAN_SPEED, V4L2_CID_TILT_SPEED, V4L2_CID_PAN_ABSOLUTE, V4L2_CID_TILT_ABSOLUTE};
}

bool driveSettled(const V4l2ControlMap &controls, const std::set<uint32_t> &looked, bool zoomAxis)
{
    const std::vector<uint32_t> ids = driveControls(zoomAxis);
    const auto seen = [&](uint32_t id) { return looked.count(id) != 0; };
    if (std::all_of(ids.begin(), ids.end(), seen))
        return true;
    // Speed controls that drive both ways alike are used whatever else the camera has.
    if (zoomAxis)
        return seen(V4L2_CID_ZOOM_CONTINUOUS) &&
               speedsSymmetric(controls, {V4L2_CID_ZOOM_CONTINUOUS});
    return seen(V4L2_CID_PAN_SPEED) && seen(V4L2_CID_TILT_SPEED) &&
           speedsSymmetric(controls, {V4L2_CID_PAN_SPEED, V4L2_CID_TILT_SPEED});
}

Drive panTiltDrive(const V4l2ControlMap &controls)
{
    bool speeds = false, lopsided = false, absolute = false;
    for (Axis axis : {Pan, Tilt}) {
        if (writable(controls, speedControl(axis))) {
            speeds = true;
            lopsided = lopsided || !symmetric(controls.at(speedControl(axis)));
        }
        absolute = absolute || writable(controls, absoluteControl(axis));
    }
    if (speeds && !lopsided)
        return Drive::Speed;
    if (absolute)
        return Drive::Steps;
    // Better a slow way back than none at all.
    return speeds ? Drive::Speed : Drive::None;
}

Drive zoomDrive(const V4l2ControlMap &controls)
{
    if (writable(controls, V4L2_CID_ZOOM_CONTINUOUS) &&
        symmetric(controls.at(V4L2_CID_ZOOM_CONTINUOUS)))
        return Drive::Speed;
    if (writable(controls, V4L2_CID_ZOOM_ABSOLUTE))
        return Drive::Steps;
    // A speed control that cannot stop is never started.
    return Drive::None;
}

int64_t speedValue(const V4l2Control &c, Axis axis, int speed)
{
    if (speed == 0)
        return 0;
    const int64_t fastest = speed > 0 ? c.maximum : -c.minimum;
    if (fastest <= 0)
        return 0;
    const int64_t magnitude = std::clamp<int64_t>(
        std::llround(double(std::abs(speed)) * double(fastest) / PanelFastest[axis]), 1, fastest);
    return speed > 0 ? magnitude : -magnitude;
}

double stepRate(const V4l2Control &absolute, Axis axis, int speed)
{
    if (axis == Zoom)
        return double(absolute.maximum - absolute.minimum) * speed / (2.0 * PanelFastest[Zoom]);
    return speed * 2.5 * ArcSecondsPerDegree;
}

namespace {

int modeOfName(std::string name)
{
    for (char &c : name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (name.find("50") != std::string::npos)
        return 1;
    if (name.find("60") != std::string::npos)
        return 2;
    if (name.find("auto") != std::string::npos)
        return 3;
    if (name.find("disable") != std::string::npos || name.find("off") != std::string::npos)
        return 0;
    return -1;
}

int32_t narrow(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

std::optional<int64_t> flickerEntry(const V4l2Control &c, int mode)
{
    if (c.menu.empty())
        return mode >= c.minimum && mode <= c.maximum ? std::optional<int64_t>(mode) : std::nullopt;
    for (const auto &[index, name] : c.menu)
        if (modeOfName(name) == mode)
            return index;
    return std::nullopt;
}

int flickerMode(const V4l2Control &c, int64_t entry)
{
    if (c.menu.empty())
        return entry >= 0 && entry <= 3 ? int(entry) : -1;
    const auto found = c.menu.find(entry);
    return found == c.menu.end() ? -1 : modeOfName(found->second);
}

std::pair<int32_t, int32_t> degreeRange(const V4l2Control &c)
{
    // Inside the camera's range: a degree it cannot reach is never offered.
    const auto lowest = int64_t(std::ceil(double(c.minimum) / ArcSecondsPerDegree));
    const auto highest = int64_t(std::floor(double(c.maximum) / ArcSecondsPerDegree));
    return {narrow(lowest), narrow(highest)};
}

int32_t toDegrees(int64_t arcSeconds)
{
    return narrow(std::llround(double(arcSeconds) / ArcSecondsPerDegree));
}

void fillRecords(const V4l2ControlMap &controls, ParameterRecord *records)
{
    for (const Known &k : KnownControls) {
        if (k.record < 0)
            continue;
        ParameterRecord &record = records[k.record];
        // All zero: nothing the camera has told (yet), which the panel does not show. Its range
        // without its value is not enough.
        const auto found = controls.find(k.id);
        if (found == controls.end() ||
            (!found->second.known && !(found->second.flags & V4L2_CTRL_FLAG_WRITE_ONLY))) {
            record = {0, 0, 0, 0, 0, 0};
            continue;
        }
        const V4l2Control &c = found->second;
        if (k.record == PARAM_FLICKER) {
            // In modes, whatever the menu's numbering.
            int lowest = -1, highest = -1;
            for (int mode = 0; mode <= 3; ++mode)
                if (flickerEntry(c, mode)) {
                    lowest = lowest < 0 ? mode : lowest;
                    highest = mode;
                }
            if (lowest < 0) {
                record = {0, 0, 0, 0, 0, 0};
                continue;
            }
            const int now = flickerMode(c, c.known ? c.value : c.defaultValue);
            const int byDefault = flickerMode(c, c.defaultValue);
            record = {lowest,
                      highest,
                      1,
                      byDefault < 0 ? lowest : byDefault,
                      now < 0 ? lowest : now,
                      c.flags & V4L2_CTRL_FLAG_READ_ONLY ? 0 : 1};
            continue;
        }
        record = {narrow(c.minimum),
                  narrow(c.maximum),
                  narrow(c.step),
                  narrow(c.defaultValue),
                  narrow(c.known ? c.value : c.defaultValue),
                  c.flags & V4L2_CTRL_FLAG_READ_ONLY ? 0 : 1};
    }
    const bool positions = capabilities(controls) & CAP_POSITION;
    for (Axis axis : {Pan, Tilt}) {
        ParameterRecord &record = records[axis == Pan ? PARAM_PAN_POSITION : PARAM_TILT_POSITION];
        const auto found = controls.find(absoluteControl(axis));
        if (found == controls.end() || !writable(controls, found->first)) {
            record = {0, 0, 0, 0, 0, 0};
            continue;
        }
        const V4l2Control &c = found->second;
        const auto [lowest, highest] = degreeRange(c);
        record = {lowest,
                  highest,
                  1,
                  toDegrees(c.defaultValue),
                  toDegrees(c.known ? c.value : c.defaultValue),
                  positions ? 1 : 0};
    }
    ParameterRecord &zoom = records[PARAM_ZOOM_POSITION];
    const auto found = controls.find(V4L2_CID_ZOOM_ABSOLUTE);
    if (found == controls.end() || !(capabilities(controls) & CAP_ZOOM_POSITION))
        zoom = {0, 0, 0, 0, 0, 0};
    else
        zoom = {narrow(found->second.minimum),
                narrow(found->second.maximum),
                narrow(found->second.step),
                narrow(found->second.defaultValue),
                narrow(found->second.known ? found->second.value : found->second.defaultValue),
                1};
}

uint32_t capabilities(const V4l2ControlMap &controls)
{
    uint32_t caps = 0;
    const auto set = [&](uint32_t bit, bool on) { caps |= on ? bit : 0; };
    const bool absPanTilt =
        writable(controls, V4L2_CID_PAN_ABSOLUTE) || writable(controls, V4L2_CID_TILT_ABSOLUTE);
    const bool resets =
        writable(controls, V4L2_CID_PAN_RESET) && writable(controls, V4L2_CID_TILT_RESET);
    set(CAP_PAN_TILT, panTiltDrive(controls) != Drive::None);
    set(CAP_ZOOM, zoomDrive(controls) != Drive::None);
    set(CAP_POSITION, absPanTilt && (readable(controls, V4L2_CID_PAN_ABSOLUTE) ||
                                     readable(controls, V4L2_CID_TILT_ABSOLUTE)));
    bool presets = false;
    for (Axis axis : {Pan, Tilt, Zoom})
        presets = presets || (writable(controls, absoluteControl(axis)) &&
                              readable(controls, absoluteControl(axis)));
    set(CAP_PRESETS, presets);
    set(CAP_HOME, resets || absPanTilt);
    set(CAP_PTZ_RESET, resets || absPanTilt || writable(controls, V4L2_CID_ZOOM_ABSOLUTE));
    set(CAP_FLIP, writable(controls, V4L2_CID_VFLIP));
    set(CAP_MIRROR, writable(controls, V4L2_CID_HFLIP));
    bool image = false;
    for (const Known &k : KnownControls)
        image = image || (k.record >= 0 && writable(controls, k.id));
    set(CAP_IMAGE_DEFAULTS, image);
    set(CAP_WHITE_BALANCE_AUTO, writable(controls, V4L2_CID_AUTO_WHITE_BALANCE));
    set(CAP_FLICKER, writable(controls, V4L2_CID_POWER_LINE_FREQUENCY));
    set(CAP_ZOOM_POSITION,
        writable(controls, V4L2_CID_ZOOM_ABSOLUTE) && readable(controls, V4L2_CID_ZOOM_ABSOLUTE));
    set(CAP_PAN_TILT_MOVE,
        writable(controls, V4L2_CID_PAN_ABSOLUTE) && writable(controls, V4L2_CID_TILT_ABSOLUTE));
    return caps;
}

} // namespace V4l2Controls
