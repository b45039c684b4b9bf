#pragma once

#include <optional>
#include <vector>

class CtarnDoc;
class Host;

/// What the view changes after a cue command.
struct CueCommandResult {
    int curCue = -1;              ///< the current cue afterwards, -1 for none
    std::optional<int> scrollPos; ///< new horizontal scroll position, when it moves
    bool changed = false;         ///< whether the cues or the current cue changed
};

/// Asks for a text and adds a cue over the selection; the new cue becomes current.
CueCommandResult AddSubtitle(CtarnDoc& doc, Host& host, int curCue);

/// Removes the current cue; afterwards no cue is current. Does nothing when `curCue` is not
/// a cue of the list.
CueCommandResult DeleteSubtitle(CtarnDoc& doc, int curCue);

/// Removes the cues at `rows` (sorted indexes; those that are no cue are left out) as one step;
/// afterwards no cue is current. Nothing when none of them is a cue.
CueCommandResult DeleteCues(CtarnDoc& doc, const std::vector<int>& rows);

/// Selects the span of cue `curCue`; nothing when it is no cue.
void SelectCueSpan(CtarnDoc& doc, int curCue);

/// The cue after (`next`) or before the current one, staying at the ends of the list; with
/// no current cue, the first cue that starts at or after the selection's start (the last that
/// starts before it). -1 when there is none.
int NeighbourCue(const CtarnDoc& doc, bool next);

/// Moves the current cue onto the selection (at least 10 frames wide, else the message
/// "left=%d right=%d"). A placeholder cue ("#" first) loses its mark, and the placeholder
/// runs before and after it are laid end to end up to its new start and from its new end.
CueCommandResult Atach(CtarnDoc& doc, Host& host, int curCue);

/// Edits the text of cue `index` in the text entry dialog, starting from its text; an
/// emptied text deletes the cue. The cue becomes current (none when it was deleted or
/// `index` is no cue).
CueCommandResult EditCueText(CtarnDoc& doc, Host& host, int index);

/// Makes the first cue that overlaps an earlier one current and centres it in a window of
/// `clientWidth` pixels at `zoom` frames per column; "NOT FOUND" when no cue overlaps. The view
/// scrolls only when the cue's middle lies at least half a window from the start.
CueCommandResult CheckConflict(const CtarnDoc& doc, Host& host, int curCue, int zoom,
                               int clientWidth);
