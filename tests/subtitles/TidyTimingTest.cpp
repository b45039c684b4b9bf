#include "subtitles/TidyTiming.h"
#include "subtitles/CueList.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// At a rate of 1000 a frame is a millisecond.
constexpr qint32 kRate = 1000;

ExactSeconds Ms(qint64 ms) {
    return {ms, 1000};
}

/// The cues as "start-end" in order.
std::string Describe(const CueList& cues) {
    std::string text;
    for (int i = 0; i < cues.Count(); ++i) {
        text +=
            (i > 0 ? " " : "") + std::to_string(cues.Start(i)) + "-" + std::to_string(cues.End(i));
    }
    return text;
}

CueList ListOf(const std::vector<std::pair<int, int>>& spans) {
    CueList cues;
    for (const auto& [start, end] : spans) {
        cues.AddCue(start, end, QString::number(cues.Count()));
    }
    return cues;
}

struct TidyCase {
    const char* name = "";
    std::vector<std::pair<int, int>> cues = {};
    std::vector<int> rows = {};
    std::vector<FrameRange> speech = {};
    int frames = 100000;
    qint64 snap = 0, leadIn = 0, leadOut = 0, closeGaps = 0, minGap = 0, minDuration = 0;
    std::string tidied = {};
    int changed = 0;
};

class TidyTimingTest : public ::testing::TestWithParam<TidyCase> {};

TEST_P(TidyTimingTest, MovesTheTimes) {
    const TidyCase& c = GetParam();
    CueList cues = ListOf(c.cues);
    const TidySettings settings{Ms(c.snap),      Ms(c.leadIn), Ms(c.leadOut),
                                Ms(c.closeGaps), Ms(c.minGap), Ms(c.minDuration)};
    EXPECT_EQ(TidyCueList(cues, c.rows, settings, c.speech, kRate, c.frames), c.changed);
    EXPECT_EQ(Describe(cues), c.tidied);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TidyTimingTest,
    ::testing::Values(TidyCase{.name = "SnapToTheSpeech",
                               .cues = {{1000, 2000}},
                               .speech = {{950, 1900}, {2500, 3000}},
                               .snap = 100,
                               .tidied = "950-1900",
                               .changed = 1},
                      TidyCase{.name = "SpeechOutOfReach",
                               .cues = {{1000, 2000}},
                               .speech = {{800, 1700}},
                               .snap = 100,
                               .tidied = "1000-2000"},
                      TidyCase{.name = "SnapNotIntoTheCueBefore",
                               .cues = {{0, 1000}, {1050, 2000}},
                               .speech = {{980, 1990}},
                               .snap = 100,
                               .tidied = "0-1000 1050-1990",
                               .changed = 1},
                      TidyCase{.name = "LeadInAndOutKeepTheGap",
                               .cues = {{1000, 2000}, {2300, 3000}},
                               .leadIn = 150,
                               .leadOut = 150,
                               .minGap = 100,
                               .tidied = "850-2150 2250-3150",
                               .changed = 2},
                      TidyCase{.name = "LeadWithinTheRecording",
                               .cues = {{100, 500}},
                               .frames = 600,
                               .leadIn = 200,
                               .leadOut = 200,
                               .tidied = "0-600",
                               .changed = 1},
                      TidyCase{.name = "LeadLeavesANarrowGapToTheOpening",
                               .cues = {{0, 1000}, {1050, 2000}},
                               .leadIn = 100,
                               .leadOut = 100,
                               .minGap = 100,
                               .tidied = "0-950 1050-2100",
                               .changed = 2},
                      TidyCase{.name = "ShortCuesLengthened",
                               .cues = {{0, 300}, {1000, 1200}},
                               .frames = 1500,
                               .minGap = 80,
                               .minDuration = 833,
                               .tidied = "0-833 1000-1500",
                               .changed = 2},
                      TidyCase{.name = "NoRoomToLengthen",
                               .cues = {{0, 300}, {350, 1500}},
                               .minGap = 80,
                               .minDuration = 833,
                               .tidied = "0-270 350-1500",
                               .changed = 1},
                      TidyCase{.name = "SmallGapClosed",
                               .cues = {{0, 1000}, {1300, 2000}, {2400, 3000}, {3500, 4000}},
                               .closeGaps = 500,
                               .minGap = 80,
                               .tidied = "0-1220 1300-2320 2400-3000 3500-4000",
                               .changed = 2},
                      TidyCase{.name = "NarrowGapsOpened",
                               .cues = {{0, 1000}, {1000, 2000}, {2030, 3000}},
                               .minGap = 80,
                               .tidied = "0-920 1000-1950 2030-3000",
                               .changed = 2},
                      TidyCase{.name = "EndNotBeforeStart",
                               .cues = {{0, 50}, {60, 200}},
                               .minGap = 80,
                               .tidied = "0-0 60-200",
                               .changed = 1},
                      TidyCase{.name = "OverlapsLeftAlone",
                               .cues = {{0, 1000}, {900, 2000}, {2100, 3000}},
                               .frames = 3050,
                               .leadOut = 100,
                               .closeGaps = 500,
                               .minGap = 80,
                               .tidied = "0-1000 900-2000 2100-3050",
                               .changed = 1},
                      TidyCase{.name = "ChosenRowsOnly",
                               .cues = {{0, 1000}, {1300, 2000}, {2300, 3000}},
                               .rows = {1, 7},
                               .closeGaps = 500,
                               .minGap = 80,
                               .tidied = "0-1000 1300-2220 2300-3000",
                               .changed = 1}),
    [](const auto& info) { return std::string(info.param.name); });

/// Whether cue i overlaps no other cue of the sorted list.
bool IsClean(const CueList& cues, int i) {
    for (int j = 0; j < cues.Count(); ++j) {
        if (j != i && cues.Start(j) < cues.End(i) && cues.Start(i) < cues.End(j)) {
            return false;
        }
    }
    return true;
}

TEST(TidyTimingPropertyTest, KeepsTheCuesClosesTheGapsAndIsSettled) {
    std::mt19937 random(7);
    constexpr int kFrames = 20000;
    for (int round = 0; round < 300; ++round) {
        CueList cues;
        for (int i = 0; i < 20; ++i) {
            const int start = std::uniform_int_distribution<int>(0, kFrames - 2000)(random);
            const int length = std::uniform_int_distribution<int>(0, 2000)(random);
            cues.AddCue(start, start + length, QString::number(i));
        }
        const qint64 gap = std::uniform_int_distribution<int>(0, 200)(random);
        const qint64 close = std::uniform_int_distribution<int>(0, 800)(random);
        const TidySettings settings{
            Ms(0),     Ms(0),   Ms(0),
            Ms(close), Ms(gap), Ms(std::uniform_int_distribution<int>(0, 1500)(random))};
        const CueList before = cues;
        TidyCueList(cues, {}, settings, {}, kRate, kFrames);

        ASSERT_EQ(cues.Count(), before.Count());
        for (int i = 0; i < cues.Count(); ++i) {
            EXPECT_EQ(cues.Text(i), before.Text(i));
            EXPECT_LE(cues.Start(i), cues.End(i));
            EXPECT_GE(cues.Start(i), 0);
            EXPECT_LE(cues.End(i), kFrames);
            EXPECT_EQ(IsClean(cues, i), IsClean(before, i)) << Describe(before);
            if (i > 0 && IsClean(cues, i - 1) && IsClean(cues, i)) {
                const qint64 space = cues.Start(i) - cues.End(i - 1);
                const bool blocked = space < gap && cues.End(i - 1) == cues.Start(i - 1);
                EXPECT_TRUE(space == gap || space >= std::max(close, gap) || blocked)
                    << Describe(before);
            }
        }
        const std::string once = Describe(cues);
        EXPECT_EQ(TidyCueList(cues, {}, settings, {}, kRate, kFrames), 0) << Describe(before);
        EXPECT_EQ(Describe(cues), once);
    }
}

} // namespace
