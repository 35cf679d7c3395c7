// SPDX-License-Identifier: GPL-2.0-or-later
// Drives a RockerHandle with real mouse events and reads back what it reports.
#pragma once

#include <QImage>
#include <QPoint>
#include <QStringList>

class RockerHandle;

class JoystickProbe
{
public:
    explicit JoystickProbe(RockerHandle &joystick);

    struct Report
    {
        int key = -1;
        int pan = -1;
        int tilt = -1;
    };

    void press(QPoint at);
    void move(QPoint to); // a move event with the left button held
    void release();
    // Presses at `at`, waits for the first key and speeds, releases.
    Report probe(QPoint at);
    // The first key, pan and tilt reported since the last take().
    Report waitForReport(int timeoutMs = 2000);

    QStringList events; // "key(n)", "pan(n)", "tilt(n)" in arrival order
    QStringList take();

    // Centre and horizontal extent of the painted handle (blue pixels), in widget pixels.
    struct Disc
    {
        QPointF centre;
        int width = 0;
    };
    Disc paintedHandle();

private:
    RockerHandle &widget;
};
