#include "PanelCommands.h"
#include "BaseDevice.h"
#include "CommandLine.h"
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

Outcome PanelCommands::cannot(uint capability, const char *what) const
{
    const auto *selector = child<QComboBox>("Box_Camera_USB");
    if (selector->count() == 0 || !window.property("cameraPresent").toBool())
        return Outcome::failed(QStringLiteral("no camera is connected"));
    if (!window.property("cameraOpen").toBool())
        return Outcome::failed(selector->currentText() + QStringLiteral(" cannot be opened"));
    // A camera just connected may not have told what it can do yet. No events are taken
    // meanwhile: another command must not run inside this one.
    uint capabilities = window.property("capabilities").toUInt();
    for (QDeadlineTimer answer(AnswerWaitMs); !capabilities && !answer.hasExpired();) {
        QThread::msleep(10);
        capabilities = window.property("capabilities").toUInt();
    }
    return Outcome::lacking(selector->currentText(), capabilities, capability, QLatin1String(what));
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
    auto *selector = child<QComboBox>("Box_Camera_USB");
    const QString camera = selector->currentText();
    switch (c.kind) {
    case Command::Raise:
        window.show();
        window.raise();
        window.activateWindow();
        return {};
    case Command::List: {
        QString list;
        for (int i = 0; i < selector->count(); ++i)
            list += QStringLiteral("%1 %2\n").arg(i).arg(selector->itemText(i));
        return {0, list, {}};
    }
    case Command::Camera: {
        const int index = c.text.isEmpty() ? c.number : selector->findText(c.text);
        if (index < 0 || index >= selector->count())
            return Outcome::failed(QStringLiteral("no camera %1 is attached")
                                       .arg(c.text.isEmpty() ? QString::number(c.number) : c.text),
                                   Outcome::NotFound);
        if (index != selector->currentIndex())
            selector->setCurrentIndex(index); // the selector's own signal connects it
        // Whether it answers, the next command finds out.
        return window.property("cameraOpen").toBool()
                   ? Outcome{}
                   : Outcome::failed(
                         QStringLiteral("%1 cannot be opened").arg(selector->itemText(index)));
    }
    case Command::Preset:
    case Command::Store:
    case Command::Clear:
        if (const Outcome no = cannot(CAP_PRESETS, "keep presets"); no.exitCode)
            return no;
        invoke("ChangePresetno", c.number);
        invoke("RWin_BT_Pressed", c.kind == Command::Preset  ? RightRecall
                                  : c.kind == Command::Store ? RightStore
                                                             : RightClear);
        if (!refused())
            return {};
        if (c.kind == Command::Preset)
            return Outcome::failed(QStringLiteral("preset %1 is not stored").arg(c.number),
                                   Outcome::NotFound);
        return Outcome::failed(QStringLiteral("%1 could not %2 preset %3")
                                   .arg(camera, c.kind == Command::Store ? "store" : "clear")
                                   .arg(c.number),
                               Outcome::NotStored);
    case Command::Home:
        if (const Outcome no = cannot(CAP_HOME, "go home"); no.exitCode)
            return no;
        invoke("LWin_BT_Pressed", LeftHome);
        return {};
    case Command::Move: {
        if (const Outcome no = cannot(CAP_PAN_TILT, "pan or tilt"); no.exitCode)
            return no;
        // At its own speed from the start, as the keyboard's and controllers' moves: the
        // joystick's order (the key at the last speeds, then the speeds) would start it at
        // the previous move's.
        const int pan = PanSpeedScale * c.speed, tilt = TiltSpeedScale * c.speed;
        QMetaObject::invokeMethod(&window, "DriveByKey", Q_ARG(int, c.direction), Q_ARG(int, pan),
                                  Q_ARG(int, tilt));
        if (c.forMs >= 0)
            motionTimer.start(c.forMs);
        return {};
    }
    case Command::Zoom:
        if (const Outcome no = cannot(CAP_ZOOM, "zoom"); no.exitCode)
            return no;
        // The lever held off its middle: its value change sends the zoom.
        child<QSlider>("Slider_Zoom")->setValue(ZoomRest + c.direction * c.speed);
        if (c.forMs >= 0)
            zoomTimer.start(c.forMs);
        return {};
    case Command::Stop:
        if (const Outcome no = cannot(0, ""); no.exitCode)
            return no;
        stopMotion();
        stopZoom();
        return {};
    case Command::Position: {
        if (const Outcome no = cannot(CAP_POSITION, "move to a position"); no.exitCode)
            return no;
        // The SET/PT fields know what the camera reaches; a position past it is not sent.
        const std::pair<const char *, int> axes[] = {{"set_pan_data", c.pan},
                                                     {"set_tilt_data", c.tilt}};
        for (const auto &[name, value] : axes) {
            const auto *range =
                qobject_cast<const QIntValidator *>(child<QLineEdit>(name)->validator());
            if (range && (value < range->bottom() || value > range->top()))
                return Outcome::outOfRange(QStringLiteral("%1 goes from %2 to %3 on %4")
                                               .arg(name == axes[0].first ? "pan" : "tilt")
                                               .arg(range->bottom())
                                               .arg(range->top())
                                               .arg(camera));
        }
        child<QLineEdit>("set_pan_data")->setText(QString::number(c.pan));
        child<QLineEdit>("set_tilt_data")->setText(QString::number(c.tilt));
        invoke("RWin_BT_Pressed", RightSet);
        if (refused())
            return Outcome::failed(camera + " did not take the position");
        return {};
    }
    case Command::GetPosition:
        if (const Outcome no = cannot(CAP_POSITION, "tell its position"); no.exitCode)
            return no;
        invoke("RWin_BT_Pressed", RightGet);
        // What the read-outs show then is no position the camera told.
        if (refused())
            return Outcome::failed(camera + " does not tell its position");
        return {0,
                child<QLineEdit>("get_pan_data")->text() + ',' +
                    child<QLineEdit>("get_tilt_data")->text() + '\n',
                {}};
    case Command::Image: {
        if (const Outcome no = cannot(0, ""); no.exitCode)
            return no;
        const int index = int(Command::imageControls().indexOf(c.text));
        if (index < 0)
            return Outcome::misused("no image control " + c.text);
        const ImageControl &control = ImageControl::of(ImageControl::Id(index));
        auto *slider = child<QSlider>(control.slider);
        if (c.number < slider->minimum() || c.number > slider->maximum())
            return Outcome::failed(QStringLiteral("%1 goes from %2 to %3 on this camera")
                                       .arg(c.text)
                                       .arg(slider->minimum())
                                       .arg(slider->maximum()),
                                   Outcome::BadValue);
        // As a drag of the slider ends there.
        slider->setValue(c.number);
        invoke(control.slot, c.number);
        return {};
    }
    case Command::WhiteBalanceAuto:
        if (const Outcome no = cannot(CAP_WHITE_BALANCE_AUTO, "switch white balance"); no.exitCode)
            return no;
        child<QCheckBox>("Cb_WB")->setChecked(c.number != 0);
        invoke("LWin_BT_Pressed", c.number ? LeftWhiteBalanceAuto : LeftWhiteBalanceManual);
        return {};
    case Command::Flicker: {
        if (const Outcome no = cannot(CAP_FLICKER, "set anti-flicker"); no.exitCode)
            return no;
        auto *flicker = child<QComboBox>("ComboBox_Flicker");
        const auto *entries = qobject_cast<const QStandardItemModel *>(flicker->model());
        const QStandardItem *entry = entries ? entries->item(c.number) : nullptr;
        if (entry && !entry->isEnabled())
            return Outcome::failed(camera + " cannot switch anti-flicker off",
                                   Outcome::Unsupported);
        if (flicker->currentIndex() == c.number)
            invoke("FlickerChange"); // no change of the selector would send it
        else
            flicker->setCurrentIndex(c.number);
        if (refused())
            return Outcome::failed(camera + " refused anti-flicker", Outcome::Unsupported);
        return {};
    }
    case Command::ResetImage:
        if (const Outcome no = cannot(CAP_IMAGE_DEFAULTS, "reset its image"); no.exitCode)
            return no;
        invoke("LWin_BT_Pressed", LeftReset);
        return {};
    }
    return Outcome::misused("unknown command");
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
