// SPDX-License-Identifier: GPL-2.0-or-later
// The preset board in the real program, on every kind of camera that takes pictures (the
// simulated one, a USB camera on the V4L2 fake, the ONVIF emulator, a VISCA camera with a
// snapshot URL): two presets stored at two places from the command line have their pictures
// on the board, as a screen reader reads its tiles, and at /api/presets/N/image, and the two
// pictures differ.
#include "AccessibleTree.h"
#include "OnvifEmulator.h"
#include "ViscaEmulator.h"
#include "XSession.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

enum Kind
{
    Simulated,
    Usb,
    Onvif,
    ViscaSnapshot
};

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A camera's view as a JPEG: sky over ground, in the colours given.
std::string scene(const QColor &sky, const QColor &ground)
{
    QImage image(320, 180, QImage::Format_RGB32);
    QPainter paint(&image);
    paint.fillRect(0, 0, 320, 90, sky);
    paint.fillRect(0, 90, 320, 90, ground);
    paint.end();
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QImageWriter(&bytes, "jpeg").write(image);
    return bytes.data().toStdString();
}

struct Answer
{
    int status = 0;
    QByteArray type, etag, body;
};

Answer get(int port, const QByteArray &path, const QByteArray &ifNoneMatch = {})
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                 "\r\nConnection: close\r\n" +
                 (ifNoneMatch.isEmpty() ? QByteArray() : "If-None-Match: " + ifNoneMatch + "\r\n") +
                 "\r\n");
    QByteArray all;
    while (socket.waitForReadyRead(5000))
        all += socket.readAll();
    Answer answer;
    const int end = all.indexOf("\r\n\r\n");
    answer.status = all.mid(9, 3).toInt();
    answer.body = all.mid(end + 4);
    for (const QByteArray &line : all.left(end).split('\n')) {
        const int colon = line.indexOf(':');
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-type")
            answer.type = value;
        if (name == "etag")
            answer.etag = value;
    }
    return answer;
}

// How far apart two pictures are: the mean difference of their colours over a 4 x 4 grid,
// in levels of 255.
double difference(const QImage &a, const QImage &b)
{
    const QImage small = a.scaled(4, 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage other = b.scaled(4, 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const QColor p = small.pixelColor(x, y), q = other.pixelColor(x, y);
            sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                   std::abs(p.blue() - q.blue());
        }
    return sum / 48;
}

} // namespace

class tst_E2eBoard : public QObject
{
    Q_OBJECT

private slots:
    void picturesOfEveryKind_data();
    void picturesOfEveryKind();
};

void tst_E2eBoard::picturesOfEveryKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("first"); // where preset 1 is stored, in --position's units
    QTest::addColumn<QString>("second");
    QTest::newRow("simulated") << int(Simulated) << "300,50"
                               << "-600,-100";
    QTest::newRow("USB on the V4L2 fake") << int(Usb) << "30,5"
                                          << "60,10";
    QTest::newRow("ONVIF snapshot") << int(Onvif) << "40,10"
                                    << "-40,-10";
    QTest::newRow("VISCA with a snapshot URL") << int(ViscaSnapshot) << "400,0"
                                               << "-400,0";
}

void tst_E2eBoard::picturesOfEveryKind()
{
    QFETCH(int, kind);
    QFETCH(QString, first);
    QFETCH(QString, second);
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    AccessibleTree reader;
    QVERIFY2(reader.isRunning(), "dbus-daemon did not start");

    // Network cameras show one scene or another, by the side they point to. The scenes and
    // the VISCA camera outlive the HTTP emulator, whose thread reads them until it stops.
    const std::string left = scene(QColor(40, 90, 200), QColor(60, 140, 60)),
                      right = scene(QColor(230, 150, 40), QColor(110, 110, 110));
    ViscaEmulator visca;
    OnvifEmulator http;
    QProcessEnvironment env = reader.environment();
    env.insert("LC_ALL", "C.UTF-8");
    switch (kind) {
    case Simulated:
        env.insert("CAMERACTRL_BACKEND", "sim");
        break;
    case Usb:
        env.insert("CAMERACTRL_BACKEND", "v4l2");
        env.insert("CAMERACTRL_REMEMBER", "0");
        // The library over the fake first; its modules from the build.
        env.insert("LD_LIBRARY_PATH", PTZ_FAKE_CAMERA_DIR ":" PTZ_MODULE_DIR);
        env.insert("PTZ_FAKE_UVC_MS", "1");
        break;
    case Onvif:
        http.change([&](OnvifEmulator::Behaviour &b) {
            b.snapshot = [&](double pan, double, double) { return pan < 0 ? left : right; };
        });
        env.insert("CAMERACTRL_BACKEND", "visca");
        env.insert("CAMERACTRL_VISCA", QString::fromStdString(http.line("Dome")));
        break;
    case ViscaSnapshot:
        http.change([&](OnvifEmulator::Behaviour &b) {
            b.snapshot = [&](double, double, double) {
                int pan = 0;
                visca.change([&pan](ViscaEmulator::Behaviour &camera) { pan = camera.pan; });
                return pan < 0 ? left : right;
            };
        });
        env.insert("CAMERACTRL_BACKEND", "visca");
        env.insert("CAMERACTRL_VISCA",
                   QString::fromStdString(visca.line("Stage", true) +
                                          ", \"snapshot=" + http.snapshotUrl() + "\""));
        break;
    }
    const int port = freePort();
    PanelProcess panel(x, PTZ_PANEL_PATH, env, {"--board", "--http", QString::number(port)});
    QVERIFY2(panel.waitForWindow(), qPrintable(panel.errorOutput()));

    // As a user would, while the camera may still be being read.
    const auto handOver = [&](const QStringList &arguments) {
        QProcess later;
        later.setProcessEnvironment(x.environment());
        later.start(PTZ_PANEL_PATH, arguments);
        return later.waitForFinished(20000) ? later.exitCode() : -1;
    };
    for (const auto &[preset, place] : {std::pair<int, QString>{1, first}, {2, second}})
        QTRY_COMPARE_WITH_TIMEOUT(
            handOver({"--position", place, "--store", QString::number(preset)}), 0, 20000);

    const auto described = [&](int preset) {
        const QString name = QStringLiteral("Preset %1").arg(preset);
        for (const AccessibleTree::Node &node : reader.nodes("ptz-panel", "Preset board"))
            if (node.role == "list item" && (node.name == name || node.name.startsWith(name + ',')))
                return node.description;
        return QString();
    };
    QDeadlineTimer deadline(30000);
    while (
        !(described(1).contains("with its picture") && described(2).contains("with its picture")) &&
        !deadline.hasExpired())
        QTest::qWait(250);
    QVERIFY2(described(2).contains("with its picture"),
             qPrintable(described(1) + " / " + described(2) + "\n" + panel.errorOutput()));
    QCOMPARE(described(3), QString("Empty"));

    const Answer one = get(port, "/api/presets/1/image"), two = get(port, "/api/presets/2/image");
    QCOMPARE(one.status, 200);
    QCOMPARE(one.type, QByteArray("image/jpeg"));
    QCOMPARE(get(port, "/api/presets/1/image", one.etag).status, 304);
    QCOMPARE(get(port, "/api/presets/3/image").status, 404);
    const QImage a = QImage::fromData(one.body, "JPEG"), b = QImage::fromData(two.body, "JPEG");
    QVERIFY(!a.isNull() && !b.isNull());
    QVERIFY2(difference(a, b) > 10, qPrintable(QString::number(difference(a, b))));
}

QTEST_GUILESS_MAIN(tst_E2eBoard)
#include "tst_e2e_board.moc"
