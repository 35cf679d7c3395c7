// SPDX-License-Identifier: GPL-2.0-or-later
// The network cameras the user configured, for the command line to edit and the panel to
// watch: one per line of a file in the user's configuration directory,
//
//   NAME, udp|tcp, HOST[, PORT]   NAME, serial, DEVICE[, RATE]   NAME, onvif, HOST[, PORT[, USER]]
//
// (a field in double quotes may hold "," ";" and "#"). The camera list shows them after the
// attached cameras, by name. Passwords are kept apart, in a credentials file beside it that
// only its owner may read.
#pragma once

#include "BaseDevice.h"

#include <string>
#include <vector>

class CAMERACTRL_API NetworkCameras
{
public:
    // The file read now; empty when neither XDG_CONFIG_HOME nor HOME is set.
    static std::string configPath();
    static std::string credentialsPath();
    // True when the camera `line` describes signs in with a user name, and so needs a password.
    static bool needsPassword(const std::string &line);
    // Adds the camera `line` describes, or replaces the one of its name, keeping `password`
    // (for a camera that signs in) in the credentials file. False, with the reason in `error`,
    // when the line cannot be used or a file cannot be written.
    static bool add(const std::string &line, std::string &error);
    static bool add(const std::string &line, const std::string &password, std::string &error);
    // False when no camera has that name or the file cannot be written.
    static bool remove(const std::string &name, std::string &error);
    // The password kept for camera `name` and `user`; false, with why in `error` (empty when
    // none is kept), when the file is missing, not the user's own or readable by others.
    static bool password(const std::string &name, const std::string &user, std::string &password,
                         std::string &error);

    struct Discovered
    {
        std::string name;    // what the camera calls itself, or its address
        std::string address; // host
        int port = 80;
        bool ptz = false;  // it says it has a PTZ service (ONVIF), or speaks VISCA
        std::string line;  // for --add-camera
        std::string about; // what it said of itself, worth a comment after the line, or ""
    };
    // Asks the cameras who they are, for `seconds` (4 at most):
    //   ""                   on the local subnets: a WS-Discovery probe to the multicast group
    //                        and the VISCA setup inquiry broadcast to each subnet (UDP 52380);
    //   "eth0[,wlan0...]"    the same on those interfaces alone (the loopback included);
    //   "HOST" "HOST:PORT"   that host: a WS-Discovery probe (port 3702) and a VISCA version
    //                        inquiry on UDP 52381, TCP 52381 and TCP 5678, or all on PORT.
    // What answers as a camera, from where it was asked, is found. False, with why, when
    // nothing could be sent.
    static bool discover(const std::string &where, double seconds, std::vector<Discovered> &found,
                         std::string &error);
};
