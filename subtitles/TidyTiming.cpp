#include "subtitles/TidyTiming.h"

#include "subtitles/CueList.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

/// A non-negative span in frames at `rate`, to the nearest frame, halves up; a span longer
/// than any recording gives the most frames a cue can reach.
qint64 ToFrames(ExactSeconds span, qint32 rate) {
    if (span.num <= 0 || span.den <= 0 || rate <= 0) {
        return 0;
    }
    const qint64 whole = span.num / span.den;
    if (whole >= std::numeric_limits<int>::max() / rate) {
        return std::numeric_limits<int>::max();
    }
    const qint64 rest = span.num % span.den;
    return whole * rate + (2 * rest * rate + span.den) / (2 * span.den);
}

/// The point of `points` (sorted) nearest to `t` and at most `distance` from it, the earlier
/// on a tie.
std::optional<qint64> Nearest(const std::vector<int>& points, qint64 t, qint64 distance) {
    const auto after = std::lower_bound(points.begin(), points.end(), t);
    std::optional<qint64> best;
    if (after != points.begin() && t - *(after - 1) <= distance) {
        best = *(after - 1);
    }
    if (after != points.end() && *after - t <= distance && (!best || *after - t < t - *best)) {
        best = *after;
    }
    return best;
}

/// The times being tidied, in frames, with what bounds each cue.
struct Work {
    std::vector<qint64> start;
    std::vector<qint64> end;
    std::vector<bool> movable; ///< chosen and overlapping no other cue
    qint64 frames = 0;
    qint64 gap = 0;

    int Count() const { return int(start.size()); }
    /// Where the cue after i starts, or the end of the recording.
    qint64 NextStart(int i) const {
        return std::min(i + 1 < Count() ? start[size_t(i) + 1] : frames, frames);
    }
};

/// Marks the chosen cues that overlap no other: only those move, so overlaps stay as they are.
std::vector<bool> MovableCues(const Work& work, const std::vector<int>& rows) {
    const int n = work.Count();
    std::vector<bool> chosen(size_t(n), rows.empty());
    for (const int row : rows) {
        if (row >= 0 && row < n) {
            chosen[size_t(row)] = true;
        }
    }
    std::vector<bool> movable(size_t(n), false);
    std::optional<qint64> reach;
    for (int i = 0; i < n; ++i) {
        const size_t k = size_t(i);
        const bool clearBefore = !reach || *reach <= work.start[k];
        const bool clearAfter = i + 1 == n || work.end[k] <= work.start[k + 1];
        movable[k] = chosen[k] && clearBefore && clearAfter;
        reach = std::max(reach.value_or(work.end[k]), work.end[k]);
    }
    return movable;
}

void Snap(Work& work, const std::vector<FrameRange>& speech, qint64 distance) {
    std::vector<int> onsets;
    std::vector<int> offsets;
    for (const FrameRange& span : speech) {
        onsets.push_back(span.lo);
        offsets.push_back(span.hi);
    }
    qint64 reach = 0;
    for (int i = 0; i < work.Count(); ++i) {
        const size_t k = size_t(i);
        if (work.movable[k]) {
            const std::optional<qint64> start = Nearest(onsets, work.start[k], distance);
            if (start && *start >= reach && *start < work.end[k]) {
                work.start[k] = *start;
            }
            const std::optional<qint64> end = Nearest(offsets, work.end[k], distance);
            if (end && *end > work.start[k] && *end <= work.NextStart(i)) {
                work.end[k] = *end;
            }
        }
        reach = std::max(reach, work.end[k]);
    }
}

void Lead(Work& work, qint64 leadIn, qint64 leadOut) {
    std::optional<qint64> reach;
    for (int i = 0; i < work.Count(); ++i) {
        const size_t k = size_t(i);
        if (work.movable[k]) {
            const qint64 earliest = reach ? *reach + work.gap : 0;
            work.start[k] = std::min(work.start[k], std::max(earliest, work.start[k] - leadIn));
            const qint64 latest = work.NextStart(i) - (i + 1 < work.Count() ? work.gap : 0);
            work.end[k] = std::max(work.end[k], std::min(latest, work.end[k] + leadOut));
        }
        reach = std::max(reach.value_or(work.end[k]), work.end[k]);
    }
}

void Lengthen(Work& work, qint64 minDuration) {
    for (int i = 0; i < work.Count(); ++i) {
        const size_t k = size_t(i);
        if (work.movable[k] && work.end[k] - work.start[k] < minDuration) {
            const qint64 latest = work.NextStart(i) - (i + 1 < work.Count() ? work.gap : 0);
            work.end[k] = std::max(work.end[k], std::min(latest, work.start[k] + minDuration));
        }
    }
}

/// Gaps under `below` between two cues that overlap nothing become the minimum gap.
void CloseGaps(Work& work, const std::vector<bool>& clean, qint64 below) {
    for (int i = 1; i < work.Count(); ++i) {
        const size_t k = size_t(i) - 1;
        if (work.movable[k] && clean[k + 1] && work.start[k + 1] - work.end[k] < below) {
            work.end[k] = std::max(work.start[k], work.start[k + 1] - work.gap);
        }
    }
}

} // namespace

TidySettings TidySettingsFor(const TimingProfile& profile) {
    TidySettings settings;
    qint64 scale = 1;
    for (int p = 0; p < profile.fps.places; ++p) {
        scale *= 10;
    }
    settings.closeGaps = {kCloseGapVideoFrames * scale, profile.fps.units};
    settings.minGap = profile.MinGap();
    settings.minDuration = profile.minDuration;
    return settings;
}

int TidyCueList(CueList& cues, const std::vector<int>& rows, const TidySettings& settings,
                const std::vector<FrameRange>& speech, qint32 rate, int frames) {
    Work work;
    for (int i = 0; i < cues.Count(); ++i) {
        work.start.push_back(cues.Start(i));
        work.end.push_back(cues.End(i));
    }
    work.frames = frames;
    work.gap = ToFrames(settings.minGap, rate);
    work.movable = MovableCues(work, {});
    const std::vector<bool> clean = work.movable;
    work.movable = MovableCues(work, rows);

    const qint64 snap = ToFrames(settings.snap, rate);
    if (snap > 0) {
        Snap(work, speech, snap);
    }
    Lead(work, ToFrames(settings.leadIn, rate), ToFrames(settings.leadOut, rate));
    Lengthen(work, ToFrames(settings.minDuration, rate));
    CloseGaps(work, clean, std::max(ToFrames(settings.closeGaps, rate), work.gap));

    int changed = 0;
    for (int i = 0; i < cues.Count(); ++i) {
        const size_t k = size_t(i);
        if (work.start[k] != cues.Start(i) || work.end[k] != cues.End(i)) {
            cues.SetStart(i, int(work.start[k]));
            cues.SetEnd(i, int(work.end[k]));
            ++changed;
        }
    }
    if (changed > 0) {
        cues.SortCues();
    }
    return changed;
}
