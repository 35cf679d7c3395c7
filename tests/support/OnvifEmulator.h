// SPDX-License-Identifier: GPL-2.0-or-later
// An ONVIF camera on 127.0.0.1 for the tests: SOAP 1.2 over HTTP on its own thread, with a
// device, media, PTZ and imaging service as cameras have them, WS-Security UsernameToken
// checked against its own clock (which may be set off), HTTP digest when told to ask for
// it, and faults, slow answers, silence and junk on demand. It serves its snapshot at
// GET /snapshot.jpg (HTTP digest when it has a user), which also stands for any camera's
// snapshot URL. It also answers a WS-Discovery probe sent to its UDP port, and only to the
// sender of one.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class OnvifEmulator
{
public:
    OnvifEmulator();
    ~OnvifEmulator();

    int port() const { return httpPort; }
    // http://127.0.0.1:PORT/snapshot.jpg, with "user:password@" when given.
    std::string snapshotUrl(const std::string &credentials = {}) const;
    int snapshotsServed() const { return served; }
    int discoveryPort() const { return udpPort; }
    // "\"NAME\", onvif, 127.0.0.1, PORT[, USER]" for the configuration file (the name quoted).
    std::string line(const std::string &name, const std::string &user = {}) const;

    struct Received
    {
        std::string operation; // the local name of the Body's element: "ContinuousMove"
        std::string path;      // "/onvif/ptz"
        std::string body;      // the whole envelope
        bool usernameToken = false, httpDigest = false; // credentials it carried
        std::chrono::steady_clock::time_point at;
    };
    std::vector<Received> received();
    // The operations received so far, in order; with `skipReading`, without the ones
    // the library sends to read the camera.
    std::vector<std::string> operations(bool skipReading = false);
    void clearReceived();
    bool waitFor(const std::string &operation, std::chrono::milliseconds limit, int count = 1);

    enum class Junk
    {
        None,
        NotXml,
        Entities, // a DTD defining nested entities
        Deep,     // a thousand levels
        Huge,     // past the library's limit
        External  // an external entity
    };
    struct Behaviour
    {
        std::string user, password;   // empty user: no credentials asked
        bool digest = false;          // HTTP digest asked, instead of a UsernameToken
        long skewSeconds = 0;         // its clock ahead of the real one
        std::set<std::string> faults; // operations answered ter:ActionNotSupported
        bool noServices = false;      // no GetServices (GetCapabilities still)
        bool noOptions = false;       // no GetConfigurationOptions
        bool noPtzProfile = false;    // no profile lists a PTZ configuration
        bool degrees = true;          // offers the spherical space in degrees
        bool namedPresets = false;    // tokens "Preset001"... instead of "1"...
        bool silent = false;          // reads requests, answers nothing
        std::chrono::milliseconds delay{0};
        Junk junk = Junk::None;                     // every answer
        double pan = 0, tilt = 0, zoom = 0;         // generic space
        std::map<std::string, std::string> presets; // token -> name
        int brightness = 50, contrast = 50, saturation = 50, sharpness = 50;
        bool whiteBalanceAuto = true;
        // The snapshot's bytes, as seen from where it points (its own position); none: 404.
        // Junk::NotXml serves a web page instead, Junk::Huge 3 MiB.
        std::function<std::string(double pan, double tilt, double zoom)> snapshot;
    };
    template <typename Change> void change(Change &&change)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        change(camera);
    }
    Behaviour state();

private:
    void run();
    void serve(int client);
    void probe();
    std::string answer(const std::string &operation, const std::string &body, Behaviour &b);
    void serveSnapshot(int client, bool signedIn, const Behaviour &b);

    int httpFd = -1, udpFd = -1, httpPort = 0, udpPort = 0;
    int wakeFd = -1;
    mutable std::mutex mutex;
    std::condition_variable arrived;
    std::vector<Received> log;
    Behaviour camera;
    std::atomic<bool> stopping{false};
    std::atomic<int> served{0};
    std::thread thread;
};
