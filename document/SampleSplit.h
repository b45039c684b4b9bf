#pragma once

#include "document/WaveHeader.h"

#include <QIODevice>
#include <QString>

#include <vector>

/// The two channel arrays of a recording; a mono file fills both with the same values.
struct ChannelSamples {
    std::vector<qint16> left;
    std::vector<qint16> right;
};

/// The first failed format check in the order the user is told about them
/// ("bitsPerSample must equ 16 or 8", "AudioFormat must equ 1", "NumOfChannel must be 1 or 2"),
/// or an empty string when tarn can hold the samples.
QString CheckFormat(const WaveHeader& header);

struct SplitResult {
    enum class Status { Ok, BadFormat, NoMemory, ReadError };
    Status status = Status::Ok;
    QString message; ///< the format message when status is BadFormat
    ChannelSamples samples;
};

/// Reads `dataSize` bytes of PCM data at `dataOffset` of `file` into two 16-bit channel
/// arrays. 16-bit samples are taken as they are; an 8-bit (unsigned) byte b becomes
/// (b - 128) * 256. A trailing partial frame is ignored. An empty data body gives no frames
/// and is not checked against the format.
SplitResult SplitChannels(const WaveHeader& header, QIODevice& file, qint64 dataOffset,
                          qint64 dataSize);
