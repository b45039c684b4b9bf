#pragma once

#include "document/FrameRange.h"
#include "document/SampleVector.h"

/// One sample edit as it is replayed on the file as opened: scaling a range by k / 10
/// (saturating), erasing a range, or replacing a range with given frames.
struct ReplayOp {
    enum class Kind : quint8 { Scale = 1, Erase = 2, Replace = 3 };
    Kind kind = Kind::Scale;
    FrameRange range;       ///< frames the edit worked on, in the recording as it was then
    int k = 10;             ///< Scale only
    SampleVector frames[2]; ///< Replace only: the new frames, left and right, equal lengths
};
