#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

/// What a click on the waveform does: the new selection and the frames it plays.
struct SelectionClick {
    int selStart = 0;
    int selEnd = 0;
    int playFrom = 0;
    int playTo = 0;
};

/// The left button at frame `frame` moves the selection's start there (to 0 with Ctrl),
/// keeping its end while the end lies right of it, else taking two seconds; it plays the
/// first two seconds of the selection. Nothing at or past the end of the recording.
std::optional<SelectionClick> LeftClick(qint64 frame, bool ctrl, int selEnd, int frames,
                                        qint32 rate);

/// The right button at frame `frame` moves the selection's end there (to the end of the
/// recording with Ctrl), keeping its start while the start lies left of it, else taking two
/// seconds; it plays the last two seconds up to the selection's end. Nothing at or past the
/// end of the recording.
std::optional<SelectionClick> RightClick(qint64 frame, bool ctrl, int selStart, int frames,
                                         qint32 rate);

/// A selection start..end (start <= end).
struct SelectionSpan {
    int start = 0;
    int end = 0;
};

/// Shift with the left button at `frame`: the nearer edge of the selection moves there (the
/// end when both are as near), and the selection stays in order. Nothing at or past the end
/// of the recording.
std::optional<SelectionSpan> ShiftClick(qint64 frame, int selStart, int selEnd, int frames);

/// A drag with the left button from frame `from` to frame `to`: the frames between, in
/// order, clamped into the recording.
SelectionSpan DragSelection(qint64 from, qint64 to, int frames);

/// What the status line shows about the pointer and the document.
struct StatusLine {
    int deviceX = 0;
    int logicalX = 0;
    int stripWidth = 0;
    int zoom = 1;
    int frames = 0;
    int selStart = 0;
    int selEnd = 0;
    int scrollPos = 0;
    int scrollMax = 0;
    int clipLength = 0;
};
QString StatusLineText(const StatusLine& line);

/// The play cursor's two bars, in columns: the part played (dark red) and the part to come
/// (green). Once the cursor frame reaches the end, the whole range is painted green one last
/// time and the cursor ends.
struct CursorBars {
    int playedFrom = 0; ///< played: playedFrom..split
    int split = 0;      ///< to come: split..end
    int end = 0;
    bool ended = false;
};
CursorBars PlayCursorBars(int playStart, int playEnd, qint64 cursorFrame, int zoom);
