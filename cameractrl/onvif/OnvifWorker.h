// SPDX-License-Identifier: GPL-2.0-or-later
// The one thread that talks to an ONVIF camera: SOAP over HTTP, one request on the wire at a
// time, the next when its answer has come. What waits is CameraWorker's: the motion wanted
// now and the user's jobs, a stop or a change of direction first. Once the user's requests
// are out, the camera is read a step at a time: its clock (so that a UsernameToken made
// here is fresh by the camera's clock), its services, its first profile with a PTZ
// configuration, that configuration's spaces, its presets, its position and its image
// settings. A camera that answers only part of it is driven with what it told. While nothing
// else goes, it is asked its status (its time, without a PTZ profile) every IdleInquiry. A
// camera that stops answering is said once, what waits is dropped, and it is asked its time
// every KnockInterval until it answers, then read afresh; one that refuses its credentials is
// asked, with the time it tells, something that needs them, until it takes them.
#pragma once

#include "CameraStore.h"
#include "CameraWorker.h"
#include "ChangeNotifier.h"
#include "OnvifJob.h"
#include "OnvifSoap.h"
#include "OnvifWire.h"
#include "SnapshotAddress.h"
#include "ViewSource.h"

#include <array>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class OnvifWorker : public CameraWorker<OnvifJob>
{
public:
    struct Address
    {
        std::string name, host;
        int port = 80;
        std::string user, password;
    };
    OnvifWorker(OnvifWire &wire, Address address, std::shared_ptr<ChangeNotifier> notifier,
                CameraStore &presetTokens);
    ~OnvifWorker() override;

    // ---- For the caller's thread ----
    void copyRecords(ParameterRecord *records);
    uint32_t capabilities();
    std::optional<int> position(int axis); // panel units: 0 pan, 1 tilt
    // The range of the position fields, per axis.
    std::pair<int, int> positionRange(int axis);
    // A pan and/or tilt in the panel's units (see CameraWorker::moveTo).
    void moveTo(std::optional<int> pan, std::optional<int> tilt);
    // Where the profile's snapshot is, asked of the camera the first time (and again after a
    // camera that did not answer).
    std::shared_ptr<const SnapshotAddress> snapshot();
    // Its snapshot, fetched with its credentials; offered until it says it has none.
    std::unique_ptr<ViewSource> view();
    bool offersView() const;

    static constexpr auto RequestTimeout = std::chrono::seconds(3);
    static constexpr auto KnockInterval = std::chrono::seconds(2);
    static constexpr auto IdleInquiry = std::chrono::seconds(5);
    static constexpr double GenericScale = 1000; // panel units per generic unit

private:
    // What is on the wire.
    enum class Step
    {
        Time,
        Services,
        Capabilities,
        Profiles,
        Options,
        Presets,
        Status,
        ImagingOptions,
        ImagingSettings,
        Done
    };
    struct InFlight
    {
        enum What
        {
            Reading,
            Drive,
            Job,
            Knock,
            Heartbeat,
            LastStop
        } what = Reading;
        Step step = Step::Time;
        OnvifJob job;
        bool signedIn = true; // a request the credentials must pass
    };

    void run() override;
    OnvifJob positionJob() const override;
    bool readsPosition(const OnvifJob &job) const override;
    Ready readyToDrive(Motion::Drive drive) override;
    bool readyToRun(const OnvifJob &job) override;
    void taking(const OnvifJob &job) override;
    std::optional<int> seenAt(int axis) const override;

    bool pick();
    void post(const std::string &url, const Onvif::Message &message, bool signedIn = true);
    void postHeartbeat();
    void knock(bool signedIn);
    void postDrive(Motion::Drive drive);
    bool postJob(const OnvifJob &job);
    bool postStep();
    void handle(const OnvifHttp::Answer &answer);
    void readStep(Step step, const XmlElement *envelope);
    void doneJob(const OnvifJob &job, const XmlElement &envelope);
    void heard(const XmlElement &envelope); // the heartbeat's answer
    void refuse(const OnvifJob &job, const std::string &why, bool grey);
    void lose(const std::string &why);
    void finishReading();

    // Under the lock.
    std::optional<std::string> presetToken(int preset) const;
    int toPanel(int axis, double value, const std::string &space) const;
    double fromPanel(int value) const;
    uint32_t offeredLocked() const;

    OnvifWire &wire;
    const Address address;
    const std::string deviceUrl;
    CameraStore &tokens;
    const std::unique_ptr<OnvifHttp> http;

    // Shared with the caller's thread, under the mutex.
    ParameterRecord records[PARAM_COUNT] = {};
    Onvif::Services services;
    std::optional<Onvif::Profile> profile;
    Onvif::Spaces spaces;
    Onvif::Imaging imaging;
    std::vector<Onvif::Preset> presets;
    bool presetsKnown = false;
    uint32_t lacks = 0; // what the camera refused
    std::array<std::optional<int>, 2> positions;
    const std::shared_ptr<SnapshotAddress> snapshotAddress = std::make_shared<SnapshotAddress>();

    // The worker's own.
    std::optional<InFlight> inFlight;
    Step next = Step::Time;
    Clock::time_point deadline, knockAt, heldUntil, postedAt;
    std::time_t clockOffset = 0; // the camera's clock minus ours
};
