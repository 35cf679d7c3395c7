// SPDX-License-Identifier: GPL-2.0-or-later
// The one thread that talks to a network camera over VISCA. Callers hand it what they want
// and return at once. One request is on the wire at a time: the next goes when the camera
// has answered it (a move to a position or preset as soon as the camera has taken it; its
// completion comes when the camera gets there). What waits is kept as in the V4L2 worker:
// the motion wanted now, and requests in order where a newer one of the same kind replaces
// one not yet sent; a stop or a change of direction goes first, and an absolute pan waits a
// moment for the tilt that usually follows. The inquiries that read the
// camera, in the order the panel shows their controls, go only when nothing the user asked
// for waits. An unanswered request is sent again twice; then the camera is reported
// unreachable once, what waits is dropped, and the worker keeps knocking until it answers
// again. A closed camera asks nothing more and keeps its connection a moment: opened again
// in that moment, it goes on reading where it was.
#pragma once

#include "ChangeNotifier.h"
#include "Motion.h"
#include "ViscaLink.h"
#include "WakeEvent.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class ViscaWorker
{
public:
    using Clock = std::chrono::steady_clock;

    struct Request
    {
        Visca::Bytes message;
        bool inquiry = false;
        // What an inquiry's answer fills: a record, or the position.
        enum Answer
        {
            Nothing,
            Record,
            PanTilt,
            ZoomPosition,
            WhiteBalanceMode
        } answer = Nothing;
        int record = -1;    // the record an image command or inquiry is about
        int value = 0;      // the value an image command sets
        int digits = 0;     // nibbles of a record's value
        uint32_t needs = 0; // the capability lost when the camera cannot do it
        bool untilAck = false;
        int key = 0;        // requests of the same key replace each other while waiting
        std::string what;   // for messages
        bool quiet = false; // sent unasked: a refusal only greys its key
        bool endsReading = false;
        Clock::time_point heldUntil; // a pan waiting for its tilt
    };

    // Takes over `link` and starts talking to the camera.
    ViscaWorker(std::unique_ptr<ViscaLink> link, std::string name,
                std::shared_ptr<ChangeNotifier> notifier);
    ~ViscaWorker(); // joins the thread: call finish() first

    // ---- For the caller's thread ----
    bool waitUntilRead(std::chrono::milliseconds limit);
    void copyRecords(ParameterRecord *records);
    uint32_t capabilities();
    bool reachable() const;
    std::optional<int> position(int axis); // 0 pan, 1 tilt, 2 zoom

    void send(Request request);
    void setSpeed(int axis, int speed); // 0 pan, 1 tilt, 2 zoom; signed panel speed
    // An absolute pan and/or tilt: VISCA takes both at once, the other from where it was
    // last sent or seen. A pan alone waits up to PairWait for a tilt to go out with.
    void moveTo(std::optional<int> pan, std::optional<int> tilt);
    // The capabilities whose commands the camera has taken.
    uint32_t confirmed();
    // False when the camera does not answer (or never told one); a reading still on its way
    // leaves the last one told standing.
    bool refreshPosition(std::chrono::milliseconds freshness, std::chrono::milliseconds limit);
    bool waitUntilSent(std::chrono::milliseconds limit);
    void finish();
    // Takes back a finished camera that has not closed yet: false when it has.
    bool resume();
    bool finished() const { return done; }

    static constexpr int Attempts = 3;
    static constexpr auto ReplyTimeout = std::chrono::milliseconds(250);
    static constexpr auto BusyBackoff = std::chrono::milliseconds(50);
    static constexpr auto KnockInterval = std::chrono::seconds(2);
    static constexpr auto Reopening = std::chrono::seconds(1);
    static constexpr auto PairWait = std::chrono::milliseconds(150);

private:
    struct InFlight
    {
        Request request;
        uint32_t sequence = 0;
        int attempts = 0;
        int busy = 0; // "buffer full" answers so far
        bool acked = false;
        int socket = 0; // the camera's, from the ACK
        Clock::time_point deadline;
        bool control = false; // the sequence reset
    };

    void run();
    bool connect();
    void resetSequence();
    void queueReading();
    bool pick(Request &request);
    void transmit(const Request &request, bool control = false);
    void resend();
    void handle(const ViscaLink::Incoming &in);
    static bool fits(const InFlight &sent, const Visca::Reply &reply, bool numbered);
    void complete(const Visca::Reply &reply);
    void refuse(const Visca::Reply &reply);
    void lose(const std::string &why);
    void publish(uint32_t changes);

    const std::unique_ptr<ViscaLink> link;
    const std::string name;
    const std::shared_ptr<ChangeNotifier> notifier;
    const WakeEvent wakeup;

    mutable std::mutex mutex;
    std::condition_variable changed;
    ParameterRecord records[PARAM_COUNT] = {};
    uint32_t caps = 0;
    uint32_t lacks = 0; // what the camera said it cannot do
    uint32_t took = 0;  // what it has done
    std::array<std::optional<int>, 3> positions;
    std::array<std::optional<int>, 2> targets; // the absolute pan and tilt last sent
    bool read = false;
    bool finishing = false;
    bool ending = false; // no reopening: the worker is being destroyed
    bool ended = false;  // past taking it back
    Clock::time_point closedAt;
    bool unreachable = false;
    bool refused = false;
    std::deque<Request> jobs;
    std::deque<Request> reading; // what is still to be asked to read the camera
    Motion wanted;
    unsigned idleTimes = 0;
    unsigned positionReads = 0;
    Clock::time_point positionRead;
    bool positionQueued = false;
    std::atomic<bool> done{false};

    // The worker's own.
    Motion sent;
    std::optional<InFlight> inFlight;
    uint32_t sequence = 0;
    Clock::time_point knockAt;
    Clock::time_point notBefore; // after "buffer full"
    Clock::time_point heldUntil; // the first request waits for a tilt until then
    bool knock = false;          // stream: a new connection is to be asked whether it is back

    std::thread thread;
};
