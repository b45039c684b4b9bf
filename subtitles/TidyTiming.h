#pragma once

#include "base/FrameRange.h"
#include "subtitles/TimingRules.h"

#include <QtGlobal>

#include <vector>

class CueList;

/// How "Tidy timing" moves the cues; every span is a time, turned into frames of the
/// recording exactly (rounded to the nearest frame, halves up) when the tidy runs.
struct TidySettings {
    ExactSeconds snap;        ///< how far a time moves to the speech; 0: no snapping
    ExactSeconds leadIn;      ///< how much earlier each cue starts
    ExactSeconds leadOut;     ///< how much later each cue ends
    ExactSeconds closeGaps;   ///< a shorter gap between two cues closes to the minimum gap
    ExactSeconds minGap;      ///< the least gap kept between a cue's end and the next start
    ExactSeconds minDuration; ///< a shorter cue is lengthened where there is room
};

/// The video frames below which a gap closes when nothing else is said.
constexpr int kCloseGapVideoFrames = 12;

/// The profile's minimum gap and duration, gaps under kCloseGapVideoFrames frames of its
/// video closed, no snapping and no lead.
TidySettings TidySettingsFor(const TimingProfile& profile);

/// Tidies the cues at `rows` of the sorted list `cues` (indexes; empty: every cue; those
/// outside the list ignored), whose times are frames at `rate` of a recording of `frames`
/// frames. `speech` are the spans of speech, sorted and apart, that snapping aims at.
/// In order: (a) a start moves to the nearest start of speech and an end to the nearest end
/// of speech within the snap distance; (b) starts move earlier by the lead-in and ends later
/// by the lead-out, never nearer than the minimum gap to another cue; (c) a cue shorter than
/// the minimum duration is lengthened at its end as far as the next cue leaves room;
/// (d) a gap under the closing threshold (or under the minimum gap) between two cues becomes
/// the minimum gap by moving the earlier cue's end, which never goes before its start.
/// A cue that overlaps another is left as it is, and no step makes cues overlap or change
/// order. Texts and the number of cues stay; times stay within 0 .. frames. Returns how many
/// cues changed.
int TidyCueList(CueList& cues, const std::vector<int>& rows, const TidySettings& settings,
                const std::vector<FrameRange>& speech, qint32 rate, int frames);
