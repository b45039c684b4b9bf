#include "alignment/PauseEdges.h"

#include <algorithm>

PauseEdges FindPauseEdges(const LevelTrack& levels, double thresholdDb, int minPauseWindows) {
    // Stretches of sound, windows lo .. hi - 1, bridging silences shorter than a pause.
    std::vector<std::pair<qint64, qint64>> stretches;
    for (qint64 w = 0; w < qint64(levels.db.size()); ++w) {
        if (levels.db[size_t(w)] <= thresholdDb) {
            continue;
        }
        if (!stretches.empty() && w - stretches.back().second < minPauseWindows) {
            stretches.back().second = w + 1;
        } else {
            stretches.emplace_back(w, w + 1);
        }
    }
    PauseEdges edges;
    for (const auto& [lo, hi] : stretches) {
        edges.soundStarts.push_back(levels.Window(lo).lo);
        edges.soundEnds.push_back(levels.Window(hi - 1).hi);
    }
    return edges;
}

qint64 SnapToEdge(const std::vector<qint64>& edges, qint64 at, qint64 reach) {
    const auto after = std::lower_bound(edges.begin(), edges.end(), at);
    qint64 best = at;
    qint64 bestDistance = reach + 1;
    if (after != edges.end() && *after - at < bestDistance) {
        best = *after;
        bestDistance = *after - at;
    }
    if (after != edges.begin() && at - *(after - 1) < bestDistance) {
        best = *(after - 1);
    }
    return best;
}
