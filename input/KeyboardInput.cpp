// SPDX-License-Identifier: GPL-2.0-or-later
#include "KeyboardInput.h"
#include "PanelControl.h"
#include "PanelKeys.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace {

// Joystick speeds of the panel (0..8) at the camera's scale, for each modifier.
struct Speeds
{
    int pan, tilt, zoom;
};

Speeds speedsFor(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        return {24, 16, 7};
    if (modifiers & Qt::ControlModifier)
        return {3, 2, 1};
    return {12, 8, 4};
}

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// +1 zoom in, -1 out, 0 not a zoom key.
int zoomDirection(int key)
{
    if (key == Qt::Key_Plus || key == Qt::Key_PageUp || key == Qt::Key_Equal)
        return 1;
    if (key == Qt::Key_Minus || key == Qt::Key_PageDown || key == Qt::Key_Underscore)
        return -1;
    return 0;
}

int zoomSpeed(int key, Qt::KeyboardModifiers modifiers)
{
    // On many layouts "+" or "_" takes Shift: there it only names the key, so that "+" and
    // "-" go at the same speed. The Page keys keep Shift for faster.
    if (key != Qt::Key_PageUp && key != Qt::Key_PageDown)
        modifiers &= ~Qt::ShiftModifier;
    return speedsFor(modifiers).zoom;
}

// The physical key of an event. Its key code may change while it is held: on a US layout "+"
// is Shift+=, and with Shift let go first the release comes as "=".
qint64 physicalKey(const QKeyEvent &event)
{
    return event.nativeScanCode() ? qint64(event.nativeScanCode()) << 32 : event.key();
}

} // namespace

KeyboardInput::KeyboardInput(PanelControl &panel) : window(panel.widget()), driver(panel)
{
    qApp->installEventFilter(this);
}

bool KeyboardInput::belongsToFocus(const QKeyEvent &event) const
{
    const QWidget *focus = QApplication::focusWidget();
    if (const auto *field = qobject_cast<const QLineEdit *>(focus))
        return !field->isReadOnly(); // typing into the pan and tilt fields, not a read-out
    const int key = event.key();
    const bool navigation = isArrow(key) || key == Qt::Key_Home || key == Qt::Key_End ||
                            key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    // The zoom lever takes no steps: its keys would do nothing at all.
    const auto *slider = qobject_cast<const QAbstractSlider *>(focus);
    return navigation &&
           ((slider && slider->singleStep() != 0) || qobject_cast<const QComboBox *>(focus));
}

bool KeyboardInput::giveKeysBack()
{
    // Escape takes the focus from a control, and the keys it kept, back to the window.
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus == &window)
        return false;
    window.setFocus(Qt::OtherFocusReason);
    return true;
}

bool KeyboardInput::eventFilter(QObject *watched, QEvent *event)
{
    // Another window took the keys: their releases will not come here.
    if (event->type() == QEvent::WindowDeactivate && watched == &window)
        letGo();
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != &window)
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (event->type() == QEvent::KeyRelease && held.contains(physicalKey(key)))
        return release(key); // what a key started ends with it, wherever the focus went
    if (key.key() == Qt::Key_Escape && event->type() == QEvent::KeyPress && giveKeysBack())
        return true;
    if (belongsToFocus(key))
        return false;
    return event->type() == QEvent::KeyPress ? press(key) : release(key);
}

void KeyboardInput::move(Qt::KeyboardModifiers modifiers)
{
    const bool left = arrows.contains(Qt::Key_Left), right = arrows.contains(Qt::Key_Right);
    const bool up = arrows.contains(Qt::Key_Up), down = arrows.contains(Qt::Key_Down);
    const Speeds speeds = speedsFor(modifiers);
    driver.drive(PanelKeys::keyOf(left, right, up, down), left || right ? speeds.pan : 0,
                 up || down ? speeds.tilt : 0);
}

bool KeyboardInput::press(const QKeyEvent &event)
{
    const int key = event.key();
    const int zoom = zoomDirection(key);
    const bool preset = key >= Qt::Key_0 && key <= Qt::Key_8;
    if (!isArrow(key) && !zoom && !preset && key != Qt::Key_Home)
        return false;
    // A key already down is repeating, flagged so or not: a move would restart, a preset
    // be called again.
    const qint64 physical = physicalKey(event);
    if (event.isAutoRepeat() || held.contains(physical))
        return true;
    held.insert(physical, key);
    if (isArrow(key)) {
        arrows.insert(key);
        move(event.modifiers());
    } else if (zoom) {
        if (zoomKey == 0) {
            zoomKey = physical;
            driver.zoom(zoom * zoomSpeed(key, event.modifiers()));
        }
    } else if (preset) {
        event.modifiers() & Qt::ControlModifier ? driver.store(key - Qt::Key_0)
                                                : driver.recall(key - Qt::Key_0);
    } else {
        driver.home();
    }
    return true;
}

bool KeyboardInput::release(const QKeyEvent &event)
{
    const qint64 physical = physicalKey(event);
    if (event.isAutoRepeat())
        return held.contains(physical);
    if (!held.contains(physical))
        return false;
    // The key as it was pressed: its code may have changed with the modifiers since.
    const int key = held.take(physical);
    if (arrows.remove(key))
        move(event.modifiers());
    if (physical == zoomKey) {
        zoomKey = 0;
        driver.zoom(0);
    }
    return true;
}

void KeyboardInput::letGo()
{
    held.clear();
    if (!arrows.isEmpty()) {
        arrows.clear();
        move(Qt::NoModifier);
    }
    if (zoomKey != 0) {
        zoomKey = 0;
        driver.zoom(0);
    }
}
