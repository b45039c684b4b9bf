#include "subtitles/CueDrag.h"

#include <algorithm>
#include <cstdlib>

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
