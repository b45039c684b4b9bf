#include "geometry/LevelMarks.h"

#include <cmath>

std::vector<LevelMark> LevelMarks(int half, int amplitude, int spacing) {
    std::vector<LevelMark> marks;
    int last = half + spacing;
    for (int db = 0; db >= -96; db -= db > -12 ? 3 : 6) {
        const int offset = int(std::lround(half * amplitude * std::pow(10.0, db / 20.0)));
        if (offset <= half && offset <= last - spacing && offset >= spacing) {
            marks.push_back({db, offset});
            last = offset;
        }
    }
    return marks;
}
