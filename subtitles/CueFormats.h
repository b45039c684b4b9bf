#pragma once

#include "subtitles/CueList.h"

#include <QStringList>

#include <vector>

class TextLineReader;

/// Shortest cue read from a .txt file, in frames.
constexpr int kMinCueLength = 20;

/// The cues of a .txt sidecar: blocks of a "[start,end]" header, text lines and an empty
/// line. Starts below 0 become 0, cues last at least kMinCueLength frames, a header without
/// "," only moves the start, lines outside a block are skipped, and a last block that is not
/// followed by an empty line still counts.
std::vector<Cue> ReadCueTxt(const QStringList& lines);

/// The paragraphs of a plain script spread evenly over `frames` frames, each as an
/// unattached cue: "#", then its lines each followed by LF. Nothing when there is no
/// paragraph or no frame.
std::vector<Cue> ImportPlainScript(const QStringList& lines, int frames);

/// The cues of a .txt sidecar file: its blocks, or when it holds none, its paragraphs
/// spread over `frames`. Nothing when the file cannot be read.
std::vector<Cue> ReadCueSidecar(const QString& path, int frames);

/// What the lines of a .txt cue file gave: the cues of its blocks, or, when it holds none,
/// those of its paragraphs (`script`).
struct CueSidecarRead {
    std::vector<Cue> cues;
    bool script = false;
};
/// ReadCueSidecar over what `file` has still to give; a plain script is read from the
/// file's first line again.
CueSidecarRead ReadCueSidecarLines(TextLineReader& file, int frames);

/// One .txt record: "[start,end]", the text as given, an empty line.
QString CueRecord(int start, int end, const QString& text);
/// The .txt sidecar text: "[start,end]", the normalised text, an empty line, per cue.
QString FormatCueTxt(const CueList& cues);
/// The .sbv sidecar text: "start,end" clock times, the normalised text, an empty line.
QString FormatCueSbv(const CueList& cues, qint32 rate);
/// The .ass script: the fixed header, then one Dialogue event per line of each cue.
QString FormatCueAss(const CueList& cues, qint32 rate);

/// What the cues were read from and are written beside: `wavPath` without its final
/// extension (the whole path when its file name has none).
QString SidecarBase(const QString& wavPath);

/// The text file of an exported pair: when `first` has a line break after its first
/// character, its first line, then `second`, then its remaining lines; otherwise `first`
/// then `second`. Each part ends with LF; callers normalise the result.
QString MergePairText(const QString& first, const QString& second);
