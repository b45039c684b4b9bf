#pragma once

#include <vector>

/// A level mark of a lane magnified above x1: `db` dBFS lies `offset` pixels above and below
/// the lane's centre.
struct LevelMark {
    int db = 0;
    int offset = 0;
};

/// The marks of a lane whose half is `half` pixels high at `amplitude` (full scale reaching
/// half * amplitude pixels): from 0 dBFS down in steps of 3, then 6 dB, each that lies within
/// the lane and at least `spacing` pixels nearer the centre than the last one kept.
std::vector<LevelMark> LevelMarks(int half, int amplitude, int spacing);
