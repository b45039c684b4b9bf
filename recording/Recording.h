#pragma once

#include "base/FrameRange.h"
#include "recording/SampleSplit.h"
#include "recording/WaveWriter.h"

#include <QString>

/// The audio of the open file: its header and the chunks written back, the two 16-bit
/// channel arrays with their min/max summaries, and the sample clipboard (which outlives
/// every recording it was copied from). Ranges passed in must lie inside the recording, as
/// EditRange and OrderedRange make them.
class Recording {
public:
    const WaveFormatData& Format() const { return m_format; }
    const WaveHeader& Header() const { return m_format.header; }
    qint32 SampleRate() const { return m_format.header.SampleRate; }
    int Frames() const { return m_channels.Frames(); }
    /// Channel 0 (left) or 1 (right), one value per frame.
    const SampleVector& Samples(int channel) const { return m_channels.samples[channel]; }
    const SampleSummary& Summary(int channel) const { return m_channels.summary[channel]; }

    /// The clipboard's frames of channel 0 or 1.
    const SampleVector& Clip(int channel) const { return m_clip[channel]; }
    int ClipLength() const { return int(m_clip[0].size()); }

    /// Envelope entries of columns firstColumn .. firstColumn + count - 1 of `channel` at
    /// `zoom` frames per column, four per column into out (see ::BuildEnvelope).
    void BuildEnvelope(int channel, int zoom, qint64 firstColumn, int count, qint16* out) const;

    /// Takes what a reader produced in place of the current recording.
    void Replace(WaveFormatData format, ChannelSamples channels);
    /// No samples and a default header; the clipboard stays.
    void Clear();

    /// Multiplies the frames of `range` by k / 10, saturating at the 16-bit limits.
    void Scale(FrameRange range, int k);
    /// Puts the frames of `range` on the clipboard; false (clipboard empty) when they do not
    /// fit in memory.
    bool Copy(FrameRange range);

    /// Copies the frames of `range` into out[0] (left) and out[1] (right); false when they do
    /// not fit in memory.
    bool CopyFrames(FrameRange range, SampleVector (&out)[2]) const;
    /// Copies the clipboard into out[0] and out[1]; false when it does not fit in memory.
    bool CopyClip(SampleVector (&out)[2]) const;
    /// Puts frames[0] and frames[1] (equal lengths) in place of frames at .. at + length - 1
    /// and hands back the frames it took out in `frames`: applied twice, it changes nothing.
    /// False, and nothing changed, when the result does not fit in memory or 32-bit indexes.
    bool Swap(int at, int length, SampleVector (&frames)[2]);

    /// Writes the frames of `range` to `path` as a 16-bit stereo WAV file, replacing the file
    /// only when the new one is complete; false when it cannot. The header keeps the stereo
    /// channel count it was written with.
    bool SaveWave(const QString& path, FrameRange range);

private:
    /// Recomputes both channels' summary blocks of `range` (the length unchanged).
    void SummariseRange(FrameRange range);
    /// Rebuilds both channels' summaries from frame `from` on.
    void SummariseFrom(int from);

    WaveFormatData m_format;
    ChannelSamples m_channels;
    SampleVector m_clip[2];
};
