// SPDX-License-Identifier: GPL-2.0-or-later
// The wire to one VISCA camera: UDP with the VISCA-over-IP header and sequence numbers, or
// plain VISCA over TCP or a serial port. Non-blocking; used only by the camera's worker thread.
// What arrives is checked before it counts: only the configured peer, only well-formed replies no
// longer than a VISCA message.
#pragma once

#include "ViscaProtocol.h"

#include <string>
#include <vector>

class ViscaLink
{
public:
    enum Transport
    {
        Udp,
        Tcp,
        Serial
    };
    static const char *name(Transport transport);
    // Serial ports run at these rates only (bits per second).
    static bool supportedBaud(long baud);

    // Serial: `host` is the port's device and `port` its rate.
    ViscaLink(Transport transport, std::string host, int port);
    ~ViscaLink();
    ViscaLink(const ViscaLink &) = delete;
    ViscaLink &operator=(const ViscaLink &) = delete;

    // Resolves the host and opens the socket (a TCP connection may still be on its way).
    bool open(std::string &error);
    void close();
    int descriptor() const { return fd; }
    Transport transport() const { return kind; }
    // Messages come as a stream, in order, without a header (TCP and serial).
    bool stream() const { return kind != Udp; }
    // TCP: the connection is still being made; poll for writing, then finishConnect().
    bool connecting() const { return pending; }
    bool finishConnect(std::string &error);

    // One message; over UDP with its header, as a command, an inquiry or a control message.
    bool send(Visca::PayloadType type, uint32_t sequence, const Visca::Bytes &message);

    struct Incoming
    {
        bool control = false;  // UDP: an answer to a control message
        uint32_t sequence = 0; // UDP: the sequence number it answers
        Visca::Reply reply;
        Visca::Bytes controlReply; // UDP: what a control reply says (01, or 0F 0n an error)
    };
    // What has arrived; `lost` when the connection is gone (TCP) or the socket failed.
    std::vector<Incoming> receive(bool &lost);

private:
    bool openSerial(std::string &error);

    const Transport kind;
    const std::string host;
    const int port;
    int fd = -1;
    bool pending = false;
    Visca::Bytes partial; // stream: the start of a message not yet ended
};
