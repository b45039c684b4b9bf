#pragma once

#include <QString>

class CueList;
class Host;
class Recording;

// The cue sidecars written beside a saved recording. Each shows its own message through
// the host when its file cannot be written and returns false; the old file then stays.

/// The .txt sidecar; "open file error3 <path>" on failure.
bool WriteCueTxt(const QString& path, const CueList& cues, Host& host);
/// The .sbv sidecar, clock times at the recording's rate; "open file error4" on failure.
bool WriteCueSbv(const QString& path, const Recording& recording, const CueList& cues, Host& host);
/// The .ass script, clock times at the recording's rate; "open file error2" on failure.
bool WriteCueAss(const QString& path, const Recording& recording, const CueList& cues, Host& host);

// A save writes the WAV first and its sidecars only after it. A mark beside the WAV (an empty
// hidden file, ".<file name>.saving") stands from before the WAV is replaced until all three
// sidecars are written: a save cut short between them, by a crash or a full disk, leaves it,
// and the next open can say that the cues may belong to the audio as it was before.

/// True when the mark of the WAV at `wavPath` stands.
bool SaveMarked(const QString& wavPath);
/// Sets the mark; false when it cannot be written.
bool MarkSave(const QString& wavPath);
/// Takes the mark away.
void UnmarkSave(const QString& wavPath);
