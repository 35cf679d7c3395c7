#include "Report.h"

#include <cstdio>
#include <mutex>
#include <set>

void reportOnce(const std::string &message)
{
    static std::mutex mutex;
    static std::set<std::string> reported;
    const std::lock_guard<std::mutex> lock(mutex); // the V4L2 stepper reports from its thread
    if (reported.insert(message).second)
        std::fprintf(stderr, "CameraCtrl: %s\n", message.c_str());
}
