// SPDX-License-Identifier: GPL-2.0-or-later
#include "StreamView.h"
#include "StreamModule.h"
#include "Thumbnail.h"
#include "WebAddress.h"

#include <poll.h>

namespace {

constexpr int Slice = 100; // ms between looks at `stop`

} // namespace

StreamView::StreamView(std::string address) : url(std::move(address)) {}

bool StreamView::frame(Frame &frame, Clock::time_point deadline, int stop, std::string &problem)
{
    Clock::time_point asked = Clock::now();
    if (!stream) {
        StreamWire *wire = StreamModule::wire(problem);
        const Clock::time_point before = Clock::now();
        if (!wire || !wire->start(problem))
            return false;
        // Starting GStreamer the first time (its plugin registry) is not the camera's time.
        deadline += Clock::now() - before;
        asked += Clock::now() - before;
        const WebAddress a = WebAddress::parse(url);
        stream = wire->open(a.bare, a.user, a.password, Thumbnail::Width, problem);
        if (!stream)
            return false;
    }
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            problem = nothingWithin(asked, deadline);
            return false;
        }
        std::string error;
        if (stream->frame(frame.image, int(std::min<long long>(left.count(), Slice)), error))
            return true;
        if (!error.empty()) {
            problem = error;
            stream.reset(); // the next frame asked for opens it again
            return false;
        }
        pollfd p = {stop, POLLIN, 0};
        if (stop >= 0 && ::poll(&p, 1, 0) > 0) {
            problem = "stopped";
            return false;
        }
    }
}
