#pragma once

#include "alignment/ScriptAlignment.h"

#include <vector>

class CtarnDoc;
class CueList;
class Host;
class SpeechSynthesizer;

/// Which cues "Align script" lays onto the speech.
enum class AlignChoice {
    Placeholders, ///< the cues whose text begins with "#"
    Chosen,       ///< the rows chosen in the cue list
    All,          ///< every cue, each keeping its text
};

/// The indexes of the cues to align, in list order: the placeholder cues, the chosen rows
/// (valid ones, once each) or every cue.
std::vector<int> CuesToAlign(const CueList& cues, AlignChoice choice,
                             const std::vector<int>& chosen);

/// What AlignCues did.
struct AlignOutcome {
    std::vector<AlignedCue>
        cues;          ///< where each cue went, in the order given; none when nothing changed
    int uncertain = 0; ///< of them, marked uncertain
};

/// Lays cues `indexes` (in list order) where their texts are spoken within the selection, or
/// the whole recording when it is empty: the alignment runs off the calling thread while the
/// host shows its progress with Cancel, then the cues take their spans and confidences in
/// one undo step "Align script" (a placeholder losing its "#"), and the status line says
/// "Aligned 120 cues; 4 uncertain". Cancel changes nothing; a failure is one message.
AlignOutcome AlignCues(CtarnDoc& doc, Host& host, const std::vector<int>& indexes,
                       SpeechSynthesizer& voice);
