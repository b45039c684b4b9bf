#pragma once

#include "recording/PhraseDetection.h"

#include <vector>

/// Phrases made one span per text of a script.
struct FittedPhrases {
    std::vector<FrameRange> spans;
    int joined = 0; ///< gaps bridged
    int split = 0;  ///< cuts made inside phrases
};

/// `phrases` (as FindPhrases finds them on `levels`) made one span per text when they can be;
/// `textChars` holds the characters of each text in order, a text counting at least one.
///
/// While there are too many phrases, the shortest gap is bridged (its two phrases joined).
/// While too few, the texts are shared out in order, at least one to a phrase, so that where
/// each phrase ends the texts' share of the characters comes nearest the phrases' share of the
/// duration. A phrase that takes k texts is cut at its k - 1 longest interior pauses (runs of
/// windows at or below the threshold with sound on both sides), and where it has too few, at
/// its quietest sound windows; of equally long pauses and equally quiet windows, the ones
/// nearest where the characters of the texts put each cut are taken. At a pause, the piece
/// before ends where the pause begins and the next starts where it ends, both widened by the
/// padding up to the pause's middle, as FindPhrases widens phrases; pieces cut at a sound
/// window meet in its middle. No piece is shorter than the minimum phrase: a phrase takes no
/// more texts than that allows, and texts that find no span are left over at the end.
FittedPhrases FitPhrases(std::vector<FrameRange> phrases, const std::vector<int>& textChars,
                         const LevelTrack& levels, const PhraseSettings& settings, qint32 rate);
