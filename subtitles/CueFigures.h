#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

class CueList;

// The figures a timer reads off a cue: its characters, its reading speed and its times.

/// Characters of a cue's text as a reader counts them: Unicode code points, line breaks left
/// out.
int CueCharacters(const QString& text);

/// Characters per second of `text` shown from frame `start` to frame `end` at `rate`;
/// nothing when the cue lasts no time (or the rate is unknown).
std::optional<double> CharsPerSecond(const QString& text, qint64 start, qint64 end, qint32 rate);

/// "15.2", or "" when there is no reading speed.
QString CpsText(std::optional<double> cps);

/// "Cue 12: 0:01:02.345 - 0:01:04.120 (1.775 s, 15.2 cps)" for cue `index` (a valid index),
/// numbered from 1 as the boxes show it; the speed left out for a cue of no length.
QString CueStatusText(const CueList& cues, int index, qint32 rate);
