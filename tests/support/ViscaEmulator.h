// SPDX-License-Identifier: GPL-2.0-or-later
// A VISCA camera on 127.0.0.1 for the tests: VISCA over IP on UDP, plain VISCA on TCP and on
// a pseudo-terminal standing for a serial port, answering on its own thread as a camera would (ACK,
// then completion; inquiries with their values; errors for what it is told to refuse). It never
// sends anywhere but to the peer that wrote to it. It also answers the setup protocol's network
// inquiry on a UDP port of its own (a camera answers the broadcast; here the loopback stands
// for it), and can be switched off and on again on the same ports.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ViscaEmulator
{
public:
    using Bytes = std::vector<uint8_t>;

    ViscaEmulator();
    ~ViscaEmulator();

    int udpPort() const { return udp.port; }
    int tcpPort() const { return tcp.port; }
    int setupPort() const { return setup.port; }
    // "NAME, udp, 127.0.0.1, PORT" for CAMERACTRL_VISCA or the configuration file.
    std::string line(const std::string &name, bool overUdp) const;
    // "NAME, serial, /dev/pts/N": the camera on its serial line.
    std::string serialLine(const std::string &name) const;

    struct Received
    {
        Bytes message;         // the VISCA message, without the UDP header
        uint16_t type = 0;     // UDP payload type (0 over TCP)
        uint32_t sequence = 0; // UDP sequence number
        int from = 0;          // UDP: the sender's port
        std::chrono::steady_clock::time_point at;
    };
    std::vector<Received> received();
    // The VISCA commands (not inquiries, not control) received so far.
    std::vector<Bytes> commands();
    void clearReceived();
    // Waits until `count` commands have arrived.
    bool waitForCommands(size_t count, std::chrono::milliseconds limit);

    // How the camera behaves, and what its inquiries answer; changed under its lock.
    struct Behaviour
    {
        std::vector<std::pair<Bytes, uint8_t>> refusals; // commands so prefixed get that error
        std::vector<std::pair<Bytes, int>> ignored; // so prefixed: no answer, n times (-1 ever)
        int busy = 0;                               // "buffer full" this many times first
        bool silent = false;                        // answers nothing
        bool garbage = false;                       // junk and stale answers around every real one
        std::chrono::milliseconds completionDelay{0};
        bool holdInquiries = false; // inquiries wait for their answer while it is set
        bool junkOnly = false;      // answers junk, never a reply (the setup inquiry too)
        std::chrono::milliseconds answerDelay{0}; // before every answer
        uint16_t vendor = 0x0001, model = 0x0519; // what the version inquiry says
        std::string setupName = "CAM1";           // what the setup inquiry says
        std::string setupModel = "IPCARD";
        int pan = 0, tilt = 0, zoom = 0;
        std::map<uint8_t, int> image = {{0xa1, 7}, {0xa2, 7}, {0x42, 4},  {0x49, 4},
                                        {0x4f, 7}, {0x5b, 0}, {0x20, 20}, {0x33, 0}};
    };
    template <typename Change> void change(Change &&change)
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            change(camera);
        }
        wake();
    }
    void dropTcpClients(); // the TCP connection goes down (the serial line stays), now
    // Power: off closes its network ports (what was on its way is lost); on opens them again,
    // the same ports, with nothing remembered of its peers.
    void switchOff();
    void switchOn();
    // Commands sent while another was still running (its completion not yet given).
    int overlaps() const { return overlapped; }

private:
    struct Socket
    {
        int fd = -1;
        int port = 0;
    };
    struct Pending // a completion still to give
    {
        std::chrono::steady_clock::time_point due;
        Bytes reply;
        uint32_t sequence;
        int tcpFd;
        bool move;
        bool delayed = false; // an answer given late (answerDelay), not a running command
    };
    void wake();
    void bind();
    void closeTcpClients(); // the serial line stays
    void run();
    void readSetup();
    void acceptClient();
    void readUdp();
    void readTcp(size_t client);
    void handle(const Bytes &message, uint16_t type, uint32_t sequence, int tcpFd, int from = 0);
    void send(const Bytes &reply, uint16_t type, uint32_t sequence, int tcpFd);
    void answer(const Bytes &reply, uint32_t sequence, int tcpFd); // after answerDelay
    void junk(uint32_t sequence, int tcpFd);
    bool apply(const Bytes &command); // false: not a command it knows
    Bytes inquiryAnswer(const Bytes &message);

    Socket udp, tcp, setup;
    int stranger = -1; // a socket at another port, for answers from the wrong address
    int wakeFd = -1;
    int serialFd = -1;        // the terminal's master side: the camera's end of the line
    int serialHeld = -1;      // its other side, kept open so that the line never hangs up
    std::string serialDevice; // that other side's name, for the library to open
    struct Client
    {
        int fd;
        Bytes partial;
        bool serial = false;
    };
    std::vector<Client> clients;
    std::vector<uint8_t> peer; // the UDP peer's address (a sockaddr_in)
    std::vector<Pending> pending;

    mutable std::mutex mutex;
    std::condition_variable arrived;
    std::vector<Received> log;
    Behaviour camera;
    bool dropClients = false;
    std::map<int, std::pair<int, int>> presets;
    std::atomic<int> overlapped{0};
    std::atomic<bool> stopping{false};
    std::thread thread;
};
