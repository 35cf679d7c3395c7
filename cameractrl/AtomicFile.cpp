// SPDX-License-Identifier: GPL-2.0-or-later
#include "AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

bool writeFileAtomically(const std::string &path, const std::string &contents, std::string &error)
{
    const fs::path target(path);
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);

    // The messages name the file meant, whatever the temporary was called.
    const auto explain = [&](const char *step) {
        error = "cannot write " + path + " (" + step + "): " + std::strerror(errno);
        return false;
    };
    std::string temporary = path + ".XXXXXX"; // unique per writer, also across processes
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return explain("create");
    const auto fail = [&](const char *step) {
        explain(step);
        ::close(fd);
        ::unlink(temporary.c_str());
        return false;
    };
    size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + written, contents.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail("write");
        written += size_t(n);
    }
    if (::fsync(fd) != 0)
        return fail("sync");
    if (::close(fd) != 0) {
        explain("close");
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        explain("rename");
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself lives in the directory.
    const std::string dir = target.parent_path().empty() ? "." : target.parent_path().string();
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}
