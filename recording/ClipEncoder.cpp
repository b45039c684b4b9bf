#include "recording/ClipEncoder.h"

#include "recording/WaveWriter.h"

#include <QBuffer>
#include <QCoreApplication>

QString ClipExtension(ClipFormat format) {
    switch (format) {
    case ClipFormat::Flac:
        return QStringLiteral("flac");
    case ClipFormat::Mp3:
        return QStringLiteral("mp3");
    case ClipFormat::Opus:
        return QStringLiteral("opus");
    case ClipFormat::Wav:
        break;
    }
    return QStringLiteral("wav");
}

bool WavClipEncoder::Encode(ClipFormat format, const qint16* left, const qint16* right, int frames,
                            qint32 rate, QByteArray& out, QString& error) {
    if (format != ClipFormat::Wav) {
        error = QCoreApplication::translate("Message", "no encoder for %1 files")
                    .arg(ClipExtension(format));
        return false;
    }
    WaveFormatData wave;
    wave.header.SampleRate = rate;
    out.clear();
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    const size_t n = size_t(frames);
    return WriteWave(buffer, wave, {left, n}, {right, n}, {0, frames});
}
