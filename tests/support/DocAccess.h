#pragma once

#include "document/CtarnDoc.h"

#include <vector>

/// The document's samples and clipboard as plain vectors, for comparing with expectations.
inline std::vector<qint16> ChannelOf(const CtarnDoc& doc, int channel) {
    const SampleVector& samples = doc.GetRecording().Samples(channel);
    return {samples.begin(), samples.end()};
}

inline std::vector<qint16> ClipOf(const CtarnDoc& doc, int channel) {
    const SampleVector& clip = doc.GetRecording().Clip(channel);
    return {clip.begin(), clip.end()};
}
