// SPDX-License-Identifier: GPL-2.0-or-later
#include "Trace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

namespace {

struct Sink
{
    std::string path;
    std::FILE *file = nullptr;

    ~Sink() { close(); }
    void close()
    {
        if (file && file != stderr)
            std::fclose(file);
        file = nullptr;
    }
};

const char *tracePath()
{
    const char *path = std::getenv("CAMERACTRL_TRACE");
    return path && *path ? path : nullptr;
}

} // namespace

bool Trace::enabled()
{
    return tracePath() != nullptr;
}

void Trace::emit(const std::string &line)
{
    static std::mutex mutex;
    static Sink sink;
    static std::string failedPath;

    const std::lock_guard<std::mutex> lock(mutex);
    const char *path = tracePath();
    if (!path)
        return;
    if (!sink.file || sink.path != path) {
        sink.close();
        sink.path = path;
        sink.file = sink.path == "-" ? stderr : std::fopen(path, "a");
        if (!sink.file) {
            if (failedPath != path)
                std::fprintf(stderr, "CameraCtrl: cannot open trace file %s\n", path);
            failedPath = path;
            return;
        }
    }
    if (const char *timed = std::getenv("CAMERACTRL_TRACE_TIME"); timed && *timed) {
        timespec now = {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::fprintf(sink.file, "%lld.%06ld ", static_cast<long long>(now.tv_sec),
                     now.tv_nsec / 1000);
    }
    std::fputs(line.c_str(), sink.file);
    std::fputc('\n', sink.file);
    std::fflush(sink.file);
}

void Trace::append(std::string &line, int32_t value)
{
    line += ' ';
    line += std::to_string(value);
}

void Trace::append(std::string &line, uint8_t value)
{
    append(line, int32_t(value));
}

void Trace::append(std::string &line, const char *text)
{
    line += ' ';
    line += text ? text : "(null)";
}
