#include "geometry/CueGrip.h"

#include "geometry/ViewGeometry.h"

#include <algorithm>
#include <cstdlib>

CueGrip CueGripAt(const CueList& cues, int x, int y, int zoom, int height) {
    // A box may reach two columns past its cue's last column (boxes are at least two wide).
    const ColumnRange near{qint64(x) - kEdgeGripPixels - 3, qint64(x) + kEdgeGripPixels + 1};
    CueGrip grip;
    const auto [first, last] = cues.CuesNear((near.first - 3) * zoom, near.last * qint64(zoom));
    for (int i = first; i < last; ++i) {
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
