// SPDX-License-Identifier: GPL-2.0-or-later
// The real program's remote inputs against misuse and attack, over real sockets: what web pages
// can send to the loopback API, floods of junk and of idle or slow connections, junk on the
// local socket, another user's lock and socket, a panel that does not answer, a token that is
// not given on the command line, and --http for a panel that runs already.
#include "InstanceServer.h"
#include "TraceFile.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

int connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(quint16(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&to), sizeof to) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads until the server closes or a whole answer is in; false when neither happens in time.
bool readAnswer(int fd, QByteArray &answer, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const int headEnd = answer.indexOf("\r\n\r\n");
        const int at = answer.toLower().indexOf("content-length:");
        if (headEnd >= 0 && at >= 0 &&
            answer.size() >= headEnd + 4 + answer.mid(at + 15, 12).trimmed().split('\r')[0].toInt())
            return true;
        pollfd ready = {fd, POLLIN, 0};
        if (::poll(&ready, 1, int(std::max<qint64>(deadline.remainingTime(), 0))) <= 0)
            return false;
        char buffer[4096];
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            return got == 0 && !answer.isEmpty();
        answer.append(buffer, int(got));
    }
}

int statusOf(const QByteArray &answer)
{
    return answer.startsWith("HTTP/1.") ? answer.mid(9, 3).toInt() : 0;
}

// One request on a connection of its own: the status answered, 0 when none came.
int exchange(int port, const QByteArray &request, QByteArray *answer = nullptr)
{
    const int fd = connectTo(port);
    if (fd < 0)
        return 0;
    QByteArray got;
    ::send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL);
    readAnswer(fd, got, 10000);
    ::close(fd);
    if (answer)
        *answer = got;
    return statusOf(got);
}

QByteArray get(int port, const QByteArray &path = "/api/state")
{
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n\r\n";
}

// The server has closed this connection (it reads the end, or a reset).
bool closedByServer(int fd)
{
    pollfd ready = {fd, POLLIN, 0};
    if (::poll(&ready, 1, 0) <= 0)
        return false;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT)) > 0) {
    }
    return got == 0 || errno != EAGAIN;
}

struct Run
{
    int exitCode = -1;
    QString out, err;
};

// The real program, as the user starts it: its own runtime directory, the simulated camera
// and a trace.
class Panel
{
public:
    Panel()
    {
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("CAMERACTRL_BACKEND", "sim");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("CAMERACTRL_TRACE", trace.path());
        env.remove("CAMERACTRL_SIM_DIR");
    }
    ~Panel()
    {
        if (process.state() != QProcess::NotRunning) {
            ::kill(pid_t(process.processId()), SIGCONT);
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // Starts the panel; true once it answers on its local socket (and on `port`, if given).
    bool start(const QStringList &arguments = {}, int port = 0)
    {
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(PTZ_PANEL_PATH), arguments);
        if (!process.waitForStarted(5000)) {
            qWarning() << process.errorString();
            return false;
        }
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && process.state() == QProcess::Running) {
            QLocalSocket probe;
            probe.connectToServer(runtime.path() +
                                  QStringLiteral("/ptz-panel-%1.socket").arg(::getuid()));
            QByteArray state;
            // Up when it listens and has connected its camera, as a user's commands expect.
            if (probe.waitForConnected(200) && TraceFile::startedUp(trace.path()) &&
                (!port || (exchange(port, get(port), &state) == 200 &&
                           state.contains("\"connected\":true"))))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    // A later start of the program, in the same environment.
    Run run(const QStringList &arguments, const QProcessEnvironment &with = {})
    {
        QProcess start;
        QProcessEnvironment all = env;
        for (const QString &key : with.keys())
            all.insert(key, with.value(key));
        start.setProcessEnvironment(all);
        start.start(QStringLiteral(PTZ_PANEL_PATH), arguments);
        QSignalSpy finished(&start, SIGNAL(finished(int, QProcess::ExitStatus)));
        if (!start.waitForStarted(5000) || (finished.isEmpty() && !finished.wait(20000))) {
            const QString why = start.errorString();
            start.kill();
            start.waitForFinished(2000);
            return {-1, {}, why};
        }
        return {start.exitCode(), QString::fromLocal8Bit(start.readAllStandardOutput()),
                QString::fromLocal8Bit(start.readAllStandardError())};
    }

    QTemporaryDir runtime;
    TraceFile trace;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess process;
};

} // namespace

class tst_Misuse : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void webPagesAreRefused_data();
    void webPagesAreRefused();
    void floodsLeaveItServing();
    void slowClientsLeaveRoom();
    void silentCamerasLeaveItAnswering();
    void junkOnTheLocalSocket();
    void stoppedPanel();
    void lockLeftBehind();
    void httpForARunningPanel();
    void tokenWithoutTheCommandLine();
    void anotherUsersFiles_data();
    void anotherUsersFiles();

private:
    std::unique_ptr<Panel> panel; // with the HTTP API, for the tests that share it
    int port = 0;
};

void tst_Misuse::initTestCase()
{
    qRegisterMetaType<QProcess::ExitStatus>();
    port = freePort();
    panel = std::make_unique<Panel>();
    QVERIFY(panel->start({"--http", QString::number(port)}, port));
}

void tst_Misuse::cleanupTestCase()
{
    panel.reset();
}

void tst_Misuse::webPagesAreRefused_data()
{
    QTest::addColumn<QByteArray>("request"); // %PORT% stands for the port
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("sent"); // what reaches the camera, "" nothing
    const auto row = [](const char *name, const char *request, int status, const char *sent) {
        QTest::newRow(name) << QByteArray(request) << status << QString(sent);
    };
    const char *recall = "POST /api/preset/recall HTTP/1.1\r\nHost: 127.0.0.1:%PORT%\r\n";
    row("own address", "GET /api/state HTTP/1.1\r\nHost: 127.0.0.1:%PORT%\r\n\r\n", 200, "");
    row("localhost", "GET /api/state HTTP/1.1\r\nHost: LocalHost:%PORT%\r\n\r\n", 200, "");
    row("rebound name", "GET /api/state HTTP/1.1\r\nHost: evil.example:%PORT%\r\n\r\n", 403, "");
    row("other port", "GET /api/state HTTP/1.1\r\nHost: 127.0.0.1:1\r\n\r\n", 403, "");
    row("no host", "GET /api/state HTTP/1.0\r\n\r\n", 403, "");
    row("simple cross-site post",
        (QByteArray(recall) + "Origin: http://evil.example\r\nContent-Type: text/plain\r\n"
                              "Content-Length: 13\r\n\r\n{\"preset\": 3}")
            .constData(),
        403, "");
    row("text without origin",
        (QByteArray(recall) + "Content-Type: text/plain\r\nContent-Length: 13\r\n\r\n"
                              "{\"preset\": 3}")
            .constData(),
        403, "");
    row("form",
        (QByteArray(recall) + "Content-Type: application/x-www-form-urlencoded\r\n"
                              "Content-Length: 13\r\n\r\n{\"preset\": 3}")
            .constData(),
        403, "");
    row("no content type",
        (QByteArray(recall) + "Content-Length: 13\r\n\r\n{\"preset\": 3}").constData(), 403, "");
    row("empty body of a page",
        "POST /api/home HTTP/1.1\r\nHost: 127.0.0.1:%PORT%\r\nOrigin: http://evil.example\r\n"
        "Content-Length: 0\r\n\r\n",
        403, "");
    row("sandboxed page",
        "POST /api/home HTTP/1.1\r\nHost: 127.0.0.1:%PORT%\r\nOrigin: null\r\n\r\n", 403, "");
    row("preflight",
        "OPTIONS /api/home HTTP/1.1\r\nHost: 127.0.0.1:%PORT%\r\n"
        "Origin: http://evil.example\r\nAccess-Control-Request-Method: POST\r\n\r\n",
        403, "");
    row("own page, JSON",
        (QByteArray(recall) + "Origin: http://localhost:%PORT%\r\nContent-Type: application/json; "
                              "charset=utf-8\r\nContent-Length: 13\r\n\r\n{\"preset\": 3}")
            .constData(),
        404, "CallPreset 3"); // sent, and not stored
    row("command-line client",
        "POST /api/home HTTP/1.1\r\nHost: 127.0.0.1:%PORT%\r\nContent-Length: 0\r\n\r\n", 200,
        "Home");
}

void tst_Misuse::webPagesAreRefused()
{
    QFETCH(QByteArray, request);
    QFETCH(int, status);
    QFETCH(QString, sent);
    panel->trace.take();
    QByteArray answer;
    QCOMPARE(exchange(port, request.replace("%PORT%", QByteArray::number(port)), &answer), status);
    QVERIFY2(!answer.toLower().contains("access-control-"), answer.constData());
    // The answer is given once the command went out.
    const QStringList lines = panel->trace.take();
    QCOMPARE(lines.filter(QRegularExpression("^(Home|CallPreset)")),
             sent.isEmpty() ? QStringList() : QStringList{sent});
}

void tst_Misuse::floodsLeaveItServing()
{
    QRandomGenerator random(20261208);
    // One sending a byte now and then, some held open without a word, some with half a
    // request.
    const int slow = connectTo(port);
    const QByteArray slowly = get(port);
    std::vector<int> held;
    for (int i = 0; i < 200; ++i) {
        const int fd = connectTo(port);
        QVERIFY(fd >= 0);
        if (i % 2)
            ::send(fd, "POST /api/home HTTP/1.1\r\nHost: 127", 35, MSG_NOSIGNAL);
        held.push_back(fd);
    }
    // A thousand more, each gone at once: junk, cut requests, reset connections.
    for (int i = 0; i < 1000; ++i) {
        const int fd = connectTo(port);
        if (fd < 0)
            continue;
        QByteArray junk = i % 3 ? get(port).left(random.bounded(30)) : QByteArray(64, '\0');
        for (char &c : junk)
            c = i % 3 ? c : char(random.bounded(256));
        ::send(fd, junk.constData(), size_t(junk.size()), MSG_NOSIGNAL);
        if (i % 2) {
            const linger reset = {1, 0};
            setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        }
        ::close(fd);
    }

    // Answered all the while: refused for now, or served.
    const int during = exchange(port, get(port));
    QVERIFY2(during == 503 || during == 200, qPrintable(QString::number(during)));
    // Every held connection is told there is no room, or closed before it completes a request;
    // the slow one too, long before it is done.
    int refused = 0;
    for (int fd : held) {
        QByteArray answer;
        if (readAnswer(fd, answer, 0) && statusOf(answer) == 503)
            ++refused;
    }
    int sentSlowly = 0;
    QDeadlineTimer deadline(60000);
    std::vector<int> open = held;
    while (!open.empty() && !deadline.hasExpired()) {
        open.erase(std::remove_if(open.begin(), open.end(), closedByServer), open.end());
        if (sentSlowly < slowly.size() &&
            ::send(slow, slowly.constData() + sentSlowly, 1, MSG_NOSIGNAL) == 1)
            ++sentSlowly;
        QTest::qWait(500);
    }
    QVERIFY2(open.empty(), qPrintable(QStringLiteral("%1 held open").arg(open.size())));
    QVERIFY(refused > 0);
    QTRY_VERIFY_WITH_TIMEOUT(closedByServer(slow), 30000);
    QVERIFY(sentSlowly < slowly.size());
    for (int fd : held)
        ::close(fd);
    ::close(slow);

    // The listening socket is served again: many at once, each answered.
    QCOMPARE(exchange(port, get(port)), 200);
    std::vector<int> many;
    for (int i = 0; i < 100; ++i) {
        many.push_back(connectTo(port));
        ::send(many.back(), get(port).constData(), size_t(get(port).size()), MSG_NOSIGNAL);
    }
    int served = 0;
    for (int fd : many) {
        QByteArray answer;
        QVERIFY(readAnswer(fd, answer, 20000));
        QVERIFY(statusOf(answer) == 200 || statusOf(answer) == 503);
        served += statusOf(answer) == 200;
        ::close(fd);
    }
    QVERIFY(served > 0);
    QCOMPARE(panel->process.state(), QProcess::Running);
}

void tst_Misuse::slowClientsLeaveRoom()
{
    // Clients that send a header line now and then hold every connection the server takes;
    // a complete request makes room by closing the oldest of them, and is served.
    std::vector<int> slow;
    for (int i = 0; i < 200; ++i) {
        const int fd = connectTo(port);
        QVERIFY(fd >= 0);
        ::send(fd, "GET /api/state HTTP/1.1\r\n", 25, MSG_NOSIGNAL);
        slow.push_back(fd);
    }
    for (int round = 0; round < 3; ++round) {
        for (int fd : slow)
            ::send(fd, "X-Slow: 1\r\n", 11, MSG_NOSIGNAL | MSG_DONTWAIT);
        QCOMPARE(exchange(port, get(port)), 200);
    }
    // The first to come were let go, told why.
    QByteArray told;
    QVERIFY(readAnswer(slow.front(), told, 5000));
    QCOMPARE(statusOf(told), 503);
    for (int fd : slow)
        ::close(fd);
}

void tst_Misuse::silentCamerasLeaveItAnswering()
{
    // A network camera that refuses the connection and one that never answers, beside the
    // simulated one the window shows.
    QUdpSocket silent;
    QVERIFY(silent.bind(QHostAddress(QHostAddress::LocalHost), 0));
    Panel cameras;
    cameras.env.insert("CAMERACTRL_VISCA",
                       QStringLiteral("Refusing, tcp, 127.0.0.1, %1; Silent, udp, 127.0.0.1, %2")
                           .arg(freePort())
                           .arg(silent.localPort()));
    const int http = freePort();
    QVERIFY(cameras.start({"--http", QString::number(http)}, http));

    // Another client polls the state all the while.
    QList<int> polled;
    QElapsedTimer polling;
    polling.start();
    qint64 slowest = 0;
    QObject pollers; // gone, with whatever poll is still out, before what they fill
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *client = new QTcpSocket(&pollers);
        const qint64 asked = polling.elapsed();
        connect(client, &QTcpSocket::readyRead, client, [&, client, asked] {
            client->disconnect(); // the answer's first bytes carry its status
            polled << statusOf(client->readAll());
            slowest = std::max(slowest, polling.elapsed() - asked);
            client->deleteLater();
        });
        client->connectToHost(QHostAddress::LocalHost, quint16(http));
        client->write(get(http));
    });
    poll.start(20);

    // Four commands handed over and four HTTP requests for the two cameras, all at once.
    std::vector<std::unique_ptr<QProcess>> lines;
    for (const char *camera : {"Silent", "Refusing", "Silent", "Refusing"}) {
        lines.push_back(std::make_unique<QProcess>());
        lines.back()->setProcessEnvironment(cameras.env);
        lines.back()->start(QStringLiteral(PTZ_PANEL_PATH), {"--on", camera, "--home"});
    }
    QList<int> answered;
    std::vector<std::unique_ptr<QTcpSocket>> requests;
    for (const char *camera : {"Refusing", "Silent", "Refusing", "Silent"}) {
        requests.push_back(std::make_unique<QTcpSocket>());
        QTcpSocket *request = requests.back().get();
        connect(request, &QTcpSocket::readyRead, this, [&, request] {
            request->disconnect();
            answered << statusOf(request->readAll());
        });
        const QByteArray body = "{\"camera\": \"" + QByteArray(camera) + "\"}";
        request->connectToHost(QHostAddress::LocalHost, quint16(http));
        request->write("POST /api/home HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(http) +
                       "\r\nContent-Type: application/json\r\nContent-Length: " +
                       QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
    // The window's own camera is served meanwhile.
    const Run home = cameras.run({"--home"});
    QCOMPARE(home.exitCode, 0);
    const int polledMeanwhile = polled.size();
    QTRY_COMPARE_WITH_TIMEOUT(answered.size(), 4, 20000);
    for (const auto &line : lines) {
        QVERIFY(line->state() == QProcess::NotRunning || line->waitForFinished(20000));
        QCOMPARE(line->exitCode(), 1);
        QVERIFY(line->readAllStandardError().contains("does not answer"));
    }
    poll.stop();
    QCOMPARE(answered, QList<int>({503, 503, 503, 503}));
    QVERIFY(polledMeanwhile > 0);
    QVERIFY(!polled.isEmpty() && polled.count(200) == polled.size());
    qInfo("%d polls, the slowest answered in %lld ms", int(polled.size()), slowest);
    const QStringList sent = cameras.trace.lines();
    QCOMPARE(sent.count("Home"), 1); // the window's camera's, and none sent to the others
}

void tst_Misuse::junkOnTheLocalSocket()
{
    const QString socket =
        panel->runtime.path() + QStringLiteral("/ptz-panel-%1.socket").arg(::getuid());
    QRandomGenerator random(4096);
    QList<QByteArray> messages = {
        QByteArray::fromHex("01ffffffff"),                 // a huge count of arguments
        QByteArray::fromHex("0100000001fffffff0"),         // one huge argument
        QByteArray::fromHex("010000000100000003414243"),   // an argument of odd length
        QByteArray::fromHex("07000000010000000200410000"), // another version
        QByteArray::fromHex("01000000010000000200410000"), // trailing junk
    };
    for (int i = 0; i < 8; ++i) {
        QByteArray noise(4096, '\0');
        for (char &c : noise)
            c = char(random.bounded(256));
        messages << noise;
    }
    for (const QByteArray &message : messages) {
        QLocalSocket client;
        client.connectToServer(socket);
        QVERIFY(client.waitForConnected(5000));
        client.write(message);
        client.flush();
        // Whatever it makes of it, the panel lets this connection go.
        QVERIFY(client.state() == QLocalSocket::UnconnectedState ||
                client.waitForDisconnected(10000));
        QCOMPARE(panel->process.state(), QProcess::Running);
    }
    // One that says half and stays is let go too.
    QLocalSocket half;
    half.connectToServer(socket);
    QVERIFY(half.waitForConnected(5000));
    half.write(QByteArray::fromHex("0100000002"));
    QVERIFY(half.waitForDisconnected(20000));
    const Run list = panel->run({"--list"});
    QCOMPARE(list.exitCode, 0);
    QCOMPARE(list.out, QString("0 Simulated PTZ camera\tanswering\n"));
}

void tst_Misuse::stoppedPanel()
{
    Panel stopped;
    QVERIFY(stopped.start());
    QCOMPARE(::kill(pid_t(stopped.process.processId()), SIGSTOP), 0);
    const Run run = stopped.run({"--preset", "1"});
    ::kill(pid_t(stopped.process.processId()), SIGCONT);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("does not answer"), qPrintable(run.err));
    // Nor is it carried out behind the user's back once the panel goes on, or around it.
    const Run home = stopped.run({"--home"});
    QVERIFY2(home.exitCode == 0, qPrintable(home.err));
    const QStringList sent = stopped.trace.lines();
    QVERIFY(sent.contains("Home"));
    QCOMPARE(sent.count("CreateDevice 0"), 1); // the panel's, not a command's own
    QVERIFY(!sent.contains("CallPreset 1"));
}

void tst_Misuse::lockLeftBehind()
{
    // A panel that crashed leaves its lock file, naming a process number that may by then
    // be another program's that runs: here, this test's own.
    Panel panel;
    QTemporaryDir temp;
    QLockFile live(temp.filePath("live.lock"));
    QVERIFY(live.tryLock(0));
    QVERIFY(
        QFile::copy(temp.filePath("live.lock"),
                    panel.runtime.filePath(QStringLiteral("ptz-panel-%1.lock").arg(::getuid()))));
    QVERIFY(panel.start());
    const Run list = panel.run({"--list"});
    QVERIFY2(list.exitCode == 0, qPrintable(list.err));
    QCOMPARE(list.out, QString("0 Simulated PTZ camera\tanswering\n"));
}

void tst_Misuse::httpForARunningPanel()
{
    Panel running;
    QVERIFY(running.start());
    const int other = freePort();
    const Run started = running.run({"--http", QString::number(other)});
    QCOMPARE(started.exitCode, 0);
    QCOMPARE(exchange(other, get(other)), 200);
    const Run again = running.run({"--http", QString::number(freePort())});
    QCOMPARE(again.exitCode, 1);
    QVERIFY2(again.err.contains("serves its HTTP API already"), qPrintable(again.err));
}

void tst_Misuse::tokenWithoutTheCommandLine()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("token"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("s3cret\n");
    file.close();
    const auto ask = [](int at, const QByteArray &authorization) {
        QByteArray request =
            "GET /api/state HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(at) + "\r\n";
        if (!authorization.isEmpty())
            request += "Authorization: " + authorization + "\r\n";
        return exchange(at, request + "\r\n");
    };

    // Readable by others: refused, and nothing listens.
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    Panel open;
    const int refusedPort = freePort();
    const Run refused =
        open.run({"--http", QString::number(refusedPort), "--http-token-file", file.fileName()});
    QVERIFY2(refused.exitCode == 1, qPrintable(refused.err));
    QVERIFY2(refused.err.contains("may be read by others"), qPrintable(refused.err));
    QCOMPARE(exchange(refusedPort, get(refusedPort)), 0);

    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    Panel fromFile;
    const int filePort = freePort();
    QVERIFY(fromFile.start(
        {"--http", QString::number(filePort), "--http-token-file", file.fileName()}));
    QTRY_VERIFY(ask(filePort, {}) == 401);
    QCOMPARE(ask(filePort, "Bearer s3cre"), 401);
    QCOMPARE(ask(filePort, "bearer s3cret"), 200);
    QCOMPARE(ask(filePort, "BEARER  s3cret"), 200);

    Panel fromEnvironment;
    fromEnvironment.env.insert("PTZ_PANEL_HTTP_TOKEN", "t0ken");
    const int envPort = freePort();
    QVERIFY(fromEnvironment.start({"--http", QString::number(envPort)}));
    QTRY_VERIFY(ask(envPort, {}) == 401);
    QCOMPARE(ask(envPort, "Bearer t0ken"), 200);
}

void tst_Misuse::anotherUsersFiles_data()
{
    QTest::addColumn<QString>("planted"); // what another user left for us
    QTest::newRow("socket in our directory") << "socket";
    QTest::newRow("the directory itself") << "directory";
    QTest::newRow("lock in our directory") << "lock";
}

void tst_Misuse::anotherUsersFiles()
{
    QFETCH(QString, planted);
    if (::geteuid() != 0)
        QSKIP("needs root, to make files that belong to another user");
    Panel victim;
    QTemporaryDir temp;
    QString dir = victim.runtime.path();
    if (planted == "directory") {
        // Without XDG_RUNTIME_DIR the temporary directory is everybody's.
        victim.env.remove("XDG_RUNTIME_DIR");
        victim.env.insert("TMPDIR", temp.path());
        dir = temp.filePath(QStringLiteral("ptz-panel-%1").arg(::geteuid()));
        QVERIFY(QDir().mkdir(dir));
        QCOMPARE(::chmod(QFile::encodeName(dir).constData(), 0755), 0);
        QCOMPARE(::chown(QFile::encodeName(dir).constData(), Nobody, Nobody), 0);
    }
    const QString socket = dir + QStringLiteral("/ptz-panel-%1.socket").arg(::getuid());
    const QString lock = dir + QStringLiteral("/ptz-panel-%1.lock").arg(::getuid());
    QLocalServer attacker;
    if (planted != "lock") {
        attacker.setSocketOptions(QLocalServer::WorldAccessOption);
        QVERIFY(attacker.listen(socket));
        QCOMPARE(::chown(QFile::encodeName(socket).constData(), Nobody, Nobody), 0);
    } else {
        // As a live panel's lock looks: a process that runs, by its name.
        QLockFile live(temp.filePath("live.lock"));
        QVERIFY(live.tryLock(0));
        QFile from(temp.filePath("live.lock"));
        QVERIFY(from.open(QIODevice::ReadOnly));
        QFile to(lock);
        QVERIFY(to.open(QIODevice::WriteOnly));
        to.write(from.readAll());
        to.close();
        QCOMPARE(::chown(QFile::encodeName(lock).constData(), Nobody, Nobody), 0);
    }
    QSignalSpy reached(&attacker, &QLocalServer::newConnection);

    if (planted == "lock") {
        // Not honoured: the panel starts, and takes commands.
        QVERIFY(victim.start());
        QCOMPARE(victim.run({"--list"}).exitCode, 0);
        return;
    }
    const Run command = victim.run({"--list"});
    QVERIFY2(command.exitCode == 1, qPrintable(command.err));
    QVERIFY2(command.err.contains("belongs to another user"), qPrintable(command.err));
    QVERIFY(!command.out.contains("Simulated")); // nor ran without the panel it was meant for
    if (planted == "directory") {                // nor is a panel started there
        const Run start = victim.run({});
        QCOMPARE(start.exitCode, 1);
        QVERIFY2(start.err.contains("belongs to another user"), qPrintable(start.err));
    }
    QTest::qWait(100);
    QCOMPARE(reached.count(), 0);
    QVERIFY(!attacker.hasPendingConnections());
}

QTEST_MAIN(tst_Misuse)
#include "tst_misuse.moc"
