#pragma once

#include "subtitles/CueList.h"

#include <QString>

#include <optional>
#include <vector>

/// What a subtitle file gave: its cues in frames, and the blocks that could not be read.
struct SubtitleRead {
    std::vector<Cue> cues;
    int skipped = 0;             ///< malformed blocks (or lines, for line-based formats)
    qint64 firstSkippedLine = 0; ///< 1-based line where the first of them starts; 0 for none
    bool plainScript = false;    ///< the cues are the paragraphs of a text without times
};

/// Reads an SRT, WebVTT, ASS/SSA, SBV or label file, recognised from its first lines (its
/// name only breaking ties), a chunk at a time. Times become frames at `rate`, rounded to
/// the nearest; a cue whose end is not after its start lasts kMinCueLength frames. Cues
/// without text are left out. Text encodings as ReadTextLines takes them. Nothing when the
/// file cannot be read.
std::optional<SubtitleRead> ReadSubtitleFile(const QString& path, qint32 rate);

/// What "Import subtitles..." reads: a file as ReadSubtitleFile reads it, unless its first
/// lines fit no subtitle format and its name is not that of SRT, WebVTT, ASS or SBV (a .txt,
/// or a name of no format). Such a text is read as the .txt cue sidecar is: its
/// "[start,end]" blocks, or, when it holds none, its paragraphs as placeholder cues spread
/// over `frames` (`plainScript`).
std::optional<SubtitleRead> ReadImportedCues(const QString& path, qint32 rate, int frames);
