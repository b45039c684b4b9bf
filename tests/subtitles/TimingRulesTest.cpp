#include "subtitles/TimingRules.h"
#include "subtitles/CueList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using P = TimingProblem;

TimingProfile Netflix() {
    return BuiltInProfile(u"netflix").value();
}

CueList ListOf(std::vector<Cue> cues) {
    CueList list;
    list.AddCues(std::move(cues));
    return list;
}

std::string Names(TimingProblems problems) {
    std::string names;
    for (const TimingProblem problem : kTimingProblems) {
        if (problems.testFlag(problem)) {
            names += TimingProblemName(problem).toStdString() + " ";
        }
    }
    return names;
}

// Each rule exactly at its limit and one frame of the recording past it, at two recording
// rates and two video rates (the minimum gap is 2 video frames). Only the first cue may have
// problems; a second cue, where there is one, is clean.
TEST(TimingRulesTest, EachRulePassesAtItsLimitAndFailsOneFramePast) {
    const QString twenty(20, QChar('x'));
    const QString emoji = QStringLiteral(u"\U0001F600").repeated(20);
    for (const qint32 r : {44100, 48000}) {
        for (const int fps : {24, 25}) {
            TimingProfile profile = Netflix();
            profile.fps = {fps, 0};
            const int g = r * 2 / fps; // exact at these rates
            const struct {
                const char* name;
                std::vector<Cue> cues;
                TimingProblems expected;
            } cases[] = {
                {"ShortAtLimit", {{0, r * 5 / 6, "a"}}, {}},
                {"ShortOneFrameUnder", {{0, r * 5 / 6 - 1, "a"}}, P::Short},
                {"LongAtLimit", {{0, 7 * r, "a"}}, {}},
                {"LongOneFrameOver", {{0, 7 * r + 1, "a"}}, P::Long},
                {"CpsAtLimit", {{0, r, twenty}}, {}},
                {"CpsOneFrameFaster", {{0, r - 1, twenty}}, P::Cps},
                {"CpsLeavesOutThePlaceholderMark", {{0, r, "#" + twenty}}, {}},
                {"CpsCountsCodePoints", {{0, r, emoji}}, {}},
                {"CpsLeavesOutLineBreaks", {{0, r, "xxxxxxxxxx\nxxxxxxxxxx"}}, {}},
                {"CpsOfNoDuration", {{0, 0, twenty}}, P::Short},
                {"GapAtLimit", {{0, r, "a"}, {r + g, 2 * r + g, "b"}}, {}},
                {"GapOneFrameShort", {{0, r, "a"}, {r + g - 1, 2 * r + g, "b"}}, P::Gap},
                {"NextStartsAtTheEnd", {{0, r, "a"}, {r, 2 * r, "b"}}, P::Gap},
                {"NextStartsOneFrameEarly", {{0, r, "a"}, {r - 1, 2 * r, "b"}}, P::Overlap},
                {"LineAtLimit", {{0, 7 * r, QString(42, QChar('x'))}}, {}},
                {"LineOneOver", {{0, 7 * r, QString(43, QChar('x'))}}, P::Line},
                {"PlaceholderLineAtLimit", {{0, 7 * r, "#" + QString(42, QChar('x'))}}, {}},
                {"LinesAtLimit", {{0, r, "a\nb"}}, {}},
                {"LinesOneOver", {{0, r, "a\nb\nc"}}, P::Lines},
            };
            for (const auto& c : cases) {
                const CueList cues = ListOf(c.cues);
                SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(r) + " Hz, " +
                             std::to_string(fps) + " fps");
                EXPECT_EQ(Names(CueTimingProblems(cues, 0, r, profile)), Names(c.expected));
                if (cues.Count() > 1) {
                    EXPECT_EQ(Names(CueTimingProblems(cues, 1, r, profile)), "");
                }
            }
        }
    }
}

// An aligned cue under the confidence limit is uncertain; one at it, or not aligned, is not.
TEST(TimingRulesTest, UncertainBelowTheConfidenceLimit) {
    constexpr qint32 kRate = 48000;
    const struct {
        float confidence;
        const char* expected;
        const char* value;
    } cases[] = {
        {0.49f, "uncertain ", "0.49"},
        {0.5f, "", ""},
        {kNoConfidence, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.confidence);
        const CueList cues = ListOf({{0, kRate * 2, "clean", c.confidence}});
        EXPECT_EQ(Names(CueTimingProblems(cues, 0, kRate, Netflix())), c.expected);
        if (*c.value != '\0') {
            const TimingFigures figures =
                ProblemFigures(cues, 0, kRate, Netflix(), TimingProblem::Uncertain);
            EXPECT_EQ(figures.value, c.value);
            EXPECT_EQ(figures.limit, "0.50");
        }
    }
}

QString RandomText(std::mt19937& random) {
    QString text = std::uniform_int_distribution(0, 3)(random) == 0 ? "#" : "";
    const int length = std::uniform_int_distribution(0, 50)(random);
    for (int k = 0; k < length; ++k) {
        text += std::uniform_int_distribution(0, 20)(random) == 0 ? QChar('\n') : QChar('w');
    }
    return text;
}

// Re-checking the rows an edit names gives what checking the whole list does.
TEST(TimingRulesTest, RecheckAfterEachEditEqualsCheckingAll) {
    constexpr qint32 kRate = 48000;
    const TimingProfile profile = Netflix();
    std::mt19937 random(5);
    const auto frame = [&] { return std::uniform_int_distribution(0, 30 * kRate)(random); };
    const auto length = [&] { return std::uniform_int_distribution(0, 4 * kRate)(random); };
    CueList cues;
    for (int k = 0; k < 40; ++k) {
        const int start = frame();
        cues.AddCue(start, start + length(), RandomText(random));
    }
    TimingCheck check;
    check.CheckAll(cues, kRate, profile);
    for (int step = 0; step < 400; ++step) {
        const int i = std::uniform_int_distribution(0, cues.Count() - 1)(random);
        const int start = frame();
        switch (std::uniform_int_distribution(0, 3)(random)) {
        case 0:
            cues.SetText(i, RandomText(random));
            check.Recheck(cues, kRate, profile, i, i);
            break;
        case 1: {
            const int j = cues.MoveCue(i, start, start + length());
            check.Recheck(cues, kRate, profile, std::min(i, j), std::max(i, j));
            break;
        }
        case 2: {
            int at = 0;
            while (at < cues.Count() && cues.Start(at) <= start) {
                ++at;
            }
            cues.AddCue(start, start + length(), RandomText(random));
            check.Recheck(cues, kRate, profile, CueRows{at, 0, 1});
            break;
        }
        default:
            if (cues.Count() > 1) {
                cues.RemoveCue(i);
                check.Recheck(cues, kRate, profile, CueRows{i, 1, 0});
            }
        }
        TimingCheck all;
        all.CheckAll(cues, kRate, profile);
        ASSERT_EQ(check.Count(), all.Count()) << "step " << step;
        for (int k = 0; k < all.Count(); ++k) {
            ASSERT_EQ(Names(check.Problems(k)), Names(all.Problems(k)))
                << "step " << step << ", cue " << k;
        }
        ASSERT_EQ(check.FlaggedCount(), all.FlaggedCount()) << "step " << step;
    }
}

} // namespace
