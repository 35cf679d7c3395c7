// SPDX-License-Identifier: GPL-2.0-or-later
// The image settings panel: its form, its toggles' captions and codes, and the codes of its
// plain keys and check box.
#include "WinLeft.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

namespace {

// Each emission with the caption its button showed at that moment.
struct Emission
{
    int code;
    QString caption;
    bool operator==(const Emission &o) const { return code == o.code && caption == o.caption; }
};

} // namespace

Q_DECLARE_METATYPE(Emission)
namespace QTest {
template <> char *toString(const Emission &e)
{
    return qstrdup(qPrintable(QStringLiteral("%1 \"%2\"").arg(e.code).arg(e.caption)));
}
} // namespace QTest

class tst_WinLeft : public QObject
{
    Q_OBJECT

private slots:
    // First: the toggles' state lives for the whole process.
    void togglesFromStartUp_data();
    void togglesFromStartUp();
    void toggleStoresItsFlagAfterTheSignal();
    void formFollowsTheTable();
    void startingValues();
    void plainKeysSendFixedCodes_data();
    void plainKeysSendFixedCodes();
    void pushLeavesFramingAlone();
    void whiteBalanceBoxSendsOnClicksOnly();
    void keyboardActivationActsLikeAClick();
    void readoutsCannotBeEdited();
};

void tst_WinLeft::togglesFromStartUp_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("initialCaption");
    QTest::addColumn<QList<Emission>>("presses");

    QTest::newRow("menu") << "BT_Menu"
                          << "Menu OFF"
                          << QList<Emission>{{5, "Menu ON"}, {10, "Menu OFF"}, {5, "Menu ON"}};
    QTest::newRow("ir") << "BT_IR"
                        << "IR OFF"
                        << QList<Emission>{{11, "IR ON"}, {12, "IR OFF"}, {11, "IR ON"}};
    QTest::newRow("framing") << "BT_AI"
                             << "Framing"
                             << QList<Emission>{{8, "Manual"}, {7, "Framing"}, {8, "Manual"}};
    // The first press keeps "DAY".
    QTest::newRow("day") << "BT_DAY"
                         << "DAY" << QList<Emission>{{13, "DAY"}, {14, "NIGHT"}, {13, "DAY"}};
}

void tst_WinLeft::togglesFromStartUp()
{
    QFETCH(QString, button);
    QFETCH(QString, initialCaption);
    QFETCH(QList<Emission>, presses);

    WinLeft panel;
    panel.build();

    auto *key = panel.findChild<QPushButton *>(button);
    QVERIFY(key);
    QCOMPARE(key->text(), initialCaption);
    QList<Emission> seen;
    connect(&panel, &WinLeft::BT_Pressed, [&](int code) { seen.append({code, key->text()}); });
    for (int i = 0; i < presses.size(); ++i)
        key->click();
    QCOMPARE(seen, presses);

    // A new panel continues where the presses left off.
    WinLeft later;
    later.build();
    QSignalSpy spy(&later, &WinLeft::BT_Pressed);
    later.findChild<QPushButton *>(button)->click();
    QCOMPARE(spy.takeFirst().at(0).toInt(), presses.at(1).code);
}

void tst_WinLeft::toggleStoresItsFlagAfterTheSignal()
{
    WinLeft panel;
    panel.build();
    auto *menu = panel.findChild<QPushButton *>("BT_Menu");
    const bool startsSet = menu->text() == "Menu OFF";
    const int setCode = startsSet ? 5 : 10;
    QList<int> codes;
    bool nested = false;
    connect(&panel, &WinLeft::BT_Pressed, [&](int code) {
        codes.append(code);
        if (!nested) {
            nested = true;
            menu->click(); // arrives before the outer press has stored its flag
        }
    });
    menu->click();
    QCOMPARE(codes, (QList<int>{setCode, setCode}));
    menu->click();
    QCOMPARE(codes.last(), startsSet ? 10 : 5);
}

void tst_WinLeft::formFollowsTheTable()
{
    struct Row
    {
        const char *name;
        const char *className;
        QRect geometry;
    };
    const Row rows[] = {
        {"line_3", "QFrame", {210, 0, 1, 417}},
        {"label_7", "QLabel", {5, 100, 66, 20}},
        {"label_10", "QLabel", {5, 220, 66, 20}},
        {"Slider_Gamma", "QSlider", {70, 220, 92, 16}},
        {"Slider_Hue", "QSlider", {70, 100, 92, 16}},
        {"Slider_WB", "QSlider", {30, 340, 131, 16}},
        {"label_11", "QLabel", {5, 300, 91, 20}},
        {"Slider_Contrast", "QSlider", {70, 60, 92, 16}},
        {"label_14", "QLabel", {5, 60, 66, 20}},
        {"Slider_Brightness", "QSlider", {70, 20, 92, 16}},
        {"label_15", "QLabel", {5, 20, 66, 20}},
        {"Slider_Saturation", "QSlider", {70, 140, 92, 16}},
        {"label_18", "QLabel", {5, 140, 66, 20}},
        {"Slider_Sharpness", "QSlider", {70, 180, 92, 16}},
        {"label_19", "QLabel", {5, 180, 66, 20}},
        {"line_2", "QFrame", {0, 380, 200, 1}},
        {"label_25", "QLabel", {25, 388, 66, 20}},
        {"ComboBox_Flicker", "QComboBox", {75, 391, 55, 16}},
        {"BT_Mirror", "QPushButton", {215, 140, 48, 25}},
        {"BT_Flip", "QPushButton", {215, 100, 48, 25}},
        {"BT_HOME", "QPushButton", {215, 220, 48, 25}},
        {"BT_Menu", "QPushButton", {215, 180, 48, 25}},
        {"BT_Reset", "QPushButton", {215, 340, 48, 25}},
        {"line_11", "QFrame", {267, 0, 1, 417}},
        {"BT_PUSH", "QPushButton", {215, 300, 48, 25}},
        {"BT_AI", "QPushButton", {215, 260, 48, 25}},
        {"v_brightness", "QLineEdit", {165, 20, 40, 20}},
        {"v_contrast", "QLineEdit", {165, 60, 40, 20}},
        {"v_hue", "QLineEdit", {165, 100, 40, 20}},
        {"v_saturation", "QLineEdit", {165, 140, 40, 20}},
        {"v_sharpness", "QLineEdit", {165, 180, 40, 20}},
        {"v_gamma", "QLineEdit", {165, 220, 40, 20}},
        {"v_wb", "QLineEdit", {165, 340, 40, 20}},
        {"Slider_BLC", "QSlider", {70, 260, 92, 16}},
        {"v_blc", "QLineEdit", {165, 260, 40, 20}},
        {"label_12", "QLabel", {5, 260, 66, 20}},
        {"label_13", "QLabel", {140, 300, 31, 20}},
        {"Cb_WB", "QCheckBox", {178, 303, 16, 16}},
        {"BT_IR", "QPushButton", {215, 20, 48, 25}},
        {"BT_DAY", "QPushButton", {215, 60, 48, 25}},
        {"BT_RST_PTZ", "QPushButton", {215, 380, 48, 25}},
    };

    WinLeft panel;
    panel.build();

    QCOMPARE(panel.objectName(), QString("WinLeft"));
    QCOMPARE(panel.size(), QSize(267, 417));
    QCOMPARE(panel.font().family(), QString("Arial"));
    QCOMPARE(panel.font().pointSize(), 11);

    QList<QWidget *> children;
    for (QObject *child : panel.children())
        if (child->isWidgetType())
            children.append(static_cast<QWidget *>(child));
    QCOMPARE(children.size(), int(std::size(rows)));
    for (int i = 0; i < children.size(); ++i) {
        const Row &row = rows[i];
        QCOMPARE(children[i]->objectName(), QString(row.name));
        QCOMPARE(children[i]->metaObject()->className(), row.className);
        QCOMPARE(children[i]->geometry(), row.geometry);
        QVERIFY(children[i]->isEnabled());
    }

    const auto pointSize = [&](const char *name) {
        return panel.findChild<QWidget *>(name)->font().pointSize();
    };
    QCOMPARE(pointSize("label_15"), 10);
    QCOMPARE(pointSize("label_11"), 9);
    QCOMPARE(pointSize("label_13"), 9);
    QCOMPARE(pointSize("BT_Flip"), 10);
    QCOMPARE(pointSize("BT_Menu"), 7);
    QCOMPARE(pointSize("BT_RST_PTZ"), 8);
    QCOMPARE(pointSize("v_hue"), 11);
    QCOMPARE(pointSize("ComboBox_Flicker"), 8);
    QCOMPARE(panel.findChild<QWidget *>("BT_Flip")->font().weight(), int(QFont::Normal));
    QCOMPARE(panel.findChild<QFrame *>("line_3")->frameShape(), QFrame::VLine);
    QCOMPARE(panel.findChild<QFrame *>("line_2")->frameShape(), QFrame::HLine);
    QCOMPARE(panel.findChild<QFrame *>("line_2")->frameShadow(), QFrame::Sunken);
    for (QPushButton *key : panel.findChildren<QPushButton *>())
        QVERIFY(!key->isCheckable() && key->icon().isNull());

    const auto text = [&](const char *name) {
        return panel.findChild<QWidget *>(name)->property("text").toString();
    };
    QCOMPARE(text("label_7"), QString("Hue"));
    QCOMPARE(text("label_11"), QString("WhiteBalance"));
    QCOMPARE(text("label_12"), QString("BackLight"));
    QCOMPARE(text("label_13"), QString("Auto"));
    QCOMPARE(text("label_25"), QString("Flicker"));
    QCOMPARE(text("BT_RST_PTZ"), QString("RST-PTZ"));
    QCOMPARE(text("BT_HOME"), QString("Home"));
    QCOMPARE(text("Cb_WB"), QString());
}

void tst_WinLeft::startingValues()
{
    WinLeft panel;
    panel.build();
    for (QSlider *slider : panel.findChildren<QSlider *>()) {
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 20);
        QCOMPARE(slider->singleStep(), 1);
        QCOMPARE(slider->pageStep(), 1);
        QCOMPARE(slider->value(), 0);
    }
    QCOMPARE(panel.findChildren<QSlider *>().size(), 8);
    for (const char *name : {"v_brightness", "v_contrast"})
        QCOMPARE(panel.findChild<QLineEdit *>(name)->text(), QString("10000"));
    for (const char *name : {"v_hue", "v_saturation", "v_sharpness", "v_gamma", "v_blc", "v_wb"})
        QCOMPARE(panel.findChild<QLineEdit *>(name)->text(), QString("1000"));

    auto *flicker = panel.findChild<QComboBox *>("ComboBox_Flicker");
    QCOMPARE(flicker->count(), 3);
    QCOMPARE(flicker->itemText(0), QString("OFF"));
    QCOMPARE(flicker->itemText(2), QString("60Hz"));
    QCOMPARE(flicker->currentText(), QString("50Hz"));
    QVERIFY(!panel.findChild<QCheckBox *>("Cb_WB")->isChecked());
}

void tst_WinLeft::plainKeysSendFixedCodes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("code");
    QTest::newRow("flip") << "BT_Flip" << 3;
    QTest::newRow("mirror") << "BT_Mirror" << 4;
    QTest::newRow("home") << "BT_HOME" << 6;
    QTest::newRow("push") << "BT_PUSH" << 8;
    QTest::newRow("reset") << "BT_Reset" << 9;
    QTest::newRow("ptz reset") << "BT_RST_PTZ" << 15;
}

void tst_WinLeft::plainKeysSendFixedCodes()
{
    QFETCH(QString, button);
    QFETCH(int, code);
    WinLeft panel;
    panel.build();
    auto *key = panel.findChild<QPushButton *>(button);
    const QString caption = key->text();
    QSignalSpy spy(&panel, &WinLeft::BT_Pressed);
    key->click();
    key->click();
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(0).toInt(), code);
    QCOMPARE(spy.at(1).at(0).toInt(), code);
    QCOMPARE(key->text(), caption);
}

void tst_WinLeft::pushLeavesFramingAlone()
{
    WinLeft panel;
    panel.build();
    auto *framing = panel.findChild<QPushButton *>("BT_AI");
    const QString caption = framing->text();
    const int next = caption == "Framing" ? 8 : 7;
    QSignalSpy spy(&panel, &WinLeft::BT_Pressed);
    panel.findChild<QPushButton *>("BT_PUSH")->click();
    QCOMPARE(framing->text(), caption);
    framing->click();
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(0).toInt(), 8);
    QCOMPARE(spy.at(1).at(0).toInt(), next);
}

void tst_WinLeft::whiteBalanceBoxSendsOnClicksOnly()
{
    WinLeft panel;
    panel.build();
    auto *box = panel.findChild<QCheckBox *>("Cb_WB");
    QSignalSpy spy(&panel, &WinLeft::BT_Pressed);
    box->click();
    box->click();
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(0).toInt(), 1);
    QCOMPARE(spy.at(1).at(0).toInt(), 2);
    box->setChecked(true);
    box->setChecked(false);
    QCOMPARE(spy.size(), 2);
}

void tst_WinLeft::keyboardActivationActsLikeAClick()
{
    WinLeft panel;
    panel.build();
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy spy(&panel, &WinLeft::BT_Pressed);
    auto *home = panel.findChild<QPushButton *>("BT_HOME");
    home->setFocus();
    QTest::keyClick(home, Qt::Key_Space);
    auto *box = panel.findChild<QCheckBox *>("Cb_WB");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(0).toInt(), 6);
    QCOMPARE(spy.at(1).at(0).toInt(), box->isChecked() ? 1 : 2);
}

void tst_WinLeft::readoutsCannotBeEdited()
{
    WinLeft panel;
    panel.build();
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    for (QLineEdit *readout : panel.findChildren<QLineEdit *>()) {
        QVERIFY(readout->isReadOnly());
        const QString before = readout->text();
        readout->setFocus();
        QTest::keyClicks(readout, "42");
        QTest::keyClick(readout, Qt::Key_Backspace);
        QCOMPARE(readout->text(), before);
    }
}

QTEST_MAIN(tst_WinLeft)
#include "tst_winleft.moc"
