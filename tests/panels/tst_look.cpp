// SPDX-License-Identifier: GPL-2.0-or-later
// The dark look: every compiled-in image at its size, every form's sheet on its widget,
// the PTZ override in effect, sheet sizes untouched by density, and a rendered window.
#include "PanelHarness.h"
#include "SliderHandle.h"
#include "StyleSheets.h"

#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

namespace {

bool isDark(QColor c)
{
    return c.alpha() == 255 && c.red() < 80 && c.green() < 80 && c.blue() < 80;
}

// A key as drawn, in grey levels over black: its fill (the commonest level) and how far its
// caption stands out from it (the level farthest from the fill).
struct KeyLook
{
    int fill = 0;
    int contrast = 0;
};

KeyLook lookOf(QWidget *key)
{
    const QImage image = key->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int counts[256] = {};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[qGray(image.pixel(x, y))];
    KeyLook look;
    look.fill = int(std::max_element(std::begin(counts), std::end(counts)) - std::begin(counts));
    for (int level = 0; level < 256; ++level)
        if (counts[level])
            look.contrast = std::max(look.contrast, std::abs(level - look.fill));
    return look;
}

} // namespace

class tst_Look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void imagesLoadAtTheirSizes_data();
    void imagesLoadAtTheirSizes();
    void everySheetOnItsWidget_data();
    void everySheetOnItsWidget();
    void overrideSheetIsInEffectOnThePtzPanel();
    void greyedKeysLookUnavailable_data();
    void greyedKeysLookUnavailable();
    void foldKeyArrowsAreIcons();
    void densityLeavesSheetSizesAlone();
    void renderedWindow();

private:
    std::unique_ptr<PanelHarness> shared; // for the checks that change nothing
};

void tst_Look::initTestCase()
{
    shared = std::make_unique<PanelHarness>();
    QVERIFY(shared->start());
}

void tst_Look::cleanupTestCase()
{
    shared.reset();
}

void tst_Look::imagesLoadAtTheirSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    const QList<QPair<const char *, QSize>> images = {
        {"background/mainwin.png", {491, 417}},
        {"background/settingwin.png", {350, 510}},
        {"icon/Hide_line.png", {19, 755}},
        {"icon/position.png", {95, 95}},
        {"icon/line.png", {59, 417}},
        {"icon/close.png", {36, 14}},
        {"icon/arrow_up.png", {36, 14}},
        {"icon/arrow_up_off.png", {36, 14}},
        {"icon/arrow.png", {20, 20}},
        {"icon/6.png", {201, 200}},
        {"icon/add.png", {49, 49}},
        {"icon/redue.png", {49, 49}},
        {"icon/arrow_left.png", {10, 18}},
        {"icon/arrow_right.png", {10, 18}},
        {"icon/0.png", {126, 146}},
        {"icon/1.png", {200, 200}},
        {"icon/2.png", {200, 200}},
        {"icon/3.png", {187, 130}},
        {"icon/4.png", {187, 130}},
        {"icon/5.png", {200, 200}},
        {"icon/00.png", {130, 130}},
        {"icon/setting.png", {36, 14}},
        {"icon/light.png", {20, 20}},
        {"icon/light_add.png", {20, 20}},
        {"icon/light_reduce.png", {20, 20}},
        {"icon/ball.png", {20, 20}},
        {"icon/hide.png", {147, 80}},
    };
    for (const auto &image : images)
        QTest::newRow(image.first) << QStringLiteral(":/image/%1").arg(image.first) << image.second;
}

void tst_Look::imagesLoadAtTheirSizes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
}

void tst_Look::everySheetOnItsWidget_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("sheet");
    const auto row = [](const char *name, const QString &sheet) {
        QTest::newRow(name) << QString(name) << sheet;
    };
    using namespace StyleSheets;
    row("centralwidget", central());
    row("Win_Right", ptzOverride());
    row("Win_Left", imagePanel());
    row("Label_Hide_L", edgeStrip());
    row("Label_Hide_R", edgeStrip());
    row("frame", background());
    row("frame_2", background());
    for (const char *name : {"line_3", "line_2", "line_11"})
        QTest::newRow(qPrintable(QStringLiteral("left %1").arg(name)))
            << QStringLiteral("Win_Left/%1").arg(name) << separator();
    row("ComboBox_Flicker", flickerSelector());
    for (const char *name : {"v_brightness", "v_contrast", "v_hue", "v_saturation", "v_sharpness",
                             "v_gamma", "v_blc", "v_wb"})
        row(name, readout());
    row("BT_Close", closeKey());
    row("BT_Top", stayOnTopKey());
    QTest::newRow("right line") << "Win_Right/line" << separator();
    QTest::newRow("right line_2") << "Win_Right/line_2" << separator();
    QTest::newRow("joystick base") << "Win_Right/label" << joystickBase();
    for (const char *name : {"BT_0", "BT_1", "BT_2", "BT_3", "BT_4", "BT_5", "BT_6", "BT_7", "BT_8",
                             "set_pan_tilt", "get_pan_tilt"})
        row(name, presetKey());
    row("toolButton", foldKey());
    row("label_2", zoomPicture());
    row("label_6", zoomPicture());
    row("label_3", zoomMinus());
    QTest::newRow("zoom plus") << "Win_Right/label_7" << zoomPlus();
    row("widget", joystick());
    row("BT_Set", modeKey());
    row("BT_Clear", modeKey());
    row("Box_Camera_USB", cameraSelector());
    QTest::newRow("device caption") << "Win_Right/label_10" << caption();
    row("label_4", caption());
    row("label_9", caption());
}

void tst_Look::everySheetOnItsWidget()
{
    QFETCH(QString, widget);
    QFETCH(QString, sheet);
    QObject *root = &shared->window();
    QString name = widget;
    if (widget.contains('/')) {
        root = shared->child<QWidget>(qPrintable(widget.section('/', 0, 0)));
        name = widget.section('/', 1);
    }
    auto *target = root->findChild<QWidget *>(name);
    QVERIFY2(target, qPrintable(widget));
    QCOMPARE(target->styleSheet(), sheet);
}

void tst_Look::overrideSheetIsInEffectOnThePtzPanel()
{
    PanelHarness h;
    QVERIFY(h.start());
    // The panel's own sheet would paint a disabled key light grey; the override keeps it dark.
    auto *key = h.child<QPushButton>("BT_4");
    key->setEnabled(false);
    const QImage image = key->grab().toImage();
    const QColor middle = image.pixelColor(image.width() / 4, image.height() / 2);
    QVERIFY2(isDark(middle), qPrintable(middle.name()));
}

void tst_Look::greyedKeysLookUnavailable_data()
{
    QTest::addColumn<QString>("key");
    // Greyed by the program for a camera that cannot do it, or (keys nothing greys yet) by
    // hand, to see what their sheets make of it.
    QTest::addColumn<bool>("byCamera");
    QTest::newRow("image panel key") << "BT_AI" << true;
    QTest::newRow("image panel toggle") << "BT_IR" << true;
    QTest::newRow("preset key") << "BT_4" << false;
    QTest::newRow("position key") << "set_pan_tilt" << false;
    QTest::newRow("mode key") << "BT_Set" << false;
}

void tst_Look::greyedKeysLookUnavailable()
{
    QFETCH(QString, key);
    QFETCH(bool, byCamera);
    PanelHarness h({{"a.cam", "name=Full\n"}, {"b.cam", "name=Plain\nlacks=framing,ir\n"}});
    QVERIFY(h.start());
    QVERIFY(h.slide(true));
    auto *widget = h.child<QWidget>(qPrintable(key));
    QVERIFY(widget->isEnabled());
    const KeyLook live = lookOf(widget);
    if (byCamera)
        h.child<QComboBox>("Box_Camera_USB")->setCurrentIndex(1);
    else
        widget->setEnabled(false);
    QVERIFY(!widget->isEnabled());
    const KeyLook greyed = lookOf(widget);
    const QString figures = QStringLiteral("live fill %1, contrast %2; greyed fill %3, contrast %4")
                                .arg(live.fill)
                                .arg(live.contrast)
                                .arg(greyed.fill)
                                .arg(greyed.contrast);
    // No lighter than a live key, and its caption clearly dimmer against its fill.
    QVERIFY2(greyed.fill <= live.fill + 2, qPrintable(figures));
    QVERIFY2(greyed.contrast * 2 <= live.contrast, qPrintable(figures));
}

void tst_Look::foldKeyArrowsAreIcons()
{
    PanelHarness h;
    QVERIFY(h.start());
    auto *fold = h.child<QToolButton>("toolButton");
    const auto shows = [&](const char *path) {
        const QImage expected = QImage(path).convertToFormat(QImage::Format_ARGB32);
        return fold->icon()
                   .pixmap(expected.size())
                   .toImage()
                   .convertToFormat(QImage::Format_ARGB32) == expected;
    };
    QVERIFY(shows(":/image/icon/arrow_left.png"));
    fold->click();
    QVERIFY(shows(":/image/icon/arrow_right.png"));
    fold->click();
    QVERIFY(shows(":/image/icon/arrow_left.png"));
}

void tst_Look::densityLeavesSheetSizesAlone()
{
    PanelHarness h;
    QVERIFY(h.start());
    QVERIFY(h.slide(true));
    auto *slider = h.child<QSlider>("Slider_Gamma");
    const QSize handle = sliderHandleRect(slider).size();
    const QString sheet = h.child<QWidget>("Win_Left")->styleSheet();
    QMetaObject::invokeMethod(&h.window(), "onLogicalDotsPerInchChanged", Q_ARG(qreal, 192));
    QCOMPARE(slider->width(), 184);
    QCOMPARE(sliderHandleRect(slider).size(), handle);
    QCOMPARE(h.child<QWidget>("Win_Left")->styleSheet(), sheet);
}

void tst_Look::renderedWindow()
{
    PanelHarness h;
    QVERIFY(h.start());
    const auto pixel = [&](int x, int y) { return h.window().grab().toImage().pixelColor(x, y); };
    // Panel shut: the left side is see-through, the PTZ panel dark with a blue joystick pad.
    QCOMPARE(pixel(100, 200).alpha(), 0);
    QVERIFY(isDark(pixel(267 + 12, 400)));
    const QColor pad = pixel(267 + 70 + 25, 85 + 25);
    QVERIFY2(pad.blue() > 200 && pad.red() < 140, qPrintable(pad.name()));

    QVERIFY(h.slide(true));
    QVERIFY2(isDark(pixel(185, 395)), qPrintable(pixel(185, 395).name()));
    QCOMPARE(h.window().grab().toImage().pixelColor(100, 200).alpha(), 255);
}

QTEST_MAIN(tst_Look)
#include "tst_look.moc"
