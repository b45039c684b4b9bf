#include "geometry/ViewGeometry.h"
#include "geometry/OverviewGeometry.h"
#include "geometry/PointerRules.h"
#include "geometry/ScrollRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

#include "subtitles/CueList.h"

namespace {

TEST(ViewGeometryTest, ColumnsAndFramesTruncateAndReach64Bits) {
    EXPECT_EQ(ColumnOfFrame(1023, 256), 3);
    EXPECT_EQ(ColumnOfFrame(1024, 256), 4);
    EXPECT_EQ(ColumnOfFrame(4096000000, 4096), 1000000);
    EXPECT_EQ(FrameOfColumn(3, 256), 768);
    EXPECT_EQ(FrameOfColumn(1000000, 4096), Q_INT64_C(4096000000));
}

TEST(ViewGeometryTest, VisibleColumnsAndScrollSizes) {
    EXPECT_EQ(VisibleColumns(0, 800, 2500).first, 0);
    EXPECT_EQ(VisibleColumns(0, 800, 2500).last, 800);
    EXPECT_EQ(VisibleColumns(100, 800, 500).first, 100);
    EXPECT_EQ(VisibleColumns(100, 800, 500).last, 500);
    EXPECT_EQ(VisibleColumns(600, 800, 500).Count(), 0);

    const ScrollSizes s = StripScrollSizes(1000, 800);
    EXPECT_EQ(s.total, 1000);
    EXPECT_EQ(s.page, 533);
    EXPECT_EQ(s.line, 80);
    EXPECT_EQ(StripScrollSizes(10, 9).line, 0);
    // A strip of 2^31 columns (13 hours at zoom 1) still scrolls to its last column.
    EXPECT_EQ(StripScrollSizes(qint64(1) << 31, 800).total, std::numeric_limits<int>::max());
}

TEST(ViewGeometryTest, ZoomStepsHalveAndDouble) {
    EXPECT_EQ(ZoomIn(256), 128);
    EXPECT_EQ(ZoomIn(1), 1);
    EXPECT_EQ(ZoomIn(3), 1);
    EXPECT_EQ(ZoomOut(1), 2);
    EXPECT_EQ(ZoomOut(4096), 8192);
}

TEST(ViewGeometryTest, ScrollPositionsKeepTheCentre) {
    EXPECT_EQ(CentredScrollPos(1000, 1500, 3999, 8000), 3501);
    EXPECT_EQ(CentredScrollPos(800, 200, 1200, 4000), 1600);
    // Half an odd width truncates before the ratio: 1999 / 3998 is exactly one half.
    EXPECT_EQ(CentredScrollPos(1001, 1499, 3998, 8000), 3500);
    EXPECT_EQ(CentredScrollPos(1000, 0, 4000, 1000), -375);
    EXPECT_EQ(CentredScrollPos(1000, 700, 0, 8000), 0);
    EXPECT_EQ(CentredScrollPos(1000, 700, -5, 8000), 0);

    EXPECT_EQ(SelectionScrollPos(1000, 5000, 10, 100), 250);
    EXPECT_EQ(SelectionScrollPos(3, 4, 1, 1), 3);
    EXPECT_EQ(SelectionScrollPos(2147483000, 2147483600, 4096, 801), 523887);
}

// A cue with any column in the window leaves it where it is; one out of view comes in whole,
// or from its start when it is wider than the window less the margin kept left of it.
TEST(ViewGeometryTest, CueScrollBringsAnUnseenCueIntoView) {
    for (const int zoom : {1, 256}) {
        for (const int width : {8, 800}) {
            const int margin = std::min(16, width / 4);
            for (const int pos : {0, 3000}) {
                for (const qint64 first : {0, 10, 2990, 2999, 3000, 3799, 3800, 90000}) {
                    for (const qint64 columns : {1, 7, 300, 790, 5000}) {
                        const qint64 last = first + columns - 1;
                        SCOPED_TRACE(testing::Message() << zoom << " " << width << " " << pos << " "
                                                        << first << " " << last);
                        const int to =
                            CueScrollPos(first * zoom, last * zoom + zoom - 1, zoom, pos, width);
                        if (last >= pos && first < pos + width) {
                            EXPECT_EQ(to, pos);
                        } else {
                            EXPECT_LE(to, first);
                            EXPECT_LT(columns <= width - margin ? last : first, qint64(to) + width);
                        }
                    }
                }
            }
        }
    }
}

TEST(ViewGeometryTest, CoarseMarksOnlyAbove1024) {
    EXPECT_EQ(CoarseMarkPeriod(256, 44100), std::nullopt);
    EXPECT_EQ(CoarseMarkPeriod(1024, 44100), std::nullopt);
    EXPECT_EQ(CoarseMarkPeriod(1025, 44100), 44100);
    EXPECT_EQ(CoarseMarkPeriod(2048, 44100), 88200);
    EXPECT_EQ(CoarseMarkPeriod(4096, 44100), 176400);
    EXPECT_EQ(CoarseMarkPeriod(2048, 8000), 16000);
}

TEST(ViewGeometryTest, CueRowEdges) {
    // mid = 200 for both heights.
    for (int h : {400, 401}) {
        EXPECT_EQ(CueRowAt(0, h), CueRow::None);
        EXPECT_EQ(CueRowAt(170, h), CueRow::None);
        EXPECT_EQ(CueRowAt(171, h), CueRow::Clean);
        EXPECT_EQ(CueRowAt(230, h), CueRow::Clean);
        EXPECT_EQ(CueRowAt(231, h), CueRow::Overlapping);
        EXPECT_EQ(CueRowAt(289, h), CueRow::Overlapping);
        EXPECT_EQ(CueRowAt(290, h), CueRow::None);
    }
}

struct HitCase {
    int x = 0;
    int y = 0;
    int expected = -1;
};

class CueAtPointTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(CueAtPointTest, FindsCuesOfTheRowInWholeColumns) {
    CueList cues;
    cues.AddCues({{1000, 2000, "a"},   // 0: clean, columns 10..20
                  {1500, 3000, "b"},   // 1: overlaps 0, columns 15..30
                  {1600, 2500, "c"},   // 2: overlaps 0 and 1, columns 16..25
                  {5050, 5120, "d"},   // 3: clean, columns 50..51
                  {5150, 5300, "e"}}); // 4: clean, columns 51..53
    const HitCase& c = GetParam();
    EXPECT_EQ(CueAtPoint(cues, c.x, c.y, 100, 400), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Points, CueAtPointTest,
    ::testing::Values(HitCase{10, 200, 0}, HitCase{20, 200, 0}, HitCase{21, 200, -1},
                      HitCase{9, 200, -1}, HitCase{25, 250, 1}, HitCase{18, 250, 1},
                      HitCase{14, 250, -1}, HitCase{30, 231, 1}, HitCase{10, 250, -1},
                      HitCase{50, 200, 3}, HitCase{51, 171, 3}, HitCase{53, 230, 4},
                      HitCase{15, 170, -1}, HitCase{15, 290, -1}, HitCase{54, 200, -1}));

using Box = std::optional<std::array<int, 4>>; ///< left, top, right, bottom

TEST(ViewGeometryTest, CueBoxesSnapToColumnsWithAMinimumWidth) {
    const auto box = [](int start, int end, int overlap, ColumnRange visible = {0, 25000}) {
        const auto r = CueBox(start, end, overlap, 100, 400, visible);
        return r ? Box{{r->left, r->top, r->right, r->bottom}} : std::nullopt;
    };
    EXPECT_EQ(box(1050, 2099, 0), Box({10, 170, 20, 230}));
    EXPECT_EQ(box(1000, 1050, 0), Box({10, 170, 12, 230}));
    EXPECT_EQ(box(1000, 1100, 1), Box({10, 230, 12, 290}));
    EXPECT_EQ(box(1000, 1300, 2), Box({10, 290, 13, 350}));
    EXPECT_EQ(box(1900, 5000, 0, {10, 20}), Box({19, 170, 50, 230}));
    EXPECT_EQ(box(0, 1000, 0, {10, 20}), std::nullopt);
    EXPECT_EQ(box(2000, 3000, 0, {10, 20}), std::nullopt);
}

TEST(ViewGeometryTest, ColumnShadedByItsFirstFrame) {
    EXPECT_TRUE(IsColumnSelected(10, 256, 2560, 2560));
    EXPECT_FALSE(IsColumnSelected(9, 256, 2560, 2560));
    EXPECT_FALSE(IsColumnSelected(11, 256, 2560, 2560));
    EXPECT_FALSE(IsColumnSelected(10, 256, 2600, 5120));
    EXPECT_TRUE(IsColumnSelected(11, 256, 2600, 5120));
    EXPECT_TRUE(IsColumnSelected(19, 256, 2600, 5120));
    EXPECT_FALSE(IsColumnSelected(20, 256, 2600, 5120));
}

using Click = std::optional<std::array<int, 4>>; ///< selection start, end, play from, to

struct ClickCase {
    bool right = false;
    qint64 frame = 0;
    bool ctrl = false;
    int keep = 0; ///< the selection end for a left click, its start for a right one
    Click expected;
};

class ClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ClickTest, MovesOneEndAndPlaysTwoSeconds) {
    const ClickCase& c = GetParam();
    const auto click = c.right ? RightClick(c.frame, c.ctrl, c.keep, 100000, 8000)
                               : LeftClick(c.frame, c.ctrl, c.keep, 100000, 8000);
    const Click got =
        click ? Click{{click->selStart, click->selEnd, click->playFrom, click->playTo}} : Click{};
    EXPECT_EQ(got, c.expected);
}

constexpr qint64 kWrapsTo3000 = Q_INT64_C(4294967296) + 3000;

INSTANTIATE_TEST_SUITE_P(
    Clicks, ClickTest,
    ::testing::Values(ClickCase{false, 3000, false, 5000, {{3000, 5000, 3000, 19000}}},
                      ClickCase{false, 6000, false, 5000, {{6000, 22000, 6000, 22000}}},
                      ClickCase{false, 5000, false, 5000, {{5000, 5000, 5000, 21000}}},
                      ClickCase{false, 3000, true, 5000, {{0, 5000, 0, 16000}}},
                      ClickCase{false, 3000, true, 0, {{0, 0, 0, 16000}}},
                      ClickCase{false, 95000, false, 5000, {{95000, 100000, 95000, 100000}}},
                      ClickCase{false, -1, false, 5000, std::nullopt},
                      ClickCase{false, -1, true, 5000, std::nullopt},
                      ClickCase{false, 100000, false, 5000, std::nullopt},
                      ClickCase{false, kWrapsTo3000, false, 5000, std::nullopt},
                      ClickCase{true, 500, false, 1000, {{0, 500, 0, 500}}},
                      ClickCase{true, 30000, false, 1000, {{1000, 30000, 14000, 30000}}},
                      ClickCase{true, 20000, false, 10000, {{10000, 20000, 4000, 20000}}},
                      ClickCase{true, 500, true, 1000, {{1000, 100000, 84000, 100000}}},
                      ClickCase{true, 100000, false, 1000, std::nullopt},
                      ClickCase{true, 100000, true, 1000, std::nullopt},
                      ClickCase{true, kWrapsTo3000, false, 1000, std::nullopt}));

TEST(PointerRulesTest, StatusLineSpellsEveryField) {
    const StatusLine line{10, 1000000, 2000, 4096, 123, 4, 5, 400, 1200, 7};
    EXPECT_EQ(StatusLineText(line),
              "SCREEN.X=10 @SHOW=1000000(2000) @WAV=4096000000(123) SelLeft=4 SelRight=5 "
              "EXT=4096 pos=400 max=1200 Clipboard=7");
}

TEST(PointerRulesTest, PlayCursorSplitsUntilTheEnd) {
    const auto bars = [](qint64 cursor) {
        const CursorBars b = PlayCursorBars(1000, 9000, cursor, 100);
        return std::tuple(b.playedFrom, b.split, b.end, b.ended);
    };
    EXPECT_EQ(bars(1000), std::tuple(10, 10, 90, false));
    EXPECT_EQ(bars(5050), std::tuple(10, 50, 90, false));
    EXPECT_EQ(bars(8999), std::tuple(10, 89, 90, false));
    EXPECT_EQ(bars(9000), std::tuple(10, 10, 90, true));
    EXPECT_EQ(bars(12000), std::tuple(10, 10, 90, true));
    EXPECT_EQ(bars(Q_INT64_C(4294967296) + 5000), std::tuple(10, 10, 90, true));
}

TEST(OverviewGeometryTest, TheWholeRecordingFitsTheWidth) {
    EXPECT_EQ(OverviewFramesPerColumn(0, 100), 1);
    EXPECT_EQ(OverviewFramesPerColumn(1000, 100), 10);
    EXPECT_EQ(OverviewFramesPerColumn(1001, 100), 11);
    EXPECT_EQ(OverviewFramesPerColumn(Q_INT64_C(158760000), 0), Q_INT64_C(158760000));

    CueList cues;
    // Two cues sharing column 3, one alone further on, one past the last column.
    cues.AddCues({{10, 35, "a"}, {30, 39, "b"}, {70, 71, "c"}, {5000, 6000, "far"}});
    const std::vector<ColumnRange> runs = OverviewCueRuns(cues, 10, 50);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(std::tie(runs[0].first, runs[0].last), std::make_tuple(qint64(1), qint64(4)));
    EXPECT_EQ(std::tie(runs[1].first, runs[1].last), std::make_tuple(qint64(7), qint64(8)));

    // A window of 100 columns at zoom 4 from column 50: frames 200 .. 600.
    const ColumnRange window = OverviewWindow(50, 100, 4, 1000, 10);
    EXPECT_EQ(std::tie(window.first, window.last), std::make_tuple(qint64(20), qint64(60)));
    // The window centres on the frame clicked, never before the start.
    EXPECT_EQ(OverviewScrollPos(40, 10, 4, 100), 50);
    EXPECT_EQ(OverviewScrollPos(2, 10, 4, 100), 0);
}

} // namespace
