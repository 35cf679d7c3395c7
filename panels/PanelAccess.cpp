// SPDX-License-Identifier: GPL-2.0-or-later
#include "PanelAccess.h"

#include <QCoreApplication>
#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace {

// A control, its full name and what it does. Names carry a disambiguation, since a caption of
// the same English text may be shortened in a translation and a name never is.
struct Text
{
    const char *source;
    const char *comment;
};

struct Help
{
    const char *object;
    Text name;
    const char *tip;
};

const Help ImagePanel[] = {
    {"Slider_Brightness", QT_TRANSLATE_NOOP3("WinLeft", "Brightness", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Brightness of the picture")},
    {"Slider_Contrast", QT_TRANSLATE_NOOP3("WinLeft", "Contrast", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Contrast of the picture")},
    {"Slider_Hue", QT_TRANSLATE_NOOP3("WinLeft", "Hue", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Shifts the colours")},
    {"Slider_Saturation", QT_TRANSLATE_NOOP3("WinLeft", "Saturation", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Strength of the colours")},
    {"Slider_Sharpness", QT_TRANSLATE_NOOP3("WinLeft", "Sharpness", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Sharpness of the picture")},
    {"Slider_Gamma", QT_TRANSLATE_NOOP3("WinLeft", "Gamma", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Brightens or darkens the mid-tones")},
    {"Slider_BLC", QT_TRANSLATE_NOOP3("WinLeft", "Backlight compensation", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Brightens a subject in front of a bright background")},
    {"Cb_WB", QT_TRANSLATE_NOOP3("WinLeft", "Automatic white balance", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "The camera sets the white balance itself")},
    {"Slider_WB", QT_TRANSLATE_NOOP3("WinLeft", "White balance", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Colour temperature, while automatic white balance is off")},
    {"ComboBox_Flicker", QT_TRANSLATE_NOOP3("WinLeft", "Anti-flicker", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft",
                       "Matches the mains frequency of the lights: off, 50 Hz or 60 Hz")},
    {"BT_IR", QT_TRANSLATE_NOOP3("WinLeft", "Infrared off", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Switches the infrared light on and off")},
    {"BT_DAY", QT_TRANSLATE_NOOP3("WinLeft", "Day mode", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Switches between day and night mode")},
    {"BT_Flip", QT_TRANSLATE_NOOP3("WinLeft", "Flip", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Turns the picture upside down, and back")},
    {"BT_Mirror", QT_TRANSLATE_NOOP3("WinLeft", "Mirror", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Mirrors the picture left to right, and back")},
    {"BT_Menu", QT_TRANSLATE_NOOP3("WinLeft", "On-screen menu off", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Shows and hides the camera's own on-screen menu")},
    {"BT_HOME", QT_TRANSLATE_NOOP3("WinLeft", "Home", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Moves to the home position (key: Home)")},
    {"BT_AI", QT_TRANSLATE_NOOP3("WinLeft", "Automatic framing", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Switches automatic framing of the people in view on and off")},
    {"BT_PUSH", QT_TRANSLATE_NOOP3("WinLeft", "End automatic framing", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Ends automatic framing and keeps the view as it is")},
    {"BT_Reset", QT_TRANSLATE_NOOP3("WinLeft", "Reset image", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Sets the image values back to the camera's defaults")},
    {"BT_RST_PTZ", QT_TRANSLATE_NOOP3("WinLeft", "Reset pan, tilt and zoom", "accessible name"),
     QT_TRANSLATE_NOOP("WinLeft", "Recalibrates pan, tilt and zoom")},
};

// The read-outs beside the sliders, named after them.
const char *const Readouts[][2] = {
    {"v_brightness", "Slider_Brightness"},
    {"v_contrast", "Slider_Contrast"},
    {"v_hue", "Slider_Hue"},
    {"v_saturation", "Slider_Saturation"},
    {"v_sharpness", "Slider_Sharpness"},
    {"v_gamma", "Slider_Gamma"},
    {"v_blc", "Slider_BLC"},
    {"v_wb", "Slider_WB"},
};

// Each toggle caption and the full name of the state it shows.
const struct
{
    const char *caption;
    Text name;
} ToggleNames[] = {
    {"IR ON", QT_TRANSLATE_NOOP3("WinLeft", "Infrared on", "accessible name")},
    {"IR OFF", QT_TRANSLATE_NOOP3("WinLeft", "Infrared off", "accessible name")},
    {"DAY", QT_TRANSLATE_NOOP3("WinLeft", "Day mode", "accessible name")},
    {"NIGHT", QT_TRANSLATE_NOOP3("WinLeft", "Night mode", "accessible name")},
    {"Menu ON", QT_TRANSLATE_NOOP3("WinLeft", "On-screen menu on", "accessible name")},
    {"Menu OFF", QT_TRANSLATE_NOOP3("WinLeft", "On-screen menu off", "accessible name")},
    {"Framing", QT_TRANSLATE_NOOP3("WinLeft", "Automatic framing", "accessible name")},
    {"Manual", QT_TRANSLATE_NOOP3("WinLeft", "Manual framing", "accessible name")},
};

const Help PtzPanel[] = {
    {"toolButton", QT_TRANSLATE_NOOP3("WinRight", "Image settings", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "Opens and shuts the image settings")},
    {"BT_Top", QT_TRANSLATE_NOOP3("WinRight", "Stay on top", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "Keeps the panel above other windows while pressed in")},
    {"BT_Close", QT_TRANSLATE_NOOP3("WinRight", "Close", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "Closes the panel")},
    {"Box_Camera_USB", QT_TRANSLATE_NOOP3("WinRight", "Camera", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "The camera the panel controls")},
    {"widget", QT_TRANSLATE_NOOP3("WinRight", "Joystick", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "Drag to pan and tilt, faster the farther. Keys: arrows, "
                                   "with Shift faster, with Ctrl slower")},
    {"set_pan_tilt", QT_TRANSLATE_NOOP3("WinRight", "Set position", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "Moves the camera to the pan and tilt typed below")},
    {"get_pan_tilt", QT_TRANSLATE_NOOP3("WinRight", "Get position", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "Reads the camera's pan and tilt into the fields below")},
    {"set_pan_data", QT_TRANSLATE_NOOP3("WinRight", "Pan to set", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "The pan the Set position key moves to")},
    {"set_tilt_data", QT_TRANSLATE_NOOP3("WinRight", "Tilt to set", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "The tilt the Set position key moves to")},
    {"get_pan_data", QT_TRANSLATE_NOOP3("WinRight", "Pan read", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "The pan the camera last reported")},
    {"get_tilt_data", QT_TRANSLATE_NOOP3("WinRight", "Tilt read", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "The tilt the camera last reported")},
    {"Slider_Zoom", QT_TRANSLATE_NOOP3("WinRight", "Zoom", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "Drag right to zoom in, left to zoom out; it springs back. "
                                   "Keys: + and -, Page Up and Page Down")},
    {"BT_Set", QT_TRANSLATE_NOOP3("WinRight", "Store mode", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "Press, then a preset key, to store the position there (keys: "
                                   "Ctrl+0 to Ctrl+8)")},
    {"BT_Clear", QT_TRANSLATE_NOOP3("WinRight", "Clear mode", "accessible name"),
     QT_TRANSLATE_NOOP("WinRight", "Press, then a preset key, to clear that preset")},
};

const char *const ImageTabOrder[] = {
    "Slider_Brightness",
    "Slider_Contrast",
    "Slider_Hue",
    "Slider_Saturation",
    "Slider_Sharpness",
    "Slider_Gamma",
    "Slider_BLC",
    "Cb_WB",
    "Slider_WB",
    "ComboBox_Flicker",
    "BT_IR",
    "BT_DAY",
    "BT_Flip",
    "BT_Mirror",
    "BT_Menu",
    "BT_HOME",
    "BT_AI",
    "BT_PUSH",
    "BT_Reset",
    "BT_RST_PTZ",
};

const char *const PtzTabOrder[] = {
    "toolButton",   "BT_Top",       "BT_Close",      "Box_Camera_USB", "set_pan_tilt",
    "get_pan_tilt", "set_pan_data", "set_tilt_data", "Slider_Zoom",    "BT_Set",
    "BT_Clear",     "BT_0",         "BT_1",          "BT_2",           "BT_3",
    "BT_4",         "BT_5",         "BT_6",          "BT_7",           "BT_8",
};

QWidget *child(QWidget *panel, const char *name)
{
    return panel->findChild<QWidget *>(QLatin1String(name));
}

template <size_t N> void chain(QWidget *panel, const char *const (&order)[N])
{
    // Right after the panel, where Tab reaches it, however late its controls were made.
    QWidget::setTabOrder(panel, child(panel, order[0]));
    for (size_t i = 0; i + 1 < N; ++i)
        QWidget::setTabOrder(child(panel, order[i]), child(panel, order[i + 1]));
}

QString translated(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

QString translated(const char *context, const Text &text)
{
    return QCoreApplication::translate(context, text.source, text.comment);
}

} // namespace

void PanelAccess::describe(QWidget *control, const QString &name, const QString &tip)
{
    control->setAccessibleName(name);
    control->setToolTip(tip);
    control->setAccessibleDescription(tip);
}

void PanelAccess::describeImagePanel(QWidget *panel)
{
    for (const Help &help : ImagePanel) {
        QWidget *control = child(panel, help.object);
        const QString tip = translated("WinLeft", help.tip);
        describe(control, translated("WinLeft", help.name), tip);
        // What the key does, for the camera's part added to it later.
        control->setProperty("helpText", tip);
    }
    for (const auto &readout : Readouts) {
        QWidget *value = child(panel, readout[0]);
        const QString name = QCoreApplication::translate("WinLeft", "%1: value")
                                 .arg(child(panel, readout[1])->accessibleName());
        describe(value, name, name);
        value->setFocusPolicy(Qt::NoFocus); // shows, takes nothing
    }
    chain(panel, ImageTabOrder);
}

void PanelAccess::describePtzPanel(QWidget *panel)
{
    for (const Help &help : PtzPanel)
        describe(child(panel, help.object), translated("WinRight", help.name),
                 translated("WinRight", help.tip));
    for (int n = 0; n <= 8; ++n) {
        QWidget *key = panel->findChild<QWidget *>(QStringLiteral("BT_%1").arg(n));
        describe(key, QCoreApplication::translate("WinRight", "Preset %1").arg(n),
                 QCoreApplication::translate(
                     "WinRight", "Recalls preset %1; after Store or Clear mode, stores or "
                                 "clears it. Key: %1, with Ctrl stores")
                     .arg(n));
    }
    for (const char *readOnly : {"get_pan_data", "get_tilt_data"})
        child(panel, readOnly)->setFocusPolicy(Qt::NoFocus);
    chain(panel, PtzTabOrder);
}

void PanelAccess::explainCameraKey(QWidget *key, const QString &camera, bool connected, bool can)
{
    const QString what = key->property("helpText").toString();
    QString status;
    if (!connected)
        status = QCoreApplication::translate("WinLeft", "No camera is connected.");
    else if (can)
        status = QCoreApplication::translate("WinLeft", "Works on %1.").arg(camera);
    else
        status = QCoreApplication::translate("WinLeft", "Greyed: %1 cannot do this.").arg(camera);
    key->setToolTip(what + '\n' + status);
    key->setAccessibleDescription(what + ' ' + status);
}

void PanelAccess::explainPresetKey(QWidget *key, int number, bool stored, const QString &name)
{
    if (!key)
        return;
    const QString what =
        QCoreApplication::translate("WinRight", "Recalls preset %1; after Store or Clear mode, "
                                                "stores or clears it. Key: %1, with Ctrl stores")
            .arg(number);
    QString title =
        name.isEmpty()
            ? QCoreApplication::translate("WinRight", "Preset %1").arg(number)
            : QCoreApplication::translate("WinRight", "Preset %1: %2").arg(number).arg(name);
    const QString status = stored ? QCoreApplication::translate("WinRight", "Stored.")
                                  : QCoreApplication::translate("WinRight", "Not stored.");
    key->setToolTip(title + '\n' + status + '\n' + what);
    key->setAccessibleName(title);
    key->setAccessibleDescription(status + ' ' + what);
    if (key->property("stored").toBool() != stored) {
        key->setProperty("stored", stored);
        // The style sheet picks the caption by the property only when it is applied again.
        key->style()->unpolish(key);
        key->style()->polish(key);
    }
}

QString PanelAccess::toggleName(const char *caption)
{
    for (const auto &entry : ToggleNames)
        if (qstrcmp(entry.caption, caption) == 0)
            return translated("WinLeft", entry.name);
    return QString();
}
