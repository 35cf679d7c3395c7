// SPDX-License-Identifier: GPL-2.0-or-later
// Network cameras in the panel: listed after the attached cameras, driven through the same
// slots (keys, joystick, presets, SET/GET PT) with the bytes reaching the camera, kept
// selected when USB cameras come and go, and the list following the user's edits.
#include "NetworkCameras.h"
#include "PanelHarness.h"
#include "StderrCapture.h"
#include "ViscaEmulator.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {

using Bytes = ViscaEmulator::Bytes;

} // namespace

class tst_NetworkCameras : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void drivenThroughThePanel();
    void usbHotPlugLeavesItAlone();
    void editingTheListKeepsTheCamera();
    void aListOverItsLimit();

private:
    std::unique_ptr<QTemporaryDir> config;
};

void tst_NetworkCameras::init()
{
    config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", config->path().toLocal8Bit());
}

void tst_NetworkCameras::cleanup()
{
    qunsetenv("CAMERACTRL_VISCA");
}

void tst_NetworkCameras::drivenThroughThePanel()
{
    ViscaEmulator camera;
    qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(camera.line("Stage", false)));
    PanelHarness h({{"a.cam", "name=Desk\n"}});
    QVERIFY(h.start());
    auto *selector = h.child<QComboBox>("Box_Camera_USB");
    QCOMPARE(selector->count(), 2);
    QCOMPARE(selector->itemText(1), QString("Stage"));
    selector->setCurrentIndex(1);
    QCOMPARE(h.trace.take(),
             (QStringList{"Close", "Initial", "Open 1 1", "ReadParameters", "MenuOff"}));
    QTRY_VERIFY(h.child<QAbstractButton>("BT_Flip")->isEnabled());

    const Bytes upRight = {0x81, 0x01, 0x06, 0x01, 0x18, 0x14, 0x02, 0x01, 0xff};
    const Bytes stop = {0x81, 0x01, 0x06, 0x01, 0x01, 0x01, 0x03, 0x03, 0xff};
    const Bytes there = {0x81, 0x01, 0x06, 0x02, 0x18, 0x14, 0, 0, 6, 4, 0xf, 0xf, 0xe, 0xc, 0xff};
    const auto sent = [&](const Bytes &command) {
        const auto all = camera.commands();
        return std::find(all.begin(), all.end(), command) != all.end();
    };
    h.child<QAbstractButton>("BT_Flip")->click();
    QVERIFY(QMetaObject::invokeMethod(&h.window(), "DriveByKey", Q_ARG(int, 2), Q_ARG(int, 24),
                                      Q_ARG(int, 16)));
    QTRY_VERIFY(sent(upRight));
    QVERIFY(h.invoke("MovePlace", 4));
    QTRY_VERIFY(sent(stop));
    QVERIFY(h.invoke("ChangePresetno", 3));
    QVERIFY(h.invoke("RWin_BT_Pressed", 5));
    h.child<QLineEdit>("set_pan_data")->setText("100");
    h.child<QLineEdit>("set_tilt_data")->setText("-20");
    QVERIFY(h.invoke("RWin_BT_Pressed", 8));
    QTRY_VERIFY(sent(there));
    // Pan and tilt in one move: never one first with the old tilt, heading in between.
    std::vector<Bytes> moves;
    for (const Bytes &command : camera.commands())
        if (command[2] == 0x06 && command[3] == 0x02)
            moves.push_back(command);
    QCOMPARE(moves, std::vector<Bytes>{there});
    // The rest in order; drives may coalesce on the way.
    std::vector<Bytes> others;
    for (const Bytes &command : camera.commands())
        if (command[2] != 0x06 || (command[3] != 0x01 && command[3] != 0x02))
            others.push_back(command);
    const std::vector<Bytes> expected = {
        {0x81, 0x01, 0x06, 0x06, 0x03, 0xff},       // menu off on connecting
        {0x81, 0x01, 0x04, 0x66, 0x02, 0xff},       // flip
        {0x81, 0x01, 0x04, 0x3f, 0x02, 0x03, 0xff}, // preset 3
    };
    QCOMPARE(others, expected);

    QVERIFY(h.invoke("RWin_BT_Pressed", 9));
    QCOMPARE(h.child<QLineEdit>("get_pan_data")->text(), QString("100"));
    QCOMPARE(h.child<QLineEdit>("get_tilt_data")->text(), QString("-20"));
}

void tst_NetworkCameras::usbHotPlugLeavesItAlone()
{
    ViscaEmulator camera;
    qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(camera.line("Balcony", true)));
    PanelHarness h({{"b.cam", "name=Desk\n"}});
    QVERIFY(h.start());
    auto *selector = h.child<QComboBox>("Box_Camera_USB");
    selector->setCurrentIndex(1);
    h.trace.take();
    h.cameras.plug("a.cam", "name=Aisle\n");
    QTRY_VERIFY(h.trace.peek().contains("EnumUSBDevices"));
    QTRY_VERIFY(h.settled());
    // Listed again, not reconnected (what the camera reports meanwhile is read as ever).
    const QStringList listed = h.trace.take();
    QCOMPARE(listed.count("EnumUSBDevices"), 1);
    QVERIFY(!listed.contains("Close") && !listed.contains("Initial"));
    QCOMPARE(selector->count(), 3);
    QCOMPARE(selector->currentText(), QString("Balcony"));

    // A USB camera chosen follows the usual rule: hot-plug connects the first camera.
    selector->setCurrentIndex(1);
    h.cameras.unplug("a.cam");
    QTRY_VERIFY(h.trace.peek().contains("EnumUSBDevices"));
    QTRY_VERIFY(h.settled());
    QCOMPARE(selector->currentIndex(), 0);
}

void tst_NetworkCameras::editingTheListKeepsTheCamera()
{
    PanelHarness h({{"a.cam", "name=Desk\n"}, {"b.cam", "name=Hall\n"}});
    QVERIFY(h.start());
    auto *selector = h.child<QComboBox>("Box_Camera_USB");
    selector->setCurrentIndex(1);
    h.trace.take();
    std::string error;
    QVERIFY(NetworkCameras::add("Gallery, udp, 127.0.0.1, 9", error));
    QTRY_COMPARE(selector->count(), 3);
    QTRY_VERIFY(h.settled());
    QCOMPARE(selector->itemText(2), QString("Gallery"));
    QCOMPARE(selector->currentText(), QString("Hall"));
    const QStringList listed = h.trace.take();
    QCOMPARE(listed.count("EnumUSBDevices"), 1);
    QVERIFY(!listed.contains("Close") && !listed.contains("Initial"));

    QVERIFY(NetworkCameras::remove("Gallery", error));
    QTRY_COMPARE(selector->count(), 2);
    QCOMPARE(selector->currentText(), QString("Hall"));
}

void tst_NetworkCameras::aListOverItsLimit()
{
    // The limit falls inside a line: read to it, the line would name another host.
    const QByteArray cut = "Attic, udp, 127.0.0.1";
    QByteArray text = "Stage, udp, 127.0.0.1, 9\n";
    while (text.size() + 100 < 64 * 1024 - cut.size())
        text += "# " + QByteArray(97, '-') + "\n";
    text += "#" + QByteArray(64 * 1024 - cut.size() - text.size() - 2, '-') + "\n";
    text += cut + "9, 9\nLoft, udp, 127.0.0.1, 9\n";
    const QString path = QString::fromStdString(NetworkCameras::configPath());
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();

    StderrCapture err;
    PanelHarness h(PanelHarness::NoCamera);
    QVERIFY(h.start());
    auto *selector = h.child<QComboBox>("Box_Camera_USB");
    QCOMPARE(selector->count(), 1);
    QCOMPARE(selector->itemText(0), QString("Stage"));
    QTRY_COMPARE(err.text().count("larger than 64 KiB"), 1);
    // Said again for the next version of it.
    text.replace(0, 5, "Porch");
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    QTRY_COMPARE(selector->itemText(0), QString("Porch"));
    QTRY_COMPARE(err.text().count("larger than 64 KiB"), 2);

    // Not rewritten without what lies beyond, which the panel would never read.
    std::string error;
    QVERIFY(!NetworkCameras::add("Gallery, udp, 127.0.0.1, 9", error));
    QVERIFY2(error.find("larger than 64 KiB") != std::string::npos, error.c_str());
    QVERIFY(!NetworkCameras::remove("Porch", error));
    QCOMPARE(QFileInfo(path).size(), qint64(text.size()));
}

QTEST_MAIN(tst_NetworkCameras)
#include "tst_networkcameras.moc"
