#pragma once

#include "subtitles/CueList.h"
#include "subtitles/TypedTime.h"

#include <QString>
#include <QtGlobal>

#include <variant>
#include <vector>

// Retiming cues: moving them by an offset, fitting them to two known times, or carrying them
// from one video frame rate to another. Each time is mapped exactly and rounded to the
// nearest frame only at the end, halves away from zero.

/// Moves the cues by `ms` milliseconds, later when positive.
struct CueShift {
    TypedDecimal ms;
};

/// Lays the cues so that cue `first` starts at `firstMs` and cue `second` at `secondMs`
/// (indexes into the list; they need not be among the cues retimed), every time in between
/// and around in proportion:
/// t' = A + (t - start of first) * (B - A) / (start of second - start of first).
/// The times lie within ±kMaxTypedMs, as ParseTypedTime gives them.
struct CueSync {
    int first = 0;
    qint64 firstMs = 0;
    int second = 0;
    qint64 secondMs = 0;
};

/// Carries the cues of a video at `from` frames per second to the same video at `to`
/// (23.976, 24, 25, 29.97, 30 ...): t' = t * from / to.
struct FrameRateChange {
    TypedDecimal from;
    TypedDecimal to;
};

using Retiming = std::variant<CueShift, CueSync, FrameRateChange>;

/// What a retiming did: how many cues it moved, or why it refused.
struct RetimeResult {
    int retimed = 0;
    QString refusal; ///< a sentence for the user; empty when the cues were retimed
};

/// Retimes the start and end of the cues at `rows` of `cues` (indexes; empty: every cue;
/// each taken once, those outside the list ignored), whose times are frames at `rate`, and
/// sorts the list again. A refusal leaves the list as it was: a sync on a cue that is not
/// there, on one cue, on two that start together, or with times in the order opposite to
/// the two cues' starts; a frame rate not above 0; a cue that would start or end before
/// the recording (naming the first such cue) or past the last frame a cue can reach.
RetimeResult RetimeCueList(CueList& cues, const std::vector<int>& rows, const Retiming& how,
                           qint32 rate);
