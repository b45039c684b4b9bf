#pragma once

/// A half-open range of frames lo..hi with 0 <= lo <= hi.
struct FrameRange {
    int lo = 0;
    int hi = 0;

    int Length() const { return hi - lo; }
    bool IsEmpty() const { return lo == hi; }
};

/// From the smaller of a and b to the larger, both clamped into 0..frames
/// (what writing and playing a range take).
FrameRange OrderedRange(int a, int b, int frames);

/// The frames an edit of the selection start..end works on: both ends clamped into
/// 0..frames, and an end before the start taken as an empty range at the start.
FrameRange EditRange(int start, int end, int frames);
