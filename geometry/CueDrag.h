#pragma once

#include "subtitles/CueList.h"

#include <QtGlobal>

// Dragging cues in the cue band: which part of which box the pointer holds, and where the
// cue goes as the pointer moves.

/// Pixels either side of a box's left or right edge that grip the edge.
constexpr int kEdgeGripPixels = 4;
/// Pixels within which a dragged edge snaps to another cue's edge or the selection's.
constexpr int kSnapPixels = 8;

enum class CuePart { None, Start, End, Whole };

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

struct CueSpan {
    int start = 0;
    int end = 0;
};

/// What a drag snaps to: every cue's start and end but the dragged cue's, and the
/// selection's start and end.
struct SnapTargets {
    const CueList* cues = nullptr;
    int exclude = -1;
    int selStart = 0;
    int selEnd = 0;
};

/// The nearest snap target within `tolerance` frames of `frame`, or `frame` itself.
qint64 Snap(const SnapTargets& targets, qint64 frame, qint64 tolerance);

/// Where cue `original` goes when its `part` is dragged by `delta` frames in a recording of
/// `frames` frames: an edge moves alone, the whole cue keeps its length; edges snap to
/// `targets` within `tolerance` frames (0: no snapping); the result stays inside the
/// recording and always ends after it starts.
CueSpan DragCue(CueSpan original, CuePart part, qint64 delta, const SnapTargets& targets,
                qint64 tolerance, int frames);
