#pragma once

#include "recording/PhraseDetection.h"

class CtarnDoc;
class CueList;

/// What the phrases become: a new placeholder cue ("#") each, or the spans of the
/// placeholder cues already in the list, in order.
enum class PhraseUse { NewCues, LayScript };

/// What DetectPhrases did.
struct PhraseOutcome {
    std::vector<FrameRange> spans; ///< the spans the cues took
    int joined = 0;                ///< phrases joined to match the script
    int split = 0;                 ///< phrases split to match the script
};

/// The characters of the texts a script laying would use, those of the cues whose text begins
/// with "#", in order; white space and the "#" do not count.
std::vector<int> PlaceholderChars(const CueList& cues);

/// Measures the selection, or the whole recording when the selection is empty.
LevelTrack MeasureSelectionLevels(const CtarnDoc& doc);

/// Turns the phrases (found on `levels` with `settings`) into cues as one undo step ("Detect
/// phrases"): new "#" cues, or the placeholder cues laid onto the phrases as FitPhrases fits
/// them to the texts, each losing its "#".
PhraseOutcome ApplyPhrases(CtarnDoc& doc, const std::vector<FrameRange>& phrases,
                           const LevelTrack& levels, const PhraseSettings& settings, PhraseUse use);
