#pragma once

#include <QtGlobal>

// Where the strip scrolls for the wheel, for a zoom around the pointer, for a play that
// runs out of the window and for a current cue out of view.

/// The scroll position that keeps frame `frame` under window x `pointerX` at `zoom` frames
/// per column (a zoom around the pointer).
int AnchoredScrollPos(qint64 frame, int pointerX, int zoom);

/// The scroll position that keeps column `column` in a window `width` columns wide that
/// starts at `scrollPos`: unchanged while it is in view, else the next page with the column
/// a little right of the left edge, as a page turns while reading.
int FollowScrollPos(qint64 column, int scrollPos, int width);

/// The scroll position after a wheel turn of `angleDelta` eighths of a degree (120 per notch,
/// forward scrolls back towards the start) in a window `width` columns wide: a notch moves
/// a tenth of the window.
int WheelScrollPos(int scrollPos, int angleDelta, int width);

/// The scroll position that shows the cue spanning frames start .. end at `zoom` frames per
/// column in a window `width` columns wide that starts at `scrollPos`: unchanged while any
/// column of the cue is in view, else the cue centred, or its start a little right of the
/// left edge when the cue is wider than the window.
int CueScrollPos(qint64 start, qint64 end, int zoom, int scrollPos, int width);
