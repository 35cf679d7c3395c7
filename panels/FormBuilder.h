// SPDX-License-Identifier: GPL-2.0-or-later
// Small helpers the panel forms share: each creates one child, names it, places it, and
// applies the settings its kind always gets.
#pragma once

#include <QFont>
#include <QFrame>
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

namespace FormBuilder {

// Family "Arial"; size and weight only where given (0 / -1 leave them inherited).
QFont arial(int pointSize = 0, int weight = -1);
// A partly set font completed from the panel's. Qt leaves that undone for children of a
// widget with a style sheet, which would give them the application's size and weight.
QFont inherited(const QFont &partial, const QWidget *panel);

template <typename W> W *create(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *widget = new W(parent);
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(geometry);
    return widget;
}

QFrame *line(QWidget *parent, const char *name, const QRect &geometry, QFrame::Shape shape);
QSlider *horizontalSlider(QWidget *parent, const char *name, const QRect &geometry);

// Every control of the panel keeps the presses on it, greyed or not. Qt hands a disabled
// widget's mouse events on to its parent, and the window would take a press on a greyed
// slider for the start of a drag; only the panel's empty parts (its frames: captions,
// pictures, lines) pass them on.
void keepPresses(QWidget *panel);

} // namespace FormBuilder
