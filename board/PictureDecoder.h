// SPDX-License-Identifier: GPL-2.0-or-later
// Turns the presets' JPEGs into images of a tile's size on threads of its own, so that the
// board's window never waits for a decoder: each is decoded already scaled down, and handed
// back on the thread that asked.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>

#include <functional>

class PictureDecoder : public QObject
{
    Q_OBJECT

public:
    explicit PictureDecoder(QObject *parent = nullptr);
    ~PictureDecoder() override; // waits for the decodes under way, whose results are dropped

    // Decodes `jpeg` to fit within `box`, keeping its shape; `done` gets it (null when `jpeg`
    // is no picture) on this object's thread, unless this is gone by then.
    void decode(const QByteArray &jpeg, const QSize &box, std::function<void(QImage)> done);

private:
    QThreadPool pool;
};
