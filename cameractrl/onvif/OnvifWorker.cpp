// SPDX-License-Identifier: GPL-2.0-or-later
#include "OnvifWorker.h"
#include "HttpSnapshot.h"
#include "Report.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

constexpr uint32_t Driving =
    CAP_PAN_TILT | CAP_ZOOM | CAP_POSITION | CAP_PRESETS | CAP_HOME | CAP_PTZ_RESET;
constexpr int AbsoluteKey = 1; // image settings use 100 + their record
constexpr int SnapshotKey = 2;
constexpr int PanMax = 24, TiltMax = 16, ZoomMax = 7;

// The image records the imaging service fills, with the name of its element.
struct ImageField
{
    int record;
    const char *element;
    Onvif::Imaging::Value Onvif::Imaging::*value;
};
constexpr ImageField ImageFields[] = {
    {PARAM_BRIGHTNESS, "Brightness", &Onvif::Imaging::brightness},
    {PARAM_CONTRAST, "Contrast", &Onvif::Imaging::contrast},
    {PARAM_SATURATION, "ColorSaturation", &Onvif::Imaging::saturation},
    {PARAM_SHARPNESS, "Sharpness", &Onvif::Imaging::sharpness},
};

const ImageField *imageField(int record)
{
    for (const ImageField &f : ImageFields)
        if (f.record == record)
            return &f;
    return nullptr;
}

// A range of a few units (0..1) is shown in hundredths, a wider one in its own units.
double imageScale(const Onvif::Range &range)
{
    return range.max - range.min >= 10 ? 1 : 100;
}

double velocity(int speed, int full, const Onvif::Range &range)
{
    const double share = std::clamp(double(speed) / full, -1.0, 1.0);
    return share >= 0 ? share * range.max : -share * range.min;
}

double mapped(double value, const Onvif::Range &from, const Onvif::Range &to)
{
    return to.min + (value - from.min) * (to.max - to.min) / (from.max - from.min);
}

// The number at the end of a preset's token or name: "Preset003" is 3.
std::optional<int> trailingNumber(const std::string &text)
{
    size_t start = text.size();
    while (start > 0 && std::isdigit(static_cast<unsigned char>(text[start - 1])))
        --start;
    if (start == text.size() || text.size() - start > 6)
        return std::nullopt;
    return std::atoi(text.c_str() + start);
}

} // namespace

OnvifWorker::OnvifWorker(OnvifWire &w, Address a, std::shared_ptr<ChangeNotifier> listener,
                         CameraStore &presetTokens)
    : CameraWorker(std::move(listener)), wire(w), address(std::move(a)),
      deviceUrl(
          "http://" +
          (address.host.find(':') != std::string::npos ? "[" + address.host + "]" : address.host) +
          ":" + std::to_string(address.port) + "/onvif/device_service"),
      tokens(presetTokens), http(wire.http())
{
    start();
}

OnvifWorker::~OnvifWorker()
{
    stop();
}

// ---- The caller's side ----------------------------------------------------------------------

uint32_t OnvifWorker::offeredLocked() const
{
    uint32_t caps = 0;
    if (profile && !services.ptz.empty()) {
        caps |= Driving;
        if (!spaces.continuous)
            caps &= ~CAP_PAN_TILT;
        if (!spaces.zoom)
            caps &= ~CAP_ZOOM;
        if (!spaces.absolute)
            caps &= ~CAP_POSITION;
    }
    if (imaging.whiteBalanceAuto)
        caps |= CAP_WHITE_BALANCE_AUTO;
    return caps & ~lacks;
}

uint32_t OnvifWorker::capabilities()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return unreachable || !read ? 0 : offeredLocked();
}

std::pair<int, int> OnvifWorker::positionRange(int axis)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (spaces.degrees) {
        const Onvif::Range &r = axis == 0 ? spaces.degrees->first : spaces.degrees->second;
        return {int(std::ceil(r.min)), int(std::floor(r.max))};
    }
    const Onvif::Range &r = axis == 0 ? spaces.panGeneric : spaces.tiltGeneric;
    return {int(std::lround(r.min * GenericScale)), int(std::lround(r.max * GenericScale))};
}

void OnvifWorker::copyRecords(ParameterRecord *out)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        std::copy(std::begin(records), std::end(records), out);
    }
    const int32_t offered = (capabilities() & CAP_POSITION) ? 1 : 0;
    for (int axis = 0; axis < 2; ++axis) {
        const auto [min, max] = positionRange(axis);
        out[axis == 0 ? PARAM_PAN_POSITION : PARAM_TILT_POSITION] = {
            min, max, 1, 0, position(axis).value_or(0), offered};
    }
}

std::optional<int> OnvifWorker::position(int axis)
{
    const std::lock_guard<std::mutex> lock(mutex);
    return positions[size_t(axis)];
}

void OnvifWorker::taking(const OnvifJob &job)
{
    if (job.kind == OnvifJob::Image && job.record >= 0)
        records[job.record].currentValue =
            std::clamp(job.value, records[job.record].minimum, records[job.record].maximum);
}

std::optional<int> OnvifWorker::seenAt(int axis) const
{
    return positions[size_t(axis)];
}

void OnvifWorker::moveTo(std::optional<int> pan, std::optional<int> tilt)
{
    OnvifJob job;
    job.kind = OnvifJob::Absolute;
    job.key = AbsoluteKey; // a pan then a tilt go out as one, while the first still waits
    job.needs = CAP_POSITION;
    job.what = "absolute position";
    CameraWorker::moveTo(pan, tilt, std::move(job));
}

std::shared_ptr<const SnapshotAddress> OnvifWorker::snapshot()
{
    if (!snapshotAddress->known()) {
        OnvifJob job;
        job.kind = OnvifJob::SnapshotUri;
        job.key = SnapshotKey;
        job.what = "snapshot address";
        send(std::move(job));
    }
    return snapshotAddress;
}

std::unique_ptr<ViewSource> OnvifWorker::view()
{
    return std::make_unique<HttpSnapshot>(snapshot(), address.user, address.password);
}

bool OnvifWorker::offersView() const
{
    const auto known = snapshotAddress->known();
    return !known || !known->empty();
}

OnvifJob OnvifWorker::positionJob() const
{
    OnvifJob job;
    job.kind = OnvifJob::Status;
    job.what = "position reading";
    return job;
}

bool OnvifWorker::readsPosition(const OnvifJob &job) const
{
    return job.kind == OnvifJob::Status;
}

OnvifWorker::Ready OnvifWorker::readyToDrive(Motion::Drive drive)
{
    if (!read)
        return Ready::First; // the profile to drive is not known yet
    return offeredLocked() & (drive == Motion::Zoom ? CAP_ZOOM : CAP_PAN_TILT) ? Ready::Go
                                                                               : Ready::Cannot;
}

bool OnvifWorker::readyToRun(const OnvifJob &)
{
    return read;
}

// ---- The worker's side ----------------------------------------------------------------------

void OnvifWorker::post(const std::string &url, const Onvif::Message &message, bool signedIn)
{
    std::string text;
    if (signedIn && !address.user.empty()) {
        Onvif::Credentials c;
        c.user = address.user;
        c.nonce = wire.randomBytes(16);
        c.created = Onvif::utcText(std::time(nullptr) + clockOffset);
        c.digest = wire.base64(wire.sha1(c.nonce + c.created + address.password));
        text = Onvif::envelope(message.body, &c, wire.base64(c.nonce));
    } else {
        text = Onvif::envelope(message.body, nullptr, {});
    }
    http->post(url.empty() ? deviceUrl : url, text, message.action, address.user, address.password,
               RequestTimeout);
    postedAt = Clock::now();
    deadline = postedAt + RequestTimeout + std::chrono::milliseconds(500);
    if (inFlight)
        inFlight->signedIn = signedIn;
}

void OnvifWorker::postHeartbeat()
{
    std::string ptz, token;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        ptz = services.ptz;
        token = profile ? profile->token : std::string();
    }
    InFlight f;
    f.what = InFlight::Heartbeat;
    inFlight = f;
    if (ptz.empty() || token.empty())
        post({}, Onvif::getSystemDateAndTime(), false);
    else
        post(ptz, Onvif::getStatus(token));
}

void OnvifWorker::knock(bool signedIn)
{
    InFlight f;
    f.what = InFlight::Knock;
    f.step = signedIn ? Step::Services : Step::Time;
    inFlight = f;
    if (signedIn)
        post({}, Onvif::getServices());
    else
        post({}, Onvif::getSystemDateAndTime(), false);
}

void OnvifWorker::postDrive(Motion::Drive drive)
{
    std::string url, token;
    bool zoom = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        for (size_t a = drive == Motion::Zoom ? 2 : 0; a < (drive == Motion::Zoom ? 3u : 2u); ++a)
            sent.speed[a] = wanted.speed[a];
        url = services.ptz;
        token = profile ? profile->token : std::string();
        zoom = offeredLocked() & CAP_ZOOM;
    }
    InFlight f;
    f.what = InFlight::Drive;
    f.job.needs = drive == Motion::Zoom ? CAP_ZOOM : CAP_PAN_TILT;
    f.job.what = drive == Motion::Zoom ? "zoom" : "pan and tilt";
    inFlight = f;
    if (!sent.speed[0] && !sent.speed[1] && !sent.speed[2]) {
        post(url, Onvif::stop(token, true, zoom));
        return;
    }
    // Both velocities each time: a camera may stop the one a move leaves out.
    const auto panTilt = std::make_pair(velocity(sent.speed[0], PanMax, spaces.panVelocity),
                                        velocity(sent.speed[1], TiltMax, spaces.tiltVelocity));
    post(url, Onvif::continuousMove(token, panTilt,
                                    zoom ? std::optional<double>(velocity(sent.speed[2], ZoomMax,
                                                                          spaces.zoomVelocity))
                                         : std::nullopt));
}

std::optional<std::string> OnvifWorker::presetToken(int preset) const
{
    const std::string number = std::to_string(preset);
    const auto listed = [&](const std::string &token) {
        return !presetsKnown || std::any_of(presets.begin(), presets.end(),
                                            [&](const auto &p) { return p.token == token; });
    };
    if (const auto kept = tokens.find(address.name, "preset " + number); kept && listed(*kept))
        return kept;
    for (const Onvif::Preset &p : presets)
        if (p.token == number || p.name == number)
            return p.token;
    for (const Onvif::Preset &p : presets)
        if (trailingNumber(p.token) == preset || trailingNumber(p.name) == preset)
            return p.token;
    return std::nullopt;
}

bool OnvifWorker::postJob(const OnvifJob &job)
{
    std::string ptz, imagingUrl, media, token, source;
    std::optional<std::string> preset;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        ptz = services.ptz;
        media = services.media;
        imagingUrl = services.imaging;
        token = profile ? profile->token : std::string();
        source = profile ? profile->videoSource : std::string();
        preset = presetToken(job.preset);
        if (job.needs & Driving)
            positionRead = Clock::time_point(); // where it was is no longer where it is
    }
    InFlight f;
    f.what = InFlight::Job;
    f.job = job;
    inFlight = f;
    switch (job.kind) {
    case OnvifJob::Absolute: {
        double pan = 0, tilt = 0;
        const char *space = Onvif::GenericSpace;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            pan = fromPanel(aimed[0].value_or(0));
            tilt = fromPanel(aimed[1].value_or(0));
            if (spaces.degrees)
                space = Onvif::DegreesSpace;
        }
        post(ptz, Onvif::absoluteMove(token, pan, tilt, space));
        return true;
    }
    case OnvifJob::GotoPreset:
        if (!preset) {
            inFlight.reset();
            refuse(job, "has no preset " + std::to_string(job.preset), false);
            return false;
        }
        post(ptz, Onvif::gotoPreset(token, *preset));
        return true;
    case OnvifJob::SetPreset:
        post(ptz, Onvif::setPreset(token, preset.value_or(""), std::to_string(job.preset)));
        return true;
    case OnvifJob::RemovePreset:
        if (!preset) {
            inFlight.reset();
            return false; // nothing to clear
        }
        post(ptz, Onvif::removePreset(token, *preset));
        return true;
    case OnvifJob::Home:
        post(ptz, Onvif::gotoHomePosition(token));
        return true;
    case OnvifJob::Status:
        post(ptz, Onvif::getStatus(token));
        return true;
    case OnvifJob::SnapshotUri:
        post(media, Onvif::getSnapshotUri(token));
        return true;
    case OnvifJob::Image: {
        const ImageField *field = imageField(job.record);
        double value = job.value;
        if (field) {
            const std::lock_guard<std::mutex> lock(mutex);
            const auto &range = (imaging.*(field->value)).range;
            value = range ? job.value / imageScale(*range) : job.value;
        }
        post(imagingUrl,
             Onvif::setImagingSettings(source, {{field ? field->element : "WhiteBalance", value}}));
        return true;
    }
    }
    return false;
}

bool OnvifWorker::postStep()
{
    std::string media, ptz, imagingUrl, token, configuration, source;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        media = services.media;
        ptz = services.ptz;
        imagingUrl = services.imaging;
        if (profile) {
            token = profile->token;
            configuration = profile->ptzConfiguration;
            source = profile->videoSource;
        }
    }
    // Steps that have nothing to ask are passed over.
    for (;; next = Step(int(next) + 1)) {
        const bool ptzProfile = !ptz.empty() && !token.empty();
        const bool image = !imagingUrl.empty() && !source.empty();
        if (next == Step::Done)
            return false;
        if ((next == Step::Options && (configuration.empty() || ptz.empty())) ||
            ((next == Step::Presets || next == Step::Status) && !ptzProfile) ||
            ((next == Step::ImagingOptions || next == Step::ImagingSettings) && !image))
            continue;
        break;
    }
    InFlight f;
    f.what = InFlight::Reading;
    f.step = next;
    inFlight = f;
    switch (next) {
    case Step::Time:
        post({}, Onvif::getSystemDateAndTime(), false);
        break;
    case Step::Services:
        post({}, Onvif::getServices());
        break;
    case Step::Capabilities:
        post({}, Onvif::getCapabilities());
        break;
    case Step::Profiles:
        post(media, Onvif::getProfiles());
        break;
    case Step::Options:
        post(ptz, Onvif::getConfigurationOptions(configuration));
        break;
    case Step::Presets:
        post(ptz, Onvif::getPresets(token));
        break;
    case Step::Status:
        post(ptz, Onvif::getStatus(token));
        break;
    case Step::ImagingOptions:
        post(imagingUrl, Onvif::getImagingOptions(source));
        break;
    case Step::ImagingSettings:
        post(imagingUrl, Onvif::getImagingSettings(source));
        break;
    case Step::Done:
        break;
    }
    return true;
}

bool OnvifWorker::pick()
{
    Motion::Drive drive = Motion::PanTilt;
    OnvifJob job;
    Turn turn;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        turn = order(job, drive, heldUntil);
        if (turn == Turn::Rest && heldUntil == Clock::time_point())
            idle();
        if (turn == Turn::Rest && (finishing || heldUntil != Clock::time_point()))
            return false;
    }
    switch (turn) {
    case Turn::Drive:
        postDrive(drive);
        return true;
    case Turn::RunJob:
        postJob(job); // one it cannot send is refused, and the next is picked
        return true;
    case Turn::First:
    case Turn::Rest:
        break;
    }
    if (next != Step::Done)
        return postStep();
    bool waiting = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        waiting = finishing || heldUntil != Clock::time_point();
    }
    if (waiting || Clock::now() < postedAt + IdleInquiry)
        return false;
    // Nothing has gone for a while: whether it still answers is known before the user needs it.
    postHeartbeat();
    return true;
}

void OnvifWorker::refuse(const OnvifJob &job, const std::string &why, bool grey)
{
    reportOnce(address.name + " " + why);
    uint32_t changes = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        refused = true;
        if (grey && job.needs && !(lacks & job.needs)) {
            lacks |= job.needs; // its key is greyed from now on
            changes |= CHANGED_CAPABILITIES;
        }
        if (job.kind == OnvifJob::Status)
            positionDone(false);
        // An image setting it refuses has no slider.
        if (grey && job.kind == OnvifJob::Image && job.record >= 0 &&
            records[job.record].available) {
            records[job.record].available = 0;
            changes |= CHANGED_PARAMETERS;
        }
    }
    changed.notify_all();
    publish(changes);
}

void OnvifWorker::lose(const std::string &why)
{
    const bool first = losing(address.name, why);
    inFlight.reset();
    knockAt = Clock::now() + KnockInterval;
    publish(first ? uint32_t(CHANGED_CAPABILITIES) : 0u);
}

void OnvifWorker::finishReading()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        read = true;
    }
    changed.notify_all();
    publish(CHANGED_CAPABILITIES | CHANGED_PARAMETERS | CHANGED_POSITION);
}

int OnvifWorker::toPanel(int axis, double value, const std::string &space) const
{
    const Onvif::Range &generic = axis == 0 ? spaces.panGeneric : spaces.tiltGeneric;
    if (spaces.degrees) {
        const Onvif::Range &degrees = axis == 0 ? spaces.degrees->first : spaces.degrees->second;
        return int(
            std::lround(space == Onvif::DegreesSpace ? value : mapped(value, generic, degrees)));
    }
    return int(std::lround(value * GenericScale));
}

double OnvifWorker::fromPanel(int value) const
{
    return spaces.degrees ? double(value) : value / GenericScale;
}

void OnvifWorker::readStep(Step step, const XmlElement *envelope)
{
    // envelope is null when the camera refused the step or its answer could not be read.
    uint32_t changes = 0;
    Step after = Step(int(step) + 1);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        switch (step) {
        case Step::Time:
            if (const auto when = envelope ? Onvif::systemTime(*envelope) : std::nullopt)
                clockOffset = *when - std::time(nullptr);
            break;
        case Step::Services:
            if (envelope)
                services = Onvif::services(*envelope);
            if (!services.media.empty() && !services.ptz.empty())
                after = Step::Profiles; // GetCapabilities would tell nothing more
            break;
        case Step::Capabilities: {
            const Onvif::Services more = envelope ? Onvif::services(*envelope) : Onvif::Services{};
            if (services.media.empty())
                services.media = more.media;
            if (services.ptz.empty())
                services.ptz = more.ptz;
            if (services.imaging.empty())
                services.imaging = more.imaging;
            // A camera that names none is asked everything at the address it answers on.
            if (services.media.empty())
                services.media = deviceUrl;
            if (services.ptz.empty() && !envelope)
                services.ptz = deviceUrl;
            break;
        }
        case Step::Profiles:
            if (envelope)
                profile = Onvif::firstProfile(*envelope);
            break;
        case Step::Options:
            if (envelope)
                spaces = Onvif::spaces(*envelope);
            break;
        case Step::Presets:
            presetsKnown = envelope != nullptr;
            presets = envelope ? Onvif::presets(*envelope) : std::vector<Onvif::Preset>{};
            break;
        case Step::Status:
            if (const auto at = envelope ? Onvif::status(*envelope) : std::nullopt) {
                positions[0] = toPanel(0, at->pan, at->space);
                positions[1] = toPanel(1, at->tilt, at->space);
                changes |= CHANGED_POSITION;
            }
            break;
        case Step::ImagingOptions:
            if (envelope)
                Onvif::imagingOptions(*envelope, imaging);
            break;
        case Step::ImagingSettings:
            if (envelope)
                Onvif::imagingSettings(*envelope, imaging);
            for (const ImageField &f : ImageFields) {
                const Onvif::Imaging::Value &v = imaging.*(f.value);
                if (!v.value || !v.range)
                    continue;
                const double scale = imageScale(*v.range);
                const int min = int(std::lround(v.range->min * scale)),
                          max = int(std::lround(v.range->max * scale));
                records[f.record] = {min,
                                     max,
                                     1,
                                     (min + max) / 2,
                                     std::clamp(int(std::lround(*v.value * scale)), min, max),
                                     1};
            }
            if (imaging.whiteBalanceAuto)
                records[PARAM_WHITE_BALANCE_AUTO] = {0, 1, 1, 1, *imaging.whiteBalanceAuto ? 1 : 0,
                                                     1};
            changes |= CHANGED_PARAMETERS;
            break;
        case Step::Done:
            break;
        }
    }
    next = after;
    publish(changes);
    if (next == Step::Done || (step >= Step::Profiles && !profile))
        next = Step::Done;
    if (next == Step::Done && !read)
        finishReading();
}

void OnvifWorker::doneJob(const OnvifJob &job, const XmlElement &envelope)
{
    uint32_t changes = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        const std::string key = "preset " + std::to_string(job.preset);
        switch (job.kind) {
        case OnvifJob::Status:
            if (const auto at = Onvif::status(envelope)) {
                positions[0] = toPanel(0, at->pan, at->space);
                positions[1] = toPanel(1, at->tilt, at->space);
                changes |= CHANGED_POSITION;
            }
            positionDone(changes != 0);
            break;
        case OnvifJob::SetPreset: {
            const std::string token = Onvif::presetToken(envelope);
            if (!token.empty()) {
                tokens.put(address.name, key, token);
                if (std::none_of(presets.begin(), presets.end(),
                                 [&](const auto &p) { return p.token == token; }))
                    presets.push_back({token, std::to_string(job.preset)});
            }
            break;
        }
        case OnvifJob::SnapshotUri:
            snapshotAddress->tell(Onvif::snapshotUri(envelope));
            break;
        case OnvifJob::RemovePreset: {
            const auto token = presetToken(job.preset);
            presets.erase(std::remove_if(presets.begin(), presets.end(),
                                         [&](const auto &p) { return token && p.token == *token; }),
                          presets.end());
            tokens.erase(address.name, key);
            break;
        }
        default:
            break;
        }
    }
    if (job.kind == OnvifJob::SetPreset || job.kind == OnvifJob::RemovePreset) {
        std::string error;
        if (!tokens.save(error))
            reportOnce(error);
    }
    changed.notify_all();
    publish(changes);
}

void OnvifWorker::heard(const XmlElement &envelope)
{
    uint32_t changes = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (const auto at = Onvif::status(envelope)) {
            const int pan = toPanel(0, at->pan, at->space), tilt = toPanel(1, at->tilt, at->space);
            if (positions[0] != pan || positions[1] != tilt) {
                positions = {pan, tilt};
                changes |= CHANGED_POSITION;
            }
        }
    }
    publish(changes);
}

void OnvifWorker::handle(const OnvifHttp::Answer &answer)
{
    const InFlight f = *inFlight;
    inFlight.reset();
    if (answer.status == 0 && !answer.tooLarge) {
        if (f.what != InFlight::LastStop) {
            {
                const std::lock_guard<std::mutex> lock(mutex);
                refusing = false; // nothing comes back at all now
            }
            lose(answer.error);
        }
        return;
    }
    XmlElement envelope;
    std::string error = answer.error;
    const bool parsed = !answer.tooLarge && wire.parse(answer.body, envelope, error);
    std::optional<std::string> fault = parsed ? Onvif::fault(envelope) : std::nullopt;
    if (parsed && !fault && !Onvif::body(envelope))
        error = "not a SOAP envelope";
    const bool good = parsed && !fault && Onvif::body(envelope) && answer.status < 300;
    bool wasRefused = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (f.what != InFlight::LastStop)
            answeredIn(Clock::now() - postedAt);
        wasRefused = refusing;
    }
    if (answer.status == 401 || (fault && Onvif::notAuthorized(*fault))) {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            refusing = true;
        }
        // Perhaps its clock moved on: its time is asked again first.
        lose("it refuses user \"" + address.user + "\" and its password");
        return;
    }
    if (wasRefused && !f.signedIn) {
        // Its time alone says nothing of the credentials: asked again with it, they decide.
        if (const auto when = good ? Onvif::systemTime(envelope) : std::nullopt)
            clockOffset = *when - std::time(nullptr);
        if (f.what == InFlight::Knock)
            knock(true);
        return;
    }
    if (wasRefused && good) {
        const std::lock_guard<std::mutex> lock(mutex);
        refusing = false;
    }
    if (answering()) {
        // Back again: read it afresh, from the time it just told.
        {
            const std::lock_guard<std::mutex> lock(mutex);
            read = false;
        }
        next = Step::Time;
        publish(CHANGED_CAPABILITIES);
    } else {
        publish(0);
    }
    if (!good && !fault)
        reportOnce(address.name + " sent an answer that cannot be read (" +
                   (error.empty() ? "HTTP " + std::to_string(answer.status) : error) + ")");
    switch (f.what) {
    case InFlight::Knock:
    case InFlight::Reading:
        readStep(f.what == InFlight::Knock ? Step::Time : f.step, good ? &envelope : nullptr);
        break;
    case InFlight::Heartbeat:
        if (good)
            heard(envelope);
        break;
    case InFlight::Drive:
    case InFlight::Job:
        if (!good && f.job.kind == OnvifJob::SnapshotUri) {
            // A camera without snapshots is no refusal of anything the user asked.
            snapshotAddress->tell({});
            break;
        }
        if (good) {
            doneJob(f.job, envelope);
        } else {
            // A fault about an argument (an unknown token) is no reason to grey the key.
            const bool grey = fault && fault->find("InvalidArg") == std::string::npos &&
                              fault->find("NoToken") == std::string::npos &&
                              fault->find("NoEntity") == std::string::npos;
            refuse(f.job,
                   (fault ? "refuses " : "cannot do ") + f.job.what +
                       (fault ? " (" + *fault + ")" : std::string()),
                   grey && (f.what == InFlight::Drive || f.job.kind != OnvifJob::Status));
        }
        break;
    case InFlight::LastStop:
        break;
    }
}

void OnvifWorker::run()
{
    for (;;) {
        const Clock::time_point now = Clock::now();
        Clock::time_point until = Clock::time_point::max();
        bool lost = false, letGo = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (finishing) {
                until = closedAt + Reopening;
                letGo = lettingGo(now);
            }
            lost = unreachable;
        }
        if (letGo)
            break;
        if (!inFlight) {
            if (lost) {
                if (now >= knockAt) {
                    knock(false);
                    continue;
                }
                until = std::min(until, knockAt);
            } else if (pick()) {
                continue;
            } else if (heldUntil > now) {
                until = std::min(until, heldUntil);
            } else {
                until = std::min(until, postedAt + IdleInquiry);
            }
        } else {
            until = std::min(until, deadline);
        }
        const int timeoutMs =
            until == Clock::time_point::max()
                ? 1000
                : int(std::clamp<long long>(
                      std::chrono::ceil<std::chrono::milliseconds>(until - now).count(), 0, 1000));
        http->wait(wakeup.fd(), timeoutMs);
        wakeup.drain();
        if (inFlight) {
            if (const auto answer = http->progress())
                handle(*answer);
            else if (Clock::now() >= deadline)
                lose("no answer within " + std::to_string(RequestTimeout.count()) + " s");
        }
    }
    // Closing never leaves the camera turning.
    bool lost = false;
    std::string url, token;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        lost = unreachable;
        url = services.ptz;
        token = profile ? profile->token : std::string();
    }
    if (!lost && !token.empty() && (sent.speed[0] || sent.speed[1] || sent.speed[2])) {
        InFlight f;
        f.what = InFlight::LastStop;
        inFlight = f;
        post(url, Onvif::stop(token, true, true));
        const auto limit = Clock::now() + std::chrono::milliseconds(500);
        while (Clock::now() < limit && !http->progress())
            http->wait(-1, 50);
    }
    done = true;
}
