// SPDX-License-Identifier: GPL-2.0-or-later
#include "FakeUdev.h"

#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace {

// Monitors filter on this hash of the subsystem in the kernel (MurmurHash2, seed 0).
quint32 subsystemHash(const QByteArray &key)
{
    const quint32 m = 0x5bd1e995;
    quint32 h = quint32(key.size());
    const auto *data = reinterpret_cast<const unsigned char *>(key.constData());
    int len = key.size();
    for (; len >= 4; data += 4, len -= 4) {
        quint32 k;
        std::memcpy(&k, data, 4);
        k *= m;
        k ^= k >> 24;
        k *= m;
        h = h * m ^ k;
    }
    switch (len) {
    case 3:
        h ^= quint32(data[2]) << 16;
        [[fallthrough]];
    case 2:
        h ^= quint32(data[1]) << 8;
        [[fallthrough]];
    case 1:
        h ^= data[0];
        h *= m;
    }
    h ^= h >> 13;
    h *= m;
    return h ^ (h >> 15);
}

void putBigEndian(QByteArray &to, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        to[at + i] = char(value >> (24 - 8 * i));
}

std::atomic<int> sequence{90000};

} // namespace

bool FakeUdev::announce(const QByteArray &action, const QByteArray &subsystem,
                        const QByteArray &devpath, const Properties &properties, QString &why)
{
    QByteArray values;
    const Properties all = Properties{{"ACTION", action},
                                      {"DEVPATH", devpath},
                                      {"SUBSYSTEM", subsystem},
                                      {"SEQNUM", QByteArray::number(++sequence)}} +
                           properties;
    for (const auto &[key, value] : all)
        values += key + '=' + value + '\0';

    // "libudev", then magic, header size, where the properties are and how long, the
    // subsystem's and device type's hashes and the tag bloom filter: all big-endian.
    constexpr int HeaderSize = 8 + 8 * 4;
    QByteArray message(HeaderSize, '\0');
    std::memcpy(message.data(), "libudev", 8);
    putBigEndian(message, 8, 0xfeedcafe);
    // The sizes are read as they come, in host order.
    const quint32 sizes[3] = {HeaderSize, HeaderSize, quint32(values.size())};
    std::memcpy(message.data() + 12, sizes, sizeof sizes);
    putBigEndian(message, 24, subsystemHash(subsystem));
    message += values;

    const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
    if (fd < 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    sockaddr_nl to = {};
    to.nl_family = AF_NETLINK;
    to.nl_groups = 2; // udev's, past the kernel's 1
    const bool sent = ::sendto(fd, message.constData(), size_t(message.size()), 0,
                               reinterpret_cast<sockaddr *>(&to), sizeof to) == message.size();
    if (!sent)
        why = QString::fromLocal8Bit(std::strerror(errno));
    ::close(fd);
    return sent;
}

bool FakeUdev::announceInput(const QByteArray &action, const QByteArray &kind, QString &why)
{
    const int number = sequence % 1000;
    return announce(action, "input", "/devices/virtual/input/input" + QByteArray::number(number),
                    {{"NAME", "\"Fake " + kind + "\""},
                     {"PRODUCT", "3/45e/28e/110"},
                     {"ID_INPUT", "1"},
                     {"ID_INPUT_" + kind, "1"}},
                    why);
}
