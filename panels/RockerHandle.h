// SPDX-License-Identifier: GPL-2.0-or-later
// The PTZ panel's joystick: a handle that follows the pointer inside a travel circle while
// a button is held, reporting a direction key (3 x 3 grid, 4 = middle) and pan and tilt
// speeds (0..8) every 100 ms, and key 4 when let go.
#pragma once

#include <QWidget>

class QTimer;

class RockerHandle : public QWidget
{
    Q_OBJECT

public:
    explicit RockerHandle(QWidget *parent = nullptr);
    ~RockerHandle() override;

signals:
    void keyNumchanged(int num);
    void Speed_Pan(int num);
    void Speed_Tilt(int num);

private slots:
    void SpeedChange();
    void getKeyNum();

private:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void placeHandle();

    int pointX = 0;
    int pointY = 0;
    int handleX = 0;
    int handleY = 0;
    int handleRadius = 0;
    bool pressed = false;
    QTimer *keyTimer = nullptr;
    QTimer *speedTimer = nullptr;
    double density = 1.0;
    double screenDensity = 1.0; // the first screen's, read once at construction
    int lowBound = 0;
    int highBound = 0;
};
