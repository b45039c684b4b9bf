#pragma once

#include "recording/WaveHeader.h"

#include <QByteArray>
#include <QIODevice>

#include <optional>

/// What the chunk walk of a WAV file finds: the header, the bodies that are written back,
/// and where the sample data lies (the data body itself is not read here).
struct WaveChunks {
    WaveHeader header;
    QByteArray fmtExtra;   ///< fmt body bytes beyond the first 16
    QByteArray fact;       ///< body of the last fact chunk before data, empty when absent
    QByteArray list;       ///< body of the last LIST chunk before data, empty when absent
    qint64 dataOffset = 0; ///< byte offset of the data body in the file
    qint64 dataSize = 0;   ///< bytes of data, cut to what the file holds
    bool dataCut = false;  ///< the data chunk declares more bytes than the file holds
};

/// Walks the chunks of a WAV file from the start of `file` up to its data chunk.
/// fact and LIST are kept wherever they stand before data, every other chunk is skipped,
/// and an odd-sized chunk is followed by one pad byte. Returns nothing when the file is
/// shorter than its header, a chunk other than data runs past the end, or there is no data.
std::optional<WaveChunks> ReadChunks(QIODevice& file);
