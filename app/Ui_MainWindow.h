// SPDX-License-Identifier: GPL-2.0-or-later
// Form of the main window: the two panels side by side, the edge strips that stay on the
// desktop when the window hides at its right edge, and the background frames.
#pragma once

class EdgeStrip;
class QFrame;
class QLabel;
class QMainWindow;
class QWidget;
class WinLeft;
class WinRight;

class Ui_MainWindow
{
public:
    QWidget *centralwidget;
    WinLeft *Win_Left;
    WinRight *Win_Right;
    EdgeStrip *Label_Hide_L;
    EdgeStrip *Label_Hide_R;
    QLabel *Buffer_2;
    QLabel *Buffer_1;
    QFrame *frame;
    QFrame *frame_2;

    void setupUi(QMainWindow *MainWindow);
    void retranslateUi(QMainWindow *MainWindow);
};
