#pragma once

#include "subtitles/SubtitleFormat.h"

#include <QString>

class CueList;

/// The text a cue carries into an exported file: normalised, without the "#" that marks a
/// placeholder cue.
QString ExportedCueText(const QString& text);

/// `cues` as a file of `format` at `rate`: SRT blocks numbered from 1 with "HH:MM:SS,mmm"
/// times and CR LF line ends, WebVTT with its header and "HH:MM:SS.mmm" times (and "&", "<",
/// ">" escaped), label lines of seconds with six decimals, tab-separated, the lines of a
/// cue joined by blanks (both with LF line ends); times rounded to the nearest millisecond.
/// ASS and SBV are the sidecar texts. Cues without exported text are left out.
QString FormatSubtitles(SubtitleFormat format, const CueList& cues, qint32 rate);

/// Writes FormatSubtitles to `path`: SRT, WebVTT and labels as UTF-8 without a byte-order
/// mark; ASS and SBV as the sidecars are written. The old file is
/// replaced only when the new one is complete. False when it cannot be written.
bool WriteSubtitleFile(const QString& path, SubtitleFormat format, const CueList& cues,
                       qint32 rate);
