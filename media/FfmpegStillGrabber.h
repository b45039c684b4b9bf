#pragma once

#include "recording/StillGrabber.h"

#include <QString>

#include <memory>

/// Stills of the first video stream of a file FFmpeg can demux, cover art aside. Times count
/// from the start of the file's first audio stream, which is where a recording decoded from it
/// begins (from the video's own start when there is no audio). A time before the first picture
/// gives the first picture; a time past the last gives the last.
class FfmpegStillGrabber : public StillGrabber {
public:
    /// Opens the file at `path`; IsOpen and HasPicture say what came of it.
    explicit FfmpegStillGrabber(const QString& path);
    ~FfmpegStillGrabber() override;

    /// Whether the file could be opened at all.
    bool IsOpen() const;
    bool HasPicture() const override;
    bool GrabJpeg(qint64 ms, int height, QByteArray& out, QString& error) override;

private:
    struct Source;
    std::unique_ptr<Source> m_source; ///< empty when the file cannot be opened
    QString m_name;                   ///< the file's name, for the messages
    QString m_problem;                ///< why there are no stills; empty when there are
};
