#include "V4l2SystemIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

std::vector<std::string> V4l2SystemIo::nodes()
{
    std::vector<std::pair<long, std::string>> found;
    if (DIR *dev = opendir("/dev")) {
        while (const dirent *entry = readdir(dev)) {
            const char *name = entry->d_name;
            if (std::strncmp(name, "video", 5) != 0 || name[5] == '\0')
                continue;
            char *end = nullptr;
            const long number = std::strtol(name + 5, &end, 10);
            if (*end == '\0')
                found.emplace_back(number, std::string("/dev/") + name);
        }
        closedir(dev);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> nodes;
    for (auto &node : found)
        nodes.push_back(std::move(node.second));
    return nodes;
}

int V4l2SystemIo::open(const std::string &node)
{
    // Non-blocking: a camera that stops answering must not freeze the panel.
    const int fd = ::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    return fd >= 0 ? fd : -errno;
}

void V4l2SystemIo::close(int fd)
{
    ::close(fd);
}

int V4l2SystemIo::ioctl(int fd, unsigned long request, void *argument)
{
    int result;
    do
        result = ::ioctl(fd, request, argument);
    while (result < 0 && errno == EINTR);
    return result < 0 ? -errno : 0;
}
