// SPDX-License-Identifier: GPL-2.0-or-later
// The outline every camera worker shares, through the smallest backend on it: named jobs over
// a wire that can be held like a camera busy with a request. What goes out, and in which
// order, is what reached that wire.
#include "CameraWorker.h"

#include <QtTest>

#include <poll.h>

#include <algorithm>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct ToyJob
{
    std::string name;
    bool position = false;
    Clock::time_point heldUntil;
};

class ToyWorker : public CameraWorker<ToyJob>
{
public:
    explicit ToyWorker(bool zooms = true) : zooms(zooms) { start(); }
    ~ToyWorker() override { stop(); }

    // "job a", "held a" (a pan waiting for its tilt), "keep a" (kept on close), "pan 3",
    // "tilt -1", "zoom 2".
    void ask(const std::string &step)
    {
        const auto space = step.find(' ');
        const std::string verb = step.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : step.substr(space + 1);
        if (verb == "pan" || verb == "tilt" || verb == "zoom") {
            setSpeed(verb == "pan" ? 0 : verb == "tilt" ? 1 : 2, std::stoi(rest));
        } else {
            const std::lock_guard<std::mutex> lock(mutex);
            if (finishing)
                return;
            ToyJob job;
            job.name = verb == "keep" ? "keep " + rest : rest;
            if (verb == "held")
                job.heldUntil = Clock::now() + PairWait;
            jobs.push_back(job);
        }
        wakeup.wake();
    }

    // The wire: while held, the request on it does not end.
    void hold()
    {
        const std::lock_guard<std::mutex> lock(wireMutex);
        holding = true;
    }
    void release()
    {
        const std::lock_guard<std::mutex> lock(wireMutex);
        holding = false;
        wire.notify_all();
    }
    bool onTheWire(const std::string &what)
    {
        std::unique_lock<std::mutex> lock(wireMutex);
        return wire.wait_for(lock, 2s, [&] { return pending == what; });
    }
    std::vector<std::string> log()
    {
        const std::lock_guard<std::mutex> lock(wireMutex);
        return sentLog;
    }
    bool waiting(const std::string &name)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return std::any_of(jobs.begin(), jobs.end(),
                           [&](const ToyJob &job) { return job.name == name; });
    }
    void refuseNext()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        refused = true;
    }

private:
    void run() override
    {
        for (;;) {
            ToyJob job;
            Motion::Drive drive = Motion::PanTilt;
            Clock::time_point held;
            Turn turn = Turn::Rest;
            std::string message;
            int timeoutMs = -1;
            {
                const std::lock_guard<std::mutex> lock(mutex);
                const Clock::time_point now = Clock::now();
                if (finishing && lettingGo(now))
                    break;
                turn = order(job, drive, held);
                if (turn == Turn::Drive) {
                    const bool zoom = drive == Motion::Zoom;
                    for (std::size_t a = zoom ? 2 : 0; a < (zoom ? 3u : 2u); ++a)
                        sent.speed[a] = wanted.speed[a];
                    message = zoom ? "zoom " + std::to_string(sent.speed[2])
                                   : "pantilt " + std::to_string(sent.speed[0]) + " " +
                                         std::to_string(sent.speed[1]);
                } else if (turn == Turn::Rest && held == Clock::time_point()) {
                    idle();
                    if (!read) {
                        read = true;
                        changed.notify_all();
                    }
                }
                const auto until = held != Clock::time_point() ? held
                                   : finishing                 ? closedAt + Reopening
                                                               : Clock::time_point();
                if (until != Clock::time_point())
                    timeoutMs = std::max(
                        1, int(std::chrono::ceil<std::chrono::milliseconds>(until - now).count()));
            }
            if (turn == Turn::Drive) {
                transmit(message);
            } else if (turn == Turn::RunJob) {
                transmit(job.name);
                if (job.position) {
                    const std::lock_guard<std::mutex> lock(mutex);
                    positionDone(true);
                }
                changed.notify_all();
            } else {
                pollfd woken = {wakeup.fd(), POLLIN, 0};
                if (::poll(&woken, 1, timeoutMs) > 0)
                    wakeup.drain();
            }
        }
        done = true;
    }
    ToyJob positionJob() const override
    {
        ToyJob job;
        job.name = "position";
        job.position = true;
        return job;
    }
    bool readsPosition(const ToyJob &job) const override { return job.position; }
    bool keptOnClose(const ToyJob &job) const override { return job.name.rfind("keep", 0) == 0; }
    Ready readyToDrive(Motion::Drive drive) override
    {
        return drive == Motion::Zoom && !zooms ? Ready::Cannot : Ready::Go;
    }

    void transmit(const std::string &message)
    {
        std::unique_lock<std::mutex> lock(wireMutex);
        pending = message;
        wire.notify_all();
        wire.wait(lock, [this] { return !holding; });
        sentLog.push_back(message);
        pending.clear();
    }

    const bool zooms;
    std::mutex wireMutex;
    std::condition_variable wire;
    bool holding = false;
    std::string pending;
    std::vector<std::string> sentLog;
};

std::vector<std::string> toStd(const QStringList &list)
{
    std::vector<std::string> out;
    for (const QString &s : list)
        out.push_back(s.toStdString());
    return out;
}

} // namespace

class tst_CameraWorker : public QObject
{
    Q_OBJECT

private slots:
    void order_data();
    void order();
    void heldPanHoldsWhatFollows();
    void closeAndReopen_data();
    void closeAndReopen();
    void positionReadOnceForAllWhoAsk();
    void refusalToldOnceAndCloseEndsWaits();
};

void tst_CameraWorker::order_data()
{
    QTest::addColumn<QStringList>("before");    // sent and done with
    QTest::addColumn<QStringList>("whileBusy"); // asked while "busy" is on the wire
    QTest::addColumn<QStringList>("sent");      // what follows it
    QTest::addColumn<bool>("zooms");

    QTest::newRow("jobs in the order asked")
        << QStringList{} << QStringList{"job a", "job b", "job c"} << QStringList{"a", "b", "c"}
        << true;
    QTest::newRow("a stop goes ahead of the jobs")
        << QStringList{"pan 3"} << QStringList{"job a", "pan 0"} << QStringList{"pantilt 0 0", "a"}
        << true;
    QTest::newRow("a change of direction too")
        << QStringList{"zoom 2"} << QStringList{"job a", "zoom -2"} << QStringList{"zoom -2", "a"}
        << true;
    QTest::newRow("a start too") << QStringList{} << QStringList{"job a", "tilt -4"}
                                 << QStringList{"pantilt 0 -4", "a"} << true;
    QTest::newRow("a change of speed waits for the jobs")
        << QStringList{"pan 3"} << QStringList{"job a", "pan 5", "job b"}
        << QStringList{"a", "b", "pantilt 5 0"} << true;
    QTest::newRow("pan and tilt go out together, zoom on its own")
        << QStringList{} << QStringList{"pan 2", "zoom 1", "tilt 3"}
        << QStringList{"pantilt 2 3", "zoom 1"} << true;
    QTest::newRow("only the latest speed goes")
        << QStringList{"pan 3"} << QStringList{"pan 4", "pan 6", "pan 5"}
        << QStringList{"pantilt 5 0"} << true;
    QTest::newRow("a zoom the camera cannot do is dropped")
        << QStringList{} << QStringList{"zoom 2", "job a", "pan 1"}
        << QStringList{"pantilt 1 0", "a"} << false;
}

void tst_CameraWorker::order()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, whileBusy);
    QFETCH(QStringList, sent);
    QFETCH(bool, zooms);

    ToyWorker worker(zooms);
    for (const QString &step : before)
        worker.ask(step.toStdString());
    QVERIFY(worker.waitUntilSent(2000ms));
    const size_t settled = worker.log().size();

    worker.hold();
    worker.ask("job busy");
    QVERIFY(worker.onTheWire("busy"));
    for (const QString &step : whileBusy)
        worker.ask(step.toStdString());
    worker.release();
    QVERIFY(worker.waitUntilSent(2000ms));

    const auto log = worker.log();
    QCOMPARE(std::vector<std::string>(log.begin() + long(settled) + 1, log.end()), toStd(sent));
}

void tst_CameraWorker::heldPanHoldsWhatFollows()
{
    // It waits its while, and what follows it waits with it, the camera's reading too; a stop
    // does not.
    ToyWorker worker;
    worker.ask("pan 3");
    QVERIFY(worker.waitUntilSent(2000ms));
    const auto start = Clock::now();
    worker.ask("held pan");
    worker.ask("job after");
    worker.ask("pan 0");
    QVERIFY(!worker.waitUntilSent(
        std::chrono::duration_cast<std::chrono::milliseconds>(ToyWorker::PairWait / 3)));
    QVERIFY(worker.waitUntilSent(2000ms));
    QVERIFY(Clock::now() - start >= ToyWorker::PairWait);
    const auto log = worker.log();
    QCOMPARE(std::vector<std::string>(log.end() - 3, log.end()),
             (std::vector<std::string>{"pantilt 0 0", "pan", "after"}));
}

void tst_CameraWorker::closeAndReopen_data()
{
    QTest::addColumn<int>("afterMs");
    QTest::addColumn<bool>("resumed");

    QTest::newRow("at once") << 0 << true;
    QTest::newRow("within the moment") << 300 << true;
    QTest::newRow("after it") << int(std::chrono::milliseconds(ToyWorker::Reopening).count() + 400)
                              << false;
}

void tst_CameraWorker::closeAndReopen()
{
    QFETCH(int, afterMs);
    QFETCH(bool, resumed);

    ToyWorker worker;
    worker.ask("pan 3");
    worker.ask("zoom 2");
    QVERIFY(worker.waitUntilSent(2000ms));
    worker.hold();
    worker.ask("job busy");
    QVERIFY(worker.onTheWire("busy"));
    worker.ask("job dropped");
    worker.ask("keep preset");
    worker.finish();
    worker.ask("job too late");
    worker.release();

    QTest::qWait(afterMs);
    QCOMPARE(worker.resume(), resumed);
    QTRY_COMPARE_WITH_TIMEOUT(worker.finished(), !resumed, 3000);
    if (resumed)
        QVERIFY(worker.waitUntilSent(2000ms));
    auto log = worker.log();
    log.erase(log.begin(), std::find(log.begin(), log.end(), "busy") + 1);
    QCOMPARE(log, (std::vector<std::string>{"pantilt 0 0", "zoom 0", "keep preset"}));
}

void tst_CameraWorker::positionReadOnceForAllWhoAsk()
{
    ToyWorker worker;
    QVERIFY(worker.waitUntilRead(2000ms));
    worker.hold();
    worker.ask("job busy");
    QVERIFY(worker.onTheWire("busy"));
    bool first = false;
    std::thread other([&] { first = worker.refreshPosition(0ms, 3000ms); });
    QTRY_VERIFY(worker.waiting("position"));
    const bool second = worker.refreshPosition(0ms, 100ms); // not read yet
    worker.release();
    other.join();
    QVERIFY(first);
    QVERIFY(!second);
    QVERIFY(worker.refreshPosition(10000ms, 0ms)); // fresh: nothing asked
    const auto log = worker.log();
    QCOMPARE(long(std::count(log.begin(), log.end(), "position")), 1L);

    worker.finish();
    QVERIFY(!worker.refreshPosition(10000ms, 1000ms));
}

void tst_CameraWorker::refusalToldOnceAndCloseEndsWaits()
{
    ToyWorker worker;
    worker.ask("job a");
    worker.refuseNext();
    QVERIFY(!worker.waitUntilSent(2000ms));
    worker.ask("job b");
    QVERIFY(worker.waitUntilSent(2000ms));

    // A close lets whoever waits go, though the camera is still busy.
    worker.hold();
    worker.ask("job busy");
    QVERIFY(worker.onTheWire("busy"));
    worker.ask("job c");
    auto waited = std::async(std::launch::async, [&] { return worker.waitUntilSent(10000ms); });
    QTest::qWait(50);
    worker.finish();
    QCOMPARE(waited.wait_for(5s), std::future_status::ready);
    worker.release();
}

QTEST_GUILESS_MAIN(tst_CameraWorker)
#include "tst_cameraworker.moc"
