#pragma once

#include "subtitles/CueDrag.h"
#include "subtitles/CueList.h"

// Which part of which cue box the pointer holds in the cue band, in pixels.

/// Pixels either side of a box's left or right edge that grip the edge.
constexpr int kEdgeGripPixels = 4;
/// Pixels within which a dragged edge snaps to another cue's edge or the selection's.
constexpr int kSnapPixels = 8;

/// What a press in the cue band holds.
struct CueGrip {
    int cue = -1;
    CuePart part = CuePart::None;
};

/// The cue part at logical point (x, y) of a window `height` pixels high: the start or end
/// edge within kEdgeGripPixels of a box's left or right side (the nearer one of a narrow
/// box), the whole cue inside its box. Boxes of later lanes are drawn over earlier ones,
/// so the last box under the point wins.
CueGrip CueGripAt(const CueList& cues, int x, int y, int zoom, int height);
