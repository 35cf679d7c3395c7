// SPDX-License-Identifier: GPL-2.0-or-later
// The one thread that talks to a network camera over VISCA. Callers hand it what they want
// and return at once. One request is on the wire at a time: the next goes when the camera
// has answered it (a move to a position or preset as soon as the camera has taken it; its
// completion comes when the camera gets there). What waits is kept as in the V4L2 worker:
// the motion wanted now, and requests in order where a newer one of the same kind replaces
// one not yet sent; a stop or a change of direction goes first, and an absolute pan waits a
// moment for the tilt that usually follows. The inquiries that read the
// camera, in the order the panel shows their controls, go only when nothing the user asked
// for waits; after that a light inquiry (power) goes when nothing has gone for IdleInquiry,
// and a lit tally lamp is lit again every TallyRepeat.
//
// An unanswered request is sent again twice; then the camera is asked the light inquiry. If
// it answers that, it only ignored the request: an inquiry is asked again once later and a
// command is refused, and the second time either counts as refused (its key or control greyed,
// as for a syntax error or "not executable"). If it does not, it is reported unreachable once,
// what waits is dropped (a motion of before too), and every KnockInterval it is connected
// afresh (over UDP a new socket, so a new port, and a new count) and asked the light inquiry;
// once it answers, it is read afresh and its tally lamp set again. A closed camera asks
// nothing more and keeps its connection a moment: opened again in that moment, it goes on
// reading where it was.
//
// The thread, that order and the close are CameraWorker's; this is the link, the requests
// and the reading of the camera.
#pragma once

#include "CameraWorker.h"
#include "ViscaLink.h"
#include "ViscaRequest.h"

#include <array>
#include <bitset>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

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
    // The tally lamp, lit for program: kept, and sent (once the camera answers, if it does not
    // now); a lit lamp again every TallyRepeat.
    void light(bool lit);
    // The capabilities whose commands the camera has taken.
    uint32_t confirmed();
    // The camera refused, or never answered, `record`'s command or inquiry.
    bool denies(int record);

    static constexpr int Attempts = 3;
    static constexpr auto ReplyTimeout = std::chrono::milliseconds(250);
    // The last attempt waits until this long after the first: a slow camera is still one.
    static constexpr auto GiveUp = std::chrono::milliseconds(1500);
    static constexpr auto BusyBackoff = std::chrono::milliseconds(50);
    static constexpr auto KnockInterval = std::chrono::seconds(2);
    static constexpr auto IdleInquiry = std::chrono::seconds(5);
    static constexpr auto TallyRepeat = std::chrono::seconds(10);
    static constexpr int Strikes = 2; // ignored so often while answering otherwise: refused

private:
    struct InFlight
    {
        Request request;
        uint32_t sequence = 0;
        int attempts = 0;
        int busy = 0; // "buffer full" answers so far
        bool acked = false;
        bool heard = false; // something came back for it
        int socket = 0;     // the camera's, from the ACK
        Clock::time_point firstSent, deadline;
    };

    void run() override;
    Request positionJob() const override;
    static Request zoomInquiry();
    static Request lightInquiry(Request::Role role);
    static Request tallyRequest(bool lit);
    bool readsPosition(const Request &request) const override;
    void taking(const Request &request) override;
    std::optional<int> seenAt(int axis) const override;
    void aiming(Request &request, int pan, int tilt) override;
    void forgetting() override;
    bool connect();
    void queueReading();
    bool pick(Request &request, Clock::time_point now);
    Clock::time_point nextIdle();
    void transmit(const Request &request);
    void resend();
    void renumber();
    void handle(const ViscaLink::Incoming &in);
    void answered();
    void cameBack();
    static bool fits(const InFlight &sent, const Visca::Reply &reply, bool numbered);
    void complete(const Visca::Reply &reply);
    void refuse(const Visca::Reply &reply);
    void giveUp();
    void ignored(const Request &request);
    void deny(const Request &request, bool told);
    void settle(const Request &request); // it is over, answered or not
    void lose(const std::string &why);

    const std::unique_ptr<ViscaLink> link;
    const std::string name;

    // Shared with the caller's thread, under the mutex.
    ParameterRecord records[PARAM_COUNT] = {};
    std::bitset<PARAM_COUNT> denied; // records whose command or inquiry the camera refused
    uint32_t caps = 0;
    uint32_t lacks = 0; // what the camera said it cannot do
    uint32_t took = 0;  // what it has done
    std::array<std::optional<int>, 3> positions;
    std::deque<Request> reading; // what is still to be asked to read the camera
    bool zoomAsked = false;      // a zoom reading is waiting or on the wire
    std::optional<bool> tally;   // the lamp asked for: lit

    // The worker's own.
    std::optional<InFlight> inFlight;
    std::optional<Request> suspect; // unanswered, while the camera is asked whether it is there
    std::map<std::tuple<int, int, uint32_t>, int> strikes; // ignored so far, by kind of request
    uint32_t sequence = 0;
    Clock::time_point knockAt;
    Clock::time_point notBefore; // after "buffer full"
    Clock::time_point heldUntil; // the first request waits for a tilt until then
    Clock::time_point lastSent, tallySent;
    bool knock = false; // a new connection is to be asked whether the camera is back
};
