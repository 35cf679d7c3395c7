// SPDX-License-Identifier: GPL-2.0-or-later
#include "WinLeft.h"
#include "PanelAccess.h"
#include "ScreenDensity.h"
#include "Ui_WinLeft.h"

#include <QCoreApplication>
#include <QPushButton>

namespace {

// The toggles' state belongs to the process, not to a panel: it records the presses made
// since start-up and is never read back from a camera.
bool Menu_Flag = true;
bool IR_Flag = true;
bool Day_Flag = true;
bool AI_Flag = false;

} // namespace

struct WinLeft::Toggle
{
    bool &flag;
    const char *setCaption;
    int setCode;
    const char *clearCaption;
    int clearCode;
};

WinLeft::WinLeft(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("WinLeft"));
    resize(267, 417);
    // A click on an empty part of the panel takes the focus from the control that had it,
    // and with it the keys it kept.
    setFocusPolicy(Qt::ClickFocus);
}

WinLeft::~WinLeft() = default;

void WinLeft::build(double density)
{
    if (ui)
        return;
    ui = std::make_unique<Ui_WinLeft>();
    ui->setupUi(this);
    PanelAccess::describeImagePanel(this);
    if (density != 1.0)
        scaleWidgets(*this, density);
    // Qt shows the children of a widget as it shows the widget; these come after.
    if (isVisible())
        for (QWidget *control : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (!control->isWindow())
                control->show();
}

void WinLeft::toggle(QPushButton *button, const Toggle &t)
{
    const bool wasSet = t.flag;
    const char *caption = wasSet ? t.setCaption : t.clearCaption;
    button->setText(QCoreApplication::translate("WinLeft", caption));
    button->setAccessibleName(PanelAccess::toggleName(caption));
    emit BT_Pressed(wasSet ? t.setCode : t.clearCode);
    // Stored only once the main window has handled the code.
    t.flag = !wasSet;
}

void WinLeft::on_BT_Flip_clicked()
{
    emit BT_Pressed(3);
}

void WinLeft::on_BT_Mirror_clicked()
{
    emit BT_Pressed(4);
}

void WinLeft::on_BT_Menu_clicked()
{
    toggle(ui->BT_Menu, {Menu_Flag, QT_TRANSLATE_NOOP("WinLeft", "Menu ON"), 5, "Menu OFF", 10});
}

void WinLeft::on_BT_HOME_clicked()
{
    emit BT_Pressed(6);
}

void WinLeft::on_BT_AI_clicked()
{
    toggle(ui->BT_AI, {AI_Flag, "Framing", 7, QT_TRANSLATE_NOOP("WinLeft", "Manual"), 8});
}

void WinLeft::on_BT_PUSH_clicked()
{
    emit BT_Pressed(8);
}

void WinLeft::on_BT_Reset_clicked()
{
    emit BT_Pressed(9);
}

void WinLeft::on_Cb_WB_clicked(bool checked)
{
    emit BT_Pressed(checked ? 1 : 2);
}

void WinLeft::on_BT_IR_clicked()
{
    toggle(ui->BT_IR, {IR_Flag, QT_TRANSLATE_NOOP("WinLeft", "IR ON"), 11, "IR OFF", 12});
}

void WinLeft::on_BT_DAY_clicked()
{
    toggle(ui->BT_DAY, {Day_Flag, "DAY", 13, QT_TRANSLATE_NOOP("WinLeft", "NIGHT"), 14});
}

void WinLeft::on_BT_RST_PTZ_clicked()
{
    emit BT_Pressed(15);
}
