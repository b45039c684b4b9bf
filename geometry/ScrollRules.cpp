#include "geometry/ScrollRules.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 kIntMax = std::numeric_limits<int>::max();

/// Columns kept visible left of a play cursor after a page turn, and left of a cue that is
/// wider than the window.
constexpr int kFollowMargin = 16;
constexpr int kNotch = 120;

int ClampedPos(qint64 pos) {
    return int(std::clamp<qint64>(pos, -kIntMax, kIntMax));
}

int Margin(int width) {
    return std::min(kFollowMargin, width / 4);
}

} // namespace

int AnchoredScrollPos(qint64 frame, int pointerX, int zoom) {
    return ClampedPos(frame / std::max(zoom, 1) - pointerX);
}

int FollowScrollPos(qint64 column, int scrollPos, int width) {
    if (column >= scrollPos && column < qint64(scrollPos) + width) {
        return scrollPos;
    }
    return ClampedPos(column - Margin(width));
}

int WheelScrollPos(int scrollPos, int angleDelta, int width) {
    const qint64 step = std::max(width / 10, 1);
    return ClampedPos(qint64(scrollPos) - qint64(angleDelta) * step / kNotch);
}

int CueScrollPos(qint64 start, qint64 end, int zoom, int scrollPos, int width) {
    const qint64 first = start / std::max(zoom, 1);
    const qint64 last = std::max(end / std::max(zoom, 1), first);
    if (last >= scrollPos && first < qint64(scrollPos) + width) {
        return scrollPos;
    }
    return ClampedPos(std::min((first + last) / 2 - width / 2, first - Margin(width)));
}
