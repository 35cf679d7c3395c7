// SPDX-License-Identifier: GPL-2.0-or-later
// Commands for network cameras that do not answer, while the window's event loop ticks every
// millisecond: a VISCA camera over TCP that refuses the connection and one over UDP that never
// answers, beside the simulated camera the window shows. Four command lines (as a later start
// hands them over) and four HTTP requests go to them at once, twice: the time each takes to
// give up, the first time (the camera just opened, waited for) and again (known not to
// answer), and the loop's longest stall meanwhile. Target: no stall over 16 ms.
#include "BenchSupport.h"
#include "HttpModule.h"
#include "MainWindow.h"
#include "PanelCommands.h"
#include "PrivateModule.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("CAMERACTRL_BACKEND", "sim");
    qunsetenv("CAMERACTRL_SIM_DIR");
    qunsetenv("CAMERACTRL_TRACE");
    QApplication app(argc, argv);
    QUdpSocket silent;
    silent.bind(QHostAddress(QHostAddress::LocalHost), 0);
    qputenv("CAMERACTRL_VISCA", QStringLiteral("Refusing, tcp, 127.0.0.1, %1; Silent, udp, "
                                               "127.0.0.1, %2")
                                    .arg(freePort())
                                    .arg(silent.localPort())
                                    .toUtf8());
    MainWindow window;
    window.show();
    Bench::waitForCamera(window);
    PanelCommands panel(window);
    PrivateModule::setDirectoryForTesting(PTZ_MODULE_DIR);
    HttpModule api(panel);
    const int port = freePort();
    if (!api.start("127.0.0.1", port, {}).isEmpty())
        return 1;

    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longest = std::max(longest, sinceTick.restart()); });

    const auto round = [&](std::vector<double> &gaveUp) {
        QElapsedTimer clock;
        clock.start();
        int left = 8;
        const auto done = [&] {
            gaveUp.push_back(double(clock.elapsed()));
            if (--left == 0)
                app.quit();
        };
        for (const char *camera : {"Silent", "Refusing", "Silent", "Refusing"})
            panel.runAll({"--on", camera, "--home"}, [&](const Outcome &) { done(); });
        std::vector<std::unique_ptr<QTcpSocket>> requests;
        for (const char *camera : {"Refusing", "Silent", "Refusing", "Silent"}) {
            requests.push_back(std::make_unique<QTcpSocket>());
            QTcpSocket *request = requests.back().get();
            QObject::connect(request, &QTcpSocket::readyRead, request, [request, &done] {
                request->disconnect();
                done();
            });
            const QByteArray body = "{\"camera\": \"" + QByteArray(camera) + "\"}";
            request->connectToHost(QHostAddress::LocalHost, quint16(port));
            request->write(
                "POST /api/home HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                "\r\nContent-Type: application/json\r\nContent-Length: " +
                QByteArray::number(body.size()) + "\r\n\r\n" + body);
        }
        sinceTick.start();
        ticker.start(1);
        app.exec();
        ticker.stop();
    };
    std::vector<double> first, again;
    round(first);
    const qint64 firstStall = longest;
    longest = 0;
    round(again);
    const qint64 againStall = longest;

    std::printf("8 commands, just opened: given up in %.0f .. %.0f ms\n",
                *std::min_element(first.begin(), first.end()),
                *std::max_element(first.begin(), first.end()));
    std::printf("window's longest stall meanwhile  %lld ms\n", static_cast<long long>(firstStall));
    std::printf("8 commands, known silent: given up in %.0f .. %.0f ms\n",
                *std::min_element(again.begin(), again.end()),
                *std::max_element(again.begin(), again.end()));
    std::printf("window's longest stall meanwhile  %lld ms\n", static_cast<long long>(againStall));
    const bool met = firstStall <= 16 && againStall <= 16;
    std::printf("%s\n", met ? "all targets met" : "a target was missed");
    return met ? 0 : 1;
}
