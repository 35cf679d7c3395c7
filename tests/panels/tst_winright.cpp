// SPDX-License-Identifier: GPL-2.0-or-later
// The PTZ panel: its form, the preset keypad with its modes, the stay-on-top, close and
// fold keys, the spring-loaded zoom lever, and the relays of the selector and joystick.
#include "RockerHandle.h"
#include "SliderHandle.h"
#include "WinRight.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

namespace {

// Every signal of the panel, in the order it came, as "name(value)".
class Recorder : public QObject
{
public:
    explicit Recorder(WinRight &panel)
    {
        const auto record = [this](const char *name) {
            return [this, name](auto value) {
                events << QStringLiteral("%1(%2)").arg(name).arg(value);
            };
        };
        connect(&panel, &WinRight::keyNumchanged, this, record("key"));
        connect(&panel, &WinRight::Speed_Pan, this, record("pan"));
        connect(&panel, &WinRight::Speed_Tilt, this, record("tilt"));
        connect(&panel, &WinRight::IPCAMChange, this, record("ipcam"));
        connect(&panel, &WinRight::AF_MF_Push, this, record("afmf"));
        connect(&panel, &WinRight::ChangePresetno, this, record("preset"));
        connect(&panel, &WinRight::BT_Pressed, this, record("code"));
        connect(&panel, &WinRight::BT_Show, this, record("show"));
        connect(&panel, &WinRight::Setting_Press, this, record("select"));
    }
    QStringList take()
    {
        const QStringList taken = events;
        events.clear();
        return taken;
    }
    QStringList events;
};

void sendMove(QWidget *widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

} // namespace

class tst_WinRight : public QObject
{
    Q_OBJECT

private slots:
    void formFollowsTheTable();
    void presetKeys_data();
    void presetKeys();
    void modeLastsOneKey();
    void bothModesSendNoCode();
    void stayOnTopStartsOnWithoutSignal();
    void simpleKeys();
    void foldKeyAlternatesAndChangesArrowAfterSignal();
    void zoomLeverSpringsBackBeforeRelease();
    void zoomLeverIgnoresKeysAndWheel();
    void selectorRelaysIndex();
    void joystickIsRelayedUnchanged();
};

void tst_WinRight::formFollowsTheTable()
{
    struct Row
    {
        const char *name;
        const char *className;
        QRect geometry;
        const char *text; // nullptr: no text property to check
    };
    const Row rows[] = {
        {"BT_Close", "QPushButton", {185, 2, 37, 16}, ""},
        {"BT_Top", "QPushButton", {147, 2, 37, 16}, ""},
        {"line", "QFrame", {25, 28, 195, 1}, nullptr},
        {"label", "QLabel", {70, 85, 101, 101}, ""},
        {"Slider_Zoom", "QSlider", {80, 265, 80, 16}, nullptr},
        {"line_2", "QFrame", {22, 290, 195, 1}, nullptr},
        {"BT_0", "QPushButton", {30, 330, 58, 27}, "0"},
        {"BT_1", "QPushButton", {90, 330, 58, 27}, "1"},
        {"BT_2", "QPushButton", {150, 330, 58, 27}, "2"},
        {"BT_5", "QPushButton", {150, 360, 58, 27}, "5"},
        {"BT_4", "QPushButton", {90, 360, 58, 27}, "4"},
        {"BT_7", "QPushButton", {90, 390, 58, 27}, "7"},
        {"BT_8", "QPushButton", {150, 390, 58, 27}, "8"},
        {"BT_6", "QPushButton", {30, 390, 58, 27}, "6"},
        {"BT_3", "QPushButton", {30, 360, 58, 27}, "3"},
        {"toolButton", "QToolButton", {-5, 0, 30, 417}, ""},
        {"label_2", "QLabel", {50, 265, 16, 16}, ""},
        {"label_3", "QLabel", {70, 270, 6, 7}, ""},
        {"label_6", "QLabel", {165, 265, 16, 16}, ""},
        {"label_7", "QLabel", {185, 270, 7, 8}, ""},
        {"widget", "RockerHandle", {70, 85, 100, 100}, nullptr},
        {"BT_Set", "QToolButton", {30, 300, 75, 27}, "Set"},
        {"BT_Clear", "QToolButton", {133, 300, 75, 27}, "Clear"},
        {"Box_Camera_USB", "QComboBox", {70, 40, 140, 16}, nullptr},
        {"label_10", "QLabel", {20, 42, 54, 12}, "Device"},
        {"set_pan_data", "QLineEdit", {30, 214, 61, 20}, "0"},
        {"set_tilt_data", "QLineEdit", {30, 240, 61, 20}, "0"},
        {"get_pan_data", "QLineEdit", {150, 214, 61, 20}, ""},
        {"get_tilt_data", "QLineEdit", {150, 240, 61, 20}, ""},
        {"label_4", "QLabel", {110, 214, 31, 16}, "PAN"},
        {"label_9", "QLabel", {110, 240, 31, 16}, "TILT"},
        {"set_pan_tilt", "QPushButton", {30, 180, 58, 27}, "SET/PT"},
        {"get_pan_tilt", "QPushButton", {150, 180, 58, 27}, "GET/PT"},
    };

    WinRight panel;
    QCOMPARE(panel.objectName(), QString("WinRight"));
    QCOMPARE(panel.size(), QSize(224, 417));
    QCOMPARE(panel.windowTitle(), QString("Form"));
    QCOMPARE(panel.font().family(), QString("Arial"));
    QVERIFY(panel.font().bold());

    // Children in creation order, and stacked with the joystick's base picture lowest.
    QStringList created;
    for (QObject *child : panel.children())
        if (child->isWidgetType())
            created << child->objectName();
    QStringList expected;
    for (const Row &row : rows)
        expected << row.name;
    expected.move(expected.indexOf("label"), 0);
    QCOMPARE(created, expected);

    for (const Row &row : rows) {
        auto *widget = panel.findChild<QWidget *>(row.name);
        QVERIFY2(widget, row.name);
        // Of the class, or one made from it (the camera selector shortens long names).
        QVERIFY2(widget->inherits(row.className), widget->metaObject()->className());
        QCOMPARE(widget->geometry(), row.geometry);
        if (row.text)
            QCOMPARE(widget->property("text").toString(), QString(row.text));
    }

    QCOMPARE(panel.findChild<QWidget *>("BT_0")->font().pointSize(), 11);
    QCOMPARE(panel.findChild<QWidget *>("BT_Close")->font().pointSize(), 10);
    QCOMPARE(panel.findChild<QWidget *>("Box_Camera_USB")->font().pointSize(), 8);
    QVERIFY(panel.findChild<QWidget *>("BT_Set")->font().bold());
    QVERIFY(panel.findChild<QToolButton *>("BT_Set")->isCheckable());
    QVERIFY(!panel.findChild<QToolButton *>("toolButton")->isCheckable());
    QCOMPARE(panel.findChild<QToolButton *>("toolButton")->iconSize(), QSize(20, 20));
    QVERIFY(!panel.findChild<QLineEdit *>("set_pan_data")->isReadOnly());
    QVERIFY(panel.findChild<QLineEdit *>("get_pan_data")->isReadOnly());
    QCOMPARE(panel.findChild<QComboBox *>("Box_Camera_USB")->count(), 0);
    auto *zoom = panel.findChild<QSlider *>("Slider_Zoom");
    QCOMPARE(zoom->minimum(), 0);
    QCOMPARE(zoom->maximum(), 14);
    QCOMPARE(zoom->value(), 7);
    QCOMPARE(zoom->orientation(), Qt::Horizontal);
}

void tst_WinRight::presetKeys_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<bool>("clear");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("modesStayDown");

    QTest::newRow("recall 3") << false << false << 3 << QStringList{"preset(3)", "code(5)"}
                              << false;
    QTest::newRow("recall 0") << false << false << 0 << QStringList{"preset(0)", "code(5)"}
                              << false;
    QTest::newRow("store 8") << true << false << 8 << QStringList{"preset(8)", "code(6)"} << false;
    QTest::newRow("clear 0") << false << true << 0 << QStringList{"preset(0)", "code(7)"} << false;
    QTest::newRow("both 4") << true << true << 4 << QStringList{"preset(4)"} << true;
}

void tst_WinRight::presetKeys()
{
    QFETCH(bool, set);
    QFETCH(bool, clear);
    QFETCH(int, key);
    QFETCH(QStringList, events);
    QFETCH(bool, modesStayDown);

    WinRight panel;
    auto *setKey = panel.findChild<QToolButton *>("BT_Set");
    auto *clearKey = panel.findChild<QToolButton *>("BT_Clear");
    if (set)
        setKey->click();
    if (clear)
        clearKey->click();
    Recorder recorder(panel);
    panel.findChild<QPushButton *>(QStringLiteral("BT_%1").arg(key))->click();
    QCOMPARE(recorder.take(), events);
    QCOMPARE(setKey->isChecked(), set && modesStayDown);
    QCOMPARE(clearKey->isChecked(), clear && modesStayDown);
}

void tst_WinRight::modeLastsOneKey()
{
    WinRight panel;
    panel.findChild<QToolButton *>("BT_Set")->click();
    Recorder recorder(panel);
    auto *eight = panel.findChild<QPushButton *>("BT_8");
    eight->click();
    eight->click();
    QCOMPARE(recorder.take(), (QStringList{"preset(8)", "code(6)", "preset(8)", "code(5)"}));
}

void tst_WinRight::bothModesSendNoCode()
{
    WinRight panel;
    auto *setKey = panel.findChild<QToolButton *>("BT_Set");
    auto *clearKey = panel.findChild<QToolButton *>("BT_Clear");
    setKey->click();
    clearKey->click();
    Recorder recorder(panel);
    for (int key = 0; key <= 8; ++key)
        panel.findChild<QPushButton *>(QStringLiteral("BT_%1").arg(key))->click();
    QCOMPARE(recorder.events.size(), 9);
    QVERIFY(recorder.take().filter("code").isEmpty());
    // Releasing one mode by hand makes the other one work.
    clearKey->click();
    panel.findChild<QPushButton *>("BT_2")->click();
    QCOMPARE(recorder.take(), (QStringList{"preset(2)", "code(6)"}));
    QVERIFY(!setKey->isChecked());
}

void tst_WinRight::stayOnTopStartsOnWithoutSignal()
{
    WinRight panel;
    auto *top = panel.findChild<QPushButton *>("BT_Top");
    QVERIFY(top->isCheckable());
    QVERIFY(top->isChecked());
    Recorder recorder(panel);
    top->click();
    top->click();
    top->click();
    QCOMPARE(recorder.take(), (QStringList{"code(202)", "code(201)", "code(202)"}));
}

void tst_WinRight::simpleKeys()
{
    WinRight panel;
    Recorder recorder(panel);
    panel.findChild<QPushButton *>("set_pan_tilt")->click();
    panel.findChild<QPushButton *>("get_pan_tilt")->click();
    panel.findChild<QPushButton *>("BT_Close")->click();
    QCOMPARE(recorder.take(), (QStringList{"code(8)", "code(9)", "code(1)"}));
}

void tst_WinRight::foldKeyAlternatesAndChangesArrowAfterSignal()
{
    WinRight panel;
    auto *fold = panel.findChild<QToolButton *>("toolButton");
    Recorder recorder(panel);
    QList<qint64> iconDuringSignal;
    connect(&panel, &WinRight::BT_Show,
            [&](bool) { iconDuringSignal.append(fold->icon().cacheKey()); });
    QList<qint64> iconBefore;
    for (int i = 0; i < 3; ++i) {
        iconBefore.append(fold->icon().cacheKey());
        fold->click();
    }
    QCOMPARE(recorder.take(), (QStringList{"show(1)", "show(0)", "show(1)"}));
    QCOMPARE(iconDuringSignal, iconBefore);
    QVERIFY(fold->icon().cacheKey() != iconBefore.last());
}

void tst_WinRight::zoomLeverSpringsBackBeforeRelease()
{
    WinRight panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    auto *zoom = panel.findChild<QSlider *>("Slider_Zoom");
    // Connected after the panel, as the main window does.
    QStringList seen;
    connect(zoom, &QSlider::valueChanged,
            [&](int v) { seen << QStringLiteral("value(%1)").arg(v); });
    connect(zoom, &QSlider::sliderReleased, [&] { seen << "released"; });

    const QPoint grip = sliderHandleRect(zoom).center();
    QTest::mousePress(zoom, Qt::LeftButton, {}, grip);
    sendMove(zoom, QPoint(zoom->width() + 50, grip.y()));
    QCOMPARE(zoom->value(), 14);
    QTest::mouseRelease(zoom, Qt::LeftButton, {}, QPoint(zoom->width() + 50, grip.y()));
    QCOMPARE(zoom->value(), 7);
    QCOMPARE(seen, (QStringList{"value(14)", "value(7)", "released"}));
}

void tst_WinRight::zoomLeverIgnoresKeysAndWheel()
{
    WinRight panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    auto *zoom = panel.findChild<QSlider *>("Slider_Zoom");
    QSignalSpy spy(zoom, &QSlider::valueChanged);
    zoom->setFocus();
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_PageDown})
        QTest::keyClick(zoom, key);
    const QPoint centre = zoom->rect().center();
    QWheelEvent wheel(centre, zoom->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(zoom, &wheel);
    QCOMPARE(zoom->value(), 7);
    QCOMPARE(spy.size(), 0);
}

void tst_WinRight::selectorRelaysIndex()
{
    WinRight panel;
    auto *selector = panel.findChild<QComboBox *>("Box_Camera_USB");
    Recorder recorder(panel);
    selector->addItem("First");
    selector->addItem("Second");
    selector->setCurrentIndex(1);
    selector->clear();
    QCOMPARE(recorder.take(), (QStringList{"select(0)", "select(1)", "select(-1)"}));
}

void tst_WinRight::joystickIsRelayedUnchanged()
{
    WinRight panel;
    auto *joystick = panel.findChild<RockerHandle *>("widget");
    Recorder recorder(panel);
    emit joystick->keyNumchanged(0);
    emit joystick->Speed_Pan(8);
    emit joystick->Speed_Tilt(3);
    emit joystick->keyNumchanged(4);
    QCOMPARE(recorder.take(), (QStringList{"key(0)", "pan(8)", "tilt(3)", "key(4)"}));

    // Nothing in the panel ever sends IPCAMChange or AF_MF_Push.
    for (QAbstractButton *button : panel.findChildren<QAbstractButton *>())
        button->click();
    QVERIFY(recorder.take().filter(QRegularExpression("^(ipcam|afmf)")).isEmpty());
}

QTEST_MAIN(tst_WinRight)
#include "tst_winright.moc"
