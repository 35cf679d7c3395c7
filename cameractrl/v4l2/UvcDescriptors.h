// SPDX-License-Identifier: GPL-2.0-or-later
// Reads a USB camera's UVC descriptors (as sysfs keeps them, without asking the camera) for
// the controls its camera terminal offers: the driver builds its controls from the same bits.
#pragma once

#include <cstddef>
#include <cstdint>

namespace UvcDescriptors {

// Bits of a camera terminal's bmControls.
enum CameraControl : uint32_t
{
    ZoomAbsolute = 1u << 9,
    ZoomRelative = 1u << 10,
    PanTiltAbsolute = 1u << 11,
    PanTiltRelative = 1u << 12,
};

// The bmControls of the first camera terminal in `data` (a device descriptor followed by its
// configuration descriptors), 0 when there is none. Malformed data gives 0.
uint32_t cameraTerminalControls(const uint8_t *data, size_t size);

inline bool offersPtz(uint32_t controls)
{
    return controls & (ZoomAbsolute | ZoomRelative | PanTiltAbsolute | PanTiltRelative);
}

} // namespace UvcDescriptors
