#pragma once

#include "document/SecondMarkTrack.h"

#include <QtGlobal>

#include <algorithm>
#include <limits>
#include <new>
#include <optional>
#include <vector>

/// Entries of an envelope of `frames` frames at `zoom` frames per column:
/// 4 * (frames / zoom) + 4, or nothing when that does not fit a 32-bit length.
std::optional<int> EnvelopeLength(int frames, int zoom);

/// Four entries per column of `zoom` frames: the first value, the two extremes in the order
/// a line through them follows the signal (low then high when the column rises), the last
/// value. A column's last value is 0 when its last frame lies past the end, and that 0 counts
/// among its extremes. `at(k)` reads frame k; `widen(a, b, lo, hi)` widens lo and hi by the
/// frames a..b (inclusive, never empty) between the first and the last.
/// Returns nothing when the envelope cannot be held; frames > 0, zoom >= 1.
template <typename SampleAt, typename WidenByInterior>
std::optional<std::vector<qint16>> BuildColumns(int frames, int zoom, SampleAt at,
                                                WidenByInterior widen) {
    const std::optional<int> length = EnvelopeLength(frames, zoom);
    if (!length) {
        return std::nullopt;
    }
    std::vector<qint16> envelope;
    try {
        envelope.resize(size_t(*length));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    qint16* out = envelope.data();
    for (qint64 s = 0; s < frames; s += zoom, out += 4) {
        const qint16 first = at(s);
        const qint64 lastIndex = s + zoom - 1;
        const qint16 last = lastIndex < frames ? at(lastIndex) : qint16(0);
        qint16 lo = std::min(first, last);
        qint16 hi = std::max(first, last);
        const qint64 interiorLast = std::min<qint64>(s + zoom - 2, frames - 1);
        if (s + 1 <= interiorLast) {
            widen(s + 1, interiorLast, lo, hi);
        }
        out[0] = first;
        out[1] = first < last ? lo : hi;
        out[2] = first < last ? hi : lo;
        out[3] = last;
    }
    return envelope;
}

/// The envelope of one channel array (empty arrays are the caller's concern).
std::optional<std::vector<qint16>> BuildEnvelope(const std::vector<qint16>& track, int zoom);

/// The envelope of the mark track, computed per column by counting marks instead of
/// visiting every frame; equal to the envelope of the track's entries.
std::optional<std::vector<qint16>> BuildMarkEnvelope(const SecondMarkTrack& track, int zoom);
