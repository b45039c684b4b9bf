#include "subtitles/CueList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <tuple>

namespace {

std::vector<int> Starts(const CueList& cues) {
    std::vector<int> v;
    for (int i = 0; i < cues.Count(); ++i) {
        v.push_back(cues.Start(i));
    }
    return v;
}

std::vector<int> Overlaps(const CueList& cues) {
    std::vector<int> v;
    for (int i = 0; i < cues.Count(); ++i) {
        v.push_back(cues.Overlap(i));
    }
    return v;
}

CueList ListOf(const std::vector<std::pair<int, int>>& spans) {
    CueList cues;
    std::vector<Cue> batch;
    for (const auto& [s, e] : spans) {
        batch.push_back({s, e, QStringLiteral("t")});
    }
    cues.AddCues(batch);
    return cues;
}

TEST(CueListTest, AddCueKeepsStartOrderAndReturnsTheNewIndex) {
    CueList cues;
    EXPECT_EQ(cues.AddCue(30, 40, "c"), 0);
    EXPECT_EQ(cues.AddCue(10, 20, "a"), 0);
    EXPECT_EQ(cues.AddCue(20, 30, "b"), 1);
    EXPECT_EQ(Starts(cues), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(cues.Text(2), "c");
}

TEST(CueListTest, EqualStartsKeepTheirOrderAndReturnTheLowerIndex) {
    CueList cues;
    cues.AddCue(10, 50, "first");
    EXPECT_EQ(cues.AddCue(10, 20, "second"), 0);
    cues.AddCue(5, 8, "earlier");
    EXPECT_EQ(cues.Text(1), "first");
    EXPECT_EQ(cues.Text(2), "second");
}

TEST(CueListTest, GrowsWithoutLimit) {
    std::vector<Cue> batch;
    for (int i = 3000; i > 0; --i) {
        batch.push_back({i * 10, i * 10 + 5, QString::number(i)});
    }
    CueList cues;
    cues.AddCues(batch);
    EXPECT_EQ(cues.Count(), 3000);
    EXPECT_EQ(cues.AddCue(1, 2, "one more"), 0);
    EXPECT_EQ(cues.Count(), 3001);
    EXPECT_EQ(cues.Text(3000), "3000");
}

struct OverlapCase {
    const char* name;
    std::vector<std::pair<int, int>> spans;
    std::vector<int> overlaps;
};

class CueOverlapTest : public ::testing::TestWithParam<OverlapCase> {};

TEST_P(CueOverlapTest, CountsEarlierCollidingCues) {
    EXPECT_EQ(Overlaps(ListOf(GetParam().spans)), GetParam().overlaps);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, CueOverlapTest,
    ::testing::Values(OverlapCase{"Touching", {{0, 100}, {100, 200}}, {0, 0}},
                      OverlapCase{"Crossing", {{0, 100}, {50, 150}}, {0, 1}},
                      OverlapCase{"TwoInsideOne", {{0, 300}, {10, 20}, {30, 40}}, {0, 1, 1}},
                      OverlapCase{"ThreeDeep", {{0, 300}, {10, 200}, {20, 100}}, {0, 1, 2}},
                      OverlapCase{"SameStartZeroLength", {{5, 5}, {5, 10}}, {0, 1}},
                      OverlapCase{"Apart", {{0, 10}, {20, 30}, {40, 50}}, {0, 0, 0}},
                      OverlapCase{"Single", {{0, 10}}, {0}}),
    [](const auto& info) { return std::string(info.param.name); });

using Listed = std::tuple<int, int, QString, int>; ///< start, end, text, overlap

std::vector<Listed> Listing(const CueList& cues) {
    std::vector<Listed> v;
    for (int i = 0; i < cues.Count(); ++i) {
        v.emplace_back(cues.Start(i), cues.End(i), cues.Text(i), cues.Overlap(i));
    }
    return v;
}

/// What the list must hold after the cues were added in this order: a stable sort by start,
/// each cue counting the earlier ones it collides with, judged pair by pair.
std::vector<Listed> ExpectedListing(std::vector<Cue> added) {
    std::stable_sort(added.begin(), added.end(),
                     [](const Cue& a, const Cue& b) { return a.start < b.start; });
    std::vector<Listed> v;
    for (size_t k = 0; k < added.size(); ++k) {
        const Cue& b = added[k];
        int overlap = 0;
        for (size_t i = 0; i < k; ++i) {
            const Cue& a = added[i];
            overlap +=
                (a.start >= b.start || b.start < a.end) && (a.start < b.end || a.end <= b.end);
        }
        v.emplace_back(b.start, b.end, b.text, overlap);
    }
    return v;
}

// Values from a narrow range, so that equal starts, empty cues and cues ending before they
// start are all common.
TEST(CueListTest, OrderAndOverlapsMatchEveryPairOfARandomList) {
    std::mt19937 random(20240611);
    for (int size = 0; size <= 300; ++size) {
        std::uniform_int_distribution<int> value(-2, 3 + size / 8);
        const auto randomCue = [&](int id) {
            return Cue{value(random), value(random), QString::number(id)};
        };
        std::vector<Cue> added;
        for (int id = 0; id < size; ++id) {
            added.push_back(randomCue(id));
        }
        CueList cues;
        cues.AddCues(added);
        ASSERT_EQ(Listing(cues), ExpectedListing(added)) << "size " << size;

        for (int id = size; id < size + 12; ++id) {
            const Cue cue = randomCue(id);
            const auto earlier = std::count_if(added.begin(), added.end(),
                                               [&](const Cue& c) { return c.start < cue.start; });
            ASSERT_EQ(cues.AddCue(cue.start, cue.end, cue.text), earlier) << "size " << size;
            added.push_back(cue);
        }
        ASSERT_EQ(Listing(cues), ExpectedListing(added)) << "size " << size;
    }
}

TEST(CueListTest, LastCueLeftAfterRemovalIsClean) {
    CueList cues = ListOf({{0, 100}, {50, 150}});
    cues.SetText(0, QString());
    cues.RemoveEmptyCues();
    EXPECT_EQ(Starts(cues), std::vector<int>{50});
    EXPECT_EQ(Overlaps(cues), std::vector<int>{0});
}

TEST(CueListTest, RemoveEmptyCuesKeepsTheRestInOrder) {
    CueList cues = ListOf({{0, 10}, {20, 30}, {40, 50}, {60, 70}});
    cues.SetText(1, QString());
    cues.SetText(2, QString());
    cues.RemoveEmptyCues();
    EXPECT_EQ(Starts(cues), (std::vector<int>{0, 60}));
}

TEST(CueListTest, FindCueAtJudgesWholeColumnsAndLanes) {
    const CueList cues = ListOf({{100, 200}, {150, 300}, {1000, 1100}});
    ASSERT_EQ(Overlaps(cues), (std::vector<int>{0, 1, 0}));
    struct Probe {
        int pos, scale;
        bool lower;
        int expected;
    };
    const Probe probes[] = {
        {100, 1, false, 0},  {200, 1, false, 0},   {99, 1, false, -1},    {201, 1, false, -1},
        {250, 1, false, -1}, {250, 1, true, 1},    {150, 1, true, 1},     {160, 1, false, 0},
        {90, 64, false, 0},  {1151, 64, false, 2}, {1152, 64, false, -1}, {5, 0, false, -1},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(cues.FindCueAt(p.pos, p.scale, p.lower), p.expected)
            << "pos " << p.pos << " scale " << p.scale << " lower " << p.lower;
    }
}

struct ShiftCase {
    const char* name;
    std::pair<int, int> cue;
    std::optional<std::pair<int, int>> expected; ///< nothing: the cue is removed
};

class ShiftCuesTest : public ::testing::TestWithParam<ShiftCase> {};

// Selection 20..30 replaced by 4 frames: delta -6, a cue starting inside moves to 24.
TEST_P(ShiftCuesTest, MovesShortensOrRemoves) {
    const ShiftCase& c = GetParam();
    CueList cues = ListOf({c.cue});
    cues.ShiftCues({20, 30}, -6, 24);
    if (!c.expected) {
        EXPECT_EQ(cues.Count(), 0);
        return;
    }
    ASSERT_EQ(cues.Count(), 1);
    EXPECT_EQ(std::pair(cues.Start(0), cues.End(0)), *c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, ShiftCuesTest,
    ::testing::Values(ShiftCase{"Before", {1, 19}, std::pair(1, 19)},
                      ShiftCase{"EndsInside", {5, 25}, std::pair(5, 20)},
                      ShiftCase{"EndsAtSelectionStart", {5, 20}, std::pair(5, 20)},
                      ShiftCase{"Spans", {5, 35}, std::pair(5, 29)},
                      ShiftCase{"After", {40, 60}, std::pair(34, 54)},
                      ShiftCase{"AtSelectionEnd", {30, 40}, std::pair(24, 34)},
                      ShiftCase{"Inside", {25, 28}, std::nullopt},
                      ShiftCase{"StartsInsideEndsAfter", {25, 45}, std::pair(24, 39)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CueListTest, ShiftStaysInside32Bits) {
    CueList cues = ListOf({{10, 2147483647}, {2147483600, 2147483647}});
    cues.ShiftCues({0, 0}, 100, 0);
    EXPECT_EQ(Starts(cues), (std::vector<int>{110, 2147483647}));
    EXPECT_EQ(cues.End(0), 2147483647);
}

TEST(CueListTest, ShiftAfterInsertAtAnEmptySelection) {
    CueList cues = ListOf({{10, 60}, {50, 70}, {5, 40}});
    cues.ShiftCues({50, 50}, 10, 60);
    EXPECT_EQ(Starts(cues), (std::vector<int>{5, 10, 60}));
    EXPECT_EQ(cues.End(1), 70);
    EXPECT_EQ(cues.End(2), 80);
}

// The search for the cues near a window finds every cue that reaches into it, and the range
// it gives is tight at both ends, through additions, moves and removals.
TEST(CueListTest, CuesNearAWindowAreFoundBySearch) {
    std::mt19937 random(7);
    CueList cues;
    const auto check = [&] {
        for (int round = 0; round < 50; ++round) {
            const int lo = int(random() % 12000);
            const int hi = lo + int(random() % 3000);
            const auto [first, last] = cues.CuesNear(lo, hi);
            for (int i = 0; i < cues.Count(); ++i) {
                const bool reaches = cues.Start(i) <= hi && cues.End(i) >= lo;
                EXPECT_TRUE(!reaches || (i >= first && i < last)) << i;
                EXPECT_TRUE(i >= first || cues.End(i) < lo) << i;
                EXPECT_TRUE(i < last || cues.Start(i) > hi) << i;
            }
        }
    };
    for (int i = 0; i < 200; ++i) {
        const int start = int(random() % 10000);
        cues.AddCue(start, start + int(random() % (i % 20 == 0 ? 4000 : 300)), "c");
    }
    check();
    for (int i = 0; i < 50; ++i) {
        const int cue = int(random() % unsigned(cues.Count()));
        cues.SetEnd(cue, cues.Start(cue) + int(random() % 5000));
        cues.SortCues();
        cues.MoveCue(int(random() % unsigned(cues.Count())), int(random() % 10000),
                     10000 + int(random() % 2000));
        cues.RemoveCue(int(random() % unsigned(cues.Count())));
    }
    check();
}

// Moving one cue in place leaves the list, its overlap counts and the cue's index as a
// stable sort of the whole list would.
TEST(CueListTest, MovingACueEqualsSortingAgain) {
    std::mt19937 random(11);
    CueList moved;
    for (int i = 0; i < 300; ++i) {
        const int start = int(random() % 50) * 10;
        moved.AddCue(start, start + int(random() % 40), QString::number(i));
    }
    for (int round = 0; round < 200; ++round) {
        CueList sorted = moved;
        const int i = int(random() % unsigned(moved.Count()));
        const int start = int(random() % 50) * 10;
        const int end = start + 1 + int(random() % 40);
        const QString text = moved.Text(i);
        const int at = moved.MoveCue(i, start, end);
        sorted.SetStart(i, start);
        sorted.SetEnd(i, end);
        sorted.SortCues();
        ASSERT_EQ(moved.Text(at), text);
        for (int k = 0; k < sorted.Count(); ++k) {
            ASSERT_EQ(std::tuple(moved.Start(k), moved.End(k), moved.Text(k), moved.Overlap(k)),
                      std::tuple(sorted.Start(k), sorted.End(k), sorted.Text(k), sorted.Overlap(k)))
                << "round " << round << " cue " << k;
        }
    }
}

/// Each cue's text and confidence, in list order.
std::vector<std::pair<QString, float>> Confidences(const CueList& cues) {
    std::vector<std::pair<QString, float>> v;
    for (int i = 0; i < cues.Count(); ++i) {
        v.emplace_back(cues.Text(i), cues.Confidence(i));
    }
    return v;
}

// A confidence stays with its cue through everything but an edit that changes the cue.
TEST(CueListTest, ConfidenceFollowsItsCueUntilAnEdit) {
    constexpr float n = kNoConfidence;
    const struct {
        const char* name;
        std::function<void(CueList&)> change;
        std::vector<std::pair<QString, float>> expected;
    } cases[] = {
        {"Sorted", [](CueList&) {}, {{"a", 0.3f}, {"b", 0.8f}, {"c", n}}},
        {"SortAfterAMove",
         [](CueList& c) {
             c.SetStart(0, 700);
             c.SetEnd(0, 800);
             c.SortCues();
         },
         {{"b", 0.8f}, {"c", n}, {"a", n}}},
        {"AddAnother",
         [](CueList& c) { c.AddCue(250, 260, "x"); },
         {{"a", 0.3f}, {"x", n}, {"b", 0.8f}, {"c", n}}},
        {"RemoveAnother", [](CueList& c) { c.RemoveCue(0); }, {{"b", 0.8f}, {"c", n}}},
        {"ShiftRemovesAnother",
         [](CueList& c) {
             c.ShiftCues({50, 250}, -200, 50);
         },
         {{"b", 0.8f}, {"c", n}}},
        {"ShiftMovesAndCuts",
         [](CueList& c) {
             c.ShiftCues({150, 350}, -200, 150);
         },
         {{"a", 0.3f}, {"b", 0.8f}, {"c", n}}},
        {"RecordsReplaced",
         [](CueList& c) {
             std::vector<Cue> records = c.Records(0, 2);
             c.SetConfidence(0, 0.1f);
             c.SetConfidence(1, 0.1f);
             c.ReplaceRecords(0, 2, std::move(records));
         },
         {{"a", 0.3f}, {"b", 0.8f}, {"c", n}}},
        {"SameStart", [](CueList& c) { c.SetStart(0, 100); }, {{"a", 0.3f}, {"b", 0.8f}, {"c", n}}},
        {"NewStart", [](CueList& c) { c.SetStart(0, 101); }, {{"a", n}, {"b", 0.8f}, {"c", n}}},
        {"SameEnd", [](CueList& c) { c.SetEnd(1, 400); }, {{"a", 0.3f}, {"b", 0.8f}, {"c", n}}},
        {"NewEnd", [](CueList& c) { c.SetEnd(1, 399); }, {{"a", 0.3f}, {"b", n}, {"c", n}}},
        {"SameText", [](CueList& c) { c.SetText(0, "a"); }, {{"a", 0.3f}, {"b", 0.8f}, {"c", n}}},
        {"NewText", [](CueList& c) { c.SetText(0, "z"); }, {{"z", n}, {"b", 0.8f}, {"c", n}}},
        {"MoveToTheSameSpan",
         [](CueList& c) { c.MoveCue(1, 300, 400); },
         {{"a", 0.3f}, {"b", 0.8f}, {"c", n}}},
        {"MoveElsewhere",
         [](CueList& c) { c.MoveCue(1, 50, 400); },
         {{"b", n}, {"a", 0.3f}, {"c", n}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CueList cues;
        cues.AddCues({{500, 600, "c"}, {300, 400, "b", 0.8f}, {100, 200, "a", 0.3f}});
        c.change(cues);
        EXPECT_EQ(Confidences(cues), c.expected);
    }
}

} // namespace
