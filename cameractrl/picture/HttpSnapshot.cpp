// SPDX-License-Identifier: GPL-2.0-or-later
#include "HttpSnapshot.h"
#include "OnvifModule.h"
#include "Thumbnail.h"
#include "WebAddress.h"

#include <poll.h>

namespace {

constexpr auto AddressPoll = std::chrono::milliseconds(50);

bool stopped(int stop, int timeoutMs)
{
    pollfd p = {stop, POLLIN, 0};
    return stop >= 0 ? ::poll(&p, 1, timeoutMs) > 0 : (::poll(nullptr, 0, timeoutMs), false);
}

} // namespace

HttpSnapshot::HttpSnapshot(const std::string &url) : written(url) {}

HttpSnapshot::HttpSnapshot(std::shared_ptr<const SnapshotAddress> address, std::string name,
                           std::string secret)
    : told(std::move(address)), user(std::move(name)), password(std::move(secret))
{}

bool HttpSnapshot::address(std::string &url, Clock::time_point deadline, int stop,
                           std::string &problem)
{
    if (!told) {
        url = written;
        return true;
    }
    for (;;) {
        if (const auto known = told->known()) {
            url = *known;
            if (url.empty())
                problem = "the camera tells of no snapshot";
            return !url.empty();
        }
        if (Clock::now() >= deadline) {
            problem = "the camera has not told where its snapshot is";
            return false;
        }
        if (stopped(stop, int(AddressPoll.count()))) {
            problem = "stopped";
            return false;
        }
    }
}

bool HttpSnapshot::frame(Frame &frame, Clock::time_point deadline, int stop, std::string &problem)
{
    const Clock::time_point asked = Clock::now();
    std::string url;
    if (!address(url, deadline, stop, problem))
        return false;
    const WebAddress a = WebAddress::parse(url);
    if (a.scheme != "http" && a.scheme != "https") {
        problem = "a snapshot address must start with http:// or https://";
        return false;
    }
    if (!http) {
        OnvifWire *wire = OnvifModule::wire(problem);
        if (!wire)
            return false;
        http = wire->http();
    }
    // Credentials the user wrote into the URL are the user's choice, basic included; a
    // camera's own go by digest only.
    const bool written = !a.user.empty();
    // libcurl's own limit lies past ours, which is the one that speaks.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - asked);
    http->get(a.bare, written ? a.user : user, written ? a.password : password, written,
              left + std::chrono::seconds(1), Thumbnail::MaxInput + 1);
    for (;;) {
        if (const auto answer = http->progress()) {
            if (answer->tooLarge)
                problem = "a picture larger than 2 MiB";
            else if (answer->status == 0)
                problem = "no answer (" + answer->error + ")";
            else if ((answer->status == 401 || answer->status == 403) && user.empty() && !written)
                problem = "the camera asks for a user name and password";
            else if (answer->status == 401 || answer->status == 403)
                problem = "the camera refuses the user name and password";
            else if (answer->status != 200)
                problem = "the camera answers HTTP " + std::to_string(answer->status);
            else
                frame.jpeg.assign(answer->body.begin(), answer->body.end());
            return answer->status == 200 && !answer->tooLarge;
        }
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (wait.count() <= 0) {
            problem = nothingWithin(asked, deadline);
            return false;
        }
        http->wait(stop, int(std::min<long long>(wait.count(), 100)));
        if (stopped(stop, 0)) {
            problem = "stopped";
            return false;
        }
    }
}
