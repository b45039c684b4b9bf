#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

/// A place inside a source where its own channels or rate changed (broadcast recordings
/// switch between 5.1 and stereo); the frames from there on are mixed and resampled to the
/// format the source began with.
struct SourceFormatChange {
    qint64 frame = 0;      ///< first frame handed over after the change
    int channels = 0;      ///< the source's channels from there on
    qint32 sampleRate = 0; ///< the source's frames per second from there on
};

/// A decoder of a foreign audio file, already opened, that hands its samples over as 16-bit
/// frames in blocks, so that the recording never knows which library decoded them.
class AudioDecoder {
public:
    virtual ~AudioDecoder() = default;

    /// Frames per second of the decoded audio (the source's own rate where it begins).
    virtual qint32 SampleRate() const = 0;
    /// Channels of the frames handed over: 1 for a source that begins mono, else 2.
    virtual int Channels() const = 0;
    /// Channels of the source where it begins, before any mixing down.
    virtual int SourceChannels() const = 0;
    /// Frames the source is expected to hold (for progress and reserving), never more than
    /// the file's size can hold whatever its header claims; 0 when unknown.
    virtual qint64 ExpectedFrames() const = 0;
    /// Replaces `block` with the next frames, Channels() values per frame, interleaved;
    /// false, with `block` empty, at the end.
    virtual bool Next(std::vector<qint16>& block) = 0;
    /// The changes of format met so far, in order; all of them once Next has returned false.
    virtual std::vector<SourceFormatChange> FormatChanges() const { return {}; }
};

/// A file opened for decoding, or why it cannot be.
struct OpenedAudio {
    std::unique_ptr<AudioDecoder> decoder;
    /// "<name> cannot be opened as audio: <reason>" or "<name> has no audio" when there is no
    /// decoder.
    QString message;
};

/// Opens a file for decoding: what the program's decoding library provides.
using AudioOpener = std::function<OpenedAudio(const QString& path)>;
