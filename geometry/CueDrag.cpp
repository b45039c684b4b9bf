#include "geometry/CueDrag.h"

#include "geometry/ViewGeometry.h"

#include <algorithm>
#include <cstdlib>

CueGrip CueGripAt(const CueList& cues, int x, int y, int zoom, int height) {
    // A box may reach two columns past its cue's last column (boxes are at least two wide).
    const ColumnRange near{qint64(x) - kEdgeGripPixels - 3, qint64(x) + kEdgeGripPixels + 1};
    CueGrip grip;
    for (int i = 0; i < cues.Count(); ++i) {
        const std::optional<CueBoxRect> box =
            CueBox(cues.Start(i), cues.End(i), cues.Overlap(i), zoom, height, near);
        if (!box || y < box->top || y >= box->bottom) {
            continue;
        }
        const int toLeft = std::abs(x - box->left);
        const int toRight = std::abs(x - box->right);
        if (std::min(toLeft, toRight) <= kEdgeGripPixels) {
            grip = {i, toLeft <= toRight ? CuePart::Start : CuePart::End};
        } else if (x > box->left && x < box->right) {
            grip = {i, CuePart::Whole};
        }
    }
    return grip;
}

qint64 Snap(const SnapTargets& targets, qint64 frame, qint64 tolerance) {
    qint64 best = frame;
    qint64 bestDistance = tolerance + 1;
    const auto consider = [&](qint64 target) {
        const qint64 distance = std::abs(target - frame);
        if (distance < bestDistance) {
            best = target;
            bestDistance = distance;
        }
    };
    if (tolerance <= 0) {
        return frame;
    }
    consider(targets.selStart);
    consider(targets.selEnd);
    if (targets.cues) {
        for (int i = 0; i < targets.cues->Count(); ++i) {
            if (i != targets.exclude) {
                consider(targets.cues->Start(i));
                consider(targets.cues->End(i));
            }
        }
    }
    return best;
}

CueSpan DragCue(CueSpan original, CuePart part, qint64 delta, const SnapTargets& targets,
                qint64 tolerance, int frames) {
    const qint64 start = original.start;
    const qint64 end = std::max<qint64>(original.end, start + 1);
    switch (part) {
    case CuePart::Start: {
        const qint64 moved = Snap(targets, start + delta, tolerance);
        return {int(std::clamp<qint64>(moved, 0, end - 1)), int(end)};
    }
    case CuePart::End: {
        const qint64 moved = Snap(targets, end + delta, tolerance);
        return {int(start),
                int(std::clamp<qint64>(moved, start + 1, std::max<qint64>(frames, start + 1)))};
    }
    case CuePart::Whole: {
        const qint64 length = end - start;
        qint64 moved = start + delta;
        // Whichever edge lands nearer a target decides where the cue snaps.
        const qint64 byStart = Snap(targets, moved, tolerance) - moved;
        const qint64 byEnd = Snap(targets, moved + length, tolerance) - (moved + length);
        if (byStart != 0 && (byEnd == 0 || std::abs(byStart) <= std::abs(byEnd))) {
            moved += byStart;
        } else {
            moved += byEnd;
        }
        moved = std::clamp<qint64>(moved, 0, std::max<qint64>(0, frames - length));
        return {int(moved), int(moved + length)};
    }
    case CuePart::None:
        break;
    }
    return original;
}
