// SPDX-License-Identifier: GPL-2.0-or-later
// The call trace selected by CAMERACTRL_TRACE: a file path, or "-" for stderr.
// One line per library call: the operation's name, then each argument in decimal. With
// CAMERACTRL_TRACE_TIME set, each line starts with the monotonic clock's seconds (to the
// microsecond), so that a trace tells when a call was made, to compare with other clocks of it.
#pragma once

#include <cstdint>
#include <string>

struct PresetRecord;

class Trace
{
public:
    template <typename... Args> static void write(const char *operation, const Args &...args)
    {
        if (!enabled())
            return;
        std::string line = operation;
        (append(line, args), ...);
        emit(line);
    }

private:
    static bool enabled();
    static void emit(const std::string &line);

    static void append(std::string &line, int32_t value);
    static void append(std::string &line, uint8_t value);
    static void append(std::string &line, const char *text);
    static void append(std::string &, int32_t *) {} // out-parameters are not traced
    static void append(std::string &, const PresetRecord *) {}
};
