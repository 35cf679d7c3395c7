#include "Report.h"

#include <cstdio>
#include <mutex>
#include <set>

void reportOnce(const std::string &message)
{
    // Never destroyed: cameras' threads may still report while the process exits.
    static auto *mutex = new std::mutex;
    static auto *reported = new std::set<std::string>;
    const std::lock_guard<std::mutex> lock(*mutex);
    if (reported->insert(message).second)
        std::fprintf(stderr, "CameraCtrl: %s\n", message.c_str());
}
