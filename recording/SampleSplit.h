#pragma once

#include "base/SampleVector.h"
#include "recording/SampleSummary.h"
#include "recording/WaveHeader.h"

#include <QString>

/// The two channel arrays of a recording with their summaries; a mono file fills both
/// arrays with the same values.
struct ChannelSamples {
    SampleVector samples[2];
    SampleSummary summary[2];

    int Frames() const { return int(samples[0].size()); }
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

/// Reads `dataSize` bytes of PCM data at `dataOffset` of the file at `path` into two 16-bit
/// channel arrays and summarises them on the way. 16-bit samples are taken as they are; an
/// 8-bit (unsigned) byte b becomes (b - 128) * 256. A trailing partial frame is ignored. An
/// empty data body gives no frames and is not checked against the format. Long recordings
/// are read in two halves at once, one per core.
SplitResult SplitChannels(const WaveHeader& header, const QString& path, qint64 dataOffset,
                          qint64 dataSize);
