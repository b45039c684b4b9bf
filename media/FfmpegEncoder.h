#pragma once

#include "recording/ClipEncoder.h"

/// Writes clips in every format: WAV as tarn writes it, FLAC, MP3 (VBR quality 2) and Opus in
/// Ogg (96 kbit/s at 48 kHz) through FFmpeg's encoders, each call with codecs of its own,
/// so that several threads encode at once. FLAC and MP3 keep the recording's rate where the
/// encoder takes it (MP3 takes 8 to 48 kHz; other rates go to the nearest one above, or the
/// highest).
class FfmpegClipEncoder : public ClipEncoder {
public:
    bool Encode(ClipFormat format, const qint16* left, const qint16* right, int frames, qint32 rate,
                QByteArray& out, QString& error) override;

private:
    WavClipEncoder m_wav;
};
