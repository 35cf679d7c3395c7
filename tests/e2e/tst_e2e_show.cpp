// SPDX-License-Identifier: GPL-2.0-or-later
// A show controller against the real program under Xvfb, with two simulated cameras and the
// window on the first: it follows the event stream, moves the second camera by OSC (oscsend)
// until its dead-man stops it, puts the first on program and sees the frame line turn red
// and a move on it refused.
#include "SimCameras.h"
#include "XSession.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

namespace {

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

int freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

} // namespace

class tst_E2eShow : public QObject
{
    Q_OBJECT

private slots:
    void showControllerDrivesTwoCameras();
};

void tst_E2eShow::showControllerDrivesTwoCameras()
{
    if (QStandardPaths::findExecutable("oscsend").isEmpty())
        QSKIP("oscsend (liblo-tools) is not installed");
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    SimCameras cameras;
    cameras.plug("a.cam", "name=Alpha\n");
    cameras.plug("b.cam", "name=Beta\n");
    QProcessEnvironment env = PanelProcess::simulatedCamera();
    env.insert("CAMERACTRL_SIM_DIR", cameras.dir());
    const int http = freePort(), osc = freeUdpPort();
    PanelProcess panel(
        x, PTZ_PANEL_PATH, env,
        {"--http", QString::number(http), "--osc", QString::number(osc), "--guard-program"});
    const qulonglong id = panel.waitForWindow();
    QVERIFY2(id, qPrintable(panel.errorOutput()));

    // The stream, as a controller reads it.
    QTcpSocket stream;
    QByteArray received;
    QList<QJsonObject> events;
    connect(&stream, &QTcpSocket::readyRead, [&] {
        received += stream.readAll();
        for (int end; (end = received.indexOf("\n\n")) >= 0;) {
            const QByteArray block = received.left(end);
            received.remove(0, end + 2);
            const int data = block.indexOf("data: ");
            if (data >= 0)
                events << QJsonDocument::fromJson(block.mid(data + 6)).object();
        }
    });
    const auto has = [&](const QString &camera, const QString &type, const QString &key = {},
                         const QJsonValue &value = {}) {
        for (const QJsonObject &e : events)
            if (e["camera"] == camera && e["type"] == type &&
                (key.isEmpty() || e.value(key) == value))
                return true;
        return false;
    };
    QNetworkAccessManager network;
    const auto call = [&](const QByteArray &method, const QString &path, const QByteArray &body) {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(http).arg(path)));
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        QNetworkReply *reply = network.sendCustomRequest(request, method, body);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!reply->isFinished())
            finished.wait(10000);
        reply->deleteLater();
        return QPair<int, QJsonObject>(
            reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
            QJsonDocument::fromJson(reply->readAll()).object());
    };
    // Once the panel has connected its camera, the controller starts listening.
    QTRY_VERIFY_WITH_TIMEOUT(call("GET", "/api/state", {}).second["connected"] == true, 10000);
    stream.connectToHost(QHostAddress::LocalHost, quint16(http));
    QVERIFY(stream.waitForConnected(5000));
    stream.write("GET /api/events HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(http) +
                 "\r\n\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(has("Beta", "state"), 5000);
    QVERIFY(has("Alpha", "state", "connected", true));

    QProcess send;
    send.start("oscsend",
               {"127.0.0.1", QString::number(osc), "/ptz/Beta/move", "si", "right", "3"});
    QVERIFY(send.waitForFinished(5000) && send.exitCode() == 0);
    QTRY_VERIFY_WITH_TIMEOUT(has("Beta", "moving", "by", "osc"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(has("Beta", "position"), 5000);
    // No keep-alive: the camera stops by itself.
    QTRY_VERIFY_WITH_TIMEOUT(has("Beta", "moving", "by", "osc keep-alive missed"), 5000);

    QCOMPARE(call("POST", "/api/tally", R"({"state": "program"})").first, 200);
    QTRY_VERIFY(has("Alpha", "tally", "state", "program"));
    QCOMPARE(call("POST", "/api/move", R"({"direction": "left"})").first, 409);
    // The window, on Alpha all along, says it is on program in its title row's line.
    const QString window = QString::number(id);
    const QString shell = x.xdotool({"getwindowgeometry", "--shell", window});
    QPoint at;
    for (const QString &line : shell.split('\n')) {
        if (line.startsWith("X="))
            at.setX(line.mid(2).toInt());
        if (line.startsWith("Y="))
            at.setY(line.mid(2).toInt());
    }
    QTemporaryDir dir;
    const QString file = dir.filePath("line.png");
    QColor colour;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            // The line under the title row, clear of its ends.
            x.run(PTZ_SCREENGRAB_PATH,
                  {file, QString::number(at.x() + 390), QString::number(at.y() + 28), "1", "1"});
            colour = QImage(file).pixelColor(0, 0);
            return colour.red() > 180 && colour.green() < 90 && colour.blue() < 90;
        }(),
        3000);
}

QTEST_MAIN(tst_E2eShow)
#include "tst_e2e_show.moc"
