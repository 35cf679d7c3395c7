// SPDX-License-Identifier: GPL-2.0-or-later
// The file of network cameras the user configured, shared by the network backends: one
// camera per line of $XDG_CONFIG_HOME/ptz-panel/cameras (or ~/.config/ptz-panel/cameras; the
// older name `visca` is read while `cameras` is absent), and of CAMERACTRL_VISCA (where ";"
// also ends a line):
//
//   NAME, udp|tcp, HOST[, PORT]     VISCA over IP (52381) or plain VISCA over TCP (5678)
//   NAME, serial, DEVICE[, RATE]    VISCA on a serial line (9600)
//   NAME, onvif, HOST[, PORT[, USER]]   ONVIF (port 80)
//
// each optionally followed by where the camera's view is, for presets' pictures and live
// view: `snapshot=URL` (a JPEG over HTTP) and/or `stream=URL` (RTSP, or a stream over HTTP);
// a URL may carry "user:password@". An ONVIF camera without them says itself where its
// snapshot is.
//
// A field may be written in double quotes, where "," ";" and "#" are its own and "" is one
// quote. Outside quotes "#" starts a comment. A line that cannot be used is reported once.
// Only the first 64 KiB of the file are read.
#pragma once

#include "BaseDevice.h"

#include <mutex>
#include <string>
#include <vector>

struct NetworkCamera
{
    enum Kind
    {
        Udp,
        Tcp,
        Serial,
        Onvif
    };
    DeviceInfo info; // path: "visca-udp://host:port", "onvif://host:port" ...
    Kind kind = Udp;
    std::string host;
    int port = 0;
    std::string user;             // onvif only
    std::string snapshot, stream; // its view: never shown, they may hold a password
};

class NetworkCameraFile
{
public:
    static constexpr const char *Usage =
        "NAME, udp|tcp, HOST[, PORT], NAME, serial, DEVICE[, RATE] or NAME, onvif, HOST[, "
        "PORT[, USER]], then optionally snapshot=URL and stream=URL";
    static constexpr size_t MaxFileBytes = 64 * 1024;

    // The cameras of `text`; bad lines are reported once under `origin`, or only added to
    // `problems` when given.
    static std::vector<NetworkCamera> parse(const std::string &text, const std::string &origin,
                                            std::vector<std::string> *problems = nullptr);
    // The lines of `text` split into fields, quotes undone, each with its line number;
    // comments and empty lines give none.
    static std::vector<std::vector<std::string>> records(const std::string &text);
    // A field as the file writes it: in quotes only when it needs them.
    static std::string quoted(const std::string &field);
    // The line that describes `camera` in the file.
    static std::string line(const NetworkCamera &camera);

    // The file read now: `cameras`, or `visca` while only it exists. Empty without a
    // configuration directory.
    static std::string configPath();
    // Where edits are written (and the credentials beside it).
    static std::string writePath();
    // The file's text, at most MaxFileBytes of it, cut after its last whole line; false when
    // the file is larger.
    static bool read(const std::string &path, std::string &text);
    // Every configured camera, from the file and the environment; a file over its limit is
    // said once per version of it.
    static std::vector<NetworkCamera> configured();

    static const char *kindName(NetworkCamera::Kind kind);

private:
    static std::mutex oversizeMutex;
    static std::string oversizeSaid;
};
