// SPDX-License-Identifier: GPL-2.0-or-later
// The keyboard steers the camera while the panel has the focus:
//
//   arrow keys       pan and tilt (Shift faster, Ctrl slower); two at once move diagonally
//   + - (or = _)     zoom in and out (Ctrl slower)
//   Page Up, Down    zoom in and out (Shift faster, Ctrl slower)
//   0 .. 8           recall a preset; with Ctrl, store it
//   Home             home
//   Escape           take the focus from a control, giving its keys back
//
// Holding a key moves until it is let go, whatever modifier is let go before it and wherever
// the focus went meanwhile; the key's auto-repeat changes nothing, and the window losing the
// keys stops what they moved. Keys a focused field or control needs itself stay its own:
// text fields get every key, sliders and selectors their arrows, Home and Page keys.
#pragma once

#include "CameraDriver.h"

#include <QHash>
#include <QObject>
#include <QSet>

class QKeyEvent;

class KeyboardInput : public QObject
{
    Q_OBJECT

public:
    explicit KeyboardInput(PanelControl &panel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongsToFocus(const QKeyEvent &event) const;
    bool giveKeysBack();
    bool press(const QKeyEvent &event);
    bool release(const QKeyEvent &event);
    void letGo();
    void move(Qt::KeyboardModifiers modifiers);

    QWidget &window;
    CameraDriver driver;
    QHash<qint64, int> held; // the keys taken and down: physical key -> key code as pressed
    QSet<int> arrows;        // held
    qint64 zoomKey = 0;      // the physical zoom key held, 0 for none
};
