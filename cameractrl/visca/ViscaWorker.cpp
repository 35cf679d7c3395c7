// SPDX-License-Identifier: GPL-2.0-or-later
#include "ViscaWorker.h"
#include "Report.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace {

// What a VISCA camera can do before it says otherwise; what it lacks by the protocol.
constexpr uint32_t Offered = CAP_PAN_TILT | CAP_ZOOM | CAP_POSITION | CAP_PRESETS | CAP_HOME |
                             CAP_PTZ_RESET | CAP_FLIP | CAP_MIRROR | CAP_IR | CAP_DAY_NIGHT |
                             CAP_MENU | CAP_WHITE_BALANCE_AUTO | CAP_TALLY | CAP_ZOOM_POSITION |
                             CAP_PAN_TILT_MOVE | CAP_PRESET_SPEED;
constexpr int AbsoluteKey = 1; // image controls use 100 + their record
constexpr int ZoomKey = 2;
constexpr int TallyKey = 3;

} // namespace

ViscaWorker::ViscaWorker(std::unique_ptr<ViscaLink> wire, std::string camera,
                         std::shared_ptr<ChangeNotifier> listener)
    : CameraWorker(std::move(listener)), link(std::move(wire)), name(std::move(camera))
{
    caps = Offered;
    start();
}

ViscaWorker::~ViscaWorker()
{
    stop();
}

// ---- The caller's side ----------------------------------------------------------------------

void ViscaWorker::copyRecords(ParameterRecord *out)
{
    const std::lock_guard<std::mutex> lock(mutex);
    std::copy(std::begin(records), std::end(records), out);
    // Positions are what the protocol carries: signed 16-bit, the camera's own units.
    const int32_t offered = !unreachable && read && (caps & ~lacks & CAP_POSITION) ? 1 : 0;
    for (size_t axis = 0; axis < 2; ++axis)
        out[axis == 0 ? PARAM_PAN_POSITION : PARAM_TILT_POSITION] = {
            Visca::PositionMin, Visca::PositionMax, 1, 0, positions[axis].value_or(0), offered};
    const int32_t zooms = !unreachable && read && (caps & ~lacks & CAP_ZOOM_POSITION) ? 1 : 0;
    out[PARAM_ZOOM_POSITION] = {0, Visca::ZoomMax, 1, 0, positions[2].value_or(0), zooms};
}

uint32_t ViscaWorker::confirmed()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return took;
}

bool ViscaWorker::denies(int record)
{
    const std::lock_guard<std::mutex> lock(mutex);
    return record >= 0 && record < PARAM_COUNT && denied[size_t(record)];
}

uint32_t ViscaWorker::capabilities()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return unreachable || !read ? 0 : caps & ~lacks;
}

std::optional<int> ViscaWorker::position(int axis)
{
    const std::lock_guard<std::mutex> lock(mutex);
    return positions[size_t(axis)];
}

std::optional<int> ViscaWorker::zoomPosition(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait_for(lock, limit,
                     [&] { return positions[2] || !zoomAsked || finishing || unreachable; });
    return positions[2];
}

void ViscaWorker::lensGoesTo(std::optional<int> position)
{
    const std::lock_guard<std::mutex> lock(mutex);
    positions[2] = position;
}

void ViscaWorker::taking(const Request &request)
{
    // What the caller set is what ReadParameters shows, before the camera has it.
    if (request.record >= 0 && !request.inquiry) {
        const Visca::ImageItem *item = Visca::imageItem(request.record);
        records[request.record].currentValue =
            item ? std::clamp(request.value, item->minimum, item->maximum) : request.value;
    }
}

void ViscaWorker::moveTo(std::optional<int> pan, std::optional<int> tilt, int panSpeed,
                         int tiltSpeed)
{
    Request request;
    request.panSpeed = panSpeed;
    request.tiltSpeed = tiltSpeed;
    request.needs = CAP_POSITION;
    request.untilAck = true;
    request.key = AbsoluteKey; // a pan then a tilt go out as one, while the first still waits
    request.what = "absolute position";
    CameraWorker::moveTo(pan, tilt, std::move(request));
}

std::optional<int> ViscaWorker::seenAt(int axis) const
{
    return positions[size_t(axis)];
}

void ViscaWorker::aiming(Request &request, int pan, int tilt)
{
    request.message = Visca::panTiltAbsolute(pan, tilt, request.panSpeed, request.tiltSpeed);
}

void ViscaWorker::zoomTo(int position)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        positions[2] = position; // the camera does not say it again before the next reading
    }
    Request request;
    request.message = Visca::zoomDirect(position);
    request.needs = CAP_ZOOM_POSITION;
    request.untilAck = true;
    request.key = ZoomKey;
    request.what = "zoom position";
    send(std::move(request));
}

void ViscaWorker::light(bool lit)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        tally = lit;
    }
    send(tallyRequest(lit));
}

ViscaWorker::Request ViscaWorker::tallyRequest(bool lit)
{
    Request request;
    request.message = Visca::tally(lit);
    request.needs = CAP_TALLY;
    request.key = TallyKey;
    request.what = "tally lamp";
    return request;
}

ViscaWorker::Request ViscaWorker::zoomInquiry()
{
    Request request;
    request.message = Visca::zoomPositionInquiry();
    request.inquiry = true;
    request.answer = Request::ZoomPosition;
    request.reads = true;
    return request;
}

ViscaWorker::Request ViscaWorker::lightInquiry(Request::Role role)
{
    // Power: every VISCA camera answers it, on or in standby, and it changes nothing.
    Request request;
    request.message = Visca::inquiry(0x04, 0x00);
    request.inquiry = true;
    request.role = role;
    return request;
}

ViscaWorker::Request ViscaWorker::positionJob() const
{
    Request request;
    request.message = Visca::panTiltPositionInquiry();
    request.inquiry = true;
    request.answer = Request::PanTilt;
    request.needs = CAP_POSITION;
    request.what = "position inquiry";
    return request;
}

bool ViscaWorker::readsPosition(const Request &request) const
{
    return request.answer == Request::PanTilt;
}

// ---- The worker's side ----------------------------------------------------------------------

bool ViscaWorker::connect()
{
    std::string error;
    if (!link->open(error)) {
        lose(error);
        return false;
    }
    if (link->transport() == ViscaLink::Udp) {
        // A fresh count on both sides, from a socket of its own (so a port of its own): a
        // camera that restarted, or keeps a count per peer, takes the next message.
        sequence = 0;
        link->send(Visca::Control, sequence++, Visca::resetSequence());
    } else if (link->transport() == ViscaLink::Serial) {
        // A camera on a serial line answers only once it has been given its address (after
        // every power-up). Their replies start 88 and are dropped as not from camera 1.
        link->send(Visca::Command, 0, Visca::addressSet());
        link->send(Visca::Command, 0, Visca::interfaceClear());
    }
    return true;
}

void ViscaWorker::queueReading()
{
    const std::lock_guard<std::mutex> lock(mutex);
    reading.clear();
    const auto record = [&](int position) {
        const Visca::ImageItem &item = *Visca::imageItem(position);
        Request request;
        request.message = Visca::inquiry(0x04, item.item);
        request.inquiry = true;
        request.answer = Request::Record;
        request.record = item.record;
        request.digits = item.digits;
        request.reads = true;
        reading.push_back(request);
    };
    // The image panel from the top.
    for (int position : {PARAM_BRIGHTNESS, PARAM_CONTRAST, PARAM_HUE, PARAM_SATURATION,
                         PARAM_SHARPNESS, PARAM_GAMMA, PARAM_BACKLIGHT})
        record(position);
    Request mode;
    mode.message = Visca::inquiry(0x04, 0x35);
    mode.inquiry = true;
    mode.answer = Request::WhiteBalanceMode;
    mode.record = PARAM_WHITE_BALANCE_AUTO;
    mode.needs = CAP_WHITE_BALANCE_AUTO;
    mode.reads = true;
    reading.push_back(mode);
    record(PARAM_WHITE_BALANCE);
    reading.push_back(zoomInquiry());
    Request pantilt;
    pantilt.message = Visca::panTiltPositionInquiry();
    pantilt.inquiry = true;
    pantilt.answer = Request::PanTilt;
    pantilt.endsReading = true;
    pantilt.reads = true;
    reading.push_back(pantilt);
}

bool ViscaWorker::pick(Request &request, Clock::time_point now)
{
    const std::lock_guard<std::mutex> lock(mutex);
    const auto motion = [&](bool zoom) {
        for (int axis = zoom ? 2 : 0; axis < (zoom ? 3 : 2); ++axis)
            sent.speed[size_t(axis)] = wanted.speed[size_t(axis)];
        if (zoom) {
            // The lens is elsewhere now; where it stopped is asked once nothing else waits.
            positions[2].reset();
            if (wanted.speed[2] == 0 && !zoomAsked && !(lacks & CAP_ZOOM_POSITION)) {
                reading.push_back(zoomInquiry());
                zoomAsked = true;
            }
        }
        request = Request{};
        request.message = zoom ? Visca::zoomDrive(wanted.speed[2])
                               : Visca::panTiltDrive(wanted.speed[0], wanted.speed[1]);
        request.needs = zoom ? CAP_ZOOM : CAP_PAN_TILT;
        request.what = zoom ? "zoom" : "pan and tilt";
        return true;
    };
    // The camera's reading last. A closed camera only stops.
    Motion::Drive drive = Motion::PanTilt;
    switch (order(request, drive, heldUntil)) {
    case Turn::Drive:
        return motion(drive == Motion::Zoom);
    case Turn::RunJob:
        return true;
    case Turn::First:
    case Turn::Rest:
        break;
    }
    if (heldUntil != Clock::time_point())
        return false; // what waits behind a held pan waits with it, the reading too
    idle();
    if (finishing)
        return false;
    if (!reading.empty()) {
        request = std::move(reading.front());
        reading.pop_front();
        return true;
    }
    // Cameras let a lamp go out after a while; one that is never asked anything would not be
    // missed until the user needs it.
    if (tally.value_or(false) && !(lacks & CAP_TALLY) && now >= tallySent + TallyRepeat) {
        request = tallyRequest(true);
        request.quiet = true;
        return true;
    }
    if (now >= lastSent + IdleInquiry) {
        request = lightInquiry(Request::Heartbeat);
        return true;
    }
    return false;
}

ViscaWorker::Clock::time_point ViscaWorker::nextIdle()
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (finishing)
        return Clock::time_point::max();
    const Clock::time_point heartbeat = lastSent + IdleInquiry;
    return tally.value_or(false) && !(lacks & CAP_TALLY)
               ? std::min(heartbeat, tallySent + TallyRepeat)
               : heartbeat;
}

void ViscaWorker::transmit(const Request &request)
{
    constexpr uint32_t Moving =
        CAP_PAN_TILT | CAP_POSITION | CAP_HOME | CAP_PTZ_RESET | CAP_PRESETS;
    if (!request.inquiry && (request.needs & Moving)) {
        // The position read before is no longer where the camera is.
        const std::lock_guard<std::mutex> lock(mutex);
        positionRead = Clock::time_point();
    }
    InFlight sending;
    sending.request = request;
    sending.sequence = sequence++;
    sending.firstSent = lastSent = Clock::now();
    if (request.key == TallyKey)
        tallySent = lastSent;
    inFlight = sending;
    resend();
}

void ViscaWorker::resend()
{
    InFlight &f = *inFlight;
    ++f.attempts;
    f.acked = false;
    f.deadline = Clock::now() + ReplyTimeout;
    if (f.attempts >= Attempts && f.request.role != Request::Knock)
        f.deadline = std::max(f.deadline, f.firstSent + GiveUp);
    link->send(f.request.inquiry ? Visca::Inquiry : Visca::Command, f.sequence, f.request.message);
}

void ViscaWorker::renumber()
{
    // The camera did not take the number (it restarted, or counts otherwise): a resent
    // command it has taken already, or else the request again on a count reset.
    InFlight &f = *inFlight;
    if (!f.request.inquiry && f.attempts > 1) {
        inFlight.reset();
        return;
    }
    if (f.attempts >= Attempts)
        return; // given up at its deadline
    sequence = 0;
    link->send(Visca::Control, sequence++, Visca::resetSequence());
    f.sequence = sequence++;
    resend();
}

void ViscaWorker::forgetting()
{
    reading.clear(); // asked afresh when it is back
    zoomAsked = false;
}

void ViscaWorker::lose(const std::string &why)
{
    const bool first = losing(name, why);
    inFlight.reset();
    suspect.reset();
    knockAt = Clock::now() + KnockInterval;
    publish(first ? uint32_t(CHANGED_CAPABILITIES) : 0u);
}

void ViscaWorker::cameBack()
{
    strikes.clear();
    {
        const std::lock_guard<std::mutex> lock(mutex);
        // Read afresh: what it refused before (perhaps while it started) is asked again.
        lacks = 0;
        denied.reset();
        if (tally)
            jobs.push_front(tallyRequest(*tally));
    }
    queueReading();
    publish(CHANGED_CAPABILITIES);
}

void ViscaWorker::answered()
{
    InFlight &f = *inFlight;
    if (!f.heard) {
        f.heard = true;
        const std::lock_guard<std::mutex> lock(mutex);
        answeredIn(Clock::now() - f.firstSent);
    }
    if (answering())
        cameBack();
    publish(0);
}

void ViscaWorker::deny(const Request &request, bool told)
{
    uint32_t changes = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        refused = refused || told;
        if (request.needs && !(lacks & request.needs)) {
            lacks |= request.needs; // its key is greyed from now on
            changes |= CHANGED_CAPABILITIES;
        }
        if (request.record >= 0 && !denied[size_t(request.record)]) {
            denied.set(size_t(request.record));
            records[request.record].available = 0; // its slider too
            changes |= CHANGED_PARAMETERS;
        }
    }
    publish(changes);
}

void ViscaWorker::refuse(const Visca::Reply &reply)
{
    const Request &request = inFlight->request;
    const char *why = reply.error == Visca::SyntaxError ? "does not know" : "cannot do";
    // What the first reading asks, or the panel sends by itself, is not the user's: a
    // control it lacks is only greyed.
    const bool told = !request.what.empty() && !request.quiet;
    if (told)
        reportOnce(name + " " + why + " " + request.what);
    deny(request, told);
}

void ViscaWorker::settle(const Request &request)
{
    bool finished = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        // A camera that keeps its position to itself is read all the same.
        finished = request.endsReading && !read;
        read = read || request.endsReading;
        zoomAsked = zoomAsked && request.answer != Request::ZoomPosition;
        if (request.answer == Request::PanTilt && !request.reads)
            positionDone(false);
    }
    changed.notify_all();
    if (finished)
        publish(CHANGED_CAPABILITIES | CHANGED_PARAMETERS);
}

void ViscaWorker::giveUp()
{
    const InFlight f = *inFlight;
    inFlight.reset();
    switch (f.request.role) {
    case Request::Knock:
        knockAt = Clock::now() + KnockInterval; // still not there
        break;
    case Request::Heartbeat:
    case Request::Probe:
        lose("");
        break;
    case Request::Asked:
        // Whether it answers something it surely knows tells a camera that is gone from one
        // that ignores this request.
        suspect = f.request;
        transmit(lightInquiry(Request::Probe));
        break;
    }
}

void ViscaWorker::ignored(const Request &request)
{
    const auto key =
        std::make_tuple(request.record, request.inquiry ? int(request.answer) : -1, request.needs);
    const bool told = !request.what.empty() && !request.quiet;
    if (++strikes[key] >= Strikes) {
        if (told)
            reportOnce(name + " does not answer " + request.what);
        deny(request, told);
        settle(request);
        return;
    }
    // Once may be a lost datagram or a busy moment: a reading is asked again after the rest, a
    // command the user waits for is not done.
    if (request.reads) {
        const std::lock_guard<std::mutex> lock(mutex);
        reading.push_back(request);
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(mutex);
        refused = refused || (told && !request.inquiry);
    }
    settle(request);
}

void ViscaWorker::complete(const Visca::Reply &reply)
{
    const Request request = inFlight->request;
    inFlight.reset();
    if (request.role == Request::Probe && suspect) {
        const Request ignoredOne = *suspect;
        suspect.reset();
        ignored(ignoredOne);
        return;
    }
    uint32_t changes = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        const Visca::Bytes &data = reply.data;
        switch (request.answer) {
        case Request::Record: {
            const Visca::ImageItem &item = *Visca::imageItem(request.record); // it fits
            const int value =
                item.digits == 0 ? (data[0] == 0x02 ? 1 : 0) : Visca::value(data, 0, item.digits);
            records[request.record] = {item.minimum,
                                       item.maximum,
                                       1,
                                       item.defaultValue,
                                       std::clamp(value, item.minimum, item.maximum),
                                       denied[size_t(request.record)] ? 0 : 1};
            changes |= CHANGED_PARAMETERS;
            break;
        }
        case Request::WhiteBalanceMode:
            records[PARAM_WHITE_BALANCE_AUTO] = {0, 1, 1, 1, data[0] == 0x00 ? 1 : 0, 1};
            changes |= CHANGED_PARAMETERS;
            break;
        case Request::PanTilt:
            positions[0] = Visca::nibbles(data, 0);
            positions[1] = Visca::nibbles(data, 4);
            positionDone(true);
            changes |= CHANGED_POSITION;
            break;
        case Request::ZoomPosition:
            // Asked before a zoom started again, it tells where the lens was on its way.
            if (sent.speed[2] == 0)
                positions[2] = Visca::nibbles(data, 0);
            zoomAsked = false;
            break;
        case Request::Nothing:
            break;
        }
        if (request.endsReading && !read) {
            read = true;
            changes |= CHANGED_CAPABILITIES | CHANGED_PARAMETERS;
        }
    }
    changed.notify_all();
    publish(changes);
}

bool ViscaWorker::fits(const InFlight &sent, const Visca::Reply &reply, bool numbered)
{
    const Request &request = sent.request;
    // A command completes on the socket its ACK named (an earlier move completes on
    // another); an inquiry is answered on none.
    if (request.inquiry ? reply.socket != 0
                        : (sent.acked ? reply.socket != sent.socket : !numbered))
        return false;
    const size_t size = reply.data.size();
    switch (request.answer) {
    case Request::Nothing:
        return request.inquiry || size == 0;
    case Request::Record: {
        const Visca::ImageItem *item = Visca::imageItem(request.record);
        return item && size == size_t(std::max(item->digits, 1));
    }
    case Request::PanTilt:
        return size == 8;
    case Request::ZoomPosition:
        return size == 4;
    case Request::WhiteBalanceMode:
        return size == 1;
    }
    return false;
}

void ViscaWorker::handle(const ViscaLink::Incoming &in)
{
    if (!inFlight)
        return; // the completion of a move taken earlier, or a late duplicate
    // Over UDP an answer names the request it answers; over TCP they come in order.
    if (link->transport() == ViscaLink::Udp) {
        if (in.sequence != inFlight->sequence)
            return;
        if (in.control) {
            if (in.controlReply.size() == 2 && in.controlReply[0] == 0x0f) {
                answered();
                renumber();
            }
            return; // the reset's acknowledgement
        }
    }
    const Visca::Reply &reply = in.reply;
    switch (reply.kind) {
    case Visca::Reply::Ack:
        answered();
        inFlight->acked = true;
        inFlight->socket = reply.socket;
        if (!inFlight->request.inquiry) {
            const std::lock_guard<std::mutex> lock(mutex);
            took |= inFlight->request.needs;
        }
        if (inFlight->request.untilAck)
            inFlight.reset();
        break;
    case Visca::Reply::Completion:
        // Over TCP an answer is known only by its place, socket and shape.
        if (!fits(*inFlight, reply, link->transport() == ViscaLink::Udp))
            break;
        answered();
        complete(reply);
        break;
    case Visca::Reply::Error: {
        answered();
        if (reply.error == Visca::BufferFull && inFlight->busy < 20) {
            // Both of the camera's command sockets are busy: try again a little later.
            ++inFlight->busy;
            --inFlight->attempts;
            notBefore = Clock::now() + BusyBackoff;
            inFlight->deadline = notBefore;
            break;
        }
        const Request request = inFlight->request;
        if (request.role == Request::Probe && suspect) {
            // Refused, but answered: it is there.
            complete(reply);
            break;
        }
        if (reply.error == Visca::SyntaxError || reply.error == Visca::NotExecutable)
            refuse(reply);
        inFlight.reset();
        settle(request);
        break;
    }
    }
}

void ViscaWorker::run()
{
    bool linked = connect();
    if (linked)
        queueReading();
    for (;;) {
        const Clock::time_point now = Clock::now();
        Clock::time_point letGo = Clock::time_point::max();
        bool lost = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (finishing) {
                letGo = closedAt + Reopening;
                lettingGo(now);
            }
            if (ended)
                break;
            lost = unreachable;
        }
        if (!inFlight && linked && !link->connecting()) {
            if (lost && knock) {
                // A fresh connection is asked something small: an answer means it is back.
                knock = false;
                transmit(lightInquiry(Request::Knock));
                continue;
            }
            Request request;
            if (!lost && now >= notBefore && pick(request, now)) {
                transmit(request);
                continue;
            }
        }
        // How long to wait for the wire or for the caller.
        Clock::time_point until = Clock::time_point::max();
        if (inFlight)
            until = inFlight->deadline;
        else if (lost)
            until = knockAt;
        else if (notBefore > now)
            until = notBefore;
        else if (heldUntil > now)
            until = heldUntil;
        else if (linked)
            until = nextIdle();
        until = std::min(until, letGo);
        const int timeoutMs =
            until == Clock::time_point::max()
                ? -1
                : int(std::max<long long>(
                      0, std::chrono::ceil<std::chrono::milliseconds>(until - now).count()));
        pollfd watched[2] = {{wakeup.fd(), POLLIN, 0},
                             {link->descriptor(), short(link->connecting() ? POLLOUT : POLLIN), 0}};
        const int ready = ::poll(watched, link->descriptor() >= 0 ? 2 : 1, timeoutMs);
        if (ready < 0 && errno != EINTR)
            break;
        if (watched[0].revents)
            wakeup.drain();
        if (link->descriptor() >= 0 && watched[1].revents) {
            std::string error;
            if (link->connecting()) {
                if (!link->finishConnect(error))
                    lose(error);
                continue;
            }
            bool gone = false;
            for (const ViscaLink::Incoming &in : link->receive(gone))
                handle(in);
            if (gone) {
                link->close();
                lose("connection closed");
                continue;
            }
        }
        const Clock::time_point after = Clock::now();
        if (inFlight && after >= inFlight->deadline) {
            if (inFlight->attempts < Attempts)
                resend();
            else
                giveUp();
        } else if (!inFlight && lost && after >= knockAt) {
            // Knock again: a new connection (a new port over UDP), a new count.
            knockAt = after + KnockInterval;
            linked = connect();
            knock = linked;
        }
    }
    // Closing never leaves the camera turning.
    bool lost = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        lost = unreachable;
    }
    if (!lost && link->descriptor() >= 0 && !link->connecting()) {
        if (sent.speed[0] || sent.speed[1])
            link->send(Visca::Command, sequence++, Visca::panTiltDrive(0, 0));
        if (sent.speed[2])
            link->send(Visca::Command, sequence++, Visca::zoomDrive(0));
    }
    link->close();
    done = true;
}
