// SPDX-License-Identifier: GPL-2.0-or-later
#include "StyleSheets.h"

#include <QStringRef>

// A reference to the images' registration links them into every program that uses the
// sheets; the registration itself runs before main. External, so it cannot be dropped.
int qInitResources_resources();
extern int (*const registerImages)();
int (*const registerImages)() = &qInitResources_resources;

namespace {

const char *const SliderBlock = R"(/* slider */
QSlider::groove:horizontal {
    border: 1px;
    height: 3px;
    position: absolute;
    border-radius: 1px;
    margin: 1px 0;
    left: 2px;
    right: 2px;
    background-color: rgb(164, 164, 164);
}
/* slider handle */
QSlider::handle:horizontal:enabled {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #a4c4f8, stop:1 #68a3ed);
    border: 1px;
    width: 15px;
    height: 10px;
    margin: -4px -1;
    border-radius: 5px;
}
QSlider::handle:horizontal:!enabled {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #cccccc, stop:1 #bfbfbf);
    border: 1px;
    width: 15px;
    height: 10px;
    margin: -4px -1;
    border-radius: 5px;
}
)";

const char *const DarkKeyBlock = R"(
    color: rgb(116, 114, 114);
    background-color: rgb(39, 39, 39);
    border: 1px solid #424242;
    border-radius: 1px;
    border-bottom: 1px solid rgb(27, 27, 27);
    border-right: 2px solid #1c1c1c;
)";

// A key the camera cannot perform: darker than a live one, its caption dim, last so that
// neither checked nor hover lights it up.
const char *const DisabledKey = R"(QPushButton:!enabled {
    background-color: rgb(34, 34, 34);
    color: rgb(96, 96, 96);
    border: 1px solid #2e2e2e;
}
)";

const char *const LineRule = R"(QLine {
    background-color: rgb(154, 154, 154);
}
)";

const char *const Background = ":/image/background/mainwin.bmp";

// Where the keyboard is: the blue of the slider handles, around keys and selectors.
const char *const FocusMarks =
    R"(QPushButton:focus, QToolButton:focus, QComboBox:focus, QLineEdit:focus,
QCheckBox:focus {
    border: 1px solid #68a3ed;
}
QSlider::handle:horizontal:focus {
    border: 1px solid #ffffff;
}
)";

// A key drawn by its picture keeps it inside the mark.
QString pictureKeyFocus(const char *picture)
{
    return QStringLiteral("QPushButton:focus {\n    border: 1px solid #68a3ed;\n"
                          "    border-image: none;\n    image: url(%1);\n}\n")
        .arg(QLatin1String(picture));
}

QString keyRules(const char *enabledSelector)
{
    return QString::fromLatin1(enabledSelector) + " {" + DarkKeyBlock + "}\n" +
           R"(QPushButton:checked {
    color: rgb(226, 222, 222);
    background-color: rgb(65, 65, 65);
}
QPushButton::hover {
    background-color: rgb(54, 54, 54);
}
)" + DisabledKey +
           LineRule + SliderBlock + FocusMarks;
}

QString selector(const char *padding, int dropDownWidth)
{
    return QStringLiteral(R"(QComboBox {
    border: 0px;
    border-radius: 4px;
    color: rgb(112, 112, 112);%1
}
QComboBox::drop-down {
    subcontrol-origin: padding;
    subcontrol-position: top right;
    width: %2px;
    border-left-width: 0px;
    border-left-color: darkgray;
    border-left-style: solid;
    border-top-right-radius: 4px;
    border-bottom-right-radius: 4px;
}
QComboBox::down-arrow {
    border-image: url(:/image/icon/arrow.png);
}
QComboBox:!enabled {
    color: rgb(176, 176, 176);
}
)")
               .arg(QString::fromLatin1(padding))
               .arg(dropDownWidth) +
           FocusMarks;
}

// A selector with a widget's name after its type: "QSlider::handle" for Slider_Gamma is
// "QSlider#Slider_Gamma::handle".
void appendNamed(QString &to, QStringRef selector, const char *name)
{
    int type = 0;
    while (type < selector.size() &&
           (selector.at(type).isLetterOrNumber() || selector.at(type) == '_'))
        ++type;
    to += selector.left(type);
    to += '#';
    to += QLatin1String(name);
    to += selector.mid(type);
}

QString withoutComments(QString sheet)
{
    for (int start; (start = sheet.indexOf(QLatin1String("/*"))) >= 0;) {
        const int end = sheet.indexOf(QLatin1String("*/"), start + 2);
        sheet.remove(start, end < 0 ? sheet.size() - start : end + 2 - start);
    }
    return sheet;
}

} // namespace

namespace StyleSheets {

QString named(std::initializer_list<const char *> names, const QString &sheet)
{
    // A comment may hold a whole rule, braces and all.
    const QString rules = withoutComments(sheet);
    QString scoped;
    scoped.reserve(rules.size() * int(names.size() + 1));
    if (!rules.contains('{')) {
        // Bare declarations style the widget and all it holds, its tooltip included.
        for (const char *name : names) {
            if (!scoped.isEmpty())
                scoped += QLatin1String(", ");
            scoped += QLatin1String("#%1, #%1 *").arg(QLatin1String(name));
        }
        return scoped + " {" + rules + "}\n";
    }
    int at = 0;
    for (int open; (open = rules.indexOf('{', at)) >= 0;) {
        const int close = rules.indexOf('}', open);
        if (close < 0)
            break;
        bool first = true;
        for (int from = at; from < open;) {
            int comma = rules.indexOf(',', from);
            if (comma < 0 || comma > open)
                comma = open;
            for (const char *name : names) {
                if (!first)
                    scoped += QLatin1String(", ");
                first = false;
                appendNamed(scoped, rules.midRef(from, comma - from).trimmed(), name);
            }
            from = comma + 1;
        }
        scoped += QLatin1String(" {");
        scoped += rules.midRef(open + 1, close - open - 1);
        scoped += QLatin1String("}\n");
        at = close + 1;
    }
    return scoped;
}

QString central()
{
    return QStringLiteral("QWidget#Win_Right {\n    border-image: url(%1);\n}\n"
                          "QWidget#Win_Left {\n    border-image: url(%1);\n}\n")
        .arg(Background);
}

QString ptzOverride()
{
    return keyRules("QPushButton");
}

QString edgeStrip()
{
    return QStringLiteral("border-image: url(:/image/icon/Hide_line.png);");
}

QString background()
{
    return QStringLiteral("border-image: url(%1);").arg(Background);
}

QString imagePanel()
{
    return QStringLiteral("QWidget#WinLeft {\n    border-image: url(%1);\n}\n").arg(Background) +
           SliderBlock + R"(QLabel {
    color: rgb(226, 222, 222);
}
/* buttons */
QPushButton:enabled {
    background-color: rgb(67, 67, 67);
    color: rgb(226, 222, 222);
    border: 1px solid #5a5a5a;
}
QPushButton:checked {
    color: rgb(236, 236, 236);
    background-color: rgb(54, 54, 54);
}
QPushButton::hover {
    background-color: rgb(54, 54, 54);
}
)" + DisabledKey +
           LineRule + FocusMarks;
}

QString separator()
{
    return QStringLiteral("background-color: rgb(154, 154, 154);");
}

QString tallyLine(int state)
{
    switch (state) {
    case 1:
        return QStringLiteral("background-color: rgb(0, 200, 60);");
    case 2:
        return QStringLiteral("background-color: rgb(230, 20, 20);");
    default:
        return QString(); // the panel's own separator rule
    }
}

QString flickerSelector()
{
    return selector("", 20);
}

QString readout()
{
    return QStringLiteral("background: transparent;\ncolor: rgb(255, 255, 255);\n"
                          "border-radius: 3px;\nqproperty-alignment: AlignHCenter;");
}

QString ptzPanel()
{
    return QStringLiteral("QWidget#WinRight {\n    border-image: url(%1);\n}\n").arg(Background) +
           keyRules("QPushButton:enabled");
}

QString closeKey()
{
    return QStringLiteral("QPushButton {\n    border-image: url(:/image/icon/close.png);\n"
                          "    border:0px;\n}\n") +
           pictureKeyFocus(":/image/icon/close.png");
}

QString stayOnTopKey()
{
    return QStringLiteral(R"(QPushButton {
    border-image: url(:/image/icon/arrow_up.png);
    border: 0px;
}
QPushButton:selected {
    background-color: rgb(255, 255, 255);
}
/*
QPushButton:checked {
    border-image: url(:/image/icon/arrow_up.png);
}
*/
QPushButton:!checked {
    border-image: url(:/image/icon/arrow_up_off.png);
}
)") + pictureKeyFocus(":/image/icon/arrow_up.png") +
           R"(QPushButton:focus:!checked {
    image: url(:/image/icon/arrow_up_off.png);
}
)";
}

QString joystickBase()
{
    return QStringLiteral("border-image: url(:/image/icon/position.png);");
}

QString presetKey()
{
    // Its own colour outweighs the panel's rules, so it names the disabled one itself.
    // A stored preset's caption in the focus frame's blue; still greyed when disabled.
    return QStringLiteral("QPushButton {\n    color: rgb(226, 222, 222);\n}\n"
                          "QPushButton[stored=\"true\"] {\n    color: rgb(104, 163, 237);\n}\n") +
           DisabledKey;
}

QString foldKey()
{
    return QStringLiteral(
        "QToolButton {\n    border:0px;\n    border-image: url(:/image/icon/line.png);\n}\n"
        "QToolButton:focus {\n    border: 1px solid #68a3ed;\n    border-image: none;\n}\n");
}

QString zoomPicture()
{
    return QStringLiteral("image: url(:/image/icon/6.png);");
}

QString zoomMinus()
{
    return QStringLiteral("image: url(:/image/icon/redue.png);");
}

QString zoomPlus()
{
    return QStringLiteral("image: url(:/image/icon/add.png);");
}

QString joystick()
{
    return QStringLiteral("border-radius:40px;");
}

QString modeKey()
{
    const char *const key = R"(
    color: rgb(226, 222, 222);
    background-color: %1;
    border: 1px solid #424242;
    border-radius: 1px;
    border-bottom: 1px solid rgb(27, 27, 27);
    border-right: 2px solid #1c1c1c;
)";
    return QStringLiteral("QToolButton:enabled {") +
           QString::fromLatin1(key).arg("rgb(39, 39, 39)") + R"(}
QToolButton:checked {
    background-color: rgb(110, 110, 110);
}
QToolButton:!checked {
    background-color: rgb(65, 65, 65);
}
QToolButton:hover {
    background-color: rgb(110, 110, 110);
}
QToolButton:!enabled {
    background-color: rgb(34, 34, 34);
    color: rgb(96, 96, 96);
    border: 1px solid #2e2e2e;
}
)" + FocusMarks;
}

QString cameraSelector()
{
    // Room for a camera's name: no padding right of the arrow, which needs less than 20.
    return selector("\n    padding: 0 0 0 6px;", 18);
}

QString caption()
{
    return QStringLiteral("color: rgb(255, 255, 255);");
}

} // namespace StyleSheets

namespace {

// The PTZ panel's controls, in its own sheet and in the main window's that replaces it.
const QString &ptzControls()
{
    using namespace StyleSheets;
    static const QString controls =
        named({"BT_Close"}, closeKey()) + named({"BT_Top"}, stayOnTopKey()) +
        named({"line", "line_2"}, separator()) + named({"label"}, joystickBase()) +
        named({"BT_0", "BT_1", "BT_2", "BT_3", "BT_4", "BT_5", "BT_6", "BT_7", "BT_8",
               "set_pan_tilt", "get_pan_tilt"},
              presetKey()) +
        named({"toolButton"}, foldKey()) + named({"label_2", "label_6"}, zoomPicture()) +
        named({"label_3"}, zoomMinus()) + named({"label_7"}, zoomPlus()) +
        named({"widget"}, joystick()) + named({"BT_Set", "BT_Clear"}, modeKey()) +
        named({"Box_Camera_USB"}, cameraSelector()) +
        named({"label_10", "label_4", "label_9"}, caption());
    return controls;
}

} // namespace

namespace StyleSheets {

QString centralForm()
{
    return central() + named({"frame", "frame_2"}, background());
}

QString imagePanelForm()
{
    return imagePanel() + named({"line_3", "line_2", "line_11"}, separator()) +
           named({"ComboBox_Flicker"}, flickerSelector()) +
           named({"v_brightness", "v_contrast", "v_hue", "v_saturation", "v_sharpness", "v_gamma",
                  "v_blc", "v_wb"},
                 readout());
}

QString ptzPanelForm()
{
    return ptzPanel() + ptzControls();
}

QString ptzOverrideForm()
{
    return ptzOverride() + ptzControls();
}

} // namespace StyleSheets
