#include "view/ViewGeometry.h"

#include <algorithm>
#include <limits>

int ColumnOfFrame(qint64 frame, int zoom) {
    return int(frame / std::max(zoom, 1));
}

qint64 FrameOfColumn(int x, int zoom) {
    return qint64(x) * zoom;
}

EntryRange VisibleEntries(int x0, int width, int envelopeLen) {
    const qint64 first = qint64(x0) * 4;
    const qint64 last = std::min<qint64>(envelopeLen, (qint64(x0) + width) * 4);
    return {int(std::min<qint64>(first, envelopeLen)), int(std::max(first, last))};
}

ScrollSizes StripScrollSizes(int envelopeLen, int width) {
    return {envelopeLen / 4, 2 * width / 3, width / 10};
}

int ZoomIn(int zoom) {
    return std::max(zoom / 2, 1);
}

int ZoomOut(int zoom) {
    const qint64 doubled = qint64(zoom) * 2;
    return doubled <= 0 || doubled > std::numeric_limits<int>::max() ? 1 : int(doubled);
}

int CentredScrollPos(int width, int oldPos, int oldMax, int newWidth) {
    if (oldMax <= 0) {
        return 0;
    }
    const float ratio = float(width / 2 + oldPos) / float(oldMax);
    const float position = std::clamp(float(newWidth) * ratio, 0.0f, float(1 << 30));
    return int(position) - width / 2;
}

int SelectionScrollPos(int selStart, int selEnd, int zoom, int width) {
    const qint64 middle = (qint64(selEnd) + selStart) / 2;
    return int(middle / std::max(zoom, 1) - width / 2);
}

std::optional<qint64> CoarseMarkPeriod(int zoom, qint32 rate) {
    if (zoom <= kCoarseMarkZoom) {
        return std::nullopt;
    }
    return qint64(zoom / kCoarseMarkZoom) * rate;
}

CueRow CueRowAt(int y, int height) {
    const int mid = height / 2;
    const int half = kCueLaneHeight / 2;
    if (y <= mid - half || y >= mid + half + kCueLaneHeight) {
        return CueRow::None;
    }
    return y > mid + half ? CueRow::Overlapping : CueRow::Clean;
}

int CueAtPoint(const CueList& cues, int x, int y, int zoom, int height) {
    const CueRow row = CueRowAt(y, height);
    if (row == CueRow::None) {
        return -1;
    }
    const qint64 frame = FrameOfColumn(x, zoom);
    if (frame > std::numeric_limits<int>::max() || frame < 0) {
        return -1;
    }
    return cues.FindCueAt(int(frame), zoom, row == CueRow::Overlapping);
}

std::optional<CueBoxRect> CueBox(int start, int end, int overlap, int zoom, int height,
                                 EntryRange visible) {
    const qint64 s = qint64(ColumnOfFrame(start, zoom)) * 4;
    const qint64 e = qint64(ColumnOfFrame(end, zoom)) * 4;
    if (e <= visible.first || s >= visible.last) {
        return std::nullopt;
    }
    const int left = int(s / 4);
    const int right = int(left + std::max<qint64>(e - s, 10) / 4);
    const int top = height / 2 - kCueLaneHeight / 2 + kCueLaneHeight * overlap;
    return CueBoxRect{left, top, right, top + kCueLaneHeight};
}

bool IsColumnSelected(int x, int zoom, int selStart, int selEnd) {
    const qint64 s = FrameOfColumn(x, zoom);
    return s == selStart || (selStart < s && s < selEnd);
}

int RulerStartEntry(int first, int zoom) {
    const int start = first >= zoom ? first - zoom : 0;
    return start / 4 * 4;
}

qint64 RulerSeconds(int entry, int zoom, qint32 rate) {
    if (rate <= 0) {
        return 0;
    }
    const qint64 frame = qint64(entry) * zoom / 4;
    return (frame + rate / 2) / rate;
}

QString RulerLabel(qint64 seconds) {
    return QString::asprintf("%02lld:%02lld", seconds / 60, seconds % 60);
}
