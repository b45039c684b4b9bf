#pragma once

#include "geometry/ViewGeometry.h"

#include <QtGlobal>

#include <vector>

class CueList;

// The overview's arithmetic: the whole recording across a strip of pixel columns.

/// Frames per overview column, so that `frames` fit in `width` columns (at least 1).
qint64 OverviewFramesPerColumn(qint64 frames, int width);

/// The stretches of overview columns (last exclusive) that hold some cue, left to right,
/// for `columns` columns of `perColumn` frames: one pass over the cues, however many.
std::vector<ColumnRange> OverviewCueRuns(const CueList& cues, qint64 perColumn, int columns);

/// The overview columns (last exclusive, at least one wide) of the window that starts at
/// strip column `scrollPos` and is `windowWidth` columns wide at `zoom`, in a recording of
/// `frames` frames.
ColumnRange OverviewWindow(int scrollPos, int windowWidth, int zoom, qint64 frames,
                           qint64 perColumn);

/// The strip scroll position that centres the window (`windowWidth` columns at `zoom`) on
/// the frame under overview column `x`; never before the start.
int OverviewScrollPos(int x, qint64 perColumn, int zoom, int windowWidth);
