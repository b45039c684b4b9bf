#include "recording/Envelope.h"

#include <algorithm>

namespace {

/// Frames in first..last (inclusive, 0 <= first) whose index is a multiple of `period`.
qint64 MultiplesIn(qint64 first, qint64 last, qint64 period) {
    if (period <= 0 || last < first) {
        return 0;
    }
    const qint64 upToLast = last / period + 1;
    const qint64 beforeFirst = first == 0 ? 0 : (first - 1) / period + 1;
    return upToLast - beforeFirst;
}

} // namespace

qint64 EnvelopeColumns(qint64 frames, int zoom) {
    return frames <= 0 ? 0 : frames / std::max(zoom, 1) + 1;
}

void BuildEnvelope(const qint16* samples, int frames, const SampleSummary& summary, int zoom,
                   qint64 firstColumn, int count, qint16* out) {
    for (int i = 0; i < count; ++i, out += 4) {
        const qint64 s = (firstColumn + i) * zoom;
        if (s >= frames) {
            std::fill(out, out + 4, qint16(0));
            continue;
        }
        const qint64 lastIndex = s + zoom - 1;
        const bool whole = lastIndex < frames;
        const qint16 first = samples[s];
        const qint16 last = whole ? samples[lastIndex] : qint16(0);
        MinMax range = summary.Range(samples, s, whole ? lastIndex : frames - 1);
        if (!whole) {
            range = {std::min<qint16>(range.lo, 0), std::max<qint16>(range.hi, 0)};
        }
        out[0] = first;
        out[1] = first < last ? range.lo : range.hi;
        out[2] = first < last ? range.hi : range.lo;
        out[3] = last;
    }
}

bool ColumnHasMark(qint64 column, int zoom, int frames, qint64 period) {
    const qint64 s = column * zoom;
    if (s >= frames || s < 0) {
        return false;
    }
    const qint64 last = std::min<qint64>(s + zoom - 1, frames - 1);
    return MultiplesIn(s, last, period) > 0;
}
