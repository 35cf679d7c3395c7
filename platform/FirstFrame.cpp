// SPDX-License-Identifier: GPL-2.0-or-later
#include "FirstFrame.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

FirstFrame::FirstFrame()
    : QObject(QCoreApplication::instance()), paths(QCoreApplication::libraryPaths())
{
    // The style may come from a plugin, as the desktop's theme asks: made first, with them.
    QApplication::style();
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::setLibraryPaths({});
}

void FirstFrame::holdPlugins()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        new FirstFrame;
}

bool FirstFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
        QCoreApplication::instance()->removeEventFilter(this);
        // Once this paint is done.
        QTimer::singleShot(0, this, [this] {
            QCoreApplication::setLibraryPaths(paths);
            deleteLater();
        });
    }
    return false;
}
