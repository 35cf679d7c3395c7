// SPDX-License-Identifier: GPL-2.0-or-later
// Every caption of both panels fits its widget at the screen's density (QT_FONT_DPI 96,
// 120, 144 or 192 on the offscreen platform), measured in the widget's own font against the
// room its style leaves for text; a camera name too long for the selector is elided.
#include "PanelHarness.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyleOption>
#include <QToolButton>
#include <QtTest>

namespace {

// The rectangle the widget's style draws `text` into.
QRect textRoom(QWidget *widget, const QString &text)
{
    QStyle *style = widget->style();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                              -label->margin());
    if (auto *key = qobject_cast<QPushButton *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(key);
        option.text = text;
        return style->subElementRect(QStyle::SE_PushButtonContents, &option, key);
    }
    if (auto *key = qobject_cast<QToolButton *>(widget)) {
        QStyleOptionToolButton option;
        option.initFrom(key);
        option.text = text;
        option.toolButtonStyle = key->toolButtonStyle();
        option.subControls = QStyle::SC_ToolButton;
        const QRect button =
            style->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButton, key);
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, key);
        return button.adjusted(frame, frame, -frame, -frame);
    }
    if (auto *selector = qobject_cast<QComboBox *>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(selector);
        option.currentText = text;
        option.subControls = QStyle::SC_All;
        // The label goes one pixel in from either side of the edit field.
        return style
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, selector)
            .adjusted(1, 0, -1, 0);
    }
    return {};
}

} // namespace

class tst_Captions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void fits_data();
    void fits();
    void longCameraNameIsElided_data();
    void longCameraNameIsElided();

private:
    std::unique_ptr<PanelHarness> h;
};

void tst_Captions::initTestCase()
{
    const int dpi = qRound(QGuiApplication::screens().first()->logicalDotsPerInch());
    QCOMPARE(dpi, qEnvironmentVariableIntValue("QT_FONT_DPI"));
    // The forms are laid out for Arial's widths; Debian's default sans is wider.
    const QString arial = QFontInfo(QFont("Arial")).family();
    QVERIFY2(arial == "Arial" || arial == "Liberation Sans",
             qPrintable("Arial is drawn with " + arial + "; install fonts-liberation2"));
    h = std::make_unique<PanelHarness>();
    QVERIFY(h->start());
    QVERIFY(h->slide(true));
}

void tst_Captions::cleanupTestCase()
{
    h.reset();
}

void tst_Captions::fits_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("text");
    // Every text a widget can show: a toggle's both captions, a selector's every item.
    const QList<QPair<const char *, QStringList>> captions = {
        {"label_15", {"Brightness"}},
        {"label_14", {"Contrast"}},
        {"label_7", {"Hue"}},
        {"label_18", {"Saturation"}},
        {"label_19", {"Sharpness"}},
        {"label_10", {"Gamma"}},
        {"label_12", {"BackLight"}},
        {"label_11", {"WhiteBalance"}},
        {"label_13", {"Auto"}},
        {"label_25", {"Flicker"}},
        {"ComboBox_Flicker", {"OFF", "50Hz", "60Hz"}},
        {"BT_IR", {"IR OFF", "IR ON"}},
        {"BT_DAY", {"DAY", "NIGHT"}},
        {"BT_Flip", {"Flip"}},
        {"BT_Mirror", {"Mirror"}},
        {"BT_Menu", {"Menu OFF", "Menu ON"}},
        {"BT_HOME", {"Home"}},
        {"BT_AI", {"Framing", "Manual"}},
        {"BT_PUSH", {"Push"}},
        {"BT_Reset", {"Reset"}},
        {"BT_RST_PTZ", {"RST-PTZ"}},
        {"Win_Right/label_10", {"Device"}},
        {"Box_Camera_USB", {"Simulated PTZ camera"}},
        {"BT_Set", {"Set"}},
        {"BT_Clear", {"Clear"}},
        {"BT_0", {"0"}},
        {"BT_8", {"8"}},
        {"set_pan_tilt", {"SET/PT"}},
        {"get_pan_tilt", {"GET/PT"}},
        {"label_4", {"PAN"}},
        {"label_9", {"TILT"}},
    };
    for (const auto &caption : captions)
        for (const QString &text : caption.second)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(caption.first, text)))
                << QString(caption.first) << text;
}

void tst_Captions::fits()
{
    QFETCH(QString, widget);
    QFETCH(QString, text);
    QWidget *root = &h->window();
    QString name = widget;
    if (widget.contains('/')) {
        root = h->child<QWidget>(qPrintable(widget.section('/', 0, 0)));
        name = widget.section('/', 1);
    }
    auto *target = root->findChild<QWidget *>(name);
    QVERIFY2(target, qPrintable(widget));
    const QFontMetrics metrics(target->font());
    const QRect room = textRoom(target, text);
    QVERIFY2(room.isValid(), qPrintable(widget));
    const int width = metrics.horizontalAdvance(text);
    const QString font = QStringLiteral(", %1 %2 pt")
                             .arg(QFontInfo(target->font()).family())
                             .arg(target->font().pointSizeF());
    QVERIFY2(
        width <= room.width(),
        qPrintable(QStringLiteral("%1 px of text in %2 px").arg(width).arg(room.width()) + font));
    // Top to bottom the text is centred on its line; the letters themselves must show.
    const int lineTop = room.top() + (room.height() - metrics.height()) / 2;
    const QRect ink = metrics.tightBoundingRect(text).translated(0, lineTop + metrics.ascent());
    QVERIFY2(ink.top() >= target->rect().top() && ink.bottom() <= target->rect().bottom(),
             qPrintable(QStringLiteral("letters from %1 to %2 px in %3 px")
                            .arg(ink.top())
                            .arg(ink.bottom())
                            .arg(target->height()) +
                        font));
}

void tst_Captions::longCameraNameIsElided_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("elided");
    QTest::newRow("short") << "Desk" << false;
    QTest::newRow("long") << "Conference room camera, ceiling mount, north wall" << true;
}

void tst_Captions::longCameraNameIsElided()
{
    QFETCH(QString, name);
    QFETCH(bool, elided);
    PanelHarness panel({{"a.cam", "name=" + name.toUtf8() + "\n"}});
    QVERIFY(panel.start());
    auto *selector = panel.child<QComboBox>("Box_Camera_USB");
    QCOMPARE(selector->count(), 1);
    // The item keeps the whole name; what it shows fits, and says the rest in a tooltip.
    QCOMPARE(selector->itemText(0), name);
    const QString shown = selector->property("shownText").toString();
    QVERIFY2(QFontMetrics(selector->font()).horizontalAdvance(shown) <=
                 textRoom(selector, shown).width(),
             qPrintable(shown));
    QCOMPARE(shown != name, elided);
    if (elided)
        QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
    QCOMPARE(selector->toolTip(), elided ? name : QString());
    QCOMPARE(selector->itemData(0, Qt::ToolTipRole).toString(), name);
}

QTEST_MAIN(tst_Captions)
#include "tst_captions.moc"
