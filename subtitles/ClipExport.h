#pragma once

#include <QString>

class CueList;
class Host;
class Recording;

/// Asks the host for a target file name and writes every cue (`pairs` false) or every pair
/// of cues (`pairs` true) as numbered clips with their texts in the chosen folder, counting
/// up from the number the chosen name begins with: k.wav and k.txt per cue, or k.wav,
/// k"v.wav" and k.txt per pair (an odd last cue stands alone). Progress goes to the host,
/// which may stop the export between clips; a failed write names its file and stops. The
/// question starts in `startFolder` (empty: where the host last was).
void ExportCueClips(Recording& recording, const CueList& cues, Host& host, bool pairs,
                    const QString& startFolder);
