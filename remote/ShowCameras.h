// SPDX-License-Identifier: GPL-2.0-or-later
// Where shots and tours find their cameras: the names listed now, and the target that carries
// out each camera's commands (the running panel's, or those the command line opens itself).
#pragma once

#include "Command.h"

#include <QStringList>

class CameraTarget;

class ShowCameras
{
public:
    virtual ~ShowCameras() = default;

    virtual QStringList cameraNames() const = 0;
    // The target of the camera named `camera`; nullptr, with why, when there is none.
    virtual CameraTarget *targetOf(const QString &camera, Outcome &why) = 0;

    // The name of the camera `given` (a name or an index) names, "" when none does.
    QString listedName(const QString &given) const
    {
        const QStringList names = cameraNames();
        if (names.contains(given))
            return given;
        bool isIndex = false;
        const int index = given.toInt(&isIndex, 10);
        return isIndex ? names.value(index) : QString();
    }
};
