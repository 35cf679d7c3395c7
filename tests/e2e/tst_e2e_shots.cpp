// SPDX-License-Identifier: GPL-2.0-or-later
// Shots and tours in the real program under Xvfb, through real sockets: a shot defined over
// HTTP and recalled by OSC arrives as the event stream says; a tour started by OSC outlasts
// the keep-alive of a move before it, and a drag of the joystick with the mouse ends it with
// no further step.
#include "SimCameras.h"
#include "TraceFile.h"
#include "XSession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

class tst_E2eShots : public QObject
{
    Q_OBJECT

private slots:
    void shotAndTourOverHttpAndOsc();
};

void tst_E2eShots::shotAndTourOverHttpAndOsc()
{
    if (QStandardPaths::findExecutable("oscsend").isEmpty())
        QSKIP("oscsend (liblo-tools) is not installed");
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    SimCameras cameras;
    cameras.plug("a.cam", "name=Alpha\n");
    cameras.plug("b.cam", "name=Beta\n");
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.log");
    QProcessEnvironment env = PanelProcess::simulatedCamera(trace);
    env.insert("CAMERACTRL_SIM_DIR", cameras.dir());
    QTcpServer tcp;
    QUdpSocket udp;
    QVERIFY(tcp.listen(QHostAddress::LocalHost) &&
            udp.bind(QHostAddress(QHostAddress::LocalHost), 0));
    const QString http = QString::number(tcp.serverPort()), osc = QString::number(udp.localPort());
    tcp.close();
    udp.close();
    PanelProcess panel(x, PTZ_PANEL_PATH, env, {"--http", http, "--osc", osc});
    const qulonglong id = panel.waitForWindow();
    QVERIFY2(id, qPrintable(panel.errorOutput()));
    QTRY_VERIFY_WITH_TIMEOUT(TraceFile::startedUp(trace), 10000);

    QNetworkAccessManager network;
    const auto call = [&](const QByteArray &method, const QString &path, const QByteArray &body) {
        QNetworkRequest request(QUrl("http://127.0.0.1:" + http + path));
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
    const auto oscsend = [&](const QStringList &message) {
        QProcess send;
        send.start("oscsend", QStringList{"127.0.0.1", osc} + message);
        return send.waitForFinished(5000) && send.exitCode() == 0;
    };
    QTcpSocket stream;
    QByteArray received;
    QList<QJsonObject> events;
    connect(&stream, &QTcpSocket::readyRead, [&] {
        received += stream.readAll();
        for (int end; (end = received.indexOf("\n\n")) >= 0; received.remove(0, end + 2))
            if (const int data = received.left(end).indexOf("data: "); data >= 0)
                events << QJsonDocument::fromJson(received.mid(data + 6, end - data - 6)).object();
    });
    const auto seen = [&](const char *type, const char *action) {
        for (const QJsonObject &e : events)
            if (e["type"] == type && e["action"] == action)
                return e;
        return QJsonObject();
    };
    stream.connectToHost(QHostAddress::LocalHost, quint16(http.toInt()));
    QVERIFY(stream.waitForConnected(5000));
    stream.write("GET /api/events HTTP/1.1\r\nHost: 127.0.0.1:" + http.toLatin1() + "\r\n\r\n");

    for (const char *camera : {"Alpha", "Beta"})
        for (const auto &[preset, pan] : {std::pair{1, 150}, std::pair{2, -150}}) {
            const QByteArray named = QByteArray(R"({"camera": ")") + camera + R"(", )";
            QCOMPARE(call("POST", "/api/position",
                          named + R"("pan": )" + QByteArray::number(pan) + R"(, "tilt": 0})")
                         .first,
                     200);
            QCOMPARE(call("POST", "/api/preset/store",
                          named + R"("preset": )" + QByteArray::number(preset) + '}')
                         .first,
                     200);
        }
    // A name in the path, as a URL carries it; bad input refused with its status.
    QCOMPARE(call("PUT", "/api/shots/Both%20ways",
                  R"({"cameras": [{"camera": "Alpha", "preset": 1},
                                  {"camera": 1, "preset": 2}], "duration": 1.5})")
                 .first,
             200);
    QCOMPARE(
        call("PUT", "/api/shots/X", R"({"cameras": [{"camera": "Gamma", "preset": 1}]})").first,
        404);
    QCOMPARE(call("PUT", "/api/shots/X",
                  R"({"cameras": [{"camera": "Alpha", "preset": 1}], "duration": 700})")
                 .first,
             400);
    QCOMPARE(call("GET", "/api/shots", {}).second["shots"].toArray().size(), 1);

    QVERIFY(oscsend({"/ptz/shot", "s", "Both ways"}));
    QTRY_VERIFY_WITH_TIMEOUT(!seen("shot", "arrived").isEmpty(), 5000);
    QCOMPARE(seen("shot", "started")["by"].toString(), QString("osc"));
    QCOMPARE(seen("shot", "arrived")["arrived"].toArray(), (QJsonArray{"Alpha", "Beta"}));

    // A move over HTTP, then a tour: the move's keep-alive, missed, leaves the tour alone.
    QCOMPARE(call("PUT", "/api/tours/Sweep",
                  R"({"camera": "Alpha", "loop": true, "steps": [{"preset": 1, "dwell": 0.3,
                      "speed": 8}, {"preset": 2, "dwell": 0.3, "speed": 8}]})")
                 .first,
             200);
    QCOMPARE(call("POST", "/api/move", R"({"camera": "Alpha", "direction": "up"})").first, 200);
    QVERIFY(oscsend({"/ptz/tour", "s", "Sweep"}));
    QTest::qWait(2500);
    QCOMPARE(call("GET", "/api/tours", {}).second["tours"].toArray()[0].toObject()["running"],
             QJsonValue(true));

    // Press the joystick and push it left: the tour ends there.
    const QString window = QString::number(id);
    x.xdotool({"mousemove", "--window", window, "387", "135", "mousedown", "1"});
    x.xdotool({"mousemove", "--window", window, "350", "135"});
    QTRY_VERIFY_WITH_TIMEOUT(!seen("tour", "ended").isEmpty(), 5000);
    QCOMPARE(seen("tour", "ended")["why"].toString(), QString("interrupted"));
    QCOMPARE(seen("tour", "ended")["by"].toString(), QString("panel"));
    const int touched = int(TraceFile::read(trace).size());
    QTest::qWait(1000);
    x.xdotool({"mouseup", "1"});
    QCOMPARE(TraceFile::read(trace).mid(touched).filter(QRegularExpression("Set\\w*Position|Call")),
             QStringList());
    QCOMPARE(call("GET", "/api/tours", {}).second["tours"].toArray()[0].toObject()["running"],
             QJsonValue(false));
}

QTEST_MAIN(tst_E2eShots)
#include "tst_e2e_shots.moc"
