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
//
// The thread, that order and the close are CameraWorker's; this is the link, the requests
// and the reading of the camera.
#pragma once

#include "CameraWorker.h"
#include "ChangeNotifier.h"
#include "ViscaLink.h"
#include "ViscaRequest.h"

#include <array>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>

class ViscaWorker : public CameraWorker<ViscaRequest>
{
public:
    using Request = ViscaRequest;

    // Takes over `link` and starts talking to the camera.
    ViscaWorker(std::unique_ptr<ViscaLink> link, std::string name,
                std::shared_ptr<ChangeNotifier> notifier);
    ~ViscaWorker() override;

    // ---- For the caller's thread ----
    void copyRecords(ParameterRecord *records);
    uint32_t capabilities();
    std::optional<int> position(int axis); // 0 pan, 1 tilt, 2 zoom
    // The lens's position, waiting at most `limit` for the reading asked when a zoom
    // stopped; none while it is driven or where it went is not known.
    std::optional<int> zoomPosition(std::chrono::milliseconds limit);
    // Where a recalled preset takes the lens, when it is known.
    void lensGoesTo(std::optional<int> position);

    // An absolute pan and/or tilt: VISCA takes both at once (see CameraWorker::moveTo).
    void moveTo(std::optional<int> pan, std::optional<int> tilt, int panSpeed = 0x18,
                int tiltSpeed = 0x14);
    // A newer zoom position replaces one not yet sent; taken as where the lens is.
    void zoomTo(int position);
    // The capabilities whose commands the camera has taken.
    uint32_t confirmed();

    static constexpr int Attempts = 3;
    static constexpr auto ReplyTimeout = std::chrono::milliseconds(250);
    static constexpr auto BusyBackoff = std::chrono::milliseconds(50);
    static constexpr auto KnockInterval = std::chrono::seconds(2);

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

    void run() override;
    Request positionJob() const override;
    static Request zoomInquiry();
    bool readsPosition(const Request &request) const override;
    void taking(const Request &request) override;
    std::optional<int> seenAt(int axis) const override;
    void aiming(Request &request, int pan, int tilt) override;
    void forgetting() override;
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

    // Shared with the caller's thread, under the mutex.
    ParameterRecord records[PARAM_COUNT] = {};
    uint32_t caps = 0;
    uint32_t lacks = 0; // what the camera said it cannot do
    uint32_t took = 0;  // what it has done
    std::array<std::optional<int>, 3> positions;
    std::deque<Request> reading; // what is still to be asked to read the camera
    bool zoomAsked = false;      // a zoom reading is waiting or on the wire

    // The worker's own.
    std::optional<InFlight> inFlight;
    uint32_t sequence = 0;
    Clock::time_point knockAt;
    Clock::time_point notBefore; // after "buffer full"
    Clock::time_point heldUntil; // the first request waits for a tilt until then
    bool knock = false;          // stream: a new connection is to be asked whether it is back
};
