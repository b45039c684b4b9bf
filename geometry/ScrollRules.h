#pragma once

#include <QtGlobal>

// Where the strip scrolls for the wheel, for a zoom around the pointer and for a play that
// runs out of the window.

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
