#include "PanelCommands.h"
#include "BaseDevice.h"
#include "CommandLine.h"
#include "CommandRunner.h"
#include "ImageControl.h"
#include "PanelKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QIntValidator>
#include <QLineEdit>
#include <QSlider>
#include <QStandardItemModel>
#include <QThread>
#include <QWidget>

using namespace PanelKeys;

namespace {

// How long a command waits for a camera just connected to say what it can do.
constexpr int AnswerWaitMs = 1500;

} // namespace

PanelCommands::PanelCommands(QWidget &main) : window(main)
{
    motionTimer.setSingleShot(true);
    zoomTimer.setSingleShot(true);
    connect(&motionTimer, &QTimer::timeout, this, &PanelCommands::stopMotion);
    connect(&zoomTimer, &QTimer::timeout, this, &PanelCommands::stopZoom);
}

template <typename T> T *PanelCommands::child(const char *name) const
{
    return window.findChild<T *>(QLatin1String(name));
}

bool PanelCommands::invoke(const char *slot) const
{
    return QMetaObject::invokeMethod(&window, slot);
}

bool PanelCommands::invoke(const char *slot, int argument) const
{
    return QMetaObject::invokeMethod(&window, slot, Q_ARG(int, argument));
}

bool PanelCommands::refused() const
{
    return window.property("refused").toBool();
}

void PanelCommands::stopMotion()
{
    motionTimer.stop();
    invoke("MovePlace", Stop);
}

void PanelCommands::stopZoom()
{
    zoomTimer.stop();
    // As the lever's spring does: back to the middle (which sends nothing), then the stop.
    child<QSlider>("Slider_Zoom")->setValue(ZoomRest);
    invoke("ZoomStop");
}

Outcome PanelCommands::run(const Command &c)
{
    return CommandRunner::run(c, *this);
}

QStringList PanelCommands::cameraNames()
{
    const auto *selector = child<QComboBox>("Box_Camera_USB");
    QStringList names;
    for (int i = 0; i < selector->count(); ++i)
        names << selector->itemText(i);
    return names;
}

Outcome PanelCommands::choose(int index)
{
    auto *selector = child<QComboBox>("Box_Camera_USB");
    if (index != selector->currentIndex())
        selector->setCurrentIndex(index); // the selector's own signal connects it
    // Whether it answers, the next command finds out.
    return window.property("cameraOpen").toBool()
               ? Outcome{}
               : Outcome::failed(
                     QStringLiteral("%1 cannot be opened").arg(selector->itemText(index)));
}

Outcome PanelCommands::ready(uint &capabilities)
{
    const auto *selector = child<QComboBox>("Box_Camera_USB");
    if (selector->count() == 0 || !window.property("cameraPresent").toBool())
        return Outcome::failed(QStringLiteral("no camera is connected"));
    if (!window.property("cameraOpen").toBool())
        return Outcome::failed(selector->currentText() + QStringLiteral(" cannot be opened"));
    // A camera just connected may not have told what it can do yet. No events are taken
    // meanwhile: another command must not run inside this one.
    capabilities = window.property("capabilities").toUInt();
    for (QDeadlineTimer answer(AnswerWaitMs); !capabilities && !answer.hasExpired();) {
        QThread::msleep(10);
        capabilities = window.property("capabilities").toUInt();
    }
    return {};
}

QString PanelCommands::cameraName()
{
    return child<QComboBox>("Box_Camera_USB")->currentText();
}

bool PanelCommands::presetKey(int preset, int key)
{
    invoke("ChangePresetno", preset);
    invoke("RWin_BT_Pressed", key);
    return !refused();
}

bool PanelCommands::recall(int preset)
{
    return presetKey(preset, RightRecall);
}

bool PanelCommands::store(int preset)
{
    return presetKey(preset, RightStore);
}

bool PanelCommands::clear(int preset)
{
    return presetKey(preset, RightClear);
}

bool PanelCommands::home()
{
    invoke("LWin_BT_Pressed", LeftHome);
    return true;
}

void PanelCommands::drive(int key, int panSpeed, int tiltSpeed, int forMs)
{
    // At its own speed from the start, as the keyboard's and controllers' moves: the
    // joystick's order (the key at the last speeds, then the speeds) would start it at the
    // previous move's.
    QMetaObject::invokeMethod(&window, "DriveByKey", Q_ARG(int, key), Q_ARG(int, panSpeed),
                              Q_ARG(int, tiltSpeed));
    if (forMs >= 0)
        motionTimer.start(forMs);
}

void PanelCommands::zoom(int direction, int speed, int forMs)
{
    // The lever held off its middle: its value change sends the zoom.
    child<QSlider>("Slider_Zoom")->setValue(ZoomRest + direction * speed);
    if (forMs >= 0)
        zoomTimer.start(forMs);
}

void PanelCommands::stop()
{
    stopMotion();
    stopZoom();
}

bool PanelCommands::positionRange(bool tilt, int &minimum, int &maximum)
{
    // The SET/PT fields know what the camera reaches.
    const auto *range = qobject_cast<const QIntValidator *>(
        child<QLineEdit>(tilt ? "set_tilt_data" : "set_pan_data")->validator());
    if (!range)
        return false;
    minimum = range->bottom();
    maximum = range->top();
    return true;
}

bool PanelCommands::setPosition(int pan, int tilt)
{
    child<QLineEdit>("set_pan_data")->setText(QString::number(pan));
    child<QLineEdit>("set_tilt_data")->setText(QString::number(tilt));
    invoke("RWin_BT_Pressed", RightSet);
    return !refused();
}

bool PanelCommands::position(int &pan, int &tilt)
{
    invoke("RWin_BT_Pressed", RightGet);
    // What the read-outs show then is no position the camera told.
    if (refused())
        return false;
    pan = child<QLineEdit>("get_pan_data")->text().toInt();
    tilt = child<QLineEdit>("get_tilt_data")->text().toInt();
    return true;
}

void PanelCommands::imageRange(ImageControl::Id control, int &minimum, int &maximum)
{
    const auto *slider = child<QSlider>(ImageControl::of(control).slider);
    minimum = slider->minimum();
    maximum = slider->maximum();
}

bool PanelCommands::setImage(ImageControl::Id control, int value)
{
    // As a drag of the slider ends there.
    child<QSlider>(ImageControl::of(control).slider)->setValue(value);
    invoke(ImageControl::of(control).slot, value);
    return true;
}

bool PanelCommands::setWhiteBalanceAuto(bool automatic)
{
    child<QCheckBox>("Cb_WB")->setChecked(automatic);
    invoke("LWin_BT_Pressed", automatic ? LeftWhiteBalanceAuto : LeftWhiteBalanceManual);
    return true;
}

bool PanelCommands::canSwitchFlickerOff()
{
    const auto *entries =
        qobject_cast<const QStandardItemModel *>(child<QComboBox>("ComboBox_Flicker")->model());
    const QStandardItem *off = entries ? entries->item(0) : nullptr;
    return !off || off->isEnabled();
}

bool PanelCommands::setFlicker(int mode)
{
    auto *flicker = child<QComboBox>("ComboBox_Flicker");
    if (flicker->currentIndex() == mode)
        invoke("FlickerChange"); // no change of the selector would send it
    else
        flicker->setCurrentIndex(mode);
    return !refused();
}

bool PanelCommands::resetImage()
{
    invoke("LWin_BT_Pressed", LeftReset);
    return true;
}

void PanelCommands::raise()
{
    window.show();
    window.raise();
    window.activateWindow();
}

Outcome PanelCommands::runAll(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        Command raise;
        raise.kind = Command::Raise;
        return run(raise);
    }
    const CommandLine line = CommandLine::parse(arguments);
    if (!line.error.isEmpty())
        return Outcome::misused(line.error);
    Outcome all;
    for (const Command &command : line.commands) {
        const Outcome one = run(command);
        all.output += one.output;
        if (one.exitCode)
            return {one.exitCode, all.output, one.error, one.cause};
    }
    return all;
}

QJsonArray PanelCommands::cameras() const
{
    QJsonArray list;
    const auto *selector = child<QComboBox>("Box_Camera_USB");
    for (int i = 0; i < selector->count(); ++i)
        list.append(QJsonObject{{"index", i}, {"name", selector->itemText(i)}});
    return list;
}

QJsonObject PanelCommands::state() const
{
    const auto *selector = child<QComboBox>("Box_Camera_USB");
    const bool connected = window.property("capabilities").toUInt() != 0;
    QJsonObject image;
    for (int i = 0; i < Command::imageControls().size(); ++i)
        image.insert(Command::camelCase(Command::imageControls()[i]),
                     child<QSlider>(ImageControl::of(ImageControl::Id(i)).slider)->value());
    const QStringList flicker = {"off", "50", "60"};
    bool panOk = false, tiltOk = false;
    const int pan = child<QLineEdit>("get_pan_data")->text().toInt(&panOk);
    const int tilt = child<QLineEdit>("get_tilt_data")->text().toInt(&tiltOk);
    QJsonObject state{
        {"connected", connected},
        {"camera", connected ? QJsonValue(QJsonObject{{"index", selector->currentIndex()},
                                                      {"name", selector->currentText()}})
                             : QJsonValue()},
        {"image", image},
        {"whiteBalanceAuto", child<QCheckBox>("Cb_WB")->isChecked()},
        {"flicker", flicker.value(child<QComboBox>("ComboBox_Flicker")->currentIndex())},
    };
    // The read-outs keep what the last camera told; without one, that is no position.
    if (connected && panOk && tiltOk)
        state.insert("position", QJsonObject{{"pan", pan}, {"tilt", tilt}});
    return state;
}
