#include "recording/WaveChunks.h"

#include <QtEndian>

namespace {

constexpr qint64 kChunkHeaderSize = 8;

qint64 PaddedSize(qint64 size) {
    return size + (size & 1);
}

bool ReadBody(QIODevice& file, qint64 offset, qint64 size, QByteArray& body) {
    if (!file.seek(offset)) {
        return false;
    }
    body = file.read(size);
    return body.size() == size;
}

} // namespace

std::optional<WaveChunks> ReadChunks(QIODevice& file) {
    const qint64 fileSize = file.size();
    if (fileSize < WaveHeader::kSize || !file.seek(0)) {
        return std::nullopt;
    }
    const QByteArray headerBytes = file.read(WaveHeader::kSize);
    if (headerBytes.size() != WaveHeader::kSize) {
        return std::nullopt;
    }

    WaveChunks chunks;
    chunks.header = WaveHeader::FromBytes(headerBytes.constData());

    qint64 pos = WaveHeader::kSize;
    if (chunks.header.Subchunk1Size >= 17) {
        const qint64 extraSize = qint64(chunks.header.Subchunk1Size) - 16;
        if (pos + extraSize > fileSize || !ReadBody(file, pos, extraSize, chunks.fmtExtra)) {
            return std::nullopt;
        }
        pos += PaddedSize(chunks.header.Subchunk1Size) - 16;
    }

    while (pos + kChunkHeaderSize <= fileSize) {
        if (!file.seek(pos)) {
            return std::nullopt;
        }
        const QByteArray chunkHeader = file.read(kChunkHeaderSize);
        if (chunkHeader.size() != kChunkHeaderSize) {
            return std::nullopt;
        }
        const QByteArray id = chunkHeader.left(4);
        const quint32 declared = qFromLittleEndian<quint32>(chunkHeader.constData() + 4);
        const qint64 bodyOffset = pos + kChunkHeaderSize;
        const qint64 remaining = fileSize - bodyOffset;

        if (id == "data") {
            // A size that reads as negative (0xFFFFFFFF from streaming writers) or runs
            // past the end means "the rest of the file".
            const bool negative = qint32(declared) < 0;
            chunks.dataOffset = bodyOffset;
            chunks.dataSize = negative ? remaining : qMin<qint64>(declared, remaining);
            chunks.dataCut = !negative && qint64(declared) > remaining;
            return chunks;
        }
        if (qint64(declared) > remaining) {
            return std::nullopt;
        }
        if (id == "fact" && !ReadBody(file, bodyOffset, declared, chunks.fact)) {
            return std::nullopt;
        }
        if (id == "LIST" && !ReadBody(file, bodyOffset, declared, chunks.list)) {
            return std::nullopt;
        }
        pos = bodyOffset + PaddedSize(declared);
    }
    return std::nullopt;
}
