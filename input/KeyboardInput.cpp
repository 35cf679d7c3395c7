#include "KeyboardInput.h"
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

} // namespace

KeyboardInput::KeyboardInput(QWidget &main) : window(main), driver(main)
{
    qApp->installEventFilter(this);
}

bool KeyboardInput::belongsToFocus(const QKeyEvent &event) const
{
    const QWidget *focus = QApplication::focusWidget();
    if (qobject_cast<const QLineEdit *>(focus))
        return true; // typing into the pan and tilt fields
    const int key = event.key();
    const bool navigation = isArrow(key) || key == Qt::Key_Home || key == Qt::Key_End ||
                            key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    return navigation &&
           (qobject_cast<const QAbstractSlider *>(focus) || qobject_cast<const QComboBox *>(focus));
}

bool KeyboardInput::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != &window)
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
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
    if (isArrow(key)) {
        // Auto-repeat would restart the move at every repeat.
        if (!event.isAutoRepeat() && !arrows.contains(key)) {
            arrows.insert(key);
            move(event.modifiers());
        }
        return true;
    }
    if (const int direction = zoomDirection(key)) {
        if (!event.isAutoRepeat() && zoomKey == 0) {
            zoomKey = key;
            driver.zoom(direction * speedsFor(event.modifiers()).zoom);
        }
        return true;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_8) {
        if (!event.isAutoRepeat())
            event.modifiers() & Qt::ControlModifier ? driver.store(key - Qt::Key_0)
                                                    : driver.recall(key - Qt::Key_0);
        return true;
    }
    if (key == Qt::Key_Home) {
        if (!event.isAutoRepeat())
            driver.home();
        return true;
    }
    return false;
}

bool KeyboardInput::release(const QKeyEvent &event)
{
    if (event.isAutoRepeat())
        return isArrow(event.key()) || zoomDirection(event.key()) != 0;
    const int key = event.key();
    if (arrows.remove(key)) {
        move(event.modifiers());
        return true;
    }
    if (key == zoomKey) {
        zoomKey = 0;
        driver.zoom(0);
        return true;
    }
    return false;
}
