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

} // namespace

ViscaWorker::ViscaWorker(std::unique_ptr<ViscaLink> wire, std::string camera,
                         std::shared_ptr<ChangeNotifier> listener)
    : link(std::move(wire)), name(std::move(camera)), notifier(std::move(listener))
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

ViscaWorker::Request ViscaWorker::zoomInquiry()
{
    Request request;
    request.message = Visca::zoomPositionInquiry();
    request.inquiry = true;
    request.answer = Request::ZoomPosition;
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

void ViscaWorker::publish(uint32_t changes)
{
    if (changes)
        notifier->notify(changes);
}

bool ViscaWorker::connect()
{
    std::string error;
    if (!link->open(error)) {
        lose(error);
        return false;
    }
    if (link->transport() == ViscaLink::Udp) {
        resetSequence();
    } else if (link->transport() == ViscaLink::Serial) {
        // A camera on a serial line answers only once it has been given its address (after
        // every power-up). Their replies start 88 and are dropped as not from camera 1.
        link->send(Visca::Command, 0, Visca::addressSet());
        link->send(Visca::Command, 0, Visca::interfaceClear());
    }
    return true;
}

void ViscaWorker::resetSequence()
{
    // A fresh count on both sides: the camera answers a reset before anything else.
    sequence = 0;
    Request reset;
    reset.message = Visca::resetSequence();
    transmit(reset, true);
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
    reading.push_back(mode);
    record(PARAM_WHITE_BALANCE);
    reading.push_back(zoomInquiry());
    Request pantilt;
    pantilt.message = Visca::panTiltPositionInquiry();
    pantilt.inquiry = true;
    pantilt.answer = Request::PanTilt;
    pantilt.endsReading = true;
    reading.push_back(pantilt);
}

bool ViscaWorker::pick(Request &request)
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
    if (finishing || reading.empty())
        return false;
    request = std::move(reading.front());
    reading.pop_front();
    return true;
}

void ViscaWorker::transmit(const Request &request, bool control)
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
    sending.control = control;
    sending.sequence = sequence++;
    inFlight = sending;
    resend();
}

void ViscaWorker::resend()
{
    InFlight &f = *inFlight;
    ++f.attempts;
    f.acked = false;
    f.deadline = Clock::now() + ReplyTimeout;
    const Visca::PayloadType type = f.control           ? Visca::Control
                                    : f.request.inquiry ? Visca::Inquiry
                                                        : Visca::Command;
    link->send(type, f.sequence, f.request.message);
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
    knockAt = Clock::now() + KnockInterval;
    if (first)
        publish(CHANGED_CAPABILITIES);
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
    uint32_t changes = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        refused = refused || told;
        if (request.needs && !(lacks & request.needs)) {
            lacks |= request.needs; // its key is greyed from now on
            changes |= CHANGED_CAPABILITIES;
        }
        if (request.record >= 0 && request.inquiry) {
            records[request.record].available = 0;
            changes |= CHANGED_PARAMETERS;
        }
    }
    publish(changes);
}

void ViscaWorker::complete(const Visca::Reply &reply)
{
    const Request request = inFlight->request;
    inFlight.reset();
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
                                       1};
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
    if (answering()) {
        // Back again: read it afresh.
        queueReading();
        publish(CHANGED_CAPABILITIES);
    }
    if (!inFlight)
        return; // the completion of a move taken earlier, or a late duplicate
    // Over UDP an answer names the request it answers; over TCP they come in order.
    if (link->transport() == ViscaLink::Udp &&
        (in.sequence != inFlight->sequence || in.control != inFlight->control))
        return;
    if (in.control) {
        inFlight.reset();
        return;
    }
    const Visca::Reply &reply = in.reply;
    switch (reply.kind) {
    case Visca::Reply::Ack:
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
        complete(reply);
        break;
    case Visca::Reply::Error:
        if (reply.error == Visca::BufferFull && inFlight->busy < 20) {
            // Both of the camera's command sockets are busy: try again a little later.
            ++inFlight->busy;
            --inFlight->attempts;
            notBefore = Clock::now() + BusyBackoff;
            inFlight->deadline = notBefore;
            break;
        }
        if (reply.error == Visca::SyntaxError || reply.error == Visca::NotExecutable)
            refuse(reply);
        {
            const std::lock_guard<std::mutex> lock(mutex);
            // A camera that keeps its position to itself is read all the same.
            read = read || inFlight->request.endsReading;
            zoomAsked = zoomAsked && inFlight->request.answer != Request::ZoomPosition;
        }
        changed.notify_all();
        if (inFlight->request.endsReading)
            publish(CHANGED_CAPABILITIES | CHANGED_PARAMETERS);
        inFlight.reset();
        break;
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
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (finishing) {
                letGo = closedAt + Reopening;
                lettingGo(now);
            }
            if (ended)
                break;
        }
        bool lost = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            lost = unreachable;
        }
        if (!inFlight && lost && knock && linked && !link->connecting()) {
            // A fresh connection is asked something small: an answer means it is back.
            knock = false;
            Request power;
            power.message = Visca::inquiry(0x04, 0x00);
            power.inquiry = true;
            transmit(power);
        }
        if (!inFlight && !lost && linked && !link->connecting() && now >= notBefore) {
            Request request;
            if (pick(request)) {
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
                lose("");
        } else if (!inFlight && lost && after >= knockAt) {
            // Knock again: a new connection, a new count.
            knockAt = after + KnockInterval;
            if (link->stream() || link->descriptor() < 0) {
                linked = connect();
                knock = linked && link->stream();
            } else
                resetSequence();
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
