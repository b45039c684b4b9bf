#include "recording/SampleSplit.h"

#include <QCoreApplication>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <future>
#include <limits>
#include <new>

namespace {

// Frames converted per read: large enough that the system calls cost little, small enough
// that the buffer adds next to nothing to the memory held. A multiple of the coarse summary
// block, so that every read summarises whole blocks.
constexpr qint64 kFramesPerBlock = 256 * 1024;
// Below this many frames a second thread costs more than it saves.
constexpr qint64 kParallelFrames = 256 * 1024;

qint16 SampleAt(const char* p, int bits) {
    if (bits == 8) {
        return qint16((int(quint8(*p)) - 128) * 256);
    }
    return qFromLittleEndian<qint16>(p);
}

struct Layout {
    QString path;
    qint64 dataOffset = 0;
    int bits = 16;
    int channels = 2;
    qint64 frames = 0;

    qint64 FrameBytes() const { return qint64(bits / 8) * channels; }
};

/// Splits `count` frames of raw PCM at `p` into the arrays from frame `first` on.
void SplitBlock(const Layout& layout, const char* p, qint64 first, qint64 count,
                ChannelSamples& out) {
    const qint64 frameBytes = layout.FrameBytes();
    const int sampleBytes = layout.bits / 8;
    qint16* left = out.samples[0].data();
    qint16* right = out.samples[1].data();
    for (qint64 i = first; i < first + count; ++i, p += frameBytes) {
        const qint16 value = SampleAt(p, layout.bits);
        left[i] = value;
        right[i] = layout.channels == 2 ? SampleAt(p + sampleBytes, layout.bits) : value;
    }
    for (int c = 0; c < 2; ++c) {
        out.summary[c].Compute(out.samples[c].data(), int(layout.frames), int(first),
                               int(first + count));
    }
}

/// Reads, splits and summarises frames from..to; false when the file cannot be read.
/// Read, not mapped: a mapped file that shrinks while it is read would end the program.
bool SplitPart(const Layout& layout, qint64 from, qint64 to, ChannelSamples& out) {
    QFile file(layout.path);
    const qint64 frameBytes = layout.FrameBytes();
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !file.seek(layout.dataOffset + from * frameBytes)) {
        return false;
    }
    QByteArray block(std::min(kFramesPerBlock, to - from) * frameBytes, Qt::Uninitialized);
    for (qint64 first = from; first < to; first += kFramesPerBlock) {
        const qint64 count = std::min(kFramesPerBlock, to - first);
        const qint64 bytes = count * frameBytes;
        if (file.read(block.data(), bytes) != bytes) {
            return false;
        }
        SplitBlock(layout, block.constData(), first, count, out);
    }
    return true;
}

} // namespace

QString CheckFormat(const WaveHeader& header) {
    if (header.bitsPerSample != 8 && header.bitsPerSample != 16) {
        return QCoreApplication::translate("Message", "bitsPerSample must equ 16 or 8");
    }
    if (header.AudioFormat != 1) {
        return QCoreApplication::translate("Message", "AudioFormat must equ 1");
    }
    if (header.NumOfChannel == 0 || header.NumOfChannel > 2) {
        return QCoreApplication::translate("Message", "NumOfChannel must be 1 or 2");
    }
    return {};
}

SplitResult SplitChannels(const WaveHeader& header, const QString& path, qint64 dataOffset,
                          qint64 dataSize) {
    SplitResult result;
    if (dataSize <= 0) {
        return result;
    }
    result.message = CheckFormat(header);
    if (!result.message.isEmpty()) {
        result.status = SplitResult::Status::BadFormat;
        return result;
    }

    Layout layout{path, dataOffset, header.bitsPerSample, header.NumOfChannel, 0};
    layout.frames = dataSize / layout.FrameBytes();
    if (layout.frames > std::numeric_limits<int>::max()) {
        result.status = SplitResult::Status::NoMemory;
        return result;
    }
    ChannelSamples& samples = result.samples;
    try {
        for (int c = 0; c < 2; ++c) {
            samples.samples[c].resize(size_t(layout.frames));
            samples.summary[c].Resize(int(layout.frames));
        }
    } catch (const std::bad_alloc&) {
        result.samples = {};
        result.status = SplitResult::Status::NoMemory;
        return result;
    }

    bool read = false;
    if (layout.frames < kParallelFrames) {
        read = SplitPart(layout, 0, layout.frames, samples);
    } else {
        // The halves meet at a block boundary, so neither touches the other's summary blocks.
        const qint64 middle = layout.frames / 2 / kFramesPerBlock * kFramesPerBlock;
        std::future<bool> second = std::async(
            std::launch::async, [&] { return SplitPart(layout, middle, layout.frames, samples); });
        const bool first = SplitPart(layout, 0, middle, samples);
        read = second.get() && first;
    }
    if (!read) {
        result.samples = {};
        result.status = SplitResult::Status::ReadError;
    }
    return result;
}
