#pragma once

#include <QString>
#include <QtGlobal>

// Ticks between the ruler's marks, so that a window zoomed in past the marks still shows
// labelled times. Tick `index` stands for index * ms milliseconds and lies on the first
// frame at or after that time: every sample rate gets whole-frame ticks, and their labels
// read back the exact time.

/// Ticks first .. last - 1, by index.
struct TickSpan {
    qint64 first = 0;
    qint64 last = 0;
};

struct MinorTicks {
    qint32 rate = 0;
    /// Milliseconds between ticks; 0: no ticks.
    qint64 ms = 0;
    /// Milliseconds between the marks, a multiple of ms.
    qint64 markMs = 0;

    /// The frame tick `index` lies on.
    qint64 Frame(qint64 index) const;
    /// Whether tick `index` falls on a mark, which is drawn instead of it.
    bool OnMark(qint64 index) const { return index * ms % markMs == 0; }
    /// The ticks whose frames lie in from .. to - 1.
    TickSpan Within(qint64 from, qint64 to) const;
};

/// The ticks at `zoom` frames per column between marks every `markPeriod` frames: the
/// shortest step of 1, 2, 5, 10, 20, 50, 100, 200, 500 ms, 1, 1.5 or 2 s that divides the
/// mark period, is shorter than it and puts ticks at least `minSpacing` columns apart. No
/// ticks when no step does, or when the marks are not a whole number of milliseconds apart.
/// The steps of a second and more only fill between marks of 2, 3 or 4 s, which the ruler
/// keeps from a wide zoom.
MinorTicks ChooseMinorTicks(int zoom, qint32 rate, qint64 markPeriod, int minSpacing);

/// "mm:ss.mmm" of a frame, rounded to the millisecond; minutes are not limited to two digits.
QString TickLabel(qint64 frame, qint32 rate);
