#pragma once

#include "base/FrameRange.h"

#include <QIODevice>

class Recording;

/// Frames of a recording as the device plays them: interleaved little-endian 16-bit stereo,
/// read from the channel arrays as the device asks, so a play of any length costs no copy.
/// A mono recording sounds on both sides. Reads end early, never outside the arrays, when
/// the recording has become shorter than the range.
class RecordingStream : public QIODevice {
public:
    /// Bytes per frame handed out.
    static constexpr qint64 kFrameBytes = 4;

    /// Frames range.lo .. range.hi - 1 of `recording`, which must outlive the stream.
    RecordingStream(const Recording& recording, FrameRange range);

    bool isSequential() const override { return false; }
    qint64 size() const override { return qint64(m_range.Length()) * kFrameBytes; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const Recording& m_recording;
    FrameRange m_range;
};
