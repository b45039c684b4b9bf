#pragma once

#include "recording/PhraseDetection.h"

#include <vector>

/// Where sound begins after a pause and where it ends before one, in frames of the recording,
/// rising: the places a boundary found roughly is drawn to.
struct PauseEdges {
    std::vector<qint64> soundStarts;
    std::vector<qint64> soundEnds;
};

/// The edges of the pauses of `levels`: runs of at least `minPauseWindows` windows at or below
/// `thresholdDb` (the range's ends count as pauses).
PauseEdges FindPauseEdges(const LevelTrack& levels, double thresholdDb, int minPauseWindows);

/// The edge of `edges` (rising) nearest `at` when one lies within `reach` frames, else `at`.
qint64 SnapToEdge(const std::vector<qint64>& edges, qint64 at, qint64 reach);
