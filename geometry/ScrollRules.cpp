#include "geometry/ScrollRules.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 kIntMax = std::numeric_limits<int>::max();

/// Columns kept visible left of a play cursor after a page turn.
constexpr int kFollowMargin = 16;
constexpr int kNotch = 120;

int ClampedPos(qint64 pos) {
    return int(std::clamp<qint64>(pos, -kIntMax, kIntMax));
}

} // namespace

int AnchoredScrollPos(qint64 frame, int pointerX, int zoom) {
    return ClampedPos(frame / std::max(zoom, 1) - pointerX);
}

int FollowScrollPos(qint64 column, int scrollPos, int width) {
    if (column >= scrollPos && column < qint64(scrollPos) + width) {
        return scrollPos;
    }
    return ClampedPos(column - std::min(kFollowMargin, width / 4));
}

int WheelScrollPos(int scrollPos, int angleDelta, int width) {
    const qint64 step = std::max(width / 10, 1);
    return ClampedPos(qint64(scrollPos) - qint64(angleDelta) * step / kNotch);
}
