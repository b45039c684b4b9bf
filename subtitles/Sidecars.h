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
