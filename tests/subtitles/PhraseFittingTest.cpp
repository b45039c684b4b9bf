#include "subtitles/PhraseFitting.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// One frame a millisecond, so that 10 ms windows are 10 frames and times read as frames.
constexpr qint32 kRate = 1000;
constexpr float kLoud = -20.0f;
constexpr float kQuiet = -70.0f;

/// Stretches of equal level, in milliseconds (multiples of the 10 ms window).
struct Stretch {
    int ms;
    float db;
};

LevelTrack Levels(const std::vector<Stretch>& stretches) {
    LevelTrack levels;
    levels.windowFrames = kRate / 100;
    for (const Stretch& s : stretches) {
        levels.db.insert(levels.db.end(), size_t(s.ms / 10), s.db);
    }
    levels.range = {0, int(levels.db.size()) * levels.windowFrames};
    return levels;
}

PhraseSettings Settings() {
    PhraseSettings settings;
    settings.thresholdDb = -40.0;
    settings.minSilenceMs = 300;
    settings.minPhraseMs = 200;
    settings.padMs = 20;
    return settings;
}

/// The phrases FindPhrases finds in the stretches, fitted to texts of these lengths.
FittedPhrases Fit(const std::vector<Stretch>& stretches, const std::vector<int>& chars) {
    const LevelTrack levels = Levels(stretches);
    return FitPhrases(FindPhrases(levels, Settings(), kRate), chars, levels, Settings(), kRate);
}

struct FitCase {
    const char* name;
    std::vector<Stretch> stretches;
    std::vector<int> chars;
    std::vector<std::pair<int, int>> expectedMs;
};

class FitPhrasesTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitPhrasesTest, CutsAtTheLongestPausesWhereTheTextsFit) {
    const FitCase& c = GetParam();
    std::vector<std::pair<int, int>> spans;
    for (const FrameRange& span : Fit(c.stretches, c.chars).spans) {
        spans.emplace_back(span.lo, span.hi);
        EXPECT_GE(span.Length(), Settings().minPhraseMs);
    }
    EXPECT_EQ(spans, c.expectedMs);
}

// A piece cut at a pause ends 20 ms (the padding) into it and the next starts 20 ms before
// its end; pieces cut in a sound window meet in its middle.
INSTANTIATE_TEST_SUITE_P(
    Phrases, FitPhrasesTest,
    ::testing::Values(
        // Even texts would cut nearer the pauses of 50 and 30 ms.
        FitCase{"LongestPausesWin",
                {{100, kQuiet},
                 {300, kLoud},
                 {50, kQuiet},
                 {300, kLoud},
                 {120, kQuiet},
                 {300, kLoud},
                 {30, kQuiet},
                 {300, kLoud},
                 {100, kQuiet},
                 {300, kLoud},
                 {100, kQuiet}},
                {1, 1, 1},
                {{80, 770}, {850, 1520}, {1580, 1920}}},
        FitCase{"OfEqualPausesTheOneNearestTheCharacters",
                {{100, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {100, kQuiet}},
                {3, 1},
                {{80, 1140}, {1160, 1500}}},
        FitCase{"OfEqualPausesTheOnesNearestTheCharacters",
                {{100, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {100, kQuiet}},
                {2, 1, 1},
                {{80, 780}, {800, 1140}, {1160, 1500}}},
        // One pause for two cuts: the other goes to the quietest sound window, though a
        // louder one lies nearer where the characters put it.
        FitCase{"TooFewPausesCutAtTheQuietestWindow",
                {{100, kQuiet},
                 {200, kLoud},
                 {10, -35.0f},
                 {200, kLoud},
                 {10, -30.0f},
                 {200, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {100, kQuiet}},
                {1, 1, 1},
                {{80, 305}, {305, 740}, {760, 1100}}},
        // The long pause would leave a first piece of 140 ms.
        FitCase{"NoPieceUnderTheMinimum",
                {{100, kQuiet},
                 {100, kLoud},
                 {150, kQuiet},
                 {400, kLoud},
                 {40, kQuiet},
                 {400, kLoud},
                 {100, kQuiet}},
                {1, 1},
                {{80, 770}, {770, 1210}}},
        FitCase{"TooShortToCutStaysWhole",
                {{100, kQuiet}, {300, kLoud}, {100, kQuiet}},
                {1, 1, 1},
                {{80, 420}}},
        // Two phrases of equal length: the characters decide which takes two texts.
        FitCase{"TheFirstTextFillsTheFirstPhrase",
                {{100, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {400, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {100, kQuiet}},
                {30, 10, 20},
                {{80, 780}, {1140, 1480}, {1500, 1840}}},
        FitCase{"TwoTextsFillTheFirstPhrase",
                {{100, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {400, kQuiet},
                 {300, kLoud},
                 {60, kQuiet},
                 {300, kLoud},
                 {100, kQuiet}},
                {10, 30, 20},
                {{80, 420}, {440, 780}, {1140, 1840}}},
        FitCase{"TooManyPhrasesBridgeTheShortestGap",
                {{100, kQuiet},
                 {300, kLoud},
                 {400, kQuiet},
                 {300, kLoud},
                 {600, kQuiet},
                 {300, kLoud},
                 {100, kQuiet}},
                {1, 1},
                {{80, 1120}, {1680, 2020}}}),
    [](const auto& info) { return std::string(info.param.name); });

// Long enough that not every sound window can stay a place to cut.
TEST(FitLongPhraseTest, AQuarterHourCutAHundredTimesCutsOnlyInTheLongerPauses) {
    std::vector<Stretch> stretches = {{100, kQuiet}};
    for (int i = 0; i < 500; ++i) {
        stretches.insert(stretches.end(),
                         {{800, kLoud}, {100, kQuiet}, {800, kLoud}, {60, kQuiet}});
    }
    stretches.back().ms = 100;
    const FittedPhrases fitted = Fit(stretches, std::vector<int>(100, 10));
    ASSERT_EQ(fitted.spans.size(), 100u);
    EXPECT_EQ(fitted.split, 99);
    for (size_t i = 1; i < fitted.spans.size(); ++i) {
        EXPECT_EQ(fitted.spans[i].lo - fitted.spans[i - 1].hi, 100 - 2 * Settings().padMs) << i;
    }
}

} // namespace
