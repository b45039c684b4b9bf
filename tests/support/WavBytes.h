#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <vector>

/// Hand-built WAV files for the tests: every byte is spelled out here, independently of
/// the reader and writer under test.
namespace wav {

QByteArray U16(quint16 v);
QByteArray U32(quint32 v);
/// Little-endian 16-bit samples.
QByteArray Samples16(const std::vector<qint16>& values);

/// A chunk: id, 32-bit size of `body`, body, and a pad byte when `pad` and the size is odd.
QByteArray Chunk(const char* id, const QByteArray& body, bool pad = true);
/// A chunk whose size field says `declared` whatever the body holds.
QByteArray ChunkDeclaring(const char* id, quint32 declared, const QByteArray& body);

struct Format {
    quint16 audioFormat = 1;
    quint16 channels = 2;
    qint32 rate = 8000;
    quint16 bits = 16;
    QByteArray extra; ///< fmt body beyond 16 bytes
};

/// "RIFF", size, "WAVE", the fmt chunk (padded when odd), then `chunks` as given.
QByteArray File(const Format& format, const QByteArray& chunks);
/// A plain file: header and one data chunk of the given samples.
QByteArray Simple(quint16 channels, qint32 rate, const std::vector<qint16>& samples);

/// Writes bytes to a file, returning false when it cannot.
bool WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

} // namespace wav
