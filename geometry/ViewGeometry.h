#pragma once

#include "geometry/Zoom.h"
#include "subtitles/CueList.h"

#include <QtGlobal>

#include <optional>

// The coordinates the waveform view shares between painting and the pointer: one column of
// pixels per `zoom` frames, x counted from the start of the whole strip ("logical" pixels),
// y from the top of the window.
/// Height of one lane of cue boxes; the first lane is centred on the middle of the window.
constexpr int kCueLaneHeight = 60;

/// The column that holds frame `frame`.
int ColumnOfFrame(qint64 frame, int zoom);
/// The first frame of column `x`.
qint64 FrameOfColumn(int x, int zoom);

/// Columns first..last (last exclusive) of a strip.
struct ColumnRange {
    qint64 first = 0;
    qint64 last = 0;

    int Count() const { return int(last - first); }
};
/// The columns of a strip `columns` wide that a window of `width` columns starting at
/// column `x0` shows.
ColumnRange VisibleColumns(int x0, int width, qint64 columns);

/// Scroll sizes of the strip: its total width in columns (held to 32 bits), a page of two
/// thirds of the window and a line of a tenth.
struct ScrollSizes {
    int total = 0;
    int page = 0;
    int line = 0;
};
ScrollSizes StripScrollSizes(qint64 columns, int width);

/// Halves the zoom, never below 1.
int ZoomIn(int zoom);
/// Doubles the zoom; an overflow becomes 1.
int ZoomOut(int zoom);

/// The scroll position after a zoom that keeps the frame under the window's centre there:
/// `oldPos` and `oldMax` describe the scroll bar before the zoom, `newWidth` is the strip's
/// new width in columns. 0 when there was no scroll range before.
int CentredScrollPos(int width, int oldPos, int oldMax, int newWidth);

/// The scroll position that centres the selection (after a cut or paste).
int SelectionScrollPos(int selStart, int selEnd, int zoom, int width);

/// The row of cue boxes at height y of a window `height` pixels high.
enum class CueRow { None, Clean, Overlapping };
CueRow CueRowAt(int y, int height);

/// The cue under the point (x, y), or -1.
int CueAtPoint(const CueList& cues, int x, int y, int zoom, int height);

/// A cue's box in logical pixels; right and bottom are exclusive.
struct CueBoxRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
/// The box of a cue, or nothing when it lies outside the visible columns.
std::optional<CueBoxRect> CueBox(int start, int end, int overlap, int zoom, int height,
                                 ColumnRange visible);

/// Whether the column's first frame lies in the selection (or is its start).
bool IsColumnSelected(int x, int zoom, int selStart, int selEnd);
