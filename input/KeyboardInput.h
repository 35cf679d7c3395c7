// The keyboard steers the camera while the panel has the focus:
//
//   arrow keys       pan and tilt (Shift faster, Ctrl slower); two at once move diagonally
//   + - and Page Up, Page Down   zoom in and out (Shift, Ctrl likewise)
//   0 .. 8           recall a preset; with Ctrl, store it
//   Home             home
//
// Holding a key moves until it is let go; the key's auto-repeat changes nothing. Keys a
// focused field or control needs itself stay its own: text fields get every key, sliders and
// selectors their arrows, Home and Page keys.
#pragma once

#include "WindowDriver.h"

#include <QObject>
#include <QSet>

class QKeyEvent;

class KeyboardInput : public QObject
{
    Q_OBJECT

public:
    explicit KeyboardInput(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongsToFocus(const QKeyEvent &event) const;
    bool press(const QKeyEvent &event);
    bool release(const QKeyEvent &event);
    void move(Qt::KeyboardModifiers modifiers);

    QWidget &window;
    WindowDriver driver;
    QSet<int> arrows; // held
    int zoomKey = 0;  // the zoom key held, 0 for none
};
