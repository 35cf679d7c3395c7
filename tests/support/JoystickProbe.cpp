// SPDX-License-Identifier: GPL-2.0-or-later
#include "JoystickProbe.h"
#include "RockerHandle.h"

#include <QtTest>

JoystickProbe::JoystickProbe(RockerHandle &joystick) : widget(joystick)
{
    const auto record = [this](const char *name) {
        return [this, name](int value) { events << QStringLiteral("%1(%2)").arg(name).arg(value); };
    };
    QObject::connect(&widget, &RockerHandle::keyNumchanged, record("key"));
    QObject::connect(&widget, &RockerHandle::Speed_Pan, record("pan"));
    QObject::connect(&widget, &RockerHandle::Speed_Tilt, record("tilt"));
}

void JoystickProbe::press(QPoint at)
{
    QTest::mousePress(&widget, Qt::LeftButton, {}, at);
}

void JoystickProbe::move(QPoint to)
{
    QMouseEvent event(QEvent::MouseMove, to, widget.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

void JoystickProbe::release()
{
    QTest::mouseRelease(&widget, Qt::LeftButton);
}

QStringList JoystickProbe::take()
{
    const QStringList taken = events;
    events.clear();
    return taken;
}

JoystickProbe::Report JoystickProbe::waitForReport(int timeoutMs)
{
    const auto first = [this](const QString &name) {
        for (const QString &e : events)
            if (e.startsWith(name + "("))
                return e.mid(name.size() + 1).chopped(1).toInt();
        return -1;
    };
    Report report;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        report = {first("key"), first("pan"), first("tilt")};
        if (report.key >= 0 && report.pan >= 0 && report.tilt >= 0)
            break;
        QTest::qWait(10);
    }
    take();
    return report;
}

JoystickProbe::Report JoystickProbe::probe(QPoint at)
{
    take();
    press(at);
    const Report report = waitForReport();
    release();
    QCoreApplication::processEvents();
    take();
    return report;
}

JoystickProbe::Disc JoystickProbe::paintedHandle()
{
    const QImage image = widget.grab().toImage();
    double sumX = 0, sumY = 0;
    int count = 0, left = INT_MAX, right = INT_MIN;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 180 && c.red() < 140 && c.alpha() > 200) {
                sumX += x;
                sumY += y;
                ++count;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    if (count == 0)
        return {};
    return {QPointF(sumX / count, sumY / count), right - left + 1};
}
