// SPDX-License-Identifier: GPL-2.0-or-later
// The window built on a screen of another density (QT_FONT_DPI 96, 120 or 144 on the
// offscreen platform): every geometry scaled once, truncating; fonts untouched.
#include "PanelHarness.h"

#include <QScreen>
#include <QtTest>

namespace {

struct Figures
{
    int dpi;
    QSize window;
    QRect right;
    int slideWidth;
    int joystick;
};

const Figures table[] = {
    {96, {491, 417}, {267, 0, 224, 417}, 268, 100},
    {120, {613, 521}, {333, 0, 280, 521}, 335, 125},
    {144, {736, 625}, {400, 0, 336, 625}, 402, 150},
};

} // namespace

class tst_StartDensity : public QObject
{
    Q_OBJECT

private slots:
    void builtAtScreenDensity();
};

void tst_StartDensity::builtAtScreenDensity()
{
    const int dpi = qRound(QGuiApplication::screens().first()->logicalDotsPerInch());
    QCOMPARE(dpi, qEnvironmentVariableIntValue("QT_FONT_DPI"));
    const auto row = std::find_if(std::begin(table), std::end(table),
                                  [dpi](const Figures &f) { return f.dpi == dpi; });
    QVERIFY2(row != std::end(table), "no figures for this density");

    PanelHarness h;
    QVERIFY(h.start());
    QCOMPARE(h.window().size(), row->window);
    QCOMPARE(h.child<QWidget>("Win_Right")->geometry(), row->right);
    QCOMPARE(h.window().property("leftPanelWidth").toInt(), row->slideWidth);
    // Shut after scaling, with the form's own numbers.
    QCOMPARE(h.child<QWidget>("Win_Left")->geometry(), QRect(268, 0, 0, 417));
    QCOMPARE(h.child<QWidget>("widget")->size(), QSize(row->joystick, row->joystick));
    QCOMPARE(h.child<QWidget>("label_15")->font().pointSize(), 10);
    QCOMPARE(h.child<QWidget>("BT_Menu")->font().pointSize(), 7);

    QVERIFY(h.slide(true));
    QCOMPARE(h.child<QWidget>("Win_Left")->geometry(),
             QRect(0, 0, row->slideWidth, row->window.height()));
}

QTEST_MAIN(tst_StartDensity)
#include "tst_startdensity.moc"
