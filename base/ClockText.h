#pragma once

#include <QString>
#include <QtGlobal>

// Times as a person reads them, for the status bar, the ruler and the subtitle files.

/// The largest unit a clock text shows; the larger ones are folded into it.
enum class ClockLead { Hours, Minutes, Seconds };

/// How ClockText lays out a time.
struct ClockStyle {
    ClockLead lead = ClockLead::Hours;
    /// Least digits of the leading field, zero-padded; it is never cut. The fields after it
    /// take two digits each.
    int leadDigits = 1;
    /// What stands between the seconds and the fraction.
    char separator = '.';
    /// Digits of the fraction of a second, 0 to 3: the milliseconds cut to that many.
    int fractionDigits = 3;
};

/// `ms` milliseconds as clock text, e.g. "1:02:03.450" in the default style or "62:03" with
/// minutes leading, two digits and no fraction. A negative count is its magnitude after a '-'.
QString ClockText(qint64 ms, ClockStyle style = {});

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
