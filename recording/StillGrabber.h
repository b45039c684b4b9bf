#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

/// Still pictures of a video source, as JPEG files' bytes.
class StillGrabber {
public:
    virtual ~StillGrabber() = default;
    /// Whether the source has a picture to take stills of (a video stream that is not just
    /// cover art).
    virtual bool HasPicture() const = 0;
    /// The picture shown at `ms` milliseconds, scaled to `height` pixels high (the width
    /// keeping the aspect ratio, rounded to even), as a JPEG; false with `error` when it cannot.
    /// Called from one thread at a time.
    virtual bool GrabJpeg(qint64 ms, int height, QByteArray& out, QString& error) = 0;
};
