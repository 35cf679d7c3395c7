// SPDX-License-Identifier: GPL-2.0-or-later
// The commands of a camera's presets beyond the keypad's: recall at a speed or over a time,
// names, the list of what is kept, and export and import. A target hands them here once the
// camera is ready and can keep presets.
#pragma once

#include "Command.h"

#include <QJsonArray>

class CameraSession;

class PresetCommands
{
public:
    static constexpr int Count = 256; // preset numbers 0..255

    // On `session`, whose camera is `camera`; `number` is then the preset it was about, a
    // name looked up.
    static Outcome run(const Command &command, CameraSession &session, const QString &camera,
                       int &number);
    // The number of the preset named `name` (any case), -1 when none is.
    static int numberOf(const QString &name, CameraSession &session);
    // Every preset kept, as GET /api/presets and the export file list them.
    static QJsonArray list(CameraSession &session);
};
