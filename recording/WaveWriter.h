#pragma once

#include "base/FrameRange.h"
#include "recording/WaveHeader.h"

#include <QByteArray>
#include <QIODevice>

#include <span>

/// What a written WAV file carries over from the file it was read from.
struct WaveFormatData {
    WaveHeader header;
    QByteArray fmtExtra;
    QByteArray fact;
    QByteArray list;
};

/// Bytes of samples handed to the device per write call.
constexpr int kWaveStagingBytes = 8192;

/// Writes frames range.lo..range.hi of the two channel arrays as a 16-bit stereo PCM WAV file:
/// the header (channels 2, 16 bits, byte rate and block align to match), the fmt extension,
/// fact and LIST (each followed by a pad byte when odd-sized), then the data chunk, the
/// samples staged in blocks of kWaveStagingBytes. The range must lie inside both arrays.
/// Returns false when the device refuses a write.
bool WriteWave(QIODevice& out, const WaveFormatData& format, std::span<const qint16> left,
               std::span<const qint16> right, FrameRange range);
