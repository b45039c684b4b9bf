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

/// Adds cues as if they had come with the file (no step); the modified flag stays.
inline void AddCues(CtarnDoc& doc, std::vector<Cue> cues) {
    const bool modified = doc.IsModified();
    std::vector<Cue> all = doc.Cues().Records(0, doc.Cues().Count());
    all.insert(all.end(), cues.begin(), cues.end());
    doc.LoadCues(std::move(all));
    doc.SetModifiedFlag(modified);
}

/// Empties the cue list as if the file had come without cues.
inline void ClearCues(CtarnDoc& doc) {
    const bool modified = doc.IsModified();
    doc.LoadCues({});
    doc.SetModifiedFlag(modified);
}
