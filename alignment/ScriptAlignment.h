#pragma once

#include "base/FrameRange.h"

#include <QString>

#include <atomic>
#include <vector>

class Recording;
class SpeechSynthesizer;

/// Where one text of a script is spoken, and how sure the alignment is of it (0 to 1).
struct AlignedCue {
    FrameRange span;
    float confidence = 0.0f;
};

/// How far an alignment is, told from its threads, and the request to stop it.
struct AlignmentProgress {
    static constexpr int kTotal = 1000;
    std::atomic<int> done = 0; ///< of kTotal
    std::atomic<bool> stop = false;
};

/// Seconds of work per stage (the recording's features are made while the script is spoken).
struct AlignmentTimes {
    double speaking = 0;
    double referenceFeatures = 0;
    double recordingFeatures = 0;
    double warping = 0;
};

struct ScriptAlignment {
    enum class Status { Aligned, Stopped, NothingToSpeak, NoAudio };
    Status status = Status::NoAudio;
    std::vector<AlignedCue> cues; ///< one per text, in order, when aligned
    AlignmentTimes times;
};

/// Where each of `texts` (in order; a leading "#" and line breaks are not spoken) is spoken
/// within `range` of the recording. The texts are spoken by `voice` one after the other with
/// short pauses, both signals turned into spectral features and matched by a time warp; each
/// boundary is then drawn to the edge of a pause within 150 ms, else kept where the warp put
/// it. Sound before the first text and after the last is left out. A text the voice speaks
/// nothing of, or one missing from the recording, gets a low confidence. NothingToSpeak when
/// the voice speaks none of the texts, NoAudio when the range or the texts are empty.
ScriptAlignment AlignScript(const Recording& recording, FrameRange range,
                            const std::vector<QString>& texts, SpeechSynthesizer& voice,
                            AlignmentProgress& progress);
