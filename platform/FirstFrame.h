// SPDX-License-Identifier: GPL-2.0-or-later
// Keeps Qt's plugins out of the start until the window's first frame is drawn. Qt asks every
// image-format plugin about each image it reads before it reads a PNG itself, so the panel's
// first style-sheet image would load them all (GIF, ICO, JPEG with libjpeg, SVG, TIFF, WebP
// where installed), none of which the panel's own PNGs need. Only on X: a Wayland window
// loads its shell integration, a plugin, when it is first shown.
#pragma once

#include <QObject>
#include <QStringList>

class FirstFrame : public QObject
{
    Q_OBJECT

public:
    // Before the window is made; the plugins are found again once it has painted.
    static void holdPlugins();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FirstFrame();

    QStringList paths;
};
