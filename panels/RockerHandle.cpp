// SPDX-License-Identifier: GPL-2.0-or-later
#include "RockerHandle.h"
#include "ScreenDensity.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// Shared by every joystick: while dragging only every second move asks for a repaint.
bool repaintToggle = false;

constexpr int TickMs = 100;

} // namespace

RockerHandle::RockerHandle(QWidget *parent) : QWidget(parent)
{
    screenDensity = firstScreenDensity();
    density = screenDensity;
    setWindowFlag(Qt::FramelessWindowHint);

    setAutoFillBackground(true);
    QPalette transparent = palette();
    transparent.setBrush(QPalette::Window, QBrush(QColor(0, 255, 0, 0)));
    setPalette(transparent);

    const int side = static_cast<int>(density * 100.0);
    resize(side, side);
    pointX = width() / 2;
    pointY = height() / 2;
    handleX = pointX;
    handleY = pointY;
    handleRadius = static_cast<int>(8.0 * density);

    keyTimer = new QTimer(this);
    speedTimer = new QTimer(this);
    connect(keyTimer, SIGNAL(timeout()), this, SLOT(getKeyNum()));
    connect(speedTimer, SIGNAL(timeout()), this, SLOT(SpeedChange()));
}

RockerHandle::~RockerHandle() = default;

void RockerHandle::mousePressEvent(QMouseEvent *event)
{
    pointX = event->pos().x();
    pointY = event->pos().y();
    keyTimer->start(TickMs);
    speedTimer->start(TickMs);
    pressed = true;
    placeHandle();
    update();
}

void RockerHandle::mouseMoveEvent(QMouseEvent *event)
{
    pointX = event->pos().x();
    pointY = event->pos().y();
    // The reports follow every move; only the repaints are thinned out.
    placeHandle();
    if (repaintToggle) {
        update();
        repaintToggle = false;
    } else {
        repaintToggle = true;
    }
}

void RockerHandle::mouseReleaseEvent(QMouseEvent *)
{
    pointX = width() / 2;
    pointY = height() / 2;
    keyTimer->stop();
    speedTimer->stop();
    pressed = false;
    placeHandle();
    emit keyNumchanged(4);
    update();
}

void RockerHandle::placeHandle()
{
    const int middle = std::min(width(), height()) / 2;
    handleRadius = static_cast<int>(8.0 * density);
    const int travel = middle - handleRadius;
    if (!pressed) {
        pointX = middle;
        pointY = middle;
    }

    const int dx = pointX - middle;
    const int dy = pointY - middle;
    const double distance = std::sqrt(double(dx) * dx + double(dy) * dy);
    if (distance <= travel) {
        handleX = pointX;
        handleY = pointY;
    } else {
        // Pull the handle back onto the travel circle, towards the pointer.
        handleX = static_cast<int>((long long)dx * travel / distance + middle);
        handleY = static_cast<int>((long long)dy * travel / distance + middle);
    }
}

void RockerHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    placeHandle();
    QLinearGradient gradient(handleX - handleRadius, 0, handleX + handleRadius, 0);
    gradient.setColorAt(0, QColor(117, 165, 249, 255));
    gradient.setColorAt(1, QColor(86, 133, 215, 255));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(QPoint(handleX, handleY), handleRadius, handleRadius);
}

void RockerHandle::resizeEvent(QResizeEvent *)
{
    // The ticks assume a widget 100 * density wide. A later change of screen density scales
    // the widget but not the screen's figure; follow the widget then, or its middle would
    // report a diagonal and its edges speeds past 8.
    const int side = std::min(width(), height());
    density = side == static_cast<int>(screenDensity * 100.0) ? screenDensity : side / 100.0;
}

void RockerHandle::getKeyNum()
{
    lowBound = static_cast<int>(density * 50.0 - density * 10.0);
    highBound = static_cast<int>(density * 10.0 + density * 50.0);
    const auto cell = [this](int v) { return v <= lowBound ? 0 : v >= highBound ? 2 : 1; };
    emit keyNumchanged(3 * cell(handleY) + cell(handleX));
}

void RockerHandle::SpeedChange()
{
    const double middle = density * 50.0;
    const double step = density * 5.0;
    const auto speed = [&](int at) {
        return step > 0 ? static_cast<int>(std::fabs(middle - at) / step) : 0;
    };
    emit Speed_Pan(speed(handleX));
    emit Speed_Tilt(speed(handleY));
}
