#include "recording/Recording.h"

#include "base/WholeFile.h"
#include "recording/Envelope.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

qint16 Scaled(qint16 sample, int k) {
    const int v = int(sample) * k / 10;
    return qint16(std::clamp(v, int(std::numeric_limits<qint16>::min()),
                             int(std::numeric_limits<qint16>::max())));
}

/// Replaces frames range.lo..range.hi of `channel` with `clip`, moving the tail once.
/// The channel's capacity must already hold the result.
void Splice(SampleVector& channel, FrameRange range, const SampleVector& clip) {
    const qint64 oldLength = qint64(channel.size());
    const qint64 clipLength = qint64(clip.size());
    const qint64 tail = oldLength - range.hi;
    const qint64 delta = clipLength - range.Length();
    if (delta > 0) {
        channel.resize(size_t(oldLength + delta));
    }
    qint16* data = channel.data();
    if (tail > 0) {
        std::memmove(data + range.lo + clipLength, data + range.hi, size_t(tail) * sizeof(qint16));
    }
    std::copy(clip.begin(), clip.end(), data + range.lo);
    if (delta < 0) {
        channel.resize(size_t(oldLength + delta));
    }
}

/// Copies frames range.lo..range.hi of both channels into out; false, with out empty, when
/// they do not fit in memory.
bool CopyChannels(const SampleVector (&from)[2], FrameRange range, SampleVector (&out)[2]) {
    try {
        for (int c = 0; c < 2; ++c) {
            out[c].assign(from[c].begin() + range.lo, from[c].begin() + range.hi);
        }
    } catch (const std::bad_alloc&) {
        out[0] = {};
        out[1] = {};
        return false;
    }
    return true;
}

} // namespace

void Recording::BuildEnvelope(int channel, int zoom, qint64 firstColumn, int count,
                              qint16* out) const {
    ::BuildEnvelope(Samples(channel).data(), Frames(), Summary(channel), zoom, firstColumn, count,
                    out);
}

void Recording::Replace(WaveFormatData format, ChannelSamples channels) {
    m_format = std::move(format);
    m_channels = std::move(channels);
}

void Recording::Clear() {
    Replace({}, {});
}

void Recording::Scale(FrameRange range, int k) {
    if (range.IsEmpty()) {
        return;
    }
    for (SampleVector& channel : m_channels.samples) {
        qint16* data = channel.data();
        for (int i = range.lo; i < range.hi; ++i) {
            data[i] = Scaled(data[i], k);
        }
    }
    SummariseRange(range);
}

bool Recording::Copy(FrameRange range) {
    return CopyFrames(range, m_clip);
}

bool Recording::CopyFrames(FrameRange range, SampleVector (&out)[2]) const {
    return CopyChannels(m_channels.samples, range, out);
}

bool Recording::CopyClip(SampleVector (&out)[2]) const {
    return CopyChannels(m_clip, {0, ClipLength()}, out);
}

bool Recording::Swap(int at, int length, SampleVector (&frames)[2]) {
    const FrameRange range{at, at + length};
    const qint64 newLength = qint64(Frames()) - length + qint64(frames[0].size());
    SampleVector taken[2];
    if (newLength > std::numeric_limits<int>::max() || !CopyFrames(range, taken)) {
        return false;
    }
    try {
        for (SampleVector& channel : m_channels.samples) {
            channel.reserve(size_t(newLength));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    const bool sameLength = qint64(frames[0].size()) == length;
    for (int c = 0; c < 2; ++c) {
        Splice(m_channels.samples[c], range, frames[c]);
        frames[c] = std::move(taken[c]);
    }
    if (sameLength) {
        // Nothing moved: only the blocks of the range changed.
        SummariseRange(range);
    } else {
        SummariseFrom(at);
    }
    return true;
}

void Recording::SummariseRange(FrameRange range) {
    for (int c = 0; c < 2; ++c) {
        m_channels.summary[c].Compute(m_channels.samples[c].data(), Frames(), range.lo, range.hi);
    }
}

void Recording::SummariseFrom(int from) {
    for (int c = 0; c < 2; ++c) {
        m_channels.summary[c].RebuildFrom(m_channels.samples[c].data(), Frames(), from);
    }
}

bool Recording::SaveWave(const QString& path, FrameRange range) {
    m_format.header.NumOfChannel = 2;
    return WriteWholeFile(path, [&](QIODevice& out) {
        return WriteWave(out, m_format, Samples(0), Samples(1), range);
    });
}
