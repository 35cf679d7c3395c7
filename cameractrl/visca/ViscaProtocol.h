// SPDX-License-Identifier: GPL-2.0-or-later
// VISCA messages for camera address 1 (what a network camera answers to): the commands and
// inquiries the backend sends, and the replies it accepts. Nothing here does any I/O.
//
// Speeds: pan 1..0x18, tilt 1..0x14, zoom 0..7. Positions are the camera's own signed 16-bit
// units (pan about ±2448, tilt about -432..1296 on common cameras), zoom 0..0x4000.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace Visca {

using Bytes = std::vector<uint8_t>;

constexpr size_t MaxMessage = 16; // the longest VISCA message, terminator included

constexpr int PositionMin = -32768, PositionMax = 32767; // what a position's nibbles carry
constexpr int ZoomMax = 0x4000;                          // wide 0 to tele on common cameras

// Signed panel speeds (pan -24..24, tilt -16..16; 0 stops that axis).
Bytes panTiltDrive(int pan, int tilt);
Bytes panTiltAbsolute(int pan, int tilt, int panSpeed = 0x18, int tiltSpeed = 0x14);
Bytes home();
Bytes panTiltReset();
// Signed panel zoom speed -7..7; 0 stops.
Bytes zoomDrive(int speed);
Bytes zoomDirect(int position);
enum MemoryAction
{
    MemoryReset = 0,
    MemorySet = 1,
    MemoryRecall = 2
};
Bytes memory(MemoryAction action, int preset);
// The speed (1..0x18) a camera moves at to `preset` when it is recalled: 8x 01 7E 01 0B pp qq
// FF, which not every camera knows.
Bytes presetSpeed(int preset, int speed);
Bytes onOff(uint8_t category, uint8_t item, bool on); // 8x 01 cc ii 02|03 FF
// A direct value in `digits` nibbles (1, 2 or 4), as the image controls take them:
// 8x 01 04 ii 0p [0q 0r 0s] FF.
Bytes direct(uint8_t item, int value, int digits);
Bytes whiteBalanceMode(bool automatic);
Bytes menu(bool on);
Bytes tally(bool on); // 8x 01 7E 01 0A 00 02|03 FF: the one lamp most cameras have

Bytes panTiltPositionInquiry();
Bytes zoomPositionInquiry();
Bytes inquiry(uint8_t category, uint8_t item); // 8x 09 cc ii FF

// What a reply says. Replies come from address 1: 90 4y FF, 90 5y FF, 90 50 ... FF, 90 6y ee FF.
struct Reply
{
    enum Kind
    {
        Ack,
        Completion,
        Error
    } kind = Ack;
    int socket = 0;
    uint8_t error = 0; // 02 syntax, 03 buffer full, 04 cancelled, 05 no socket, 41 not executable
    Bytes data;        // an inquiry's answer, between 90 50 and FF
};
// nullopt for anything that is not one well-formed reply.
std::optional<Reply> parse(const uint8_t *bytes, size_t size);

constexpr uint8_t SyntaxError = 0x02, BufferFull = 0x03, Cancelled = 0x04, NoSocket = 0x05,
                  NotExecutable = 0x41;

// A signed 16-bit value from four nibbles of an inquiry's answer.
int16_t nibbles(const Bytes &data, size_t at);
// An unsigned value from `digits` nibbles.
int value(const Bytes &data, size_t at, int digits);

// The image controls the panel shows, as common PTZ cameras take them (category 04): the
// record each fills, its item, how many nibbles its value has (0: on/off), its range and
// default. A camera that does not answer an item's inquiry lacks it.
struct ImageItem
{
    int record;
    uint8_t item;
    int digits;
    int minimum, maximum, defaultValue;
    const char *name;
};
const ImageItem *imageItems(size_t &count);
const ImageItem *imageItem(int record);
Bytes setImage(const ImageItem &item, int value);

// VISCA over IP: an 8-byte header before each message.
enum PayloadType : uint16_t
{
    Command = 0x0100,
    Inquiry = 0x0110,
    ViscaReply = 0x0111,
    Control = 0x0200,
    ControlReply = 0x0201,
};
Bytes overIp(PayloadType type, uint32_t sequence, const Bytes &payload);
struct Packet
{
    PayloadType type;
    uint32_t sequence;
    Bytes payload;
};
std::optional<Packet> parsePacket(const uint8_t *bytes, size_t size);
// The control message that resets the camera's sequence counter, and its acknowledgement.
Bytes resetSequence();

// Serial broadcasts: number the cameras on the line from 1, and empty their command buffers.
Bytes addressSet();
Bytes interfaceClear();

} // namespace Visca
