#pragma once

#include "subtitles/TidyTiming.h"

#include <vector>

class CtarnDoc;
class Host;

/// Tidies the cues at `rows` (indexes; empty: every cue) as one step, "Tidy timing", and
/// tells how many changed on the status line; no step when none would. Snapping aims at the
/// phrases "Detect phrases" finds in the whole recording with its default settings and no
/// padding. Returns how many cues changed.
int TidyCues(CtarnDoc& doc, Host& host, const std::vector<int>& rows, const TidySettings& settings);

/// How many cues TidyCues would change, changing nothing.
int CountTidiedCues(const CtarnDoc& doc, const std::vector<int>& rows,
                    const TidySettings& settings);
