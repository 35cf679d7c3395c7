// SPDX-License-Identifier: GPL-2.0-or-later
#include "ViscaProtocol.h"
#include "BaseDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Visca {

namespace {

constexpr uint8_t Address = 0x81;
constexpr uint8_t End = 0xff;
constexpr int PanFastest = 0x18, TiltFastest = 0x14, PanelPan = 24, PanelTilt = 16;

void putNibbles(Bytes &out, int value)
{
    const auto v = static_cast<uint16_t>(static_cast<int16_t>(value));
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(uint8_t((v >> shift) & 0x0f));
}

int scaled(int speed, int panelFastest, int fastest)
{
    return std::clamp(int(std::lround(std::abs(speed) * double(fastest) / panelFastest)), 1,
                      fastest);
}

} // namespace

Bytes panTiltDrive(int pan, int tilt)
{
    // Directions: pan 01 left, 02 right, 03 stop; tilt 01 up, 02 down, 03 stop.
    return {Address,
            0x01,
            0x06,
            0x01,
            uint8_t(pan ? scaled(pan, PanelPan, PanFastest) : 1),
            uint8_t(tilt ? scaled(tilt, PanelTilt, TiltFastest) : 1),
            uint8_t(pan < 0   ? 0x01
                    : pan > 0 ? 0x02
                              : 0x03),
            uint8_t(tilt > 0   ? 0x01
                    : tilt < 0 ? 0x02
                               : 0x03),
            End};
}

Bytes panTiltAbsolute(int pan, int tilt, int panSpeed, int tiltSpeed)
{
    Bytes out = {Address, 0x01, 0x06, 0x02, uint8_t(panSpeed), uint8_t(tiltSpeed)};
    putNibbles(out, pan);
    putNibbles(out, tilt);
    out.push_back(End);
    return out;
}

Bytes home()
{
    return {Address, 0x01, 0x06, 0x04, End};
}

Bytes panTiltReset()
{
    return {Address, 0x01, 0x06, 0x05, End};
}

Bytes zoomDrive(int speed)
{
    if (speed == 0)
        return {Address, 0x01, 0x04, 0x07, 0x00, End};
    // Variable speed 0 (slowest) .. 7 from the panel's 1..7.
    const int p = std::clamp(int(std::lround((std::abs(speed) - 1) * 7 / 6.0)), 0, 7);
    return {Address, 0x01, 0x04, 0x07, uint8_t((speed > 0 ? 0x20 : 0x30) | p), End};
}

Bytes zoomDirect(int position)
{
    Bytes out = {Address, 0x01, 0x04, 0x47};
    putNibbles(out, position);
    out.push_back(End);
    return out;
}

Bytes memory(MemoryAction action, int preset)
{
    return {Address, 0x01, 0x04, 0x3f, uint8_t(action), uint8_t(preset), End};
}

Bytes presetSpeed(int preset, int speed)
{
    return {Address, 0x01, 0x7e, 0x01, 0x0b, uint8_t(preset), uint8_t(speed), End};
}

Bytes onOff(uint8_t category, uint8_t item, bool on)
{
    return {Address, 0x01, category, item, uint8_t(on ? 0x02 : 0x03), End};
}

Bytes direct(uint8_t item, int value, int digits)
{
    Bytes out = {Address, 0x01, 0x04, item};
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out.push_back(uint8_t((value >> shift) & 0x0f));
    out.push_back(End);
    return out;
}

Bytes whiteBalanceMode(bool automatic)
{
    return {Address, 0x01, 0x04, 0x35, uint8_t(automatic ? 0x00 : 0x05), End};
}

Bytes menu(bool on)
{
    return {Address, 0x01, 0x06, 0x06, uint8_t(on ? 0x02 : 0x03), End};
}

Bytes tally(bool on)
{
    return {Address, 0x01, 0x7e, 0x01, 0x0a, 0x00, uint8_t(on ? 0x02 : 0x03), End};
}

Bytes panTiltPositionInquiry()
{
    return {Address, 0x09, 0x06, 0x12, End};
}

Bytes zoomPositionInquiry()
{
    return inquiry(0x04, 0x47);
}

Bytes inquiry(uint8_t category, uint8_t item)
{
    return {Address, 0x09, category, item, End};
}

std::optional<Reply> parse(const uint8_t *bytes, size_t size)
{
    // From address 1 (0x90), ended by the one terminator, no longer than a VISCA message.
    if (size < 3 || size > MaxMessage || bytes[0] != 0x90 || bytes[size - 1] != End)
        return std::nullopt;
    if (std::find(bytes + 1, bytes + size - 1, End) != bytes + size - 1)
        return std::nullopt;
    Reply reply;
    const uint8_t kind = bytes[1] & 0xf0;
    reply.socket = bytes[1] & 0x0f;
    if (kind == 0x40 && size == 3) {
        reply.kind = Reply::Ack;
    } else if (kind == 0x50) {
        reply.kind = Reply::Completion;
        reply.data.assign(bytes + 2, bytes + size - 1);
    } else if (kind == 0x60 && size == 4) {
        reply.kind = Reply::Error;
        reply.error = bytes[2];
    } else {
        return std::nullopt;
    }
    return reply;
}

int16_t nibbles(const Bytes &data, size_t at)
{
    uint16_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v = uint16_t(v << 4 | (at + i < data.size() ? data[at + i] & 0x0f : 0));
    return static_cast<int16_t>(v);
}

int value(const Bytes &data, size_t at, int digits)
{
    int v = 0;
    for (int i = 0; i < digits; ++i)
        v = v << 4 | (at + size_t(i) < data.size() ? data[at + size_t(i)] & 0x0f : 0);
    return v;
}

const ImageItem *imageItems(size_t &count)
{
    static const ImageItem items[] = {
        {PARAM_BRIGHTNESS, 0xa1, 4, 0, 14, 7, "brightness"},
        {PARAM_CONTRAST, 0xa2, 4, 0, 14, 7, "contrast"},
        {PARAM_SHARPNESS, 0x42, 4, 0, 15, 4, "sharpness"},
        {PARAM_SATURATION, 0x49, 4, 0, 14, 4, "saturation"},
        {PARAM_HUE, 0x4f, 4, 0, 14, 7, "hue"},
        {PARAM_GAMMA, 0x5b, 1, 0, 4, 0, "gamma"},
        {PARAM_BACKLIGHT, 0x33, 0, 0, 1, 0, "backlight"},
        {PARAM_WHITE_BALANCE, 0x20, 2, 0, 55, 20, "white balance"},
    };
    count = sizeof items / sizeof items[0];
    return items;
}

const ImageItem *imageItem(int record)
{
    size_t count = 0;
    const ImageItem *items = imageItems(count);
    for (size_t i = 0; i < count; ++i)
        if (items[i].record == record)
            return &items[i];
    return nullptr;
}

Bytes setImage(const ImageItem &item, int value)
{
    value = std::clamp(value, item.minimum, item.maximum);
    return item.digits == 0 ? onOff(0x04, item.item, value != 0)
                            : direct(item.item, value, item.digits);
}

Bytes overIp(PayloadType type, uint32_t sequence, const Bytes &payload)
{
    Bytes out;
    out.reserve(8 + payload.size());
    const auto put = [&](uint32_t value, int bytes) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
            out.push_back(uint8_t(value >> shift));
    };
    put(type, 2);
    put(uint32_t(payload.size()), 2);
    put(sequence, 4);
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

std::optional<Packet> parsePacket(const uint8_t *bytes, size_t size)
{
    if (size < 9 || size > 8 + MaxMessage)
        return std::nullopt;
    const auto type = PayloadType(bytes[0] << 8 | bytes[1]);
    const size_t length = size_t(bytes[2] << 8 | bytes[3]);
    if (length != size - 8 || (type != ViscaReply && type != ControlReply))
        return std::nullopt;
    const uint32_t sequence =
        uint32_t(bytes[4]) << 24 | uint32_t(bytes[5]) << 16 | uint32_t(bytes[6]) << 8 | bytes[7];
    return Packet{type, sequence, Bytes(bytes + 8, bytes + size)};
}

Bytes resetSequence()
{
    return {0x01};
}

Bytes addressSet()
{
    return {0x88, 0x30, 0x01, End};
}

Bytes interfaceClear()
{
    return {0x88, 0x01, 0x00, 0x01, End};
}

} // namespace Visca
