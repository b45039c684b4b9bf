#pragma once

#include "alignment/SpeechFeatures.h"

#include <functional>
#include <optional>
#include <vector>

/// Where each row of a reference (the script, spoken) lies in a recording: the cheapest
/// monotonic path through the distances of their feature rows. The path may begin and end
/// anywhere in the recording; the rows it leaves out before and after cost a fixed price
/// each, so that music, silence or another speaker around the speech is left out rather
/// than stretched onto the script.
struct WarpPath {
    std::vector<qint64> first; ///< per reference row, the first recording row matched with it
    std::vector<qint64> last;  ///< and the last
    std::vector<float> cost;   ///< per reference row, the mean distance of its matches
    /// The mean distance of two rows taken at random, for scale.
    float chanceCost = 1.0f;
};

/// Tells how far the warp is (`done` of `total`); false stops it.
using WarpProgress = std::function<bool(qint64 done, qint64 total)>;

/// Finds the path coarse to fine: on both signals halved until the full table of distances
/// is small, then at each finer level only near the coarser path, so that time and memory
/// grow with the length of the signals, not their product. Nothing when stopped or when
/// either signal has no row.
std::optional<WarpPath> WarpSpeech(const FeatureMatrix& reference, const FeatureMatrix& recording,
                                   const WarpProgress& progress);
