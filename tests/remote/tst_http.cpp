// SPDX-License-Identifier: GPL-2.0-or-later
// The HTTP API of a running panel, over real connections to 127.0.0.1: every endpoint and
// what it sends the camera, the token rule, a move that stops by itself when its client
// falls silent, and thousands of malformed requests after which the panel still answers.
#include "HttpApi.h"
#include "PanelCommands.h"
#include "PanelHarness.h"
#include "StderrCapture.h"
#include "ViscaEmulator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSlider>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <sys/socket.h>

namespace {

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

struct Answer
{
    int status = 0;
    QJsonObject body;
    QByteArray allow;
};

} // namespace

class tst_Http : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void endpoints_data();
    void endpoints();
    void tokenRule();
    void hostOnTheDefaultPort();
    void silentClientStopsTheCamera();
    void malformedRequestsChangeNothing();
    void presetThatCannotBeKept();
    void presetsByNameAndSpeed();
    void positionOfACameraThatStoppedAnswering();

private:
    // The panel again, with the cameras the harness `make` makes.
    template <typename Make> bool restart(Make make);
    Answer call(const QByteArray &method, const QString &path, const QByteArray &body = {},
                const QByteArray &authorization = {});
    bool startServer(const QString &token = {});

    std::unique_ptr<PanelHarness> h;
    std::unique_ptr<PanelCommands> panel;
    std::unique_ptr<HttpApi> api;
    QNetworkAccessManager network;
    int port = 0;
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
};

void tst_Http::init()
{
    h = std::make_unique<PanelHarness>();
    QVERIFY(h->start());
    panel = std::make_unique<PanelCommands>(h->window());
    QVERIFY(startServer());
}

void tst_Http::cleanup()
{
    api.reset();
    panel.reset();
    h.reset();
    qunsetenv("CAMERACTRL_VISCA");
    qputenv("XDG_CONFIG_HOME", config);
}

template <typename Make> bool tst_Http::restart(Make make)
{
    cleanup();
    h = make();
    if (!h->start())
        return false;
    panel = std::make_unique<PanelCommands>(h->window());
    return startServer();
}

bool tst_Http::startServer(const QString &token)
{
    api = std::make_unique<HttpApi>(*panel);
    port = freePort();
    return api->start("127.0.0.1", port, token).isEmpty();
}

Answer tst_Http::call(const QByteArray &method, const QString &path, const QByteArray &body,
                      const QByteArray &authorization)
{
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    if (!authorization.isEmpty())
        request.setRawHeader("Authorization", authorization);
    QNetworkReply *reply = network.sendCustomRequest(request, method, body);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished() && !finished.wait(10000))
        return {};
    Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                  QJsonDocument::fromJson(reply->readAll()).object(), reply->rawHeader("Allow")};
    reply->deleteLater();
    return answer;
}

void tst_Http::endpoints_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("sent");
    const auto row = [](const char *name, const char *method, const char *path, const char *body,
                        int status, const QStringList &sent) {
        QTest::newRow(name) << QByteArray(method) << QString(path) << QByteArray(body) << status
                            << sent;
    };
    row("state", "GET", "/api/state", "", 200, {});
    row("cameras", "GET", "/api/cameras", "", 200, {});
    row("same camera", "POST", "/api/camera", R"({"index": 0})", 200, {});
    row("no such camera", "POST", "/api/camera", R"({"name": "Attic"})", 404, {});
    row("store", "POST", "/api/preset/store", R"({"preset": 4})", 200, {"SetPreset 4"});
    row("recall", "POST", "/api/preset/recall", R"({"preset": 4})", 200, {"CallPreset 4"});
    row("clear", "POST", "/api/preset/clear", R"({"preset": 4})", 200, {"ClearPreset 4"});
    row("preset out of range", "POST", "/api/preset/store", R"({"preset": 256})", 400, {});
    // Bad input of the glides and names sends nothing.
    row("unknown preset name", "POST", "/api/preset/recall", R"({"preset": "Choir"})", 404, {});
    row("speed past 8", "POST", "/api/preset/recall", R"({"preset": 4, "speed": 9})", 400, {});
    row("speed 0", "POST", "/api/preset/recall", R"({"preset": 4, "speed": 0})", 400, {});
    row("too short a glide", "POST", "/api/preset/recall", R"({"preset": 4, "duration": 0.05})",
        400, {});
    row("too long a glide", "POST", "/api/preset/recall", R"({"preset": 4, "duration": 60.5})", 400,
        {});
    row("a duration as text", "POST", "/api/preset/recall", R"({"preset": 4, "duration": "2"})",
        400, {});
    row("speed and duration", "POST", "/api/preset/recall",
        R"({"preset": 4, "speed": 2, "duration": 2})", 400, {});
    row("a speed for a clear", "POST", "/api/preset/clear", R"({"preset": 4, "speed": 2})", 400,
        {});
    row("a glide to a preset never stored", "POST", "/api/preset/recall",
        R"({"preset": 4, "speed": 3})", 404, {});
    row("name", "POST", "/api/preset/name", R"({"preset": 4, "name": "Lectern"})", 200,
        {"WritePreset 4"});
    row("name too long", "POST", "/api/preset/name",
        R"({"preset": 4, "name": "12345678901234567890123456789012345678901234567890123456789012345"})",
        400, {});
    row("name with a control character", "POST", "/api/preset/name",
        R"({"preset": 4, "name": "Pul\u0007pit"})", 400, {});
    row("name that is a number", "POST", "/api/preset/name", R"({"preset": 4, "name": "12"})", 400,
        {});
    row("no name", "POST", "/api/preset/name", R"({"preset": 4})", 400, {});
    row("presets", "GET", "/api/presets", "", 200, {});
    row("home", "POST", "/api/home", "", 200, {"Home"});
    row("move", "POST", "/api/move", R"({"direction": "down", "speed": 2})", 200, {"TiltDown 4"});
    row("move nowhere", "POST", "/api/move", R"({"direction": "sideways"})", 400, {});
    row("zoom", "POST", "/api/zoom", R"({"direction": "out", "speed": 3})", 200, {"ZoomOut 3"});
    row("zoom too fast", "POST", "/api/zoom", R"({"direction": "in", "speed": 8})", 400, {});
    row("stop at rest", "POST", "/api/stop", "", 200,
        {"TiltUpStop", "TiltDownStop", "PanLeftStop", "PanRightStop", "ZoomStop"});
    row("set position", "POST", "/api/position", R"({"pan": 10, "tilt": -2})", 200,
        {"SetPanPosition 10", "SetTiltPosition -2"});
    row("position not a number", "POST", "/api/position", R"({"pan": "ten", "tilt": 0})", 400, {});
    // Past 16 bits, where a network camera would have wrapped it.
    row("position past the camera's", "POST", "/api/position", R"({"pan": 65636, "tilt": -65536})",
        400, {});
    row("read position", "GET", "/api/position", "", 200, {"AskPosition"});
    row("image", "GET", "/api/image", "", 200, {});
    // (The simulated camera's automatic white balance is still off here.)
    row("image key", "POST", "/api/image", R"({"whiteBalance": 5000})", 200,
        {"SetWhiteBalance 5000"});
    row("deprecated image key", "POST", "/api/image", R"({"white-balance": 5010})", 200,
        {"SetWhiteBalance 5010"});
    row("set image", "POST", "/api/image", R"({"brightness": 20, "whiteBalanceAuto": true})", 200,
        {"SetBrightness 20", "SetWhiteBalanceAuto 1"});
    row("image beyond the camera", "POST", "/api/image", R"({"brightness": 9999})", 400, {});
    row("no such image value", "POST", "/api/image", R"({"loudness": 3})", 400, {});
    row("reset image", "POST", "/api/image/reset", "", 200, {"RestoreImageDefaults"});
    row("anti-flicker off", "POST", "/api/image", R"({"flicker": "off"})", 200, {"SetFlicker 0"});
    row("not JSON", "POST", "/api/home", "{home", 400, {});
    row("unknown endpoint", "GET", "/api/nothing", "", 404, {});
    row("wrong method", "PUT", "/api/home", "", 405, {});
    row("read-only endpoint", "POST", "/api/state", "", 405, {});
}

void tst_Http::endpoints()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QStringList, sent);
    h->trace.take();
    const Answer answer = call(method, path, body);
    QCOMPARE(answer.status, status);
    QVERIFY(status == 200 ? !answer.body.contains("error") : answer.body.contains("error"));
    if (status == 405)
        QCOMPARE(answer.allow, QByteArray(path == "/api/state" ? "GET" : "POST"));
    QStringList lines = h->trace.take();
    lines.removeAll("ChangePresetno");
    QCOMPARE(lines, sent);
    if (path == "/api/state" && status == 200)
        QCOMPARE(answer.body.value("camera").toObject().value("name").toString(),
                 QString("Simulated PTZ camera"));
    if (body.contains("brightness") && status == 200)
        QCOMPARE(h->child<QSlider>("Slider_Brightness")->value(), 20);
    QCOMPARE(h->boxes.count(), 0);
}

void tst_Http::tokenRule()
{
    // Anywhere but the loopback only with a token.
    HttpApi open(*panel);
    QVERIFY(open.start("192.0.2.1", freePort(), {}).contains("--http-token"));
    QVERIFY(startServer("s3cret"));
    QCOMPARE(call("GET", "/api/state").status, 401);
    QCOMPARE(call("GET", "/api/state", {}, "Bearer s3cre").status, 401);
    QCOMPARE(call("GET", "/api/state", {}, "Bearer s3cret!").status, 401);
    QCOMPARE(call("POST", "/api/home", {}, "Basic s3cret").status, 401);
    QCOMPARE(call("GET", "/api/state", {}, "Bearer s3cret").status, 200);
    QCOMPARE(call("POST", "/api/home", {}, "Bearer s3cret").status, 200);
    QCOMPARE(
        call("POST", "/api/home", QByteArray(HttpApi::MaxBody + 1, ' '), "Bearer s3cret").status,
        413);
}

void tst_Http::hostOnTheDefaultPort()
{
    HttpApi onEighty(*panel);
    const QString why = onEighty.start("127.0.0.1", 80, {});
    if (!why.isEmpty())
        QSKIP(qPrintable(why));
    // Clients leave port 80 out of Host and Origin; the names stay the server's own.
    const auto status = [&](const QByteArray &host, const QByteArray &origin = {}) {
        HttpApi::Request request;
        request.method = "GET";
        request.host = host;
        request.origin = origin;
        return onEighty.screen(request).status;
    };
    QCOMPARE(status("127.0.0.1"), 0);
    QCOMPARE(status("localhost:80"), 0);
    QCOMPARE(status("localhost", "http://localhost"), 0);
    QCOMPARE(status("localhost", "http://localhost:8080"), 403);
    QCOMPARE(status("evil.example"), 403);
}

void tst_Http::silentClientStopsTheCamera()
{
    h->trace.take();
    QCOMPARE(call("POST", "/api/move", R"({"direction": "right"})").status, 200);
    QTest::qWait(1200);
    QCOMPARE(call("POST", "/api/keepalive").body.value("moving").toBool(), true);
    QTest::qWait(1200); // 2.4 s after the move, 1.2 s after the keep-alive
    QVERIFY(!h->trace.peek().contains("PanRightStop"));
    QTRY_VERIFY_WITH_TIMEOUT(h->trace.peek().contains("PanRightStop"), 3000);
    QCOMPARE(call("POST", "/api/keepalive").body.value("moving").toBool(), false);
}

void tst_Http::malformedRequestsChangeNothing()
{
    QRandomGenerator random(20261208);
    // Requests that get past the host and type checks, to reach what lies behind them.
    const QByteArray own =
        "Host: 127.0.0.1:" + QByteArray::number(port) + "\r\nContent-Type: application/json\r\n";
    const QList<QByteArray> starts = {
        "GET /api/state HTTP/1.1\r\nHost: x\r\n\r\n",
        "POST /api/move HTTP/1.1\r\n" + own + "Content-Length: 5\r\n\r\n{\"dir",
        "POST /api/image HTTP/1.1\r\n" + own + "Content-Length: 999999999\r\n\r\n{}",
        "POST /api/image HTTP/1.1\r\n" + own + "Transfer-Encoding: chunked\r\n\r\nffffff\r\n",
        "GET /api/../../etc/passwd HTTP/1.1\r\n" + own + "\r\n",
        "GET /%00%ff%2e HTTP/1.0\r\n" + own + "\r\n",
        "BREW /api/state HTTP/1.1\r\n" + own + "\r\n",
        "GET /api/state HTTP/9.9\r\n" + own + QByteArray(40000, 'A') + "\r\n\r\n",
        "POST /api/preset/recall HTTP/1.1\r\n" + own +
            "Content-Length: 14\r\n\r\n{\"preset\":-1e9}",
        "POST /api/image HTTP/1.1\r\n" + own +
            "Content-Length: 30\r\n\r\n{\"brightness\":1e308,\"x\":[[[[",
    };
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes = starts.at(random.bounded(starts.size()));
        switch (random.bounded(4)) {
        case 0: // cut short anywhere
            bytes.truncate(random.bounded(bytes.size() + 1));
            break;
        case 1: // noise
            bytes.resize(random.bounded(1, 600));
            for (char &c : bytes)
                c = char(random.bounded(256));
            break;
        case 2: // a byte flipped
            bytes[random.bounded(bytes.size())] = char(random.bounded(256));
            break;
        default:
            break;
        }
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, quint16(port));
        QSignalSpy connected(socket.get(), &QTcpSocket::connected);
        if (!connected.wait(1000))
            continue;
        socket->write(bytes);
        if (i % 400 == 0) {
            slow.push_back(std::move(socket)); // a client that says no more and stays
            continue;
        }
        // Whatever the server makes of it, within a moment; then the client is gone.
        QSignalSpy answered(socket.get(), &QTcpSocket::readyRead);
        answered.wait(10);
        const linger reset = {1, 0};
        setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        socket->abort();
    }
    slow.clear();
    // Connections left mid-request are dropped at the server's 10 s time-out.
    Answer answer;
    QTRY_VERIFY_WITH_TIMEOUT((answer = call("GET", "/api/state")).status == 200, 30000);
    QVERIFY(answer.body.value("connected").toBool());
    QCOMPARE(h->boxes.count(), 0);
}

void tst_Http::presetThatCannotBeKept()
{
    // A camera without a preset memory of its own, and a configuration "directory" that is a
    // file: no preset can be written, and each time is said.
    QTemporaryFile notADirectory;
    QVERIFY(notADirectory.open());
    QVERIFY(restart([&] {
        qputenv("XDG_CONFIG_HOME", notADirectory.fileName().toLocal8Bit());
        return std::make_unique<PanelHarness>(std::initializer_list<std::pair<QString, QByteArray>>{
            {"a.cam", "name=Desk\npresets=library\n"}});
    }));
    StderrCapture err;
    for (int i = 0; i < 2; ++i) {
        const Answer answer = call("POST", "/api/preset/store", R"({"preset": 2})");
        QCOMPARE(answer.status, 500);
        QVERIFY(answer.body.value("error").toString().contains("could not store preset 2"));
    }
    QTRY_COMPARE(err.text().count("is not stored: cannot write"), 2);
}

void tst_Http::presetsByNameAndSpeed()
{
    // Stored and named over HTTP, a preset is listed, shows on its key, and glides by name.
    QVERIFY(restart([] {
        return std::make_unique<PanelHarness>(
            std::initializer_list<std::pair<QString, QByteArray>>{{"g.cam", "name=Glider\n"}});
    }));
    QVERIFY(call("POST", "/api/position", R"({"pan": 100, "tilt": 30})").status == 200);
    QCOMPARE(call("POST", "/api/preset/store", R"({"preset": 3, "speed": 8})").status, 200);
    QCOMPARE(call("POST", "/api/preset/name", R"({"preset": 3, "name": "Pulpit"})").status, 200);
    // One name, one preset.
    QCOMPARE(call("POST", "/api/preset/name", R"({"preset": 5, "name": "pulpit"})").status, 400);
    const Answer listed = call("GET", "/api/presets");
    QCOMPARE(listed.status, 200);
    const QJsonArray presets = listed.body.value("presets").toArray();
    QCOMPARE(presets.size(), 1);
    const QJsonObject pulpit = presets.first().toObject();
    QCOMPARE(pulpit.value("preset").toInt(), 3);
    QCOMPARE(pulpit.value("name").toString(), QString("Pulpit"));
    QCOMPARE(pulpit.value("stored").toBool(), true);
    QCOMPARE(pulpit.value("pan").toInt(), 100);
    QCOMPARE(pulpit.value("tilt").toInt(), 30);
    QCOMPARE(pulpit.value("speed").toInt(), 8);
    QWidget *key = h->child<QWidget>("BT_3");
    QVERIFY(key->toolTip().contains("Pulpit"));
    QVERIFY(key->property("stored").toBool());
    QVERIFY(!h->child<QWidget>("BT_4")->property("stored").toBool());

    QVERIFY(call("POST", "/api/position", R"({"pan": -100, "tilt": 0})").status == 200);
    h->trace.take();
    QCOMPARE(call("POST", "/api/preset/recall", R"({"preset": "Pulpit", "duration": 1})").status,
             200);
    QTRY_VERIFY(h->trace.peek().filter("SetPanTiltPosition").size() >= 20);
    QTest::qWait(100);
    const QStringList steps = h->trace.take().filter("SetPanTiltPosition");
    QCOMPARE(steps.size(), 20);
    QVERIFY(steps.last().startsWith("SetPanTiltPosition 100 30 "));
    // Cleared, it is no longer stored, nor named.
    QCOMPARE(call("POST", "/api/preset/clear", R"({"preset": "Pulpit"})").status, 200);
    QVERIFY(!key->property("stored").toBool());
    QCOMPARE(call("GET", "/api/presets").body.value("presets").toArray().size(), 0);
}

void tst_Http::positionOfACameraThatStoppedAnswering()
{
    ViscaEmulator camera;
    camera.change([](ViscaEmulator::Behaviour &b) {
        b.pan = 100;
        b.tilt = -20;
    });
    QVERIFY(restart([&] {
        qputenv("CAMERACTRL_VISCA", QByteArray::fromStdString(camera.line("Stage", false)));
        return std::make_unique<PanelHarness>(PanelHarness::NoCamera);
    }));
    Answer answer;
    QTRY_VERIFY_WITH_TIMEOUT((answer = call("GET", "/api/position")).status == 200, 10000);
    QCOMPARE(answer.body.value("pan").toInt(), 100);
    camera.change([](ViscaEmulator::Behaviour &b) { b.silent = true; });
    // Once the panel knows the camera does not answer, what it read before is no position.
    QTRY_VERIFY_WITH_TIMEOUT((answer = call("GET", "/api/position")).status == 503, 10000);
    QVERIFY(!answer.body.contains("pan"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(call("GET", "/api/position").status, 503);
    QVERIFY(!call("GET", "/api/state").body.contains("position"));
}

QTEST_MAIN(tst_Http)
#include "tst_http.moc"
