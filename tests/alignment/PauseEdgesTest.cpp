#include "alignment/PauseEdges.h"

#include <gtest/gtest.h>

namespace {

// Windows of 10 frames: "#" is sound, "." silence.
LevelTrack Levels(const char* pattern) {
    LevelTrack levels;
    levels.windowFrames = 10;
    for (const char* c = pattern; *c; ++c) {
        levels.db.push_back(*c == '#' ? -20.0f : -70.0f);
    }
    levels.range = {0, int(levels.db.size()) * 10};
    return levels;
}

struct EdgeCase {
    const char* pattern;
    std::vector<qint64> starts;
    std::vector<qint64> ends;
};

class PauseEdgesTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(PauseEdgesTest, BridgesShortSilencesOnly) {
    const EdgeCase& c = GetParam();
    const PauseEdges edges = FindPauseEdges(Levels(c.pattern), -40.0, 3);
    EXPECT_EQ(edges.soundStarts, c.starts);
    EXPECT_EQ(edges.soundEnds, c.ends);
}

INSTANTIATE_TEST_SUITE_P(Patterns, PauseEdgesTest,
                         ::testing::Values(EdgeCase{"", {}, {}}, EdgeCase{"....", {}, {}},
                                           EdgeCase{"##..##", {0}, {60}},
                                           EdgeCase{"..##...##", {20, 70}, {40, 90}},
                                           EdgeCase{"#", {0}, {10}}));

TEST(PauseEdgesTest, SnapsToTheNearestEdgeWithinReach) {
    const std::vector<qint64> edges = {100, 200, 400};
    EXPECT_EQ(SnapToEdge(edges, 140, 50), 100);
    EXPECT_EQ(SnapToEdge(edges, 170, 50), 200);
    EXPECT_EQ(SnapToEdge(edges, 300, 50), 300);
    EXPECT_EQ(SnapToEdge(edges, 500, 150), 400);
    EXPECT_EQ(SnapToEdge({}, 7, 50), 7);
}

} // namespace
