#include "geometry/CueGrip.h"

#include "audio/EdgePlay.h"
#include "geometry/PointerRules.h"

#include <gtest/gtest.h>

namespace {

// Three cues: 1000..2000, 5000..6000 and 5500..7000 (the last one in the lower lane).
CueList ThreeCues() {
    CueList cues;
    cues.AddCues({{1000, 2000, "a"}, {5000, 6000, "b"}, {5500, 7000, "c"}});
    return cues;
}

TEST(CueDragTest, EdgesAndBodiesMoveSnapAndStayValid) {
    const CueList cues = ThreeCues();
    constexpr int kFrames = 10000;
    const SnapTargets targets{&cues, 0, 2990, 3500};
    const struct {
        const char* name;
        CuePart part;
        qint64 delta;
        qint64 tolerance;
        int start, end;
    } cases[] = {
        {"start moves alone", CuePart::Start, 300, 0, 1300, 2000},
        {"start never reaches the end", CuePart::Start, 5000, 0, 1999, 2000},
        {"start stops at zero", CuePart::Start, -5000, 0, 0, 2000},
        {"end snaps to the selection's start", CuePart::End, 950, 100, 1000, 2990},
        {"end without snapping", CuePart::End, 950, 0, 1000, 2950},
        {"end snaps to another cue's start", CuePart::End, 2960, 100, 1000, 5000},
        {"end never before the start", CuePart::End, -5000, 0, 1000, 1001},
        {"end stops at the recording's end", CuePart::End, 50000, 0, 1000, kFrames},
        {"whole cue keeps its length", CuePart::Whole, 700, 0, 1700, 2700},
        {"whole cue snaps by its end", CuePart::Whole, 930, 100, 1990, 2990},
        {"whole cue snaps by its start", CuePart::Whole, 1950, 100, 2990, 3990},
        {"whole cue stops at the end", CuePart::Whole, 20000, 0, 9000, kFrames},
        {"whole cue stops at zero", CuePart::Whole, -3000, 0, 0, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CueSpan span = DragCue({1000, 2000}, c.part, c.delta, targets, c.tolerance, kFrames);
        EXPECT_EQ(span.start, c.start);
        EXPECT_EQ(span.end, c.end);
        EXPECT_LT(span.start, span.end);
    }
}

TEST(CueDragTest, GripFindsEdgesWithinFourPixels) {
    const CueList cues = ThreeCues();
    // Zoom 10: cue 0 spans columns 100..200, cue 1 500..600 (clean lane, y 170..229 of a
    // 400 px window), cue 2 550..700 in the lower lane (y 230..289).
    const struct {
        int x, y;
        int cue;
        CuePart part;
    } cases[] = {
        {100, 200, 0, CuePart::Start}, {96, 200, 0, CuePart::Start},  {95, 200, -1, CuePart::None},
        {204, 200, 0, CuePart::End},   {150, 200, 0, CuePart::Whole}, {150, 100, -1, CuePart::None},
        {550, 250, 2, CuePart::Start}, {550, 200, 1, CuePart::Whole}, {701, 260, 2, CuePart::End},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const CueGrip grip = CueGripAt(cues, c.x, c.y, 10, 400);
        EXPECT_EQ(grip.cue, c.cue);
        EXPECT_EQ(grip.part, c.part);
    }
}

TEST(EdgePlayTest, HalfSecondsAroundTheSelection) {
    // 8000 Hz: half a second is 4000 frames; the recording has 20000.
    const struct {
        EdgePlay edge;
        int selStart, selEnd;
        int lo, hi; ///< hi == 0: nothing plays
    } cases[] = {
        {EdgePlay::BeforeStart, 10000, 12000, 6000, 10000},
        {EdgePlay::BeforeStart, 1000, 12000, 0, 1000},
        {EdgePlay::BeforeStart, 0, 12000, 0, 0},
        {EdgePlay::AfterStart, 10000, 20000, 10000, 14000},
        {EdgePlay::AfterStart, 10000, 12000, 10000, 12000},
        {EdgePlay::AfterStart, 10000, 10000, 10000, 14000},
        {EdgePlay::BeforeEnd, 10000, 20000, 16000, 20000},
        {EdgePlay::BeforeEnd, 10000, 12000, 10000, 12000},
        {EdgePlay::AfterEnd, 10000, 12000, 12000, 16000},
        {EdgePlay::AfterEnd, 10000, 18000, 18000, 20000},
        {EdgePlay::AfterEnd, 10000, 20000, 0, 0},
        {EdgePlay::AfterEnd, 12000, 10000, 12000, 16000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.edge) << " " << c.selStart << ".." << c.selEnd);
        const std::optional<FrameRange> range =
            EdgePlayRange(c.edge, c.selStart, c.selEnd, 20000, 8000);
        ASSERT_EQ(range.has_value(), c.hi != 0);
        if (range) {
            EXPECT_EQ(range->lo, c.lo);
            EXPECT_EQ(range->hi, c.hi);
        }
    }
}

TEST(ShiftClickTest, MovesTheNearerEdge) {
    const struct {
        qint64 frame;
        int start, end;
    } cases[] = {{900, 900, 3000}, {1900, 1900, 3000}, {2100, 1000, 2100}, {5000, 1000, 5000}};
    for (const auto& c : cases) {
        const std::optional<SelectionSpan> span = ShiftClick(c.frame, 1000, 3000, 10000);
        ASSERT_TRUE(span);
        EXPECT_EQ(span->start, c.start) << c.frame;
        EXPECT_EQ(span->end, c.end) << c.frame;
    }
    EXPECT_FALSE(ShiftClick(10000, 1000, 3000, 10000));
}

} // namespace
