// SPDX-License-Identifier: GPL-2.0-or-later
// The HTTP API under load, while the window's event loop ticks every millisecond.
// First a client on another thread sends image values as fast as the panel answers, over one
// keep-alive connection for 10 s: the time from a request going out to its answer (the device
// call is made before the answer), requests a second, and the loop's longest stall.
// Then a burst: 200 connections held open (half with half a request) and 1000 junk ones,
// each gone at once, while another client asks for the state on a fresh connection every
// 20 ms: how those are answered during the burst (200, or 503 while the held ones fill the
// server), how fast, when the first 200 comes after the held ones, and the loop's stall.
#include "BenchSupport.h"
#include "HttpModule.h"
#include "MainWindow.h"
#include "PanelCommands.h"
#include "PrivateModule.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTimer>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

int connectTo(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

std::string host(int port)
{
    return "Host: 127.0.0.1:" + std::to_string(port) + "\r\n";
}

// One request on a fresh connection: its status (0 none within 10 s) and the time it took.
int ask(int port, double &micros)
{
    const auto sent = std::chrono::steady_clock::now();
    const int fd = connectTo(port);
    if (fd < 0)
        return 0;
    const timeval limit = {10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    const std::string request = "GET /api/state HTTP/1.1\r\n" + host(port) + "\r\n";
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    char buffer[64] = {};
    const ssize_t got = recv(fd, buffer, sizeof buffer - 1, 0);
    close(fd);
    micros =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - sent).count();
    return got > 12 ? std::atoi(buffer + 9) : 0;
}

// One keep-alive connection: request, whole answer, again. Latencies in microseconds.
std::vector<double> load(int port, std::chrono::seconds length)
{
    std::vector<double> latencies;
    const int fd = connectTo(port);
    if (fd < 0)
        return latencies;
    const auto end = std::chrono::steady_clock::now() + length;
    char buffer[4096];
    for (int n = 0; std::chrono::steady_clock::now() < end; ++n) {
        const std::string body = "{\"brightness\": " + std::to_string(n % 256) + "}";
        const std::string request =
            "POST /api/image HTTP/1.1\r\n" + host(port) +
            "Content-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\n\r\n" + body;
        const auto sent = std::chrono::steady_clock::now();
        if (write(fd, request.data(), request.size()) != ssize_t(request.size()))
            break;
        std::string answer;
        size_t expected = std::string::npos;
        while (expected == std::string::npos || answer.size() < expected) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got <= 0)
                return latencies;
            answer.append(buffer, size_t(got));
            const size_t headers = answer.find("\r\n\r\n");
            const size_t length = answer.find("Content-Length: ");
            if (headers != std::string::npos && length != std::string::npos)
                expected = headers + 4 + std::stoul(answer.substr(length + 16));
        }
        latencies.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - sent)
                .count());
    }
    close(fd);
    return latencies;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("CAMERACTRL_BACKEND", "sim");
    qunsetenv("CAMERACTRL_SIM_DIR");
    qunsetenv("CAMERACTRL_TRACE");
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    Bench::waitForCamera(window);

    PanelCommands panel(window);
    PrivateModule::setDirectoryForTesting(PTZ_MODULE_DIR);
    HttpModule api(panel);
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    if (!api.start("127.0.0.1", port, {}).isEmpty())
        return 1;

    std::vector<double> latencies;
    std::atomic<bool> done{false};
    std::thread client([&] {
        latencies = load(port, std::chrono::seconds(10));
        done = true;
    });
    qint64 longest = 0;
    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.restart());
        if (done)
            app.quit();
    });
    ticker.start(1);
    app.exec();
    client.join();

    // The burst, and a client asking all the while.
    using Clock = std::chrono::steady_clock;
    done = false;
    std::atomic<bool> burstOver{false};
    double burstSeconds = 0;
    std::vector<int> held;
    std::thread burst([&] {
        const auto start = Clock::now();
        const std::string half = "POST /api/home HTTP/1.1\r\n" + host(port).substr(0, 10);
        for (int i = 0; i < 200; ++i) {
            held.push_back(connectTo(port));
            if (i % 2)
                send(held.back(), half.data(), half.size(), MSG_NOSIGNAL);
        }
        for (int i = 0; i < 1000; ++i) {
            const int fd = connectTo(port);
            const std::string junk(size_t(1 + i % 60), char(i));
            send(fd, junk.data(), junk.size(), MSG_NOSIGNAL);
            close(fd);
        }
        burstSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        burstOver = true;
    });
    std::vector<double> during;
    int ok = 0, refused = 0, silent = 0;
    double untilServed = -1;
    std::thread asking([&] {
        Clock::time_point over;
        while (untilServed < 0) {
            double micros = 0;
            const bool wasOver = burstOver;
            const int status = ask(port, micros);
            if (wasOver && over == Clock::time_point())
                over = Clock::now();
            if (!wasOver) {
                during.push_back(micros);
                ok += status == 200;
                refused += status == 503;
                silent += status != 200 && status != 503;
            } else if (status == 200) {
                // Served again: at once, or once the held connections have timed out.
                untilServed = std::chrono::duration<double>(Clock::now() - over).count();
            }
            if (wasOver && Clock::now() - over > std::chrono::seconds(30))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        done = true;
    });
    const qint64 keepAliveStall = longest;
    longest = 0;
    sinceTick.restart();
    app.exec();
    const qint64 burstStall = longest;
    burst.join();
    asking.join();
    for (int fd : held)
        close(fd);

    std::printf("requests answered in 10 s      %zu (%.0f a second)\n", latencies.size(),
                latencies.size() / 10.0);
    std::printf("request to answer, median      %.3f ms\n",
                Bench::percentile(latencies, 0.5) / 1000);
    std::printf("request to answer, p99         %.3f ms\n",
                Bench::percentile(latencies, 0.99) / 1000);
    std::printf("window's longest stall         %lld ms\n", static_cast<long long>(keepAliveStall));
    std::printf("burst of 200 held + 1000 junk  %.2f s\n", burstSeconds);
    std::printf("asked during the burst         %zu: %d served, %d 503, %d unanswered\n",
                during.size(), ok, refused, silent);
    std::printf("answer during the burst, median / p99  %.3f ms / %.3f ms\n",
                Bench::percentile(during, 0.5) / 1000, Bench::percentile(during, 0.99) / 1000);
    std::printf("burst's end to a served request %.1f s\n", untilServed);
    std::printf("window's longest stall, burst  %lld ms\n", static_cast<long long>(burstStall));
    const bool met = !latencies.empty() && keepAliveStall <= 50 && silent == 0 &&
                     untilServed >= 0 && burstStall <= 50;
    std::printf("%s\n", met ? "all targets met" : "a target was missed");
    return met ? 0 : 1;
}
