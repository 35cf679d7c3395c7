// The keyboard steering the simulated camera while the panel has the focus: arrows with
// their modifiers, diagonals, zoom keys, auto-repeat that changes nothing, presets and home;
// and the keys a focused field or slider needs stay its own.
#include "KeyboardInput.h"
#include "PanelHarness.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

namespace {

const QStringList Stops = {"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop"};

struct Stroke
{
    bool press;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool repeat;
};
using Strokes = QList<Stroke>;

Stroke down(int key, Qt::KeyboardModifiers m = Qt::NoModifier, bool repeat = false)
{
    return {true, key, m, repeat};
}
Stroke up(int key, Qt::KeyboardModifiers m = Qt::NoModifier, bool repeat = false)
{
    return {false, key, m, repeat};
}

} // namespace

Q_DECLARE_METATYPE(Strokes)

class tst_Keyboard : public QObject
{
    Q_OBJECT

private slots:
    void keysToCommands_data();
    void keysToCommands();
    void focusedFieldsKeepTheirKeys();

private:
    static void send(QWidget *target, const Stroke &stroke);
};

void tst_Keyboard::send(QWidget *target, const Stroke &s)
{
    QKeyEvent event(s.press ? QEvent::KeyPress : QEvent::KeyRelease, s.key, s.modifiers, QString(),
                    s.repeat);
    QCoreApplication::sendEvent(target, &event);
}

void tst_Keyboard::keysToCommands_data()
{
    QTest::addColumn<Strokes>("strokes");
    QTest::addColumn<QStringList>("sent");
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("left, held with repeats")
        << Strokes{down(Qt::Key_Left), down(Qt::Key_Left, {}, true), up(Qt::Key_Left, {}, true),
                   down(Qt::Key_Left, {}, true), up(Qt::Key_Left)}
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
    QTest::newRow("page down zooms out, shifted")
        << Strokes{down(Qt::Key_PageDown, shift), up(Qt::Key_PageDown, shift)}
        << QStringList{"ZoomOut 7", "ZoomStop"};
    QTest::newRow("3 recalls") << Strokes{down(Qt::Key_3), up(Qt::Key_3)}
                               << QStringList{"CallPreset 3"};
    QTest::newRow("ctrl 5 stores")
        << Strokes{down(Qt::Key_5, ctrl), up(Qt::Key_5, ctrl)} << QStringList{"SetPreset 5"};
    QTest::newRow("home") << Strokes{down(Qt::Key_Home), up(Qt::Key_Home)} << QStringList{"Home"};
    QTest::newRow("9 is no preset key") << Strokes{down(Qt::Key_9), up(Qt::Key_9)} << QStringList{};
}

void tst_Keyboard::keysToCommands()
{
    QFETCH(Strokes, strokes);
    QFETCH(QStringList, sent);
    PanelHarness h;
    QVERIFY(h.start());
    KeyboardInput keyboard(h.window());
    auto *focus = h.child<QPushButton>("BT_0"); // a key of the keypad has the focus
    focus->setFocus();
    for (const Stroke &stroke : strokes)
        send(focus, stroke);
    QStringList got = h.trace.take();
    got.removeAll("ChangePresetno");
    QCOMPARE(got, sent);
    QCOMPARE(h.boxes.count(), 0);
}

void tst_Keyboard::focusedFieldsKeepTheirKeys()
{
    PanelHarness h;
    QVERIFY(h.start());
    KeyboardInput keyboard(h.window());
    auto *field = h.child<QLineEdit>("set_pan_data");
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, "-12");
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Home);
    QCOMPARE(field->text(), QString("-12"));

    auto *slider = h.child<QSlider>("Slider_Gamma");
    slider->setFocus();
    const int value = slider->value();
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(slider->value(), value + 1);
    QTest::keyClick(slider, Qt::Key_4); // not a slider's key: a preset
    QStringList got = h.trace.take();
    got.removeAll("ChangePresetno");
    QCOMPARE(got, QStringList{"CallPreset 4"});
}

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
