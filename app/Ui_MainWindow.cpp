// SPDX-License-Identifier: GPL-2.0-or-later
#include "Ui_MainWindow.h"
#include "EdgeStrip.h"
#include "FormBuilder.h"
#include "StyleSheets.h"
#include "WinLeft.h"
#include "WinRight.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>

using FormBuilder::create;

namespace {

QFrame *backgroundFrame(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *frame = create<QFrame>(parent, name, geometry);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

} // namespace

void Ui_MainWindow::setupUi(QMainWindow *MainWindow)
{
    if (MainWindow->objectName().isEmpty())
        MainWindow->setObjectName(QString::fromUtf8("MainWindow"));
    MainWindow->resize(491, 417);

    centralwidget = new QWidget(MainWindow);
    centralwidget->setObjectName(QString::fromUtf8("centralwidget"));
    // One sheet each for the window, the image panel and the PTZ panel, their controls'
    // rules in it by name: Qt parses three sheets, not one per control.
    centralwidget->setStyleSheet(StyleSheets::centralForm());
    Win_Left = create<WinLeft>(centralwidget, "Win_Left", QRect(0, 0, 268, 417));
    Win_Right = create<WinRight>(centralwidget, "Win_Right", QRect(267, 0, 224, 417));
    Win_Right->setStyleSheet(StyleSheets::ptzOverrideForm());
    Label_Hide_L = create<EdgeStrip>(centralwidget, "Label_Hide_L", QRect(0, 0, 10, 417));
    Label_Hide_R = create<EdgeStrip>(centralwidget, "Label_Hide_R", QRect(267, 0, 10, 417));
    Buffer_2 = create<QLabel>(centralwidget, "Buffer_2", QRect(267, 224, 46, 417));
    Buffer_1 = create<QLabel>(centralwidget, "Buffer_1", QRect(0, 0, 223, 417));
    frame = backgroundFrame(centralwidget, "frame", QRect(0, 0, 268, 417));
    frame_2 = backgroundFrame(centralwidget, "frame_2", QRect(268, 0, 224, 417));
    MainWindow->setCentralWidget(centralwidget);

    frame_2->raise();
    frame->raise();
    Buffer_1->raise();
    Buffer_2->raise();
    Win_Left->raise();
    Win_Right->raise();
    Label_Hide_R->raise();
    Label_Hide_L->raise();

    retranslateUi(MainWindow);
    QMetaObject::connectSlotsByName(MainWindow);
}

void Ui_MainWindow::retranslateUi(QMainWindow *MainWindow)
{
    MainWindow->setWindowTitle(QCoreApplication::translate("MainWindow", "MainWindow"));
    Label_Hide_L->setText(QString());
    Label_Hide_R->setText(QString());
    Buffer_2->setText(QString());
    Buffer_1->setText(QString());
}
