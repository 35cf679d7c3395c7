// The HTTP API under load: a client on another thread sends image values as fast as the
// panel answers, over one keep-alive connection for 10 s, while the window's event loop
// ticks every millisecond. Reports the time from a request going out to its answer (the
// device call is made before the answer), requests a second, and the loop's longest stall.
#include "BenchSupport.h"
#include "HttpApi.h"
#include "MainWindow.h"
#include "PanelCommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTimer>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// One keep-alive connection: request, whole answer, again. Latencies in microseconds.
std::vector<double> load(int port, std::chrono::seconds length)
{
    std::vector<double> latencies;
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        return latencies;
    const auto end = std::chrono::steady_clock::now() + length;
    char buffer[4096];
    for (int n = 0; std::chrono::steady_clock::now() < end; ++n) {
        const std::string body = "{\"brightness\": " + std::to_string(n % 256) + "}";
        const std::string request = "POST /api/image HTTP/1.1\r\nHost: bench\r\nContent-Length: " +
                                    std::to_string(body.size()) + "\r\n\r\n" + body;
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
    HttpApi api(panel);
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

    std::printf("requests answered in 10 s      %zu (%.0f a second)\n", latencies.size(),
                latencies.size() / 10.0);
    std::printf("request to answer, median      %.3f ms\n",
                Bench::percentile(latencies, 0.5) / 1000);
    std::printf("request to answer, p99         %.3f ms\n",
                Bench::percentile(latencies, 0.99) / 1000);
    std::printf("window's longest stall         %lld ms\n", static_cast<long long>(longest));
    const bool ok = !latencies.empty() && longest <= 50;
    std::printf("%s\n", ok ? "all targets met" : "a target was missed");
    return ok ? 0 : 1;
}
