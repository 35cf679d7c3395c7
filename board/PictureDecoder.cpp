// SPDX-License-Identifier: GPL-2.0-or-later
#include "PictureDecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QMetaObject>

PictureDecoder::PictureDecoder(QObject *parent) : QObject(parent)
{
    // Two: a page of pictures is decoded in about the time the window takes to show.
    pool.setMaxThreadCount(2);
}

PictureDecoder::~PictureDecoder()
{
    pool.clear();
    pool.waitForDone();
}

void PictureDecoder::decode(const QByteArray &jpeg, const QSize &box,
                            std::function<void(QImage)> done)
{
    pool.start([this, jpeg, box, done = std::move(done)] {
        QBuffer bytes;
        bytes.setData(jpeg);
        QImageReader reader(&bytes, "jpeg");
        const QSize size = reader.size();
        // Decoded small to begin with: a JPEG decoder scales in its own steps, at less cost.
        if (size.isValid() && !box.isEmpty())
            reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
        QImage image = reader.read();
        if (!image.isNull())
            image = image.convertToFormat(QImage::Format_RGB32);
        QMetaObject::invokeMethod(
            this, [done, image] { done(image); }, Qt::QueuedConnection);
    });
}
