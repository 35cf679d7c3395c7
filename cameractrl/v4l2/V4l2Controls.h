// SPDX-License-Identifier: GPL-2.0-or-later
// What the V4L2 backend knows of a camera's controls, and what follows from them: the
// parameter records, what the camera can do, and how pan, tilt and zoom are driven.
//
// Decided from the ranges the camera reports at run time, never from the kernel's version:
// Linux 6.1's uvcvideo reports relative speeds as -(slowest)..fastest (pan_speed -1..24) and
// zoom_continuous as slowest..fastest (1..7, so neither a stop nor zooming out can be
// written), newer kernels as -fastest..fastest. An axis whose speed control cannot express
// both directions alike and a stop is driven by stepping its absolute control instead.
#pragma once

#include "BaseDevice.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct V4l2Control
{
    int64_t minimum = 0;
    int64_t maximum = 0;
    int64_t step = 1;
    int64_t defaultValue = 0;
    uint32_t flags = 0;
    uint32_t type = 0;
    int64_t value = 0;
    bool known = false;                  // value has been read (write-only controls never are)
    std::map<int64_t, std::string> menu; // a menu's entries, by index
};

using V4l2ControlMap = std::map<uint32_t, V4l2Control>;

namespace V4l2Controls {

enum Axis
{
    Pan,
    Tilt,
    Zoom,
    AxisCount
};

enum class Drive
{
    None,
    Speed, // the speed control, both ways and a stop
    Steps, // the absolute control, stepped toward the direction held
};

// Every control the backend uses, in the order a camera is read: the joystick's and the zoom
// lever's speeds, then the image panel's controls from the top, then the rest.
const std::vector<uint32_t> &used();
// The records' control (0 for records no control fills).
uint32_t recordControl(int position);
bool isImage(uint32_t id);
const char *nameOf(uint32_t id);

bool has(const V4l2ControlMap &controls, uint32_t id);
bool writable(const V4l2ControlMap &controls, uint32_t id);
bool readable(const V4l2ControlMap &controls, uint32_t id);

uint32_t speedControl(Axis axis);
uint32_t absoluteControl(Axis axis);
// The controls that decide how pan and tilt (or zoom) are driven, speeds first.
std::vector<uint32_t> driveControls(bool zoom);
// Whether the controls looked at so far (had or not) decide the drive already.
bool driveSettled(const V4l2ControlMap &controls, const std::set<uint32_t> &looked, bool zoom);
// Pan and tilt are one UVC control in each kind: they are always written together.
Drive panTiltDrive(const V4l2ControlMap &controls);
Drive zoomDrive(const V4l2ControlMap &controls);

// The value for a signed panel speed (pan up to 24, tilt 16, zoom 7) on a speed control:
// the slowest panel speed still moves, the fastest is the camera's fastest.
int64_t speedValue(const V4l2Control &control, Axis axis, int speed);
// Units a second when stepping at a signed panel speed: pan and tilt 2.5 degrees (in
// arc-seconds) per speed step, zoom across its range in two seconds at full speed.
double stepRate(const V4l2Control &absolute, Axis axis, int speed);

// Anti-flicker modes (0 off, 1 50 Hz, 2 60 Hz, 3 automatic) and the power-line menu's
// entries, told apart by name: Linux 6.1 numbers a menu without "Disabled" from 0, 50 Hz
// first. Without names, an entry is its mode.
std::optional<int64_t> flickerEntry(const V4l2Control &powerLine, int mode);
int flickerMode(const V4l2Control &powerLine, int64_t entry); // -1: none of them

// Whole degrees an absolute pan or tilt control can reach.
std::pair<int32_t, int32_t> degreeRange(const V4l2Control &absolute);
int32_t toDegrees(int64_t arcSeconds);

// A record is filled once its control's range and value are both known, all zero until then.
void fillRecords(const V4l2ControlMap &controls, ParameterRecord *records);
uint32_t capabilities(const V4l2ControlMap &controls);

} // namespace V4l2Controls
