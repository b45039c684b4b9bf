#include "geometry/OverviewGeometry.h"

#include "subtitles/CueList.h"

#include <algorithm>
#include <limits>

qint64 OverviewFramesPerColumn(qint64 frames, int width) {
    const qint64 columns = std::max(width, 1);
    return std::max<qint64>(1, (frames + columns - 1) / columns);
}

std::vector<ColumnRange> OverviewCueRuns(const CueList& cues, qint64 perColumn, int columns) {
    // How many cues start minus how many have ended at each column, summed left to right.
    std::vector<int> delta(size_t(std::max(columns, 0)) + 1, 0);
    for (int i = 0; i < cues.Count(); ++i) {
        const qint64 first = cues.Start(i) / perColumn;
        const qint64 last = std::max<qint64>(first, cues.End(i) / perColumn);
        if (first >= columns) {
            continue;
        }
        ++delta[size_t(first)];
        --delta[size_t(std::min<qint64>(last + 1, columns))];
    }
    std::vector<ColumnRange> runs;
    int open = 0;
    for (int x = 0; x < columns; ++x) {
        const bool wasCovered = open > 0;
        open += delta[size_t(x)];
        if (open > 0 && !wasCovered) {
            runs.push_back({x, x + 1});
        } else if (open > 0) {
            runs.back().last = x + 1;
        }
    }
    return runs;
}

ColumnRange OverviewWindow(int scrollPos, int windowWidth, int zoom, qint64 frames,
                           qint64 perColumn) {
    const qint64 first = qint64(scrollPos) * zoom;
    const qint64 last = std::min(first + qint64(windowWidth) * zoom, frames);
    const qint64 left = first / perColumn;
    return {left, std::max(left + 1, last / perColumn)};
}

int OverviewScrollPos(int x, qint64 perColumn, int zoom, int windowWidth) {
    const qint64 frame = qint64(std::max(x, 0)) * perColumn;
    const qint64 pos = frame / std::max(zoom, 1) - windowWidth / 2;
    return int(std::clamp<qint64>(pos, 0, std::numeric_limits<int>::max()));
}
