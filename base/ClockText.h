#pragma once

#include <QString>
#include <QtGlobal>

// Times as a person reads them, for the status bar and the ruler.

/// Milliseconds from the start to `frame` at `rate`, rounded to the nearest (a half rounds
/// up); a frame before the start counts as the start, and a rate <= 0 gives 0.
qint64 FrameMilliseconds(qint64 frame, qint32 rate);

/// "h:mm:ss.mmm" of `frame`, e.g. "1:02:03.450"; hours are not limited to one digit.
QString FormatClock(qint64 frame, qint32 rate);

/// "start - end (length)" of a selection, e.g. "0:00:01.000 - 0:00:03.500 (0:00:02.500)":
/// the ends as given, the length end - start and never negative.
QString SelectionTimesText(qint64 selStart, qint64 selEnd, qint32 rate);

/// "Pointer h:mm:ss.mmm" of the frame under the pointer.
QString PointerTimeText(qint64 frame, qint32 rate);
