#include "recording/WaveWriter.h"

#include <QtEndian>

#include <limits>

namespace {

constexpr quint32 kMaxChunkSize = std::numeric_limits<quint32>::max();

quint32 ChunkSizeField(qint64 size) {
    return size > qint64(kMaxChunkSize) ? kMaxChunkSize : quint32(size);
}

QByteArray SizeBytes(quint32 size) {
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(size, bytes.data());
    return bytes;
}

QByteArray PaddedBody(const QByteArray& body) {
    return body.size() % 2 == 1 ? body + '\0' : body;
}

QByteArray Chunk(const char* id, const QByteArray& body) {
    return QByteArray(id, 4) + SizeBytes(quint32(body.size())) + PaddedBody(body);
}

bool WriteAll(QIODevice& out, const char* data, qint64 size) {
    return out.write(data, size) == size;
}

bool WriteAll(QIODevice& out, const QByteArray& bytes) {
    return WriteAll(out, bytes.constData(), bytes.size());
}

} // namespace

bool WriteWave(QIODevice& out, const WaveFormatData& format, std::span<const qint16> left,
               std::span<const qint16> right, FrameRange range) {
    QByteArray preamble = PaddedBody(format.fmtExtra);
    if (!format.fact.isEmpty()) {
        preamble += Chunk("fact", format.fact);
    }
    if (!format.list.isEmpty()) {
        preamble += Chunk("LIST", format.list);
    }
    const qint64 dataBytes = qint64(range.Length()) * 4;
    preamble += QByteArray("data", 4) + SizeBytes(ChunkSizeField(dataBytes));

    WaveHeader header = format.header;
    header.ChunkSize = ChunkSizeField(WaveHeader::kSize + preamble.size() + dataBytes - 8);
    header.Subchunk1Size = quint32(16 + format.fmtExtra.size());
    header.NumOfChannel = 2;
    header.ByteRate = quint32(header.SampleRate) * 4;
    header.BlockAlign = 4;
    header.bitsPerSample = 16;
    if (!WriteAll(out, header.ToBytes()) || !WriteAll(out, preamble)) {
        return false;
    }

    constexpr int kValuesPerBlock = kWaveStagingBytes / 2;
    qint16 block[kValuesPerBlock];
    int used = 0;
    for (int i = range.lo; i < range.hi; ++i) {
        qToLittleEndian<qint16>(left[size_t(i)], &block[used++]);
        qToLittleEndian<qint16>(right[size_t(i)], &block[used++]);
        if (used == kValuesPerBlock) {
            if (!WriteAll(out, reinterpret_cast<const char*>(block), kWaveStagingBytes)) {
                return false;
            }
            used = 0;
        }
    }
    return used == 0 || WriteAll(out, reinterpret_cast<const char*>(block), qint64(used) * 2);
}
