#include "document/Envelope.h"

std::optional<int> EnvelopeLength(int frames, int zoom) {
    const qint64 length = qint64(frames / zoom) * 4 + 4;
    if (length > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return int(length);
}

std::optional<std::vector<qint16>> BuildEnvelope(const std::vector<qint16>& track, int zoom) {
    const qint16* data = track.data();
    return BuildColumns(
        int(track.size()), zoom, [data](qint64 k) { return data[k]; },
        [data](qint64 a, qint64 b, qint16& lo, qint16& hi) {
            for (qint64 k = a; k <= b; ++k) {
                lo = std::min(lo, data[k]);
                hi = std::max(hi, data[k]);
            }
        });
}

std::optional<std::vector<qint16>> BuildMarkEnvelope(const SecondMarkTrack& track, int zoom) {
    return BuildColumns(
        track.Length(), zoom, [&track](qint64 k) { return track.At(k); },
        [&track](qint64 a, qint64 b, qint16& lo, qint16& hi) {
            const qint64 marks = track.MarksIn(a, b);
            if (marks > 0) {
                hi = std::max(hi, SecondMarkTrack::kMark);
            }
            if (marks < b - a + 1) {
                lo = std::min<qint16>(lo, 0);
            }
        });
}
