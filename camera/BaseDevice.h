// SPDX-License-Identifier: GPL-2.0-or-later
// Interface of the camera-control library (CameraCtrl).
//
// One BaseDevice object drives whichever attached camera was opened last. Units are the
// backend's own; the panel passes through what it is given:
//   speeds     pan 0..24, tilt 0..16, zoom 1..7 (0 never starts a motion)
//   presets    0..8 (any 8-bit number is accepted)
//   positions  32-bit signed, backend units (the README lists them per backend)
//   image      the ranges reported in the parameter records
// Every operation returns true when the camera accepted it; only Open's result is acted on.
// No operation waits for a slow camera: each is handed to the library's I/O thread for the
// open camera (the longest wait is 50 ms, in Open, Get...Position and, for cameras whose
// presets the library keeps, SetPreset and ClearPreset, which are false when the preset could
// not be written), and what the camera reports later reaches the caller through the change
// listener.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#if defined(_WIN32)
#if defined(CAMERACTRL_BUILD)
#define CAMERACTRL_API __declspec(dllexport)
#else
#define CAMERACTRL_API __declspec(dllimport)
#endif
#else
#define CAMERACTRL_API __attribute__((visibility("default")))
#endif

enum DeviceType : int
{
    DEVICE_USB = 0,
};

struct CAMERACTRL_API DeviceInfo
{
    int32_t index = 0;
    std::string name; // UTF-8, shown in the camera selector
    std::string path; // backend's address of the camera (file, device node)

    DeviceInfo();
    DeviceInfo(const DeviceInfo &other);
    DeviceInfo &operator=(const DeviceInfo &other);
    ~DeviceInfo();
};

struct ParameterRecord
{
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t step = 0;
    int32_t defaultValue = 0;
    int32_t currentValue = 0;
    int32_t available = 0; // 1 = the camera lets this control be adjusted
};

// Positions of the image controls in BaseDevice::parameters.
enum ParameterIndex : int
{
    PARAM_WHITE_BALANCE = 0,
    PARAM_WHITE_BALANCE_AUTO = 1, // currentValue 1 = automatic; available = the camera has it
    PARAM_FLICKER = 2,            // currentValue 0 off, 1 = 50 Hz, 2 = 60 Hz, 3 automatic;
                                  // minimum 0 when the camera can switch it off
    PARAM_PAN_POSITION = 3,       // minimum..maximum: what SetPanPosition takes;
    PARAM_TILT_POSITION = 4,      // available 1 with CAP_POSITION (current is LastPosition's)
    PARAM_ZOOM_POSITION = 5,      // what SetZoomPosition takes; available 1 with CAP_ZOOM_POSITION
    PARAM_BRIGHTNESS = 8,
    PARAM_HUE = 9,
    PARAM_SATURATION = 10,
    PARAM_SHARPNESS = 11,
    PARAM_BACKLIGHT = 26,
    PARAM_GAMMA = 27,
    PARAM_CONTRAST = 28,
    PARAM_COUNT = 29,
};

// What the open camera can do, for Capabilities().
enum Capability : uint32_t
{
    CAP_PAN_TILT = 1u << 0,            // the joystick moves it
    CAP_ZOOM = 1u << 1,                // the zoom lever zooms it
    CAP_POSITION = 1u << 2,            // absolute pan/tilt: Set... and Get...Position
    CAP_PRESETS = 1u << 3,             // presets are stored and recalled
    CAP_HOME = 1u << 4,                // Home
    CAP_PTZ_RESET = 1u << 5,           // PtzReset
    CAP_FLIP = 1u << 6,                // FlipOn, FlipOff
    CAP_MIRROR = 1u << 7,              // MirrorOn, MirrorOff
    CAP_IR = 1u << 8,                  // IrOn, IrOff
    CAP_DAY_NIGHT = 1u << 9,           // DayMode, NightMode
    CAP_MENU = 1u << 10,               // MenuOn, MenuOff
    CAP_FRAMING = 1u << 11,            // FramingAuto, FramingManual
    CAP_IMAGE_DEFAULTS = 1u << 12,     // RestoreImageDefaults
    CAP_WHITE_BALANCE_AUTO = 1u << 13, // SetWhiteBalanceAuto
    CAP_FLICKER = 1u << 14,            // SetFlicker
    CAP_TALLY = 1u << 15,              // SetTally lights a lamp on the camera
    CAP_ZOOM_POSITION = 1u << 16,      // SetZoomPosition, GetZoomPosition
    CAP_PAN_TILT_MOVE = 1u << 17,      // SetPanTiltPosition
    CAP_PRESET_SPEED = 1u << 18,       // CallPresetAtSpeed: the camera moves at it itself
    CAP_PICTURE = 1u << 19,            // the library can take a picture of what the camera sees
    CAP_LIVE_VIEW = 1u << 20,          // and show it live (frames at least twice a second)
};

// Which positions a PresetRecord holds.
enum PresetAxis : int32_t
{
    PRESET_PAN = 1 << 0,
    PRESET_TILT = 1 << 1,
    PRESET_ZOOM = 1 << 2,
};

// What the library keeps of one preset of the open camera, for ReadPreset and WritePreset.
struct PresetRecord
{
    int32_t stored = 0; // 1: the preset was stored (the camera, or the library, holds it)
    int32_t known = 0;  // PRESET_... bits: which positions below the library keeps
    int32_t pan = 0;    // in Set...Position's units
    int32_t tilt = 0;
    int32_t zoom = 0;
    int32_t speed = 0;   // its own recall speed, 1..8; 0: none
    char name[257] = {}; // UTF-8, NUL-terminated, 64 characters at most; "" unnamed
};

// How the open camera answers, for Health().
enum HealthState : int32_t
{
    HEALTH_ANSWERING = 0,
    HEALTH_SLOW = 1,          // its answers come later than 500 ms
    HEALTH_NOT_ANSWERING = 2, // nothing comes back (the library keeps reconnecting)
    HEALTH_REFUSED = 3,       // it refused the credentials it was given
    HEALTH_BUSY = 4,          // another program holds it
};

// What changed, for the change listener.
enum Change : uint32_t
{
    CHANGED_PARAMETERS = 1u << 0,   // ReadParameters would now give other records
    CHANGED_CAPABILITIES = 1u << 1, // Capabilities() would now answer otherwise
    CHANGED_POSITION = 1u << 2,     // LastPosition would now answer otherwise
    CHANGED_HEALTH = 1u << 3,       // Health() would now answer otherwise
    CHANGED_PICTURE = 1u << 4,      // a preset's picture or the live frame changed
};

// Called on any thread; it must only take note and return.
using ChangeListener = void (*)(void *context, uint32_t changes);

class CAMERACTRL_API BaseDevice
{
public:
    // Filled by ReadParameters from the open camera.
    ParameterRecord parameters[PARAM_COUNT];

    BaseDevice();
    BaseDevice(const BaseDevice &) = delete;
    BaseDevice &operator=(const BaseDevice &) = delete;
    virtual ~BaseDevice();

    // Returns nullptr when the library cannot serve the requested type (the reason goes to
    // stderr). The object lives until the process ends.
    static BaseDevice *CreateDevice(DeviceType type);
    // Re-reads the set of attached cameras; called before enumerating and connecting.
    static void Initial();
    // On true, `devices` holds exactly the cameras attached now, indices 0, 1, 2 ...
    static bool EnumUSBDevices(std::vector<DeviceInfo> &devices);

    // `index` is the decimal enumeration index as text; `mode` is 1.
    virtual bool Open(const char *index, int mode) = 0;
    virtual bool Close() = 0;

    virtual bool TiltUp(int speed) = 0;
    virtual bool TiltUpStop() = 0;
    virtual bool TiltDown(int speed) = 0;
    virtual bool TiltDownStop() = 0;
    virtual bool PanLeft(int speed) = 0;
    virtual bool PanLeftStop() = 0;
    virtual bool PanRight(int speed) = 0;
    virtual bool PanRightStop() = 0;

    virtual bool ManualFocus() = 0;
    virtual bool AutoFocus() = 0;
    virtual bool FocusStop() = 0;
    virtual bool ZoomIn(int speed) = 0;
    virtual bool ZoomOut(int speed) = 0;
    virtual bool ZoomStop() = 0;

    virtual bool FlipOn() = 0;
    virtual bool FlipOff() = 0;
    virtual bool MirrorOn() = 0;
    virtual bool MirrorOff() = 0;
    virtual bool MenuOn() = 0;
    virtual bool MenuOff() = 0;
    virtual bool Home() = 0;
    virtual bool FramingAuto() = 0;
    virtual bool FramingManual() = 0;
    virtual bool RestoreImageDefaults() = 0;

    virtual bool ClearPreset(uint8_t preset) = 0;
    virtual bool SetPreset(uint8_t preset) = 0;
    virtual bool CallPreset(uint8_t preset) = 0;

    virtual bool SetBrightness(int value) = 0;
    virtual bool SetHue(int value) = 0;
    virtual bool SetBacklight(int value) = 0;
    virtual bool SetGamma(int value) = 0;
    virtual bool SetContrast(int value) = 0;
    virtual bool SetSaturation(int value) = 0;
    virtual bool SetSharpness(int value) = 0;
    virtual bool SetWhiteBalance(int value) = 0;
    virtual bool SetWhiteBalanceAuto(int automatic) = 0; // 1 automatic, 0 manual
    virtual bool SetFlicker(int mode) = 0; // 0 off (see PARAM_FLICKER), 1 = 50 Hz, 2 = 60 Hz
    virtual bool ReadParameters() = 0;

    virtual bool IrOn() = 0;
    virtual bool IrOff() = 0;
    virtual bool DayMode() = 0;
    virtual bool NightMode() = 0;
    virtual bool PtzReset() = 0;

    // False, and nothing is sent, outside the range of PARAM_PAN/TILT_POSITION. A tilt
    // asked for right after a pan goes to the camera with it, as one move.
    virtual bool SetPanPosition(int32_t position) = 0;
    virtual bool SetTiltPosition(int32_t position) = 0;
    // Leave *position untouched, and are false, when the camera cannot tell or is gone; a
    // slow camera's last answer stands until its next one.
    virtual bool GetPanPosition(int32_t *position) = 0;
    virtual bool GetTiltPosition(int32_t *position) = 0;

    // Beyond the operations above: what the caller needs to show the camera as it is. None
    // of these asks the camera anything, and the trace does not list them.

    // CAP_... bits of the open camera; 0 while none is open or it is still being read.
    virtual uint32_t Capabilities() = 0;
    // `listener` is called whenever records, capabilities or position change other than by
    // the caller's own operations (another program, the camera's auto modes, a slow camera's
    // first answers). nullptr stops it; once this returns, no call is running.
    virtual void SetChangeListener(ChangeListener listener, void *context) = 0;
    // The last pan and tilt read from the camera, in Get...Position's units.
    virtual bool LastPosition(int32_t *pan, int32_t *tilt) = 0;
    // For callers without a window to keep responsive (scripts): waits, at most
    // `milliseconds`, until everything asked of the camera so far has been sent. False when
    // it has not, or the camera refused something meanwhile or is gone.
    virtual bool WaitUntilSent(int milliseconds) = 0;

    // ---- Added later, traced like the first ones. Each is false, and does nothing, on a
    // camera that lacks it (its CAP_... bit is out). ----

    // The tally lamp: 0 off, 1 preview, 2 program. A camera with one lamp lights it for
    // program only.
    virtual bool SetTally(int state) = 0;
    // Asks the camera where it is and returns at once: the answer comes through the change
    // listener (CHANGED_POSITION) and LastPosition. False when no camera that tells its
    // position is open.
    virtual bool AskPosition() = 0;

    // In PARAM_ZOOM_POSITION's range; false, and nothing is sent, outside it.
    virtual bool SetZoomPosition(int32_t position);
    virtual bool GetZoomPosition(int32_t *position);
    // Pan and tilt as one move, in Set...Position's units, at the joystick's speeds (pan
    // 1..24, tilt 1..16) for a camera that moves at a speed it is given; 0: its fastest.
    virtual bool SetPanTiltPosition(int32_t pan, int32_t tilt, int panSpeed, int tiltSpeed);
    // The camera's own recall of `preset`, moving at `speed` (1..24, the pan speed's scale).
    virtual bool CallPresetAtSpeed(uint8_t preset, int speed);
    // Keeps `record` as the preset (name, speed, positions) without moving the camera; a
    // camera that holds its presets itself is not told. False when it could not be written.
    virtual bool WritePreset(uint8_t preset, const PresetRecord *record);

    // Queries: they ask the camera nothing, and the trace does not list them.

    // What the library keeps of `preset`; false without an open camera or `record`.
    virtual bool ReadPreset(uint8_t preset, PresetRecord *record);
    // The fastest each axis moves, in position units a second (0 for one that cannot).
    virtual bool FastestMotion(int32_t *pan, int32_t *tilt, int32_t *zoom);
    // HEALTH_... of the open camera; HEALTH_ANSWERING by default and without one. A network
    // camera is asked something small every 5 s while nothing else goes to it, so that one
    // that stops answering is known; it is reconnected by itself and read afresh when it
    // answers again.
    virtual int32_t Health();

    // ---- Pictures, with CAP_PICTURE. When a preset is stored (SetPreset, from any caller),
    // the library takes the camera's view once the camera stands still, as a small JPEG
    // (about 320 px wide) kept with the preset; the change listener says CHANGED_PICTURE when
    // it is there, or when taking it failed. Clearing a preset drops its picture. ----

    // Takes the preset's picture again, as SetPreset does; returns at once.
    virtual bool RetakePresetPicture(uint8_t preset);
    // Query, not traced: the picture kept for `preset` (empty when none), a number that
    // changes whenever it does (0 without one), and why there is none when taking it failed
    // ("another program is using the camera", "no answer within 3 s"; never a password or a
    // URL). Any pointer may be null. False without an open camera.
    virtual bool ReadPresetPicture(uint8_t preset, std::vector<uint8_t> *jpeg, uint32_t *version,
                                   std::string *problem);
    // Keeps `jpeg` as the preset's picture (an import); an empty one removes it. False when it
    // is not a JPEG, is larger than 2 MiB or cannot be written.
    virtual bool WritePresetPicture(uint8_t preset, const std::vector<uint8_t> &jpeg);
    // Live view, with CAP_LIVE_VIEW, while a window shows it: each new frame is told as
    // CHANGED_PICTURE and read with LiveFrame. A USB camera gives none while another program
    // streams it, and no other program can start streaming it while it gives them.
    virtual bool StartLiveView();
    virtual bool StopLiveView();
    // Query, not traced: the latest live frame and its number; false while there is none.
    virtual bool LiveFrame(std::vector<uint8_t> *jpeg, uint32_t *version);
};
