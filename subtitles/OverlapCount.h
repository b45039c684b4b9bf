#pragma once

#include <vector>

/// Whether cue b, later in start order, collides with the earlier cue a. For cues with
/// start < end this is "the half-open spans intersect"; touching spans do not collide.
inline bool CuesCollide(int aStart, int aEnd, int bStart, int bEnd) {
    return (aStart >= bStart || bStart < aEnd) && (aStart < bEnd || aEnd <= bEnd);
}

/// For cues sorted by start, how many earlier cues each one collides with (CuesCollide),
/// in O(n log n). `starts` and `ends` have one entry per cue.
std::vector<int> CountOverlaps(const std::vector<int>& starts, const std::vector<int>& ends);
