#include "recording/WaveHeader.h"

#include <QtEndian>

#include <cstring>

namespace {

template <typename T> T ReadLe(const char* bytes, int offset) {
    return qFromLittleEndian<T>(bytes + offset);
}

template <typename T> void WriteLe(char* bytes, int offset, T value) {
    qToLittleEndian<T>(value, bytes + offset);
}

} // namespace

WaveHeader WaveHeader::FromBytes(const char* bytes) {
    WaveHeader h;
    std::memcpy(h.ChunkID.data(), bytes + 0, 4);
    h.ChunkSize = ReadLe<quint32>(bytes, 4);
    std::memcpy(h.Format.data(), bytes + 8, 4);
    std::memcpy(h.Subchunk1ID.data(), bytes + 12, 4);
    h.Subchunk1Size = ReadLe<quint32>(bytes, 16);
    h.AudioFormat = ReadLe<quint16>(bytes, 20);
    h.NumOfChannel = ReadLe<quint16>(bytes, 22);
    h.SampleRate = ReadLe<qint32>(bytes, 24);
    h.ByteRate = ReadLe<quint32>(bytes, 28);
    h.BlockAlign = ReadLe<quint16>(bytes, 32);
    h.bitsPerSample = ReadLe<quint16>(bytes, 34);
    return h;
}

QByteArray WaveHeader::ToBytes() const {
    QByteArray out(kSize, '\0');
    char* bytes = out.data();
    std::memcpy(bytes + 0, ChunkID.data(), 4);
    WriteLe<quint32>(bytes, 4, ChunkSize);
    std::memcpy(bytes + 8, Format.data(), 4);
    std::memcpy(bytes + 12, Subchunk1ID.data(), 4);
    WriteLe<quint32>(bytes, 16, Subchunk1Size);
    WriteLe<quint16>(bytes, 20, AudioFormat);
    WriteLe<quint16>(bytes, 22, NumOfChannel);
    WriteLe<qint32>(bytes, 24, SampleRate);
    WriteLe<quint32>(bytes, 28, ByteRate);
    WriteLe<quint16>(bytes, 32, BlockAlign);
    WriteLe<quint16>(bytes, 34, bitsPerSample);
    return out;
}
