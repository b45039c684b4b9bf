#include "audio/EdgePlay.h"

#include <algorithm>

std::optional<FrameRange> EdgePlayRange(EdgePlay edge, int selStart, int selEnd, int frames,
                                        qint32 rate) {
    const qint64 length = qint64(std::max(rate, 0)) * kEdgePlayMs / 1000;
    const qint64 start = std::clamp<qint64>(std::min(selStart, selEnd), 0, frames);
    const qint64 end = std::clamp<qint64>(std::max(selStart, selEnd), 0, frames);
    qint64 lo = 0;
    qint64 hi = 0;
    switch (edge) {
    case EdgePlay::BeforeStart:
        lo = std::max<qint64>(0, start - length);
        hi = start;
        break;
    case EdgePlay::AfterStart:
        lo = start;
        // An empty selection has no inside: its first stretch is what follows its start.
        hi = std::min(start + length, end > start ? end : qint64(frames));
        break;
    case EdgePlay::BeforeEnd:
        lo = std::max(end - length, end > start ? start : qint64(0));
        hi = end;
        break;
    case EdgePlay::AfterEnd:
        lo = end;
        hi = std::min<qint64>(frames, end + length);
        break;
    }
    if (lo >= hi) {
        return std::nullopt;
    }
    return FrameRange{int(lo), int(hi)};
}
