#include "geometry/PointerRules.h"

#include <algorithm>
#include <cstdlib>

namespace {

qint64 TwoSeconds(qint32 rate) {
    return 2 * qint64(std::max(rate, 0));
}

} // namespace

std::optional<SelectionClick> LeftClick(qint64 frame, bool ctrl, int selEnd, int frames,
                                        qint32 rate) {
    if (frame < 0 || frame >= frames) {
        return std::nullopt;
    }
    const qint64 s = ctrl ? 0 : frame;
    qint64 e = selEnd;
    if (e < s) {
        e = std::min<qint64>(frames, s + TwoSeconds(rate));
    }
    SelectionClick click;
    click.selStart = int(std::min(s, e));
    click.selEnd = int(std::max(s, e));
    click.playFrom = click.selStart;
    click.playTo = int(std::min<qint64>(frames, click.selStart + TwoSeconds(rate)));
    return click;
}

std::optional<SelectionClick> RightClick(qint64 frame, bool ctrl, int selStart, int frames,
                                         qint32 rate) {
    if (frame < 0 || frame >= frames) {
        return std::nullopt;
    }
    const qint64 s = ctrl ? frames : frame;
    qint64 b = selStart;
    if (s < b) {
        b = std::max<qint64>(0, s - TwoSeconds(rate));
    }
    SelectionClick click;
    click.selStart = int(std::min(b, s));
    click.selEnd = int(std::max(s, b));
    click.playFrom = int(std::max<qint64>(0, click.selEnd - TwoSeconds(rate)));
    click.playTo = click.selEnd;
    return click;
}

QString StatusLineText(const StatusLine& l) {
    return QString::asprintf("SCREEN.X=%d @SHOW=%d(%d) @WAV=%lld(%d) SelLeft=%d SelRight=%d "
                             "EXT=%d pos=%d max=%d Clipboard=%d",
                             l.deviceX, l.logicalX, l.stripWidth, qint64(l.zoom) * l.logicalX,
                             l.frames, l.selStart, l.selEnd, l.zoom, l.scrollPos, l.scrollMax,
                             l.clipLength);
}

CursorBars PlayCursorBars(int playStart, int playEnd, qint64 cursorFrame, int zoom) {
    zoom = std::max(zoom, 1);
    CursorBars bars;
    bars.playedFrom = playStart / zoom;
    bars.end = playEnd / zoom;
    bars.ended = cursorFrame >= playEnd;
    bars.split =
        bars.ended ? bars.playedFrom : int(std::max<qint64>(cursorFrame, playStart) / zoom);
    return bars;
}

std::optional<SelectionSpan> ShiftClick(qint64 frame, int selStart, int selEnd, int frames) {
    if (frame < 0 || frame >= frames) {
        return std::nullopt;
    }
    const qint64 lo = std::min(selStart, selEnd);
    const qint64 hi = std::max(selStart, selEnd);
    const bool moveStart = std::abs(frame - lo) < std::abs(frame - hi);
    const qint64 start = moveStart ? frame : lo;
    const qint64 end = moveStart ? hi : frame;
    return SelectionSpan{int(std::min(start, end)), int(std::max(start, end))};
}

SelectionSpan DragSelection(qint64 from, qint64 to, int frames) {
    const qint64 a = std::clamp<qint64>(from, 0, frames);
    const qint64 b = std::clamp<qint64>(to, 0, frames);
    return {int(std::min(a, b)), int(std::max(a, b))};
}
