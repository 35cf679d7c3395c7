// SPDX-License-Identifier: GPL-2.0-or-later
// Input nobody should type or plug, handled without a crash: odd position texts, cameras
// with absurd records or names, many cameras, files that are not cameras, and a burst of
// device messages.
#include "PanelHarness.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

#include <sys/stat.h>

namespace {

constexpr int Refused = INT_MIN;

void checkSlidersConsistent(PanelHarness &h)
{
    for (QSlider *slider : h.window().findChildren<QSlider *>()) {
        QVERIFY2(slider->minimum() <= slider->maximum(), qPrintable(slider->objectName()));
        QVERIFY2(slider->minimum() <= slider->value() && slider->value() <= slider->maximum(),
                 qPrintable(slider->objectName()));
    }
}

} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private slots:
    void positionTexts_data();
    void positionTexts();
    void absurdRecords();
    void namesThatAreNotUtf8();
    void sixtyFourCameras();
    void thingsThatAreNotCameraFiles();
    void fileGoneBeforeItOpens();
    void thousandMessageBurst();
};

void tst_BadInput::positionTexts_data()
{
    // The simulated camera pans -1700..1700 and tilts -300..900; Refused: nothing is sent.
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("sent");
    QTest::newRow("plain") << "12" << 12;
    QTest::newRow("plus sign") << "+12" << 12;
    QTest::newRow("negative") << "-300" << -300;
    QTest::newRow("empty") << "" << Refused;
    QTest::newRow("letters") << "left" << Refused;
    QTest::newRow("spaces around") << " 12 " << Refused;
    QTest::newRow("trailing letters") << "12abc" << Refused;
    QTest::newRow("past the tilt only") << "901" << Refused;
    QTest::newRow("past both") << "99999" << Refused;
    QTest::newRow("one past max") << "2147483648" << Refused;
    QTest::newRow("one past min") << "-2147483649" << Refused;
    QTest::newRow("full-width digits") << QString::fromUtf8("\xef\xbc\x91\xef\xbc\x92") << Refused;
    QTest::newRow("hexadecimal") << "0x10" << Refused;
    QTest::newRow("decimal point") << "1.5" << Refused;
    QTest::newRow("10000 digits") << QString(10000, '7') << Refused;
    QTest::newRow("10000 letters") << QString(10000, 'x') << Refused;
}

void tst_BadInput::positionTexts()
{
    QFETCH(QString, text);
    QFETCH(int, sent);
    static std::unique_ptr<PanelHarness> h;
    if (!h) {
        h = std::make_unique<PanelHarness>();
        QVERIFY(h->start());
    }
    h->child<QLineEdit>("set_pan_data")->setText(text);
    h->child<QLineEdit>("set_tilt_data")->setText(text);
    h->child<QAbstractButton>("set_pan_tilt")->click();
    const QStringList both = {QStringLiteral("SetPanPosition %1").arg(sent),
                              QStringLiteral("SetTiltPosition %1").arg(sent)};
    QCOMPARE(h->trace.take(), sent == Refused ? QStringList() : both);
    QCOMPARE(h->window().property("refused").toBool(), sent == Refused);
    if (QByteArray(QTest::currentDataTag()) == "10000 letters")
        h.reset();
}

void tst_BadInput::absurdRecords()
{
    PanelHarness h({{"a.cam", "brightness=50,10,1,30,30,1\n"
                              "contrast=0,100,1,50,900,1\n"
                              "hue=-2147483648,2147483647,0,0,-2147483648,1\n"
                              "saturation=0,0,0,0,0,0\n"
                              "gamma=5,5,1,99,-99,7\n"
                              "whitebalance=2147483647,-2147483648,1,0,0,1\n"}});
    QVERIFY(h.start());
    QVERIFY(h.cameraPresent());
    checkSlidersConsistent(h);
    QCOMPARE(h.child<QLineEdit>("v_contrast")->text(), QString("900")); // what the camera said
    QCOMPARE(h.child<QSlider>("Slider_Contrast")->value(), 100);
    QVERIFY(h.child<QSlider>("Slider_Hue")->isEnabled());

    // Everything still works on top of such a camera.
    emit h.child<QSlider>("Slider_Hue")->sliderMoved(INT_MIN);
    h.child<QAbstractButton>("BT_Reset")->click();
    h.child<QAbstractButton>("Cb_WB")->click();
    h.child<QAbstractButton>("Cb_WB")->click();
    checkSlidersConsistent(h);
    QVERIFY(h.trace.take().contains("RestoreImageDefaults"));
}

void tst_BadInput::namesThatAreNotUtf8()
{
    PanelHarness h({{"a.cam", "name=\xff\xfe\xc3(camera\xed\xa0\x80\n"}, {"b.cam", "name=\n"}});
    QVERIFY(h.start());
    auto *selector = h.child<QComboBox>("Box_Camera_USB");
    QCOMPARE(selector->count(), 2);
    QVERIFY(selector->itemText(0).contains("(camera"));
    QCOMPARE(selector->itemText(1), QString());
    QVERIFY(h.cameraPresent());
}

void tst_BadInput::sixtyFourCameras()
{
    PanelHarness h(PanelHarness::NoCamera);
    for (int i = 0; i < 64; ++i)
        h.cameras.plug(QStringLiteral("cam%1.cam").arg(i, 2, 10, QChar('0')),
                       QStringLiteral("name=Camera %1\n").arg(i).toUtf8());
    QVERIFY(h.start());
    auto *selector = h.child<QComboBox>("Box_Camera_USB");
    QCOMPARE(selector->count(), 64);
    QCOMPARE(selector->itemText(63), QString("Camera 63"));
    QCOMPARE(h.trace.lines().count("EnumUSBDevices"), 1);
    selector->setCurrentIndex(63);
    QCOMPARE(h.trace.take(),
             (QStringList{"Close", "Initial", "Open 63 1", "ReadParameters", "MenuOff"}));

    // Unplugged all at once: one enumeration, one warning.
    h.boxes.clear();
    for (int i = 0; i < 64; ++i)
        h.cameras.unplug(QStringLiteral("cam%1.cam").arg(i, 2, 10, QChar('0')));
    QTRY_VERIFY(h.trace.peek().contains("EnumUSBDevices"));
    QTRY_VERIFY(h.settled());
    QTest::qWait(600);
    QCOMPARE(h.trace.take().count("EnumUSBDevices"), 1);
    QCOMPARE(h.boxes.count(), 1);
    QVERIFY(!h.cameraPresent());
}

void tst_BadInput::thingsThatAreNotCameraFiles()
{
    PanelHarness h(PanelHarness::NoCamera);
    const QDir dir(h.cameras.dir());
    QVERIFY(dir.mkdir("folder.cam"));
    QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("dangling.cam")));
    // Reading a pipe would block for ever; it must not even be opened.
    QCOMPARE(mkfifo(qPrintable(dir.filePath("pipe.cam")), 0600), 0);
    h.cameras.plug("real.cam", "name=Real\n");
    QVERIFY(h.start());
    auto *selector = h.child<QComboBox>("Box_Camera_USB");
    QCOMPARE(selector->count(), 1);
    QCOMPARE(selector->itemText(0), QString("Real"));
}

void tst_BadInput::fileGoneBeforeItOpens()
{
    PanelHarness h({{"a.cam", "name=A\n"}, {"b.cam", "name=B\n"}});
    QVERIFY(h.start());
    h.cameras.unplug("b.cam");
    // Chosen before the hot-plug enumeration comes round.
    h.child<QComboBox>("Box_Camera_USB")->setCurrentIndex(1);
    QCOMPARE(h.trace.take(), (QStringList{"Close", "Initial", "Open 1 1"}));
    QTRY_VERIFY(h.trace.peek().contains("EnumUSBDevices"));
    QTRY_VERIFY(h.settled());
    QCOMPARE(h.child<QComboBox>("Box_Camera_USB")->count(), 1);
    QVERIFY(h.cameraPresent());
}

void tst_BadInput::thousandMessageBurst()
{
    PanelHarness h;
    QVERIFY(h.start());
    for (int i = 0; i < 1000; ++i) {
        QVERIFY(h.deviceChange(i % 3 ? 0x8000 : 0x8004));
        if (i % 100 == 0)
            QCoreApplication::processEvents();
    }
    QTRY_VERIFY(h.settled());
    QTest::qWait(600);
    QCOMPARE(h.trace.take().count("EnumUSBDevices"), 1);
    QVERIFY(h.cameraPresent());
}

QTEST_MAIN(tst_BadInput)
#include "tst_badinput.moc"
