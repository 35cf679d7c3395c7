// SPDX-License-Identifier: GPL-2.0-or-later
#include "Ui_WinRight.h"
#include "CameraSelector.h"
#include "FormBuilder.h"
#include "RockerHandle.h"
#include "StyleSheets.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

using namespace FormBuilder;

namespace {

QPushButton *presetKey(QWidget *parent, const char *name, int x, int y)
{
    auto *key = create<QPushButton>(parent, name, QRect(x, y, 58, 27));
    key->setFont(arial(11, QFont::Normal));
    key->setCheckable(false);
    return key;
}

QToolButton *modeKey(QWidget *parent, const char *name, int x)
{
    auto *key = create<QToolButton>(parent, name, QRect(x, 300, 75, 27));
    key->setCheckable(true);
    key->setFont(inherited(arial(11), parent));
    return key;
}

QLineEdit *positionField(QWidget *parent, const char *name, int x, int y, bool readOnly)
{
    auto *field = create<QLineEdit>(parent, name, QRect(x, y, 61, 20));
    field->setFont(inherited(arial(), parent));
    field->setReadOnly(readOnly);
    return field;
}

} // namespace

void Ui_WinRight::setupUi(QWidget *WinRight)
{
    if (WinRight->objectName().isEmpty())
        WinRight->setObjectName(QString::fromUtf8("WinRight"));
    WinRight->resize(224, 417);
    // A size of its own: the desktop's default (11 or 12 points on Linux desktops) does not
    // fit the captions the form was laid out for.
    QFont panelFont = arial(9);
    panelFont.setBold(true);
    panelFont.setWeight(75);
    WinRight->setFont(panelFont);

    const QFont a10 = arial(10, QFont::Normal);
    BT_Close = create<QPushButton>(WinRight, "BT_Close", QRect(185, 2, 37, 16));
    BT_Close->setFont(a10);
    BT_Top = create<QPushButton>(WinRight, "BT_Top", QRect(147, 2, 37, 16));
    BT_Top->setFont(a10);
    BT_Top->setCheckable(true);
    BT_Top->setChecked(true);
    line = FormBuilder::line(WinRight, "line", QRect(25, 28, 195, 1), QFrame::HLine);
    line->setFont(a10);
    label = create<QLabel>(WinRight, "label", QRect(70, 85, 101, 101));
    label->setFont(a10);

    Slider_Zoom = horizontalSlider(WinRight, "Slider_Zoom", QRect(80, 265, 80, 16));
    Slider_Zoom->setMinimum(0);
    Slider_Zoom->setMaximum(14);
    Slider_Zoom->setValue(7);
    // Steps of 0: keys and the wheel cannot move the lever, only a drag can.
    Slider_Zoom->setSingleStep(0);
    Slider_Zoom->setPageStep(0);

    line_2 = FormBuilder::line(WinRight, "line_2", QRect(22, 290, 195, 1), QFrame::HLine);
    line_2->setFont(a10);
    BT_0 = presetKey(WinRight, "BT_0", 30, 330);
    BT_1 = presetKey(WinRight, "BT_1", 90, 330);
    BT_2 = presetKey(WinRight, "BT_2", 150, 330);
    BT_5 = presetKey(WinRight, "BT_5", 150, 360);
    BT_4 = presetKey(WinRight, "BT_4", 90, 360);
    BT_7 = presetKey(WinRight, "BT_7", 90, 390);
    BT_8 = presetKey(WinRight, "BT_8", 150, 390);
    BT_6 = presetKey(WinRight, "BT_6", 30, 390);
    BT_3 = presetKey(WinRight, "BT_3", 30, 360);

    toolButton = create<QToolButton>(WinRight, "toolButton", QRect(-5, 0, 30, 417));
    QIcon foldIcon;
    foldIcon.addFile(QString::fromUtf8(":/image/icon/arrow_left.png"), QSize(), QIcon::Normal,
                     QIcon::Off);
    toolButton->setIcon(foldIcon);
    toolButton->setIconSize(QSize(20, 20));
    toolButton->setCheckable(false);

    label_2 = create<QLabel>(WinRight, "label_2", QRect(50, 265, 16, 16));
    label_3 = create<QLabel>(WinRight, "label_3", QRect(70, 270, 6, 7));
    label_6 = create<QLabel>(WinRight, "label_6", QRect(165, 265, 16, 16));
    label_7 = create<QLabel>(WinRight, "label_7", QRect(185, 270, 7, 8));

    widget = create<RockerHandle>(WinRight, "widget", QRect(70, 85, 100, 100));

    BT_Set = modeKey(WinRight, "BT_Set", 30);
    BT_Clear = modeKey(WinRight, "BT_Clear", 133);

    Box_Camera_USB = create<CameraSelector>(WinRight, "Box_Camera_USB", QRect(70, 40, 140, 16));
    QFont selectorFont = arial(8, QFont::Normal);
    selectorFont.setItalic(false);
    Box_Camera_USB->setFont(selectorFont);

    label_10 = create<QLabel>(WinRight, "label_10", QRect(20, 42, 54, 12));
    label_10->setFont(inherited(arial(), WinRight));

    set_pan_data = positionField(WinRight, "set_pan_data", 30, 214, false);
    set_tilt_data = positionField(WinRight, "set_tilt_data", 30, 240, false);
    get_pan_data = positionField(WinRight, "get_pan_data", 150, 214, true);
    get_tilt_data = positionField(WinRight, "get_tilt_data", 150, 240, true);
    label_4 = create<QLabel>(WinRight, "label_4", QRect(110, 214, 31, 16));
    label_9 = create<QLabel>(WinRight, "label_9", QRect(110, 240, 31, 16));
    set_pan_tilt = create<QPushButton>(WinRight, "set_pan_tilt", QRect(30, 180, 58, 27));
    get_pan_tilt = create<QPushButton>(WinRight, "get_pan_tilt", QRect(150, 180, 58, 27));
    // Qt gives the children of a panel with a style sheet the desktop's font, not the panel's.
    for (QWidget *captioned :
         std::initializer_list<QWidget *>{label_4, label_9, set_pan_tilt, get_pan_tilt})
        captioned->setFont(inherited(arial(), WinRight));

    // The joystick's base picture lies lowest; everything else stacks in creation order.
    label->raise();
    for (QWidget *child : std::initializer_list<QWidget *>{
             BT_Close,     BT_Top,        line,         Slider_Zoom,   line_2,         BT_0,
             BT_1,         BT_2,          BT_5,         BT_4,          BT_7,           BT_8,
             BT_6,         BT_3,          toolButton,   label_2,       label_3,        label_6,
             label_7,      widget,        BT_Set,       BT_Clear,      Box_Camera_USB, label_10,
             set_pan_data, set_tilt_data, get_pan_data, get_tilt_data, label_4,        label_9,
             set_pan_tilt, get_pan_tilt})
        child->raise();
    keepPresses(WinRight);
    // Once its controls are there: Qt parses a panel's sheet when a control is made that asks
    // its style something, and again when the panel is first shown (in the main window, the
    // sheet that replaces this one).
    WinRight->setStyleSheet(StyleSheets::ptzPanelForm());

    retranslateUi(WinRight);
    QMetaObject::connectSlotsByName(WinRight);
}

void Ui_WinRight::retranslateUi(QWidget *WinRight)
{
    WinRight->setWindowTitle(QCoreApplication::translate("WinRight", "Form"));
    BT_Close->setText(QString());
    BT_Top->setText(QString());
    label->setText(QString());
    BT_0->setText(QCoreApplication::translate("WinRight", "0"));
    BT_1->setText(QCoreApplication::translate("WinRight", "1"));
    BT_2->setText(QCoreApplication::translate("WinRight", "2"));
    BT_5->setText(QCoreApplication::translate("WinRight", "5"));
    BT_4->setText(QCoreApplication::translate("WinRight", "4"));
    BT_7->setText(QCoreApplication::translate("WinRight", "7"));
    BT_8->setText(QCoreApplication::translate("WinRight", "8"));
    BT_6->setText(QCoreApplication::translate("WinRight", "6"));
    BT_3->setText(QCoreApplication::translate("WinRight", "3"));
    toolButton->setText(QString());
    label_2->setText(QString());
    label_3->setText(QString());
    label_6->setText(QString());
    label_7->setText(QString());
    BT_Set->setText(QCoreApplication::translate("WinRight", "Set"));
    BT_Clear->setText(QCoreApplication::translate("WinRight", "Clear"));
    Box_Camera_USB->setCurrentText(QString());
    label_10->setText(QCoreApplication::translate("WinRight", "Device"));
    set_pan_data->setText(QCoreApplication::translate("WinRight", "0"));
    set_tilt_data->setText(QCoreApplication::translate("WinRight", "0"));
    label_4->setText(QCoreApplication::translate("WinRight", "PAN"));
    label_9->setText(QCoreApplication::translate("WinRight", "TILT"));
    set_pan_tilt->setText(QCoreApplication::translate("WinRight", "SET/PT"));
    get_pan_tilt->setText(QCoreApplication::translate("WinRight", "GET/PT"));
}
