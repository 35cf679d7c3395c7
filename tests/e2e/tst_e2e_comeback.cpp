// SPDX-License-Identifier: GPL-2.0-or-later
// The real program under Xvfb on a VISCA camera (the tests' emulator, over UDP) that is
// switched off and on again while the panel runs: the API and the event stream say it stopped
// answering, a command meanwhile is refused at once, and once it is back the next command
// reaches it with nobody reconnecting anything.
#include "ViscaEmulator.h"
#include "XSession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QtTest>

namespace {

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

class tst_E2eComeback : public QObject
{
    Q_OBJECT

private slots:
    void cameraSwitchedOffAndOn();
};

void tst_E2eComeback::cameraSwitchedOffAndOn()
{
    XSession x;
    QVERIFY2(x.isRunning(), "Xvfb did not start");
    ViscaEmulator camera;
    QProcessEnvironment env;
    env.insert("CAMERACTRL_BACKEND", "visca");
    env.insert("CAMERACTRL_VISCA", QString::fromStdString(camera.line("Stage", true)));
    const int http = freePort();
    PanelProcess panel(x, PTZ_PANEL_PATH, env, {"--http", QString::number(http)});
    QVERIFY2(panel.waitForWindow(), qPrintable(panel.errorOutput()));

    QNetworkAccessManager network;
    const auto call = [&](const QByteArray &method, const QString &path) {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(http).arg(path)));
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        QNetworkReply *reply = network.sendCustomRequest(request, method, "{}");
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!reply->isFinished())
            finished.wait(10000);
        reply->deleteLater();
        return QPair<int, QJsonObject>(
            reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
            QJsonDocument::fromJson(reply->readAll()).object());
    };
    const auto health = [&] {
        const QJsonArray cameras = call("GET", "/api/cameras").second["cameras"].toArray();
        return cameras.first().toObject().value("health").toString();
    };
    const auto guard = qScopeGuard([&] {
        if (QTest::currentTestFailed())
            qWarning().noquote() << panel.errorOutput();
    });

    QTRY_COMPARE_WITH_TIMEOUT(health(), QString("answering"), 10000);
    camera.switchOff();
    QTRY_COMPARE_WITH_TIMEOUT(health(), QString("not answering"), 15000);
    QCOMPARE(call("GET", "/api/state").second["health"].toString(), QString("not answering"));
    // Known not to answer: refused at once, with the cause.
    const auto refused = call("POST", "/api/home");
    QCOMPARE(refused.first, 503);
    QVERIFY(refused.second["error"].toString().contains("does not answer"));

    camera.switchOn();
    camera.clearReceived();
    // Back by itself: the next command goes through within 6 s of its return.
    QTRY_COMPARE_WITH_TIMEOUT(call("POST", "/api/home").first, 200, 6000);
    QVERIFY(camera.waitForCommands(1, std::chrono::seconds(2)));
    QTRY_COMPARE_WITH_TIMEOUT(health(), QString("answering"), 5000);
}

QTEST_GUILESS_MAIN(tst_E2eComeback)
#include "tst_e2e_comeback.moc"
