#pragma once

#include "base/FrameRange.h"

#include <QIODevice>

class Recording;

/// Frames of a recording as the device plays them: interleaved little-endian 16-bit stereo,
/// read from the channel arrays as the device asks, so a play of any length costs no copy.
/// A mono recording sounds on both sides. Reads end early, never outside the arrays, when
/// the recording has become shorter than the range. A looping stream starts the range over
/// whenever it reaches its end, for as long as anyone reads.
class RecordingStream : public QIODevice {
public:
    /// Bytes per frame handed out.
    static constexpr qint64 kFrameBytes = 4;
    /// The size of a looping stream: more than any play lasts, and small enough that a
    /// count of its frames times a speed's tenths fits in 64 bits.
    static constexpr qint64 kEndlessBytes = qint64(1) << 56;

    /// Frames range.lo .. range.hi - 1 of `recording`, which must outlive the stream.
    RecordingStream(const Recording& recording, FrameRange range, bool looping = false);

    bool isSequential() const override { return false; }
    qint64 size() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    /// Copies `count` frames from frame `first` on into `data`.
    void CopyFrames(qint64 first, qint64 count, char* data) const;

    const Recording& m_recording;
    FrameRange m_range;
    bool m_looping = false;
};
