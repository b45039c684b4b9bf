#include "support/WavBytes.h"

#include <QFile>

namespace wav {

QByteArray U16(quint16 v) {
    QByteArray b;
    b.append(char(v & 0xFF)).append(char(v >> 8));
    return b;
}

QByteArray U32(quint32 v) {
    return U16(quint16(v & 0xFFFF)) + U16(quint16(v >> 16));
}

QByteArray Samples16(const std::vector<qint16>& values) {
    QByteArray b;
    for (qint16 v : values) {
        b += U16(quint16(v));
    }
    return b;
}

QByteArray Chunk(const char* id, const QByteArray& body, bool pad) {
    QByteArray b = QByteArray(id, 4) + U32(quint32(body.size())) + body;
    if (pad && body.size() % 2 == 1) {
        b += '\0';
    }
    return b;
}

QByteArray ChunkDeclaring(const char* id, quint32 declared, const QByteArray& body) {
    return QByteArray(id, 4) + U32(declared) + body;
}

QByteArray File(const Format& f, const QByteArray& chunks) {
    const quint16 blockAlign = quint16(f.channels * f.bits / 8);
    QByteArray fmt = U16(f.audioFormat) + U16(f.channels) + U32(quint32(f.rate)) +
                     U32(quint32(f.rate) * blockAlign) + U16(blockAlign) + U16(f.bits) + f.extra;
    const QByteArray body = QByteArray("WAVE") + Chunk("fmt ", fmt) + chunks;
    return QByteArray("RIFF") + U32(quint32(body.size())) + body;
}

QByteArray Simple(quint16 channels, qint32 rate, const std::vector<qint16>& samples) {
    Format f;
    f.channels = channels;
    f.rate = rate;
    return File(f, Chunk("data", Samples16(samples)));
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace wav
