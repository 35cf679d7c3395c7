// SPDX-License-Identifier: GPL-2.0-or-later
// The panel for a keyboard and screen-reader user: every focusable control has a name and a
// description through Qt's accessibility interface, Tab visits the controls in reading order
// (and none of the shut image panel), the function keys say what they do on the connected
// camera or why they are greyed, and the stay-on-top key looks different on and off.
#include "PanelHarness.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QtTest>

namespace {

const QStringList ImagePanelOrder = {
    "Slider_Brightness",
    "Slider_Contrast",
    "Slider_Hue",
    "Slider_Saturation",
    "Slider_Sharpness",
    "Slider_Gamma",
    "Slider_BLC",
    "Cb_WB",
    "Slider_WB",
    "ComboBox_Flicker",
    "BT_IR",
    "BT_DAY",
    "BT_Flip",
    "BT_Mirror",
    "BT_Menu",
    "BT_HOME",
    "BT_AI",
    "BT_PUSH",
    "BT_Reset",
    "BT_RST_PTZ",
};
const QStringList PtzPanelOrder = {
    "toolButton",   "BT_Top",       "BT_Close",      "Box_Camera_USB", "set_pan_tilt",
    "get_pan_tilt", "set_pan_data", "set_tilt_data", "Slider_Zoom",    "BT_Set",
    "BT_Clear",     "BT_0",         "BT_1",          "BT_2",           "BT_3",
    "BT_4",         "BT_5",         "BT_6",          "BT_7",           "BT_8",
};

QString accessible(QWidget *w, QAccessible::Text text)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(text) : QString();
}

} // namespace

class tst_Access : public QObject
{
    Q_OBJECT

private slots:
    void everyFocusableControlIsNamed();
    void tabFollowsReadingOrder_data();
    void tabFollowsReadingOrder();
    void functionKeysExplainTheCamera();
    void stayOnTopKeyShowsItsState();
};

void tst_Access::everyFocusableControlIsNamed()
{
    PanelHarness h;
    QVERIFY(h.start());
    QVERIFY(h.slide(true));
    int focusable = 0;
    for (QWidget *w : h.window().findChildren<QWidget *>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->window() != &h.window())
            continue;
        ++focusable;
        QVERIFY2(!accessible(w, QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(!accessible(w, QAccessible::Description).isEmpty(), qPrintable(w->objectName()));
    }
    QCOMPARE(focusable, ImagePanelOrder.size() + PtzPanelOrder.size());
    // The three keys that show only a picture.
    QCOMPARE(accessible(h.child<QWidget>("BT_Top"), QAccessible::Name), QString("Stay on top"));
    QCOMPARE(accessible(h.child<QWidget>("BT_Close"), QAccessible::Name), QString("Close"));
    QCOMPARE(accessible(h.child<QWidget>("toolButton"), QAccessible::Name),
             QString("Image settings"));
    // An abbreviated caption has its full name; a toggle's follows what it shows.
    QCOMPARE(accessible(h.child<QWidget>("BT_RST_PTZ"), QAccessible::Name),
             QString("Reset pan, tilt and zoom"));
    auto *ir = h.child<QAbstractButton>("BT_IR");
    const QString before = accessible(ir, QAccessible::Name);
    ir->click();
    QCOMPARE(QStringList({before, accessible(ir, QAccessible::Name)}),
             QStringList({"Infrared off", "Infrared on"}));
    ir->click();
}

void tst_Access::tabFollowsReadingOrder_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("image panel shut") << false << PtzPanelOrder;
    QTest::newRow("image panel open") << true << ImagePanelOrder + PtzPanelOrder;
}

void tst_Access::tabFollowsReadingOrder()
{
    QFETCH(bool, open);
    QFETCH(QStringList, order);
    PanelHarness h;
    QVERIFY(h.start());
    if (open)
        QVERIFY(h.slide(true));
    h.window().show();
    QVERIFY(QTest::qWaitForWindowActive(&h.window()));
    h.window().setFocus(Qt::OtherFocusReason);
    const auto press = [](Qt::KeyboardModifiers modifiers) {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus, Qt::Key_Tab, modifiers);
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    };
    QStringList visited;
    for (int i = 0; i < order.size(); ++i)
        visited << press(Qt::NoModifier);
    QCOMPARE(visited, order);
    // Round again from the start, and back.
    QCOMPARE(press(Qt::NoModifier), order.first());
    QCOMPARE(press(Qt::ShiftModifier), order.last());
    QCOMPARE(press(Qt::ShiftModifier), order[order.size() - 2]);

    // Shutting the image panel takes the keyboard out of it, to the fold key.
    h.child<QWidget>("Slider_Gamma")->setFocus(Qt::TabFocusReason);
    QVERIFY(h.slide(false));
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("toolButton"));
}

void tst_Access::functionKeysExplainTheCamera()
{
    PanelHarness h({{"hall.cam", "name=Hall\nlacks=flip\n"}});
    QVERIFY(h.start());
    auto *flip = h.child<QWidget>("BT_Flip");
    auto *mirror = h.child<QWidget>("BT_Mirror");
    QVERIFY(!flip->isEnabled());
    QVERIFY2(flip->toolTip().contains("Hall cannot"), qPrintable(flip->toolTip()));
    QVERIFY(accessible(flip, QAccessible::Description).contains("Hall cannot"));
    QVERIFY(mirror->isEnabled());
    QVERIFY2(mirror->toolTip().contains("Works on Hall"), qPrintable(mirror->toolTip()));
    QVERIFY(mirror->toolTip().startsWith("Mirrors the picture"));

    // Unplugged: no camera to speak of.
    h.cameras.unplug("hall.cam");
    QVERIFY(h.deviceChange());
    QTRY_VERIFY(h.settled());
    QVERIFY2(flip->toolTip().contains("No camera"), qPrintable(flip->toolTip()));
}

void tst_Access::stayOnTopKeyShowsItsState()
{
    PanelHarness h;
    QVERIFY(h.start());
    auto *top = h.child<QAbstractButton>("BT_Top");
    const QImage on = top->grab().toImage().convertToFormat(QImage::Format_RGB32);
    top->click();
    QVERIFY(!h.window().property("onTop").toBool());
    top->clearFocus();
    const QImage off = top->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Clearly apart, not an antialiasing shade: most of the key changes.
    int changed = 0;
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x) {
            const QColor a = on.pixelColor(x, y), b = off.pixelColor(x, y);
            changed += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) > 40;
        }
    QVERIFY2(changed > on.width() * on.height() / 4, qPrintable(QString::number(changed)));
}

QTEST_MAIN(tst_Access)
#include "tst_access.moc"
