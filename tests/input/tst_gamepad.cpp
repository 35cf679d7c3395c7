// SPDX-License-Identifier: GPL-2.0-or-later
// A game controller steering the simulated camera, through SDL's own virtual controller:
// stick deflections to speeds on both axes past the dead zone, the D-pad's slow moves, zoom
// by stick and triggers, letting go, presets and store, home, and unplugging mid-move.
#include "ControllerModule.h"
#include "PanelHarness.h"
#include "PrivateModule.h"

#include <QtTest>

#include <SDL.h>

namespace {

using Axes = QList<QPair<int, int>>; // SDL_GameControllerAxis, value
using Buttons = QList<int>;          // SDL_GameControllerButton, held
const QStringList Stops = {"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"};

} // namespace

class tst_Gamepad : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controlsToCommands_data();
    void controlsToCommands();
    void lettingGoOfOneAxisStopsIt();
    void unpluggedMidMove();

private:
    // Sets the controller to `axes` and `buttons` (the rest at rest) and reads it.
    QStringList hold(const Axes &axes, const Buttons &buttons = {});

    std::unique_ptr<PanelHarness> h;
    std::unique_ptr<ControllerModule> module;
    Controllers *gamepad = nullptr;
    SDL_Joystick *pad = nullptr;
    int device = -1;
};

void tst_Gamepad::init()
{
    h = std::make_unique<PanelHarness>();
    QVERIFY(h->start());
    PrivateModule::setDirectoryForTesting(PTZ_MODULE_DIR);
    module = std::make_unique<ControllerModule>(h->window());
    gamepad = module->open();
    QVERIFY(gamepad);
    QVERIFY(gamepad->available());
    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Test pad";
    device = SDL_JoystickAttachVirtualEx(&desc);
    QVERIFY2(device >= 0, SDL_GetError());
    pad = SDL_JoystickOpen(device);
    QVERIFY(pad);
    gamepad->lookForControllers(); // as udev's input event would
    gamepad->poll();
    QCOMPARE(gamepad->controllers(), 1);
    h->trace.take();
}

void tst_Gamepad::cleanup()
{
    if (pad)
        SDL_JoystickClose(pad);
    pad = nullptr;
    SDL_JoystickDetachVirtual(device);
    module.reset();
    h.reset();
}

QStringList tst_Gamepad::hold(const Axes &axes, const Buttons &buttons)
{
    // A virtual trigger spans the whole axis: released is its lowest value.
    for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis)
        SDL_JoystickSetVirtualAxis(pad, axis, axis >= SDL_CONTROLLER_AXIS_TRIGGERLEFT ? -32768 : 0);
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
        SDL_JoystickSetVirtualButton(pad, button, buttons.contains(button));
    for (const auto &axis : axes)
        SDL_JoystickSetVirtualAxis(pad, axis.first, Sint16(axis.second));
    SDL_JoystickUpdate();
    gamepad->poll();
    return h->trace.take();
}

void tst_Gamepad::controlsToCommands_data()
{
    QTest::addColumn<Axes>("axes");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("onRelease");
    const int x = SDL_CONTROLLER_AXIS_LEFTX, y = SDL_CONTROLLER_AXIS_LEFTY;
    QTest::newRow("right, all the way")
        << Axes{{x, 32767}} << Buttons{} << QStringList{"PanRight 24"} << Stops;
    // Half past the 15 % dead zone: (0.5 - 0.15) / 0.85 of 24.
    QTest::newRow("left, half") << Axes{{x, -16384}} << Buttons{} << QStringList{"PanLeft 10"}
                                << Stops;
    QTest::newRow("inside the dead zone")
        << Axes{{x, 4000}, {y, -4000}} << Buttons{} << QStringList{} << QStringList{};
    QTest::newRow("up-right, each axis its own speed")
        << Axes{{x, 20000}, {y, -32767}} << Buttons{} << QStringList{"PanRight 13", "TiltUp 16"}
        << Stops;
    QTest::newRow("D-pad down, slowest")
        << Axes{} << Buttons{SDL_CONTROLLER_BUTTON_DPAD_DOWN} << QStringList{"TiltDown 1"} << Stops;
    QTest::newRow("right stick up zooms in")
        << Axes{{SDL_CONTROLLER_AXIS_RIGHTY, -32767}} << Buttons{} << QStringList{"ZoomIn 7"}
        << QStringList{"ZoomStop"};
    QTest::newRow("left trigger zooms out")
        << Axes{{SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767}} << Buttons{} << QStringList{"ZoomOut 7"}
        << QStringList{"ZoomStop"};
    QTest::newRow("A recalls preset 0") << Axes{} << Buttons{SDL_CONTROLLER_BUTTON_A}
                                        << QStringList{"CallPreset 0"} << QStringList{};
    QTest::newRow("right shoulder and Y store preset 3")
        << Axes{} << Buttons{SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_Y}
        << QStringList{"SetPreset 3"} << QStringList{};
    QTest::newRow("start goes home")
        << Axes{} << Buttons{SDL_CONTROLLER_BUTTON_START} << QStringList{"Home"} << QStringList{};
}

void tst_Gamepad::controlsToCommands()
{
    QFETCH(Axes, axes);
    QFETCH(Buttons, buttons);
    QFETCH(QStringList, sent);
    QFETCH(QStringList, onRelease);
    QStringList got = hold(axes, buttons);
    got.removeAll("ChangePresetno");
    QCOMPARE(got, sent);
    QCOMPARE(hold(axes, buttons), QStringList()); // held still: nothing more
    QCOMPARE(hold({}), onRelease);
    QCOMPARE(h->boxes.count(), 0);
}

void tst_Gamepad::lettingGoOfOneAxisStopsIt()
{
    const int x = SDL_CONTROLLER_AXIS_LEFTX, y = SDL_CONTROLLER_AXIS_LEFTY;
    QCOMPARE(hold({{x, -32767}, {y, 32767}}), (QStringList{"PanLeft 24", "TiltDown 16"}));
    QCOMPARE(hold({{x, -32767}}), (QStringList{"TiltUpStop", "TiltDownStop", "PanLeft 24"}));
    QCOMPARE(hold({{y, 32767}}), (QStringList{"PanLeftStop", "PanRightStop", "TiltDown 16"}));
}

void tst_Gamepad::unpluggedMidMove()
{
    QCOMPARE(hold({{SDL_CONTROLLER_AXIS_LEFTX, 32767}, {SDL_CONTROLLER_AXIS_RIGHTY, 32767}}),
             (QStringList{"PanRight 24", "ZoomOut 7"}));
    SDL_JoystickClose(pad);
    pad = nullptr;
    SDL_JoystickDetachVirtual(device);
    gamepad->poll();
    QCOMPARE(gamepad->controllers(), 0);
    QCOMPARE(h->trace.take(), Stops + QStringList{"ZoomStop"});
}

QTEST_MAIN(tst_Gamepad)
#include "tst_gamepad.moc"
