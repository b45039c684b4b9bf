#include "base/FrameRange.h"

#include <algorithm>

namespace {

int Clamp(int v, int frames) {
    return std::clamp(v, 0, std::max(frames, 0));
}

} // namespace

FrameRange OrderedRange(int a, int b, int frames) {
    return {Clamp(std::min(a, b), frames), Clamp(std::max(a, b), frames)};
}

FrameRange EditRange(int start, int end, int frames) {
    const int lo = Clamp(start, frames);
    return {lo, std::max(lo, Clamp(end, frames))};
}
