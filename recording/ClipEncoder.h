#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

/// The file formats a clip can be written in.
enum class ClipFormat { Wav, Flac, Mp3, Opus };

/// "wav", "flac", "mp3" or "opus".
QString ClipExtension(ClipFormat format);

/// Turns 16-bit stereo frames into the bytes of a file of the chosen format. Encode is called
/// from several threads at once.
class ClipEncoder {
public:
    virtual ~ClipEncoder() = default;
    /// False with `error` set when the format cannot be written.
    virtual bool Encode(ClipFormat format, const qint16* left, const qint16* right, int frames,
                        qint32 rate, QByteArray& out, QString& error) = 0;
};

/// Writes WAV only (16-bit stereo, as every WAV file of tarn); other formats are an error.
class WavClipEncoder : public ClipEncoder {
public:
    bool Encode(ClipFormat format, const qint16* left, const qint16* right, int frames, qint32 rate,
                QByteArray& out, QString& error) override;
};
