// SPDX-License-Identifier: GPL-2.0-or-later
#include "WindowMemory.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>
#include <QWidget>

namespace {

constexpr int TitleRowHeight = 28; // down to the line under the stay-on-top and close keys

QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ptz-panel/window.conf");
}

// The screens as they are arranged now: a position belongs to one arrangement.
QString screenSetup()
{
    QStringList screens;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        screens
            << QStringLiteral("%1_%2_%3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
    }
    screens.sort();
    return QStringLiteral("position/") + screens.join('+');
}

QAbstractButton *key(const QWidget &window, const char *name)
{
    return window.findChild<QAbstractButton *>(QLatin1String(name));
}

// The PTZ panel's title row, where the window is grabbed and closed, with the window at `at`.
QRect titleRow(const QWidget &window, QPoint at)
{
    const QWidget *ptz = window.findChild<QWidget *>(QStringLiteral("Win_Right"));
    const QPoint offset = ptz->mapTo(&window, QPoint(0, 0));
    return QRect(at + offset, QSize(ptz->width(), TitleRowHeight));
}

bool onSomeScreen(const QRect &area)
{
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen->geometry().contains(area))
            return true;
    return false;
}

} // namespace

void WindowMemory::restore(QWidget &window)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    const QVariant position = settings.value(screenSetup());
    if (position.canConvert<QPoint>() && onSomeScreen(titleRow(window, position.toPoint())))
        window.move(position.toPoint());
    // Through the keys themselves, so that they show what they did.
    if (settings.value(QStringLiteral("imagePanelOpen"), false).toBool())
        key(window, "toolButton")->click();
    if (!settings.value(QStringLiteral("stayOnTop"), true).toBool())
        key(window, "BT_Top")->setChecked(false);
}

void WindowMemory::save(const QWidget &window)
{
    QDir().mkpath(QFileInfo(settingsPath()).absolutePath());
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(screenSetup(), window.pos());
    settings.setValue(QStringLiteral("imagePanelOpen"), window.property("leftShown").toBool());
    settings.setValue(QStringLiteral("stayOnTop"), window.property("onTop").toBool());
}
