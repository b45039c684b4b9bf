#pragma once

#include "subtitles/CueList.h"

#include <QtGlobal>

// Dragging cues: where a cue goes as the pointer moves one of its parts, in frames.

enum class CuePart { None, Start, End, Whole };

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
