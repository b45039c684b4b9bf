#pragma once

#include "recording/AudioDecoder.h"
#include "recording/Prefault.h"
#include "recording/SampleSplit.h"

#include <QString>

#include <atomic>
#include <memory>
#include <optional>

/// A sample at full scale 1.0 as a 16-bit value: rounded to the nearest, saturating at the
/// 16-bit limits (1.0 itself is 32767).
qint16 ToSample16(double value);
/// ToSample16 of `count` values.
void ToSamples16(const double* values, qint64 count, qint16* out);

/// Fills a recording's two channel arrays and their summaries from blocks of interleaved
/// frames: a mono block fills both arrays with the same values. Each whole block of the
/// coarse summary is summarised as soon as its frames are in, while they are still cached.
class DecodeSink {
public:
    /// `channels` (1 or 2) per frame; room for `expectedFrames` is taken at once.
    DecodeSink(int channels, qint64 expectedFrames);

    /// Appends `frames` frames; false when they do not fit in memory or 32-bit indexes.
    bool Append(const qint16* interleaved, qint64 frames);
    /// Frames appended so far.
    qint64 Frames() const { return m_samples.samples[0].size(); }
    /// Frames the arrays hold without moving.
    qint64 ReservedFrames() const { return qint64(m_samples.samples[0].capacity()); }
    /// The arrays with every summary block computed.
    ChannelSamples Finish();

private:
    int m_channels;
    qint64 m_summarised = 0;
    ChannelSamples m_samples;
    /// Pages for the reserved room, taken on another thread just ahead of the frames.
    std::unique_ptr<BackgroundPrefault> m_prefault;
};

/// What decoding a whole file gave.
struct DecodeOutcome {
    enum class Status { Ok, Stopped, NoMemory };
    Status status = Status::Ok;
    ChannelSamples samples;
};

/// Decodes every block of `decoder` into a sink until the end, or until `stop` is set;
/// `done` counts the frames decoded so far (for another thread to show).
DecodeOutcome DecodeAll(AudioDecoder& decoder, const std::atomic<bool>& stop,
                        std::atomic<qint64>& done);

/// What the status line says once `decoder` has decoded the file named `name` ("Opened
/// talk.mp3: 48000 Hz stereo, decoded to 16 bits"), and where the source first changed its
/// format on the way (". The format changed at 0:00:01: mono, 48000 Hz").
QString ImportStatus(const QString& name, const AudioDecoder& decoder);

/// Whether the WAV reader takes the file at `path` (PCM of 8 or 16 bits, one or two
/// channels); every other file is decoded.
bool WaveReaderTakes(const QString& path);

/// Where an imported file is proposed to be saved: `<base>.wav` beside the source, or
/// `<base> (16-bit).wav` when that is the source itself.
QString ImportSaveName(const QString& source);
