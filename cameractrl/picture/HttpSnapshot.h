// SPDX-License-Identifier: GPL-2.0-or-later
// What a network camera sees, as a JPEG it serves over HTTP: one GET a frame, through the
// ONVIF module's HTTP (libcurl), on a connection kept for the next one. Credentials answer
// the camera's sign-in, digest (and basic, for a URL the user wrote them into); the camera
// never gets them unasked, and no message carries them or the URL.
#pragma once

#include "OnvifWire.h"
#include "SnapshotAddress.h"
#include "ViewSource.h"

#include <memory>
#include <string>

class HttpSnapshot final : public ViewSource
{
public:
    // A snapshot URL as the user wrote it.
    explicit HttpSnapshot(const std::string &url);
    // An ONVIF camera's, once it has told where: fetched with its user and password.
    HttpSnapshot(std::shared_ptr<const SnapshotAddress> address, std::string user,
                 std::string password);

    bool frame(Frame &frame, Clock::time_point deadline, int stop, std::string &problem) override;

private:
    bool address(std::string &url, Clock::time_point deadline, int stop, std::string &problem);

    const std::shared_ptr<const SnapshotAddress> told;
    const std::string written; // the user's URL, credentials and all
    const std::string user, password;
    std::unique_ptr<OnvifHttp> http;
};
