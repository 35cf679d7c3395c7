// SPDX-License-Identifier: GPL-2.0-or-later
#include "MessageBoxCatcher.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>

MessageBoxCatcher::MessageBoxCatcher()
{
    qApp->installEventFilter(this);
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    qApp->removeEventFilter(this);
}

bool MessageBoxCatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *box = qobject_cast<QMessageBox *>(watched)) {
            QAbstractButton *defaultButton = box->defaultButton();
            boxes.append({box->windowTitle(), box->text(), int(box->standardButtons()),
                          defaultButton ? int(box->standardButton(defaultButton)) : 0});
            if (onShow)
                onShow();
            // Dismissed once the program has gone on, as a user would.
            if (dismiss)
                QMetaObject::invokeMethod(
                    box, [box] { box->done(QMessageBox::Yes); }, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

int MessageBoxCatcher::open()
{
    int showing = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        showing += qobject_cast<QMessageBox *>(window) && window->isVisible();
    return showing;
}
