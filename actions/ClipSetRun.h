#pragma once

#include "subtitles/ClipSet.h"

class CtarnDoc;
class Host;

/// The recording's name for {base}: the open file's (or the decoded source's) name without
/// its extension, the title of a new document.
QString ClipBaseName(const CtarnDoc& doc);

/// The clip set of the document's cues, selection and current cue under `options`.
std::vector<PlannedClip> PlanDocumentClips(const CtarnDoc& doc, const ClipSetOptions& options);

/// "Export clips...": asks once before replacing files that exist (No writes nothing), writes
/// the set with progress and Cancel, then says in the status line how many clips went where;
/// a failure is one message naming the file and the reason, and listing the files written.
void ExportClipSet(const CtarnDoc& doc, Host& host, const ClipSetOptions& options,
                   ClipEncoder& encoder);
