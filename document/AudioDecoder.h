#pragma once

#include <QtGlobal>

#include <vector>

/// A decoder of a foreign audio file, already opened, that hands its samples over as 16-bit
/// frames in blocks, so that the recording never knows which library decoded them.
class AudioDecoder {
public:
    virtual ~AudioDecoder() = default;

    /// Frames per second of the decoded audio (the source's own rate).
    virtual qint32 SampleRate() const = 0;
    /// Channels of the frames handed over: 1 for a mono source, else 2.
    virtual int Channels() const = 0;
    /// Channels of the source before any mixing down.
    virtual int SourceChannels() const = 0;
    /// Frames the source is expected to hold (for progress and reserving), 0 when unknown.
    virtual qint64 ExpectedFrames() const = 0;
    /// Replaces `block` with the next frames, Channels() values per frame, interleaved;
    /// false, with `block` empty, at the end.
    virtual bool Next(std::vector<qint16>& block) = 0;
};
