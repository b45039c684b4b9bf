#pragma once

#include <QString>

#include <functional>

class CueList;
class Host;

/// Asks the host for a target file name and writes every cue (`pairs` false) or every pair
/// of cues (`pairs` true) as numbered clips with their texts in the chosen folder, counting
/// up from the number the chosen name begins with: k.wav and k.txt per cue, or k.wav,
/// k"v.wav" and k.txt per pair (an odd last cue stands alone). Progress goes to the host,
/// which may stop the export between clips; a failed write names its file and stops. The
/// question starts in `startFolder` (empty: where the host last was). `saveWave` writes frames
/// between two frames (either order) to a path and says whether it could.
void ExportCueClips(const CueList& cues, Host& host, bool pairs, const QString& startFolder,
                    const std::function<bool(const QString& path, int a, int b)>& saveWave);
