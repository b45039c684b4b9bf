#pragma once

#include "actions/CueCommands.h"
#include "subtitles/CueDrag.h"

class CtarnDoc;

/// Gives cue `index` the span start..end as one undo step ("Move cue"), re-sorting and
/// recounting the list; the moved cue becomes current wherever the sort put it. Nothing
/// (and no step) for an index outside the list or a span that does not end after it starts.
CueCommandResult MoveCue(CtarnDoc& doc, int index, int start, int end);

/// Moves the start or the end of the current cue by `ms` milliseconds (negative: earlier),
/// kept inside the recording and never reaching the other edge.
CueCommandResult NudgeCue(CtarnDoc& doc, int curCue, CuePart edge, int ms);
