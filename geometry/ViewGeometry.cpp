#include "geometry/ViewGeometry.h"

#include <algorithm>
#include <limits>

int ColumnOfFrame(qint64 frame, int zoom) {
    return int(frame / std::max(zoom, 1));
}

qint64 FrameOfColumn(int x, int zoom) {
    return qint64(x) * zoom;
}

ColumnRange VisibleColumns(int x0, int width, qint64 columns) {
    const qint64 first = std::clamp<qint64>(x0, 0, columns);
    const qint64 last = std::min<qint64>(columns, qint64(x0) + width);
    return {first, std::max(first, last)};
}

ScrollSizes StripScrollSizes(qint64 columns, int width) {
    const int total = int(std::min<qint64>(columns, std::numeric_limits<int>::max()));
    return {total, 2 * width / 3, width / 10};
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
                                 ColumnRange visible) {
    const qint64 s = ColumnOfFrame(start, zoom);
    const qint64 e = ColumnOfFrame(end, zoom);
    if (e <= visible.first || s >= visible.last) {
        return std::nullopt;
    }
    // Measured in envelope entries, four per column, as the boxes always were: at least 10
    // entries, so never narrower than two columns.
    const int left = int(s);
    const int right = int(left + std::max<qint64>(4 * (e - s), 10) / 4);
    const int top = height / 2 - kCueLaneHeight / 2 + kCueLaneHeight * overlap;
    return CueBoxRect{left, top, right, top + kCueLaneHeight};
}

bool IsColumnSelected(int x, int zoom, int selStart, int selEnd) {
    const qint64 s = FrameOfColumn(x, zoom);
    return s == selStart || (selStart < s && s < selEnd);
}
