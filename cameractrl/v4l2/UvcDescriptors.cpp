// SPDX-License-Identifier: GPL-2.0-or-later
#include "UvcDescriptors.h"

namespace UvcDescriptors {

namespace {

constexpr uint8_t InterfaceDescriptor = 0x04;
constexpr uint8_t ClassSpecificInterface = 0x24;
constexpr uint8_t VideoClass = 0x0e;
constexpr uint8_t VideoControlSubclass = 0x01;
constexpr uint8_t InputTerminal = 0x02;
constexpr uint16_t CameraTerminalType = 0x0201;

} // namespace

uint32_t cameraTerminalControls(const uint8_t *data, size_t size)
{
    bool videoControl = false;
    for (size_t at = 0; at + 2 <= size;) {
        const size_t length = data[at];
        if (length < 2 || length > size - at)
            return 0; // a descriptor that does not fit: trust nothing after it
        const uint8_t *d = data + at;
        if (d[1] == InterfaceDescriptor && length >= 9)
            videoControl = d[5] == VideoClass && d[6] == VideoControlSubclass;
        else if (videoControl && d[1] == ClassSpecificInterface && length >= 15 &&
                 d[2] == InputTerminal && (d[4] | d[5] << 8) == CameraTerminalType) {
            // bControlSize at 14, bmControls after it, little-endian.
            const size_t bytes = d[14] < 4 ? d[14] : 4;
            if (15 + bytes > length)
                return 0;
            uint32_t controls = 0;
            for (size_t i = 0; i < bytes; ++i)
                controls |= uint32_t(d[15 + i]) << (8 * i);
            return controls;
        }
        at += length;
    }
    return 0;
}

} // namespace UvcDescriptors
