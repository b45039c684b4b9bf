#pragma once

#include <QString>
#include <QtGlobal>

// The ruler's labelled times: the multiples of one step, as close as their labels allow
// without touching. Labelled time `index` stands for index * stepMs milliseconds and lies on
// the first frame at or after that time: every sample rate gets whole-frame labels, and they
// read back the exact time. Which labelled times also carry a mark's line is the document's
// business; the others get a short tick.

/// Labelled times first .. last - 1, by index.
struct TickSpan {
    qint64 first = 0;
    qint64 last = 0;
};

/// "mm:ss" or "mm:ss.mmm"; minutes are not limited to two digits.
enum class LabelFormat { Seconds, Milliseconds };

/// "mm:ss" or "mm:ss.mmm" of `ms` milliseconds (the seconds format drops the milliseconds).
QString RulerLabelText(qint64 ms, LabelFormat format);

struct RulerLabels {
    qint32 rate = 0;
    /// Milliseconds between labelled times; 0: no labels.
    qint64 stepMs = 0;
    /// One format for every label of a zoom: milliseconds only while the step is shorter
    /// than a second, so that "00:01.000" never stands beside "00:02".
    LabelFormat format = LabelFormat::Seconds;

    /// The frame labelled time `index` lies on.
    qint64 Frame(qint64 index) const;
    /// The labelled times whose frames lie in from .. to - 1.
    TickSpan Within(qint64 from, qint64 to) const;
    /// The label of time `index`.
    QString Text(qint64 index) const { return RulerLabelText(index * stepMs, format); }
};

/// What a label takes on the ruler, in columns.
struct LabelRoom {
    /// The widest character a label uses (digits, ':' and '.').
    int charWidth = 0;
    /// Room beside the text: its indent from its line and the gap before the next line.
    int padding = 0;
};

/// The labels at `zoom` frames per column of a recording `frames` frames long: the shortest
/// step of 1, 2, 5, 10, 20, 50, 100, 200, 500 ms, 1, 2, 5, 10, 15, 30 s, 1, 2, 5, 10, 15,
/// 30 min or 1 h that puts labelled times at least one label apart, measured on the longest
/// label of the recording in the step's format. No labels when no step does or for a zoom or
/// rate <= 0.
RulerLabels ChooseRulerLabels(int zoom, qint32 rate, qint64 frames, LabelRoom room);
