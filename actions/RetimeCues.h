#pragma once

#include "subtitles/Retime.h"

#include <vector>

class CtarnDoc;
class Host;

/// Retimes the cues at `rows` (indexes; empty: every cue) as one step, "Retime cues", and
/// tells how many on the status line. A refusal is shown as a message and changes nothing.
/// Returns whether the cues were retimed.
bool RetimeCues(CtarnDoc& doc, Host& host, const std::vector<int>& rows, const Retiming& how);
