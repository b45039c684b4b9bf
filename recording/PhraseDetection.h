#pragma once

#include "base/FrameRange.h"

#include <QString>

#include <optional>
#include <vector>

class Recording;

/// How phrases are told from the silences between them.
struct PhraseSettings {
    /// Level above which a 10 ms window is sound, in dBFS; nothing: automatic (15 dB above
    /// the 10th percentile of the window levels, at least -60 dBFS).
    std::optional<double> thresholdDb = -40.0;
    int minSilenceMs = 300; ///< shorter silences do not end a phrase
    int minPhraseMs = 200;  ///< shorter phrases join a near neighbour or are dropped
    int padMs = 50;         ///< added on both sides of each phrase
};

/// The first bad setting as a message for the user, or an empty string.
QString CheckPhraseSettings(const PhraseSettings& settings);

/// The level of every 10 ms window of a range: the larger channel's RMS in dBFS (silence is
/// -200). The last window may be shorter.
struct LevelTrack {
    FrameRange range;
    int windowFrames = 1;
    std::vector<float> db;

    /// Frames of window w, clipped to the range.
    FrameRange Window(qint64 w) const;
};

/// Measures the windows of `range` (two threads on long ranges).
LevelTrack MeasureLevels(const Recording& recording, FrameRange range);

/// The threshold the automatic setting takes for these levels, in dBFS.
double AutomaticThreshold(const LevelTrack& levels);

/// The threshold the settings take for these levels, in dBFS: the one set, else the
/// automatic one. A window at or below it is silence.
double PhraseThreshold(const PhraseSettings& settings, const LevelTrack& levels);

/// `ms` milliseconds in frames at `rate`, rounded down.
qint64 MsToFrames(int ms, qint32 rate);

/// The phrases of the measured range, in order, never overlapping: stretches of windows
/// above the threshold, split where a silence lasts at least the minimum silence. A phrase
/// shorter than the minimum phrase is joined to the nearer neighbour when that gap is at
/// most twice the minimum silence, else dropped. Each phrase is widened by the padding on
/// both sides, up to the middle of the gap to a neighbour and within the range.
std::vector<FrameRange> FindPhrases(const LevelTrack& levels, const PhraseSettings& settings,
                                    qint32 rate);
