// SPDX-License-Identifier: GPL-2.0-or-later
#include "Report.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace {

// Bytes that would steer a terminal (C0, DEL and, in UTF-8, C1) as \xHH.
std::string printable(const std::string &text)
{
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool c1 = c == 0xc2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9f;
        if (c >= 0x20 && c != 0x7f && !c1) {
            shown += char(c);
            continue;
        }
        const unsigned code = c1 ? static_cast<unsigned char>(text[++i]) : c;
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", code);
        shown += escaped;
    }
    return shown;
}

} // namespace

void report(const std::string &message)
{
    std::fprintf(stderr, "CameraCtrl: %s\n", printable(message).c_str());
}

void reportOnce(const std::string &message)
{
    // Never destroyed: cameras' threads may still report while the process exits.
    static auto *mutex = new std::mutex;
    static auto *reported = new std::set<std::string>;
    const std::lock_guard<std::mutex> lock(*mutex);
    if (reported->insert(message).second)
        report(message);
}
