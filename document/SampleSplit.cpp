#include "document/SampleSplit.h"

#include <QtEndian>

#include <limits>
#include <new>

namespace {

// Frames converted per read: large enough for throughput, small enough to stay in cache.
constexpr qint64 kFramesPerBlock = 64 * 1024;

qint16 SampleAt(const char* p, int bits) {
    if (bits == 8) {
        return qint16((int(quint8(*p)) - 128) * 256);
    }
    return qFromLittleEndian<qint16>(p);
}

} // namespace

QString CheckFormat(const WaveHeader& header) {
    if (header.bitsPerSample != 8 && header.bitsPerSample != 16) {
        return QStringLiteral("bitsPerSample must equ 16 or 8");
    }
    if (header.AudioFormat != 1) {
        return QStringLiteral("AudioFormat must equ 1");
    }
    if (header.NumOfChannel == 0 || header.NumOfChannel > 2) {
        return QStringLiteral("NumOfChannel must be 1 or 2");
    }
    return {};
}

SplitResult SplitChannels(const WaveHeader& header, QIODevice& file, qint64 dataOffset,
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

    const int bits = header.bitsPerSample;
    const int channels = header.NumOfChannel;
    const int sampleBytes = bits / 8;
    const qint64 frameBytes = qint64(sampleBytes) * channels;
    const qint64 frames = dataSize / frameBytes;
    if (frames > std::numeric_limits<int>::max()) {
        result.status = SplitResult::Status::NoMemory;
        return result;
    }
    try {
        result.samples.left.resize(size_t(frames));
        result.samples.right.resize(size_t(frames));
    } catch (const std::bad_alloc&) {
        result.samples = {};
        result.status = SplitResult::Status::NoMemory;
        return result;
    }

    if (!file.seek(dataOffset)) {
        result.samples = {};
        result.status = SplitResult::Status::ReadError;
        return result;
    }
    QByteArray block;
    for (qint64 first = 0; first < frames; first += kFramesPerBlock) {
        const qint64 count = qMin(kFramesPerBlock, frames - first);
        block = file.read(count * frameBytes);
        if (block.size() != count * frameBytes) {
            result.samples = {};
            result.status = SplitResult::Status::ReadError;
            return result;
        }
        const char* p = block.constData();
        for (qint64 i = 0; i < count; ++i, p += frameBytes) {
            const qint16 first16 = SampleAt(p, bits);
            result.samples.left[size_t(first + i)] = first16;
            result.samples.right[size_t(first + i)] =
                channels == 2 ? SampleAt(p + sampleBytes, bits) : first16;
        }
    }
    return result;
}
