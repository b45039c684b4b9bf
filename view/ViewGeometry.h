#pragma once

#include "subtitles/CueList.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The coordinates the waveform view shares between painting and the pointer: one column of
// pixels per `zoom` frames, four envelope entries per column, x counted from the start of
// the whole strip ("logical" pixels), y from the top of the window.

/// Zoom bounds, in frames per column.
constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 4096;
/// Above this zoom the ruler marks every (zoom / 1024) seconds instead of every second.
constexpr int kCoarseMarkZoom = 1024;
/// Height of one lane of cue boxes; the first lane is centred on the middle of the window.
constexpr int kCueLaneHeight = 60;

/// The column that holds frame `frame`.
int ColumnOfFrame(qint64 frame, int zoom);
/// The first frame of column `x`.
qint64 FrameOfColumn(int x, int zoom);

/// Envelope entries first..last (last exclusive) in a window of `width` columns starting at
/// column `x0`, within an envelope of `envelopeLen` entries.
struct EntryRange {
    int first = 0;
    int last = 0;
};
EntryRange VisibleEntries(int x0, int width, int envelopeLen);

/// Scroll sizes of the strip: its total width in columns, a page of two thirds of the
/// window and a line of a tenth.
struct ScrollSizes {
    int total = 0;
    int page = 0;
    int line = 0;
};
ScrollSizes StripScrollSizes(int envelopeLen, int width);

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

/// The mark period, in frames, that the ruler shows at `zoom`: nothing at or below the
/// coarse threshold (the marks stay as they are), else (zoom / 1024) seconds.
std::optional<qint64> CoarseMarkPeriod(int zoom, qint32 rate);

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
/// The box of a cue, or nothing when it lies outside entries first..last.
std::optional<CueBoxRect> CueBox(int start, int end, int overlap, int zoom, int height,
                                 EntryRange visible);

/// Whether the column's first frame lies in the selection (or is its start).
bool IsColumnSelected(int x, int zoom, int selStart, int selEnd);

/// The first entry of the ruler walk: a little left of the window, so that labels of marks
/// just outside it still show; always the first entry of a column.
int RulerStartEntry(int first, int zoom);
/// Whole seconds, rounded to the nearest, of the first frame of the column of entry `entry`.
qint64 RulerSeconds(int entry, int zoom, qint32 rate);
/// "mm:ss" of a number of seconds; minutes are not limited to two digits.
QString RulerLabel(qint64 seconds);
