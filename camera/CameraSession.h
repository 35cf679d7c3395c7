// SPDX-License-Identifier: GPL-2.0-or-later
// One open camera as every input sees it: its device, what it was last told and what it last
// reported, and typed operations whose results the caller can report. It is the one way to
// the camera and knows no window: the window forwards its slots here, remote commands come
// through a CameraTarget, and every view (the window, the event hub) follows the signals,
// whoever asked. Sessions for further cameras stand beside the window's own.
#pragma once

#include "BaseDevice.h"
#include "CameraControl.h"
#include "ImageControl.h"
#include "PresetGlide.h"

#include <QDateTime>
#include <QObject>

#include <array>
#include <atomic>
#include <functional>

class CameraSession : public QObject, public CameraControl
{
    Q_OBJECT

public:
    // What the last connection or report said of an image control, in the slider's terms.
    struct Copy
    {
        int current = 0;
        int minimum = 0;
        int maximum = 0;
        int defaultValue = 0;
        int step = 1;
        int pageStep = 1;
        bool arrived = false; // a slow camera has told this control
    };

    // Works on `device`, which the library keeps and outlives the session; nullptr: no
    // camera can ever be reached.
    explicit CameraSession(BaseDevice *device, QObject *parent = nullptr);
    ~CameraSession() override;

    // How the window's own SET and GET keys wait between the two axes (its waiting operation).
    using Pause = std::function<void(unsigned milliseconds)>;

    // Who asks what the session does while it lives, as `acting` names them; otherwise the
    // panel's own inputs (the window, the keyboard, controllers): "panel".
    class Asker
    {
    public:
        Asker(CameraSession &session, const QString &by) : session(session), was(session.asker)
        {
            session.asker = by;
        }
        ~Asker() { session.asker = was; }
        Asker(const Asker &) = delete;
        Asker &operator=(const Asker &) = delete;

    private:
        CameraSession &session;
        const QString was;
    };

    bool hasDevice() const { return device != nullptr; }
    bool isPresent() const { return present; }
    bool isOpen() const { return open; }
    // CAP_... bits of the camera last opened while it is, 0 otherwise.
    uint32_t capabilities() const;
    // As the camera last told it, also after it closed; all zero without a device.
    const ParameterRecord &record(ParameterIndex index) const;
    const Copy &copied(ImageControl::Id control) const { return copies[control]; }
    bool isAnswering() const override { return open && capabilities() != 0; }
    // What the camera's modes were last set to or reported: -1 while it has not told.
    int whiteBalanceAuto() const { return whiteBalanceAutomatic; }
    int flickerMode() const { return flicker; } // 0 off, 1 50 Hz, 2 60 Hz, 3 automatic
    bool offersFlickerOff() const;
    // What Set...Position takes; false when the camera has not told.
    bool positionRange(bool tilt, int &minimum, int &maximum) const;
    // Where the camera was last read to be, without asking it; false before any reading.
    bool lastPosition(int &pan, int &tilt) const;
    // The show's tally of this camera (0 off, 1 preview, 2 program).
    int tally() const { return tallyState; }
    // How the open camera answers (HEALTH_...), and since when; -1 while none is open.
    int health() const { return healthState; }
    QDateTime healthSince() const { return healthChangedAt; }

    // ---- Connection ----
    // Connects camera `index` of the last enumeration; the previous one closes first. The
    // panel shuts the camera's menu as it connects; a command line leaves it as it is.
    bool connectTo(int index, bool shutMenu = true);
    // Closes the camera; nothing is there until the next connection.
    void disconnect();
    // No camera is listed: nothing is sent until the next connection.
    void setAbsent();

    // ---- Image ----
    Result setImage(ImageControl::Id control, int value);
    Result setFlicker(int mode);
    Result setWhiteBalanceAuto();
    // Back to manual at the camera's default temperature, which it returns in `value`.
    Result setWhiteBalanceManual(int &value);
    Result restoreImageDefaults();

    // ---- Motion ----
    // A direction key (0..8, 4 stops) at the camera's own speeds; an axis the new key leaves
    // stops alone.
    Result drive(int key, int panSpeed, int tiltSpeed) override;
    // The joystick: its key and its speeds, each sent as it changes.
    Result steer(int key);
    Result setPanSpeed(int speed);
    Result setTiltSpeed(int speed);
    Result zoom(int speed) override; // > 0 in, < 0 out, 0 sends nothing
    Result zoomStop() override;
    Result focusStop();
    Result autoFocus();
    Result manualFocus();
    // At the preset's own speed when it has one, else as the camera recalls it.
    Result recall(int preset) override;
    // Glides to the preset at `speed` 1..8, or over `seconds` when that is > 0. Any other
    // operation of the session ends a glide where it is.
    Result glideTo(int preset, int speed, double seconds);
    bool isGliding() const { return glide.isGliding(); }
    // No glide step follows; the camera stays where the last one sent it.
    void stopGlide() { glide.stop(); }
    const PresetGlide &glider() const { return glide; }
    // A recall as recall() or glideTo() (`speed` and `seconds` 0) make it, planned but not
    // sent, so that several cameras can start together: startPlanned() sends it. Anything
    // else asked meanwhile drops the plan.
    Result planRecall(int preset, int speed, double seconds);
    // The fewest steps of the planned glide; 0 when the camera goes by itself.
    int plannedSteps() const { return glide.plannedSteps(); }
    // What was planned, its first step a step's time after `start`, its last `steps` (at
    // least its own) after it.
    Result startPlanned(PresetGlide::Clock::time_point start, int steps = 0);
    Result store(int preset) override;
    Result clear(int preset);
    // What the library keeps of a preset, and keeping another name or speed with it (these
    // move nothing, and leave a glide going).
    Result readPreset(int preset, PresetRecord &record);
    Result writePreset(int preset, const PresetRecord &record);
    Result setPosition(int pan, int tilt, const Pause &pause = {});
    // Asks the camera where it is and waits for the answer (the window's GET key); 0 for an
    // axis it does not tell.
    Result readPosition(int &pan, int &tilt, const Pause &pause = {});
    // Asks without waiting: the answer comes as positionRead. Reading is not acting: a glide
    // goes on.
    Result askPosition();

    // ---- Function keys ----
    Result toggleFlip();
    Result toggleMirror();
    Result menu(bool on);
    Result home() override;
    Result framing(bool automatic);
    Result infrared(bool on);
    Result dayMode(bool day);
    Result resetPtz();
    // The show's tally of this camera (0 off, 1 preview, 2 program), lighting its lamp where
    // it has one and `light` asks; Refused when it has none.
    Result setTally(int state, bool light = true);

signals:
    // connectTo() or disconnect() ended, with the camera open or not.
    void connectionChanged(bool open);
    // The camera reported other image values (its auto modes, another program).
    void imageLoaded();
    void capabilitiesChanged();
    void positionRead(int pan, int tilt);
    // A glide sent its last step.
    void glideArrived();
    // The camera did not take a glide's step: it ended short of the preset.
    void glideFailed();
    // The camera is asked to act (whatever ends a glide: anything but reading, naming a
    // preset or the tally), by `by` (see Asker): what runs on it by itself gives way.
    void acting(const QString &by);
    // What was asked of the camera, whoever asked: an image value taken, a mode switched,
    // a preset stored, cleared, named or given a speed, and the tally.
    void imageChanged(int control, int value);
    void modesChanged();
    void presetChanged(int preset);
    void tallyChanged(int state);
    // The camera answers otherwise (HEALTH_...; -1: none is open).
    void healthChanged(int state);

private:
    static void changed(void *context, uint32_t changes);
    void takeChanges();
    void copyImage();
    void takeHealth();
    template <typename Send> Result ask(Send send);
    // Ends a glide, and tells who acts now.
    void takeOver();

    BaseDevice *const device;
    bool present = true;
    bool open = false; // the last connection opened its camera
    std::array<Copy, ImageControl::Count> copies;
    std::atomic<uint32_t> pendingChanges{0};
    // The joystick rests in the middle (key 4) at speed 0 until it first reports.
    int directionKey = 4;
    int panSpeed = 0;
    int tiltSpeed = 0;
    bool flipped = false;
    bool mirrored = false;
    int whiteBalanceAutomatic = -1;
    int flicker = -1;
    int tallyState = 0;
    int healthState = -1;
    QDateTime healthChangedAt;
    PresetGlide glide;
    QString asker = QStringLiteral("panel");
};
