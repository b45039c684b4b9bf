#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>

/// The first 36 bytes of a WAV file: RIFF header and the first 16 bytes of the fmt body.
/// Kept field by field so that it can be written back as it was read.
struct WaveHeader {
    static constexpr int kSize = 36;

    std::array<char, 4> ChunkID{'R', 'I', 'F', 'F'};
    quint32 ChunkSize = 0;
    std::array<char, 4> Format{'W', 'A', 'V', 'E'};
    std::array<char, 4> Subchunk1ID{'f', 'm', 't', ' '};
    /// Size of the fmt body; 17 and above means Subchunk1Size - 16 extra bytes follow.
    quint32 Subchunk1Size = 16;
    quint16 AudioFormat = 1;
    quint16 NumOfChannel = 2;
    /// Frames per second; read as signed, so a hostile value may be zero or negative.
    qint32 SampleRate = 0;
    quint32 ByteRate = 0;
    quint16 BlockAlign = 0;
    quint16 bitsPerSample = 16;

    /// Reads the little-endian layout from exactly kSize bytes.
    static WaveHeader FromBytes(const char* bytes);
    /// The little-endian layout, kSize bytes.
    QByteArray ToBytes() const;
};
