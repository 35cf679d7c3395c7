// SPDX-License-Identifier: GPL-2.0-or-later
// The keyboard steering the simulated camera: arrows with their modifiers, diagonals, zoom
// keys, repeats flagged or not that change nothing, presets and home; the keys a focused field
// or slider keeps, and a move that ends however its key's release or the window's focus goes.
#include "KeyboardInput.h"
#include "PanelHarness.h"

#include <QtTest>

namespace {

const QStringList Stops = {"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"};

// One thing a person does: a key pressed or let go, the focus moved into a control by a click,
// or the window left for another.
struct Stroke
{
    enum Kind
    {
        Press,
        Release,
        Focus,
        Deactivate
    } kind;
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    bool repeat = false;
    const char *control = nullptr;
};
using Strokes = QList<Stroke>;

Stroke down(int key, Qt::KeyboardModifiers m = {}, bool repeat = false)
{
    return {Stroke::Press, key, m, repeat};
}
Stroke up(int key, Qt::KeyboardModifiers m = {}, bool repeat = false)
{
    return {Stroke::Release, key, m, repeat};
}
Stroke focus(const char *control)
{
    return {Stroke::Focus, 0, {}, false, control};
}
const Stroke awayToAnotherWindow = {Stroke::Deactivate, 0, {}, false, nullptr};

} // namespace

Q_DECLARE_METATYPE(Strokes)

class tst_Keyboard : public QObject
{
    Q_OBJECT

private slots:
    void keysToCommands_data();
    void keysToCommands();
};

void tst_Keyboard::keysToCommands_data()
{
    QTest::addColumn<Strokes>("strokes");
    QTest::addColumn<QStringList>("sent");
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("left, held with repeats")
        << Strokes{down(Qt::Key_Left), down(Qt::Key_Left, {}, true), up(Qt::Key_Left, {}, true),
                   down(Qt::Key_Left, {}, true), up(Qt::Key_Left)}
        << QStringList{"PanLeft 12"} + Stops;
    // X tells repeats of a held key by presses alone, unflagged.
    QTest::newRow("left, repeated by presses alone")
        << Strokes{down(Qt::Key_Left), down(Qt::Key_Left), down(Qt::Key_Left), up(Qt::Key_Left)}
        << QStringList{"PanLeft 12"} + Stops;
    QTest::newRow("shift: faster") << Strokes{down(Qt::Key_Up, shift), up(Qt::Key_Up, shift)}
                                   << QStringList{"TiltUp 16"} + Stops;
    QTest::newRow("ctrl: slower") << Strokes{down(Qt::Key_Right, ctrl), up(Qt::Key_Right, ctrl)}
                                  << QStringList{"PanRight 3"} + Stops;
    QTest::newRow("two arrows: a diagonal, then one let go")
        << Strokes{down(Qt::Key_Left), down(Qt::Key_Down), up(Qt::Key_Left), up(Qt::Key_Down)}
        << QStringList{"PanLeft 12",  "PanLeft 12",   "TiltDown 8",
                       "PanLeftStop", "PanRightStop", "TiltDown 8"} +
               Stops;
    QTest::newRow("plus zooms in until let go")
        << Strokes{down(Qt::Key_Plus), down(Qt::Key_Plus, {}, true), up(Qt::Key_Plus)}
        << QStringList{"ZoomIn 4", "ZoomStop"};
    QTest::newRow("- while + zooms, then both let go")
        << Strokes{down(Qt::Key_Plus, shift), down(Qt::Key_Minus), up(Qt::Key_Minus),
                   up(Qt::Key_Plus, shift)}
        << QStringList{"ZoomIn 4", "ZoomStop"};
    QTest::newRow("page down zooms out, shifted")
        << Strokes{down(Qt::Key_PageDown, shift), up(Qt::Key_PageDown, shift)}
        << QStringList{"ZoomOut 7", "ZoomStop"};
    QTest::newRow("3 recalls, once however long held")
        << Strokes{down(Qt::Key_3), down(Qt::Key_3), down(Qt::Key_3, {}, true), up(Qt::Key_3)}
        << QStringList{"CallPreset 3"};
    QTest::newRow("ctrl 5 stores")
        << Strokes{down(Qt::Key_5, ctrl), up(Qt::Key_5, ctrl)} << QStringList{"SetPreset 5"};
    QTest::newRow("home") << Strokes{down(Qt::Key_Home), up(Qt::Key_Home)} << QStringList{"Home"};
    QTest::newRow("9 is no preset key") << Strokes{down(Qt::Key_9), up(Qt::Key_9)} << QStringList{};

    // Gamma stands at 300 of 100..500.
    QTest::newRow("a slider keeps its arrows, and they reach the camera")
        << Strokes{focus("Slider_Gamma"), down(Qt::Key_Right), up(Qt::Key_Right), down(Qt::Key_4),
                   up(Qt::Key_4)}
        << QStringList{"SetGamma 301", "CallPreset 4"};
    QTest::newRow("a field keeps every key")
        << Strokes{focus("set_pan_data"), down(Qt::Key_Left), up(Qt::Key_Left), down(Qt::Key_3),
                   up(Qt::Key_3)}
        << QStringList{};
    QTest::newRow("a read-out keeps none")
        << Strokes{focus("get_pan_data"), down(Qt::Key_3), up(Qt::Key_3)}
        << QStringList{"CallPreset 3"};
    QTest::newRow("a move ends with its key, wherever the focus went meanwhile")
        << Strokes{down(Qt::Key_Up), focus("set_pan_data"), up(Qt::Key_Up)}
        << QStringList{"TiltUp 8"} + Stops;
    QTest::newRow("another window taking the keys stops what they moved")
        << Strokes{down(Qt::Key_Right), down(Qt::Key_Minus), awayToAnotherWindow}
        << QStringList{"PanRight 12", "ZoomOut 4"} + Stops + QStringList{"ZoomStop"};
}

void tst_Keyboard::keysToCommands()
{
    QFETCH(Strokes, strokes);
    QFETCH(QStringList, sent);
    PanelHarness h;
    QVERIFY(h.start());
    KeyboardInput keyboard(h.window());
    QVERIFY(!QApplication::focusWidget() || QApplication::focusWidget() == &h.window());
    for (const Stroke &s : strokes) {
        if (s.kind == Stroke::Focus) {
            h.child<QWidget>(s.control)->setFocus(Qt::MouseFocusReason);
            continue;
        }
        if (s.kind == Stroke::Deactivate) {
            QEvent away(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(&h.window(), &away);
            continue;
        }
        QKeyEvent event(s.kind == Stroke::Press ? QEvent::KeyPress : QEvent::KeyRelease, s.key,
                        s.modifiers, QString(), s.repeat);
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &h.window();
        QCoreApplication::sendEvent(target, &event);
    }
    QStringList got = h.trace.take();
    got.removeAll("ChangePresetno");
    QCOMPARE(got, sent);
    QCOMPARE(h.boxes.count(), 0);
}

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
