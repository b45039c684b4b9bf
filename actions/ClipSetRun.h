#pragma once

#include "subtitles/ClipSet.h"

#include <functional>

class CtarnDoc;
class Host;

/// The recording's name for {base}: the open file's (or the decoded source's) name without
/// its extension, the title of a new document.
QString ClipBaseName(const CtarnDoc& doc);

/// The clip set of the document's cues, selection and current cue under `options`.
std::vector<PlannedClip> PlanDocumentClips(const CtarnDoc& doc, const ClipSetOptions& options);

/// How a write of a clip set ended.
struct ClipSetRun {
    /// The question about existing files the user said No to (nothing was written); empty
    /// when there was none or the answer was Yes.
    QString declined;
    /// Whether the set was written (in part when `result` says so): false when the user
    /// declined or the folder could not be made (its message was shown).
    bool ran = false;
    ClipSetResult result;
};

/// Writes `plan` as both programs do: reads the translation (a message and nothing written
/// when it cannot), checks that the source has a picture when stills are asked for, asks once
/// before replacing files that exist (No writes nothing), makes the folder (a message when it
/// cannot), then writes the set through `encoder` (stills through grabbers from `stills`),
/// `progress(done, total)` told as WriteClipSet tells it, and last the deck package when one is
/// asked for (its failure is the run's error; the package is never left half-written).
ClipSetRun RunClipSet(const CtarnDoc& doc, Host& host, std::vector<PlannedClip> plan,
                      const ClipSetOptions& options, ClipEncoder& encoder,
                      const std::function<bool(int done, int total)>& progress,
                      const StillSource& stills = {});

/// "Export clips...": asks once before replacing files that exist (No writes nothing), writes
/// the set with progress and Cancel, then says in the status line how many clips went where;
/// a failure is one message naming the file and the reason, and listing the files written.
void ExportClipSet(const CtarnDoc& doc, Host& host, const ClipSetOptions& options,
                   ClipEncoder& encoder, const StillSource& stills = {});
