// SPDX-License-Identifier: GPL-2.0-or-later
// The dark look: every compiled-in image at its size, every widget's sheet reaching it from its
// panel's one sheet as it did set on the widget itself, the PTZ override in effect, sheet sizes
// untouched by density, and a rendered window.
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

// Where two drawings of a widget differ most, in any channel; antialiasing may round a little
// differently, a change of look is far more.
int largestDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    if (x.size() != y.size())
        return 256;
    int most = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return most;
}

// Each widget (a panel's child as "panel/name" where the name is not unique) and the sheet
// it was given of its own before its panel's sheet held its rules.
QList<QPair<QString, QString>> sheetsOfTheirOwn()
{
    using namespace StyleSheets;
    QList<QPair<QString, QString>> sheets = {
        {"centralwidget", central()},
        {"Win_Right", ptzOverride()},
        {"Win_Left", imagePanel()},
        {"Label_Hide_L", edgeStrip()},
        {"Label_Hide_R", edgeStrip()},
        {"frame", background()},
        {"frame_2", background()},
        {"ComboBox_Flicker", flickerSelector()},
        {"BT_Close", closeKey()},
        {"BT_Top", stayOnTopKey()},
        {"Win_Right/line", separator()},
        {"Win_Right/line_2", separator()},
        {"Win_Right/label", joystickBase()},
        {"toolButton", foldKey()},
        {"label_2", zoomPicture()},
        {"label_6", zoomPicture()},
        {"label_3", zoomMinus()},
        {"Win_Right/label_7", zoomPlus()},
        {"widget", joystick()},
        {"BT_Set", modeKey()},
        {"BT_Clear", modeKey()},
        {"Box_Camera_USB", cameraSelector()},
        {"Win_Right/label_10", caption()},
        {"label_4", caption()},
        {"label_9", caption()},
    };
    for (const char *name : {"line_3", "line_2", "line_11"})
        sheets.append({QStringLiteral("Win_Left/%1").arg(name), separator()});
    for (const char *name : {"v_brightness", "v_contrast", "v_hue", "v_saturation", "v_sharpness",
                             "v_gamma", "v_blc", "v_wb"})
        sheets.append({name, readout()});
    for (const char *name : {"BT_0", "BT_1", "BT_2", "BT_3", "BT_4", "BT_5", "BT_6", "BT_7", "BT_8",
                             "set_pan_tilt", "get_pan_tilt"})
        sheets.append({name, presetKey()});
    return sheets;
}

QWidget *widgetIn(MainWindow &window, const QString &path)
{
    QObject *root = &window;
    if (path.contains('/'))
        root = window.findChild<QWidget *>(path.section('/', 0, 0));
    return root ? root->findChild<QWidget *>(path.section('/', -1)) : nullptr;
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
    void everySheetReachesItsWidget_data();
    void everySheetReachesItsWidget();
    void overrideSheetIsInEffectOnThePtzPanel();
    void greyedKeysLookUnavailable_data();
    void greyedKeysLookUnavailable();
    void foldKeyArrowsAreIcons();
    void densityLeavesSheetSizesAlone();
    void renderedWindow();

private:
    std::unique_ptr<PanelHarness> shared; // for the checks that change nothing
    // The same window with each sheet set on its own widget, the look one sheet per panel
    // must keep.
    std::unique_ptr<PanelHarness> reference;
};

void tst_Look::initTestCase()
{
    shared = std::make_unique<PanelHarness>();
    QVERIFY(shared->start());
    reference = std::make_unique<PanelHarness>();
    QVERIFY(reference->start());
    for (PanelHarness *h : {shared.get(), reference.get()})
        QVERIFY(h->slide(true));
    for (const auto &own : sheetsOfTheirOwn()) {
        QWidget *target = widgetIn(reference->window(), own.first);
        QVERIFY2(target, qPrintable(own.first));
        target->setStyleSheet(own.second);
    }
}

void tst_Look::cleanupTestCase()
{
    reference.reset();
    shared.reset();
}

void tst_Look::imagesLoadAtTheirSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    const QList<QPair<const char *, QSize>> images = {
        {"background/mainwin.bmp", {491, 417}},
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

void tst_Look::everySheetReachesItsWidget_data()
{
    QTest::addColumn<QString>("widget");
    for (const auto &own : sheetsOfTheirOwn())
        QTest::newRow(qPrintable(own.first)) << own.first;
}

void tst_Look::everySheetReachesItsWidget()
{
    QFETCH(QString, widget);
    QWidget *now = widgetIn(shared->window(), widget);
    QWidget *then = widgetIn(reference->window(), widget);
    QVERIFY2(now && then, qPrintable(widget));
    // One sheet per panel is parsed; a control has none of its own, but for the edge strips,
    // which take theirs when first shown.
    if (widget.startsWith("Label_Hide")) {
        now->show();
        now->hide();
    } else if (!QStringList{"centralwidget", "Win_Left", "Win_Right"}.contains(widget)) {
        QVERIFY2(now->styleSheet().isEmpty(), qPrintable(now->styleSheet()));
    }
    for (bool enabled : {true, false}) {
        now->setEnabled(enabled);
        then->setEnabled(enabled);
        const int difference = largestDifference(now->grab().toImage(), then->grab().toImage());
        now->setEnabled(true);
        then->setEnabled(true);
        QVERIFY2(difference <= 8, qPrintable(QStringLiteral("%1 %2 differs by %3")
                                                 .arg(enabled ? "live" : "greyed")
                                                 .arg(widget)
                                                 .arg(difference)));
    }
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
