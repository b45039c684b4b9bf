#pragma once

#include "base/FrameRange.h"

#include <QtGlobal>

#include <optional>

/// The short plays around the selection's edges that check a cue's timing by ear.
enum class EdgePlay {
    BeforeStart, ///< the stretch that leads into the selection
    AfterStart,  ///< the selection's first stretch
    BeforeEnd,   ///< the selection's last stretch
    AfterEnd,    ///< the stretch that follows the selection
};

/// Length of an edge play, in milliseconds.
constexpr int kEdgePlayMs = 500;

/// Frames an edge play sounds for the selection selStart..selEnd (taken in order) of a
/// recording of `frames` frames at `rate`: kEdgePlayMs at most, clamped into the recording
/// and, inside the selection, to it. Nothing when that leaves no frame (a play of nothing
/// would sound the whole recording).
std::optional<FrameRange> EdgePlayRange(EdgePlay edge, int selStart, int selEnd, int frames,
                                        qint32 rate);
