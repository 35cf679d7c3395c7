// SPDX-License-Identifier: GPL-2.0-or-later
// What the worker of every open camera keeps and does alike, whatever carries its requests:
// the one thread that talks to the camera, woken through a WakeEvent; the motion wanted and
// sent; the jobs waiting in the order asked, each of the backend's own `Job` type (which has a
// `heldUntil`: an absolute pan waiting for the tilt that usually follows); the one order in
// which all of it goes out; and the close that keeps the camera a moment (Reopening), so that
// opening it again goes on where it was.
//
// A backend derives from it with its Job, writes run() (the loop over its transport, asking
// order() what goes next) and the hooks below, calls start() at the end of its constructor
// and stop() first thing in its destructor, while its own members still stand.
#pragma once

#include "ChangeNotifier.h"
#include "Motion.h"
#include "Report.h"
#include "WakeEvent.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

template <typename Job> class CameraWorker
{
public:
    using Clock = std::chrono::steady_clock;

    CameraWorker(const CameraWorker &) = delete;
    CameraWorker &operator=(const CameraWorker &) = delete;
    virtual ~CameraWorker() = default; // the backend has stopped the thread

    // ---- For the caller's thread; none of these waits for the camera beyond its limit ----

    // Waits until the camera has been read, at most `limit`.
    bool waitUntilRead(std::chrono::milliseconds limit);
    void setSpeed(int axis, int speed); // Motion's axes; signed panel speed, 0 stops
    // Reads the position unless one was read within `freshness`, waiting at most `limit`.
    // False when the camera is gone, does not answer or its last reading failed; a reading
    // still on its way leaves the last one told standing.
    bool refreshPosition(std::chrono::milliseconds freshness, std::chrono::milliseconds limit);
    // Waits until everything asked so far has been sent, at most `limit`; false when it has
    // not, or the camera refused something since the last call, or is gone.
    bool waitUntilSent(std::chrono::milliseconds limit);
    // Queues `job` (whose Job has a `key`) in place of one of the same key still waiting;
    // dropped while closing or while the camera does not answer.
    void send(Job job);
    // An absolute move of pan and/or tilt as `job`: the axis left out goes where it was last
    // aimed, or else where it was seen (seenAt), or 0. A pan alone waits PairWait for a tilt
    // to go out with.
    void moveTo(std::optional<int> pan, std::optional<int> tilt, Job job);
    bool reachable() const;
    int32_t health() const; // HEALTH_...
    // Drops what waits (but for what keptOnClose), stops what moves and lets go of the
    // camera after Reopening; returns at once.
    void finish();
    // Takes back a finished camera that has not been let go: false when it has.
    bool resume();
    bool finished() const { return done; }
    // Some axis is asked to move.
    bool moving() const;

    static constexpr auto Reopening = std::chrono::seconds(1);
    static constexpr auto PairWait = std::chrono::milliseconds(150);
    // An answer later than this makes the camera slow, until this many come in time.
    static constexpr auto SlowAnswer = std::chrono::milliseconds(500);
    static constexpr int QuickAgain = 3;

protected:
    // What order() found to go next.
    enum class Turn
    {
        First,  // a hook asked for something to be done before
        Drive,  // the motion wanted for a drive
        RunJob, // the job at the front, taken out
        Rest    // nothing the user asked for can go now
    };
    // A hook's answer: whether a drive or a job can go now.
    enum class Ready
    {
        Go,
        First, // the backend has something to do before it (it remembers what)
        Cannot // a drive the camera cannot do: what was wanted of it is dropped
    };

    explicit CameraWorker(std::shared_ptr<ChangeNotifier> listener = nullptr)
        : notifier(std::move(listener))
    {}
    void start();
    void stop();

    // Under the lock. A stop or a change of direction first, then the jobs in order (one held
    // for its tilt holds those behind it: `held` says until when), then a change of speed.
    // Reading the camera is the backend's, once this finds the rest and there is no `held`.
    Turn order(Job &job, Motion::Drive &drive, Clock::time_point &held);
    // Under the lock: nothing the user asked for waits any more.
    void idle();
    // Under the lock, while finishing: true once the camera is to be let go.
    bool lettingGo(Clock::time_point now);
    // Under the lock: a reading of the position ended; `told`: with an answer.
    void positionDone(bool told);
    // The camera did not answer (`why`, if known): said once for `camera`, what waits is
    // dropped, the motion wanted too (a camera that comes back does not resume a motion of
    // before, nor miss the stop it could not be given), and what was sent forgotten. True the
    // first time, until it answers again.
    bool losing(const std::string &camera, const std::string &why);
    // The camera answered: true when it had not been answering.
    bool answering();
    // Under the lock: an answer came `took` after its request first went out.
    void answeredIn(Clock::duration took);
    // Tells the listener of `changes`, and of the camera's health when it is not what was
    // told last. A closed camera is nobody's news, unless it went away while open.
    void publish(uint32_t changes);

    virtual void run() = 0;
    // Under the lock.
    virtual Job positionJob() const = 0;
    virtual bool readsPosition(const Job &job) const = 0;
    virtual bool keptOnClose(const Job &) const { return false; }
    virtual Ready readyToDrive(Motion::Drive) { return Ready::Go; }
    virtual bool readyToRun(const Job &) { return true; } // false: something first
    // Under the lock, as `job` is queued: what it sets shows before the camera has it.
    virtual void taking(const Job &) {}
    // Under the lock: where an axis (0 pan, 1 tilt) was last read.
    virtual std::optional<int> seenAt(int) const { return std::nullopt; }
    // Under the lock: an absolute move's `job` now goes to `pan` and `tilt`.
    virtual void aiming(Job &, int, int) {}
    // Under the lock: what a camera that stopped answering leaves besides the jobs.
    virtual void forgetting() {}

    const WakeEvent wakeup;
    const std::shared_ptr<ChangeNotifier> notifier;

    // Shared with the caller's thread, under the mutex.
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> jobs;
    Motion wanted;
    bool read = false; // the camera's first reading has ended
    bool finishing = false;
    bool gone = false;        // for good (unplugged): no taking it back
    bool unreachable = false; // for now: it does not answer
    bool ending = false;      // no reopening: the worker is being destroyed
    bool ended = false;       // past taking it back
    bool refused = false;     // since the last waitUntilSent
    bool refusing = false;    // its credentials are refused (and so it does not answer)
    bool busy = false;        // another program holds it
    bool slow = false;        // its answers come later than SlowAnswer
    int quickAnswers = 0;     // in time, since it was slow
    int32_t toldHealth = HEALTH_ANSWERING;
    Clock::time_point closedAt;
    Clock::time_point positionRead;
    unsigned positionReads = 0;
    bool positionQueued = false;
    bool positionTold = false;               // the last reading had an answer
    std::array<std::optional<int>, 2> aimed; // the absolute pan and tilt last asked for
    unsigned idleTimes = 0;                  // how often the worker found nothing left to send
    std::atomic<bool> done{false};

    // The worker's own.
    Motion sent;

private:
    std::optional<Turn> motionTurn(bool turns, Motion::Drive &drive);
    int32_t healthLocked() const;

    std::thread thread;
};

template <typename Job> void CameraWorker<Job>::start()
{
    thread = std::thread([this] { run(); });
}

template <typename Job> void CameraWorker<Job>::stop()
{
    finish();
    {
        const std::lock_guard<std::mutex> lock(mutex);
        ending = true;
    }
    wakeup.wake();
    if (thread.joinable())
        thread.join();
}

// ---- The caller's side ----------------------------------------------------------------------

template <typename Job> bool CameraWorker<Job>::waitUntilRead(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, limit, [this] { return read || finishing || unreachable; }) &&
           read;
}

template <typename Job> void CameraWorker<Job>::setSpeed(int axis, int speed)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        wanted.speed[std::size_t(axis)] = speed;
    }
    wakeup.wake();
}

template <typename Job>
bool CameraWorker<Job>::refreshPosition(std::chrono::milliseconds freshness,
                                        std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (finishing || gone || unreachable)
        return false;
    if (positionReads > 0 && Clock::now() - positionRead <= freshness)
        return positionTold;
    const unsigned seen = positionReads;
    if (!positionQueued) {
        jobs.push_back(positionJob());
        positionQueued = true;
        wakeup.wake();
    }
    changed.wait_for(lock, limit,
                     [&] { return positionReads != seen || finishing || unreachable; });
    // A slow camera is not a gone one: its last answer stands until the next one comes (and
    // is told through the change listener).
    return !finishing && !unreachable && positionReads > 0 && positionTold;
}

template <typename Job> bool CameraWorker<Job>::waitUntilSent(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    // The worker must find nothing left once more, after all that was asked before now.
    const unsigned target = idleTimes + 1;
    wakeup.wake();
    const bool emptied = changed.wait_for(
        lock, limit, [&] { return idleTimes >= target || finishing || unreachable; });
    const bool ok = emptied && !gone && !unreachable && !refused;
    refused = false;
    return ok;
}

template <typename Job> void CameraWorker<Job>::send(Job job)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (finishing || unreachable)
            return;
        taking(job);
        const auto same = std::find_if(jobs.begin(), jobs.end(),
                                       [&](const Job &j) { return job.key && j.key == job.key; });
        if (same != jobs.end())
            *same = std::move(job);
        else
            jobs.push_back(std::move(job));
    }
    wakeup.wake();
}

template <typename Job>
void CameraWorker<Job>::moveTo(std::optional<int> pan, std::optional<int> tilt, Job job)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        for (std::size_t axis = 0; axis < 2; ++axis) {
            const std::optional<int> wantedAxis = axis == 0 ? pan : tilt;
            if (wantedAxis)
                aimed[axis] = wantedAxis;
            else if (!aimed[axis])
                aimed[axis] = seenAt(int(axis)).value_or(0);
        }
        aiming(job, *aimed[0], *aimed[1]);
    }
    if (pan && !tilt)
        job.heldUntil = Clock::now() + PairWait;
    send(std::move(job));
}

template <typename Job> bool CameraWorker<Job>::reachable() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return !unreachable;
}

template <typename Job> int32_t CameraWorker<Job>::health() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return healthLocked();
}

template <typename Job> int32_t CameraWorker<Job>::healthLocked() const
{
    return refusing      ? HEALTH_REFUSED
           : unreachable ? HEALTH_NOT_ANSWERING
           : busy        ? HEALTH_BUSY
           : slow        ? HEALTH_SLOW
                         : HEALTH_ANSWERING;
}

template <typename Job> void CameraWorker<Job>::finish()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!finishing)
            closedAt = Clock::now();
        finishing = true;
        wanted = Motion{}; // stopped while the camera is still kept
        positionQueued = false;
        jobs.erase(std::remove_if(jobs.begin(), jobs.end(),
                                  [this](const Job &job) { return !keptOnClose(job); }),
                   jobs.end());
    }
    changed.notify_all();
    wakeup.wake();
}

template <typename Job> bool CameraWorker<Job>::resume()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (gone || ended || ending)
            return false;
        finishing = false;
        refused = false;
    }
    wakeup.wake();
    return true;
}

template <typename Job> bool CameraWorker<Job>::moving() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return std::any_of(wanted.speed.begin(), wanted.speed.end(), [](int s) { return s != 0; });
}

// ---- The worker's side ----------------------------------------------------------------------

template <typename Job>
std::optional<typename CameraWorker<Job>::Turn> CameraWorker<Job>::motionTurn(bool turns,
                                                                              Motion::Drive &drive)
{
    for (const Motion::Drive d : {Motion::PanTilt, Motion::Zoom}) {
        if (!(turns ? wanted.turnsFrom(sent, d) : wanted.differsFrom(sent, d)))
            continue;
        switch (readyToDrive(d)) {
        case Ready::Go:
            drive = d;
            return Turn::Drive;
        case Ready::First:
            return Turn::First;
        case Ready::Cannot:
            for (std::size_t a = d == Motion::Zoom ? 2 : 0; a < (d == Motion::Zoom ? 3 : 2); ++a)
                wanted.speed[a] = sent.speed[a];
            break;
        }
    }
    return std::nullopt;
}

template <typename Job>
typename CameraWorker<Job>::Turn CameraWorker<Job>::order(Job &job, Motion::Drive &drive,
                                                          Clock::time_point &held)
{
    if (const auto turn = motionTurn(true, drive))
        return *turn;
    held = Clock::time_point();
    if (!jobs.empty()) {
        if (!readyToRun(jobs.front()))
            return Turn::First;
        if (jobs.front().heldUntil > Clock::now()) {
            held = jobs.front().heldUntil;
        } else {
            job = std::move(jobs.front());
            jobs.pop_front();
            if (readsPosition(job))
                positionQueued = false;
            return Turn::RunJob;
        }
    }
    if (const auto turn = motionTurn(false, drive))
        return *turn;
    return Turn::Rest;
}

template <typename Job> void CameraWorker<Job>::idle()
{
    ++idleTimes;
    changed.notify_all();
}

template <typename Job> bool CameraWorker<Job>::lettingGo(Clock::time_point now)
{
    ended = ending || now >= closedAt + Reopening;
    return ended;
}

template <typename Job> void CameraWorker<Job>::positionDone(bool told)
{
    positionRead = Clock::now();
    ++positionReads;
    positionTold = told;
}

template <typename Job>
bool CameraWorker<Job>::losing(const std::string &camera, const std::string &why)
{
    bool first = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        first = !unreachable;
        // Said before anyone can see it: whoever finds the camera gone finds it said.
        if (first)
            reportOnce(camera + " does not answer" + (why.empty() ? "" : " (" + why + ")"));
        unreachable = true;
        jobs.clear();
        wanted = Motion{};
        positionQueued = false;
        slow = false; // how it answers once back is told afresh
        quickAnswers = 0;
        forgetting();
    }
    changed.notify_all();
    sent = Motion{};
    return first;
}

template <typename Job> bool CameraWorker<Job>::answering()
{
    const std::lock_guard<std::mutex> lock(mutex);
    const bool came = unreachable;
    unreachable = false;
    return came;
}

template <typename Job> void CameraWorker<Job>::answeredIn(Clock::duration took)
{
    if (took > SlowAnswer) {
        slow = true;
        quickAnswers = 0;
    } else if (slow && ++quickAnswers >= QuickAgain) {
        slow = false;
    }
}

template <typename Job> void CameraWorker<Job>::publish(uint32_t changes)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (finishing && !gone)
            return;
        const int32_t now = healthLocked();
        if (now != toldHealth)
            changes |= CHANGED_HEALTH;
        toldHealth = now;
    }
    if (changes && notifier)
        notifier->notify(changes);
}
