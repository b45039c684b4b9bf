#include "actions/CueFind.h"
#include "document/CtarnDoc.h"
#include "subtitles/CueSearch.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QStringList Texts(const CueList& cues) {
    QStringList texts;
    for (int i = 0; i < cues.Count(); ++i) {
        texts << cues.Text(i);
    }
    return texts;
}

/// A new document holding one cue for each text, 10 frames apart, with cue `current` current.
class CueFindFixture {
protected:
    void Prepare(const QStringList& texts, int current) {
        ASSERT_TRUE(doc.OnNewDocument());
        std::vector<Cue> cues;
        for (int i = 0; i < texts.size(); ++i) {
            cues.push_back({10 * i, 10 * i + 5, texts[i]});
        }
        AddCues(doc, cues);
        doc.SetCurrentCue(current);
    }

    FakeHost host;
    CtarnDoc doc{host};
};

struct ReplaceAllCase {
    const char* name = "";
    QStringList before;
    int current = -1;
    CueQuery query;
    QString replacement;
    int count = 0;
    QStringList after;
    int currentAfter = -1;
    QString status;
};

class ReplaceAllTest : public CueFindFixture, public ::testing::TestWithParam<ReplaceAllCase> {};

TEST_P(ReplaceAllTest, IsOneStepThatUndoesWhole) {
    const ReplaceAllCase& c = GetParam();
    Prepare(c.before, c.current);
    EXPECT_EQ(ReplaceAll(doc, host, c.query, c.replacement), c.count);
    EXPECT_EQ(Texts(doc.Cues()), c.after);
    EXPECT_EQ(doc.CurrentCue(), c.currentAfter);
    EXPECT_EQ(host.statuses, QStringList{c.status});
    EXPECT_TRUE(host.messages.isEmpty());
    ASSERT_EQ(doc.GetHistory().Count(), 1);
    EXPECT_EQ(doc.GetHistory().NextUndo()->name, "Replace all");
    doc.OnEditUndo();
    EXPECT_EQ(Texts(doc.Cues()), c.before);
    EXPECT_EQ(doc.CurrentCue(), c.current);
    EXPECT_FALSE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceAllTest,
                         ::testing::Values(ReplaceAllCase{"CountsMatchesAndCues",
                                                          {"a a", "b", "A"},
                                                          1,
                                                          {"a", false, false, false},
                                                          "x",
                                                          3,
                                                          {"x x", "b", "x"},
                                                          1,
                                                          "Replaced 3 occurrences in 2 cues"},
                                           // What is left is normalised; a cue left without text
                                           // goes, and the current cue after it moves down.
                                           ReplaceAllCase{"EmptiedCueIsRemoved",
                                                          {"drop", "keep", "drop me", "x"},
                                                          3,
                                                          {"drop", false, true, false},
                                                          "",
                                                          2,
                                                          {"keep", "me", "x"},
                                                          2,
                                                          "Replaced 2 occurrences in 2 cues"},
                                           ReplaceAllCase{"CurrentCueEmptied",
                                                          {"a", "b"},
                                                          0,
                                                          {"a", false, false, false},
                                                          " ",
                                                          1,
                                                          {"b"},
                                                          -1,
                                                          "Replaced 1 occurrences in 1 cues"},
                                           ReplaceAllCase{"CapturesAcrossLines",
                                                          {"one, two", "three"},
                                                          -1,
                                                          {"(\\w+), (\\w+)", false, false, true},
                                                          "\\2 \n \\1",
                                                          1,
                                                          {"two\none", "three"},
                                                          -1,
                                                          "Replaced 1 occurrences in 1 cues"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReplaceAllNothingTest, NothingFoundOrAnInvalidExpressionMakesNoStep) {
    const struct {
        CueQuery query;
        QStringList statuses;
        int messages;
    } cases[] = {
        {{"zz", false, false, false}, {"Nothing found"}, 0},
        {{"b", true, false, false}, {"Nothing found"}, 0},
        {{"", false, false, false}, {"Nothing found"}, 0},
        {{"a(", false, false, true}, {}, 1},
    };
    for (const auto& c : cases) {
        FakeHost host;
        CtarnDoc doc(host);
        ASSERT_TRUE(doc.OnNewDocument());
        AddCues(doc, {{0, 5, "a B"}});
        EXPECT_EQ(ReplaceAll(doc, host, c.query, "x"), 0);
        EXPECT_EQ(host.statuses, c.statuses);
        EXPECT_EQ(host.messages.size(), c.messages);
        EXPECT_EQ(doc.GetHistory().Count(), 0);
        EXPECT_EQ(Texts(doc.Cues()), QStringList{"a B"});
    }
}

struct ReplaceInCueCase {
    const char* name = "";
    int index = -1;
    QString pattern;
    QString replacement;
    bool replaced = false;
    QStringList after;
    int currentAfter = -1;
};

class ReplaceInCueTest : public CueFindFixture,
                         public ::testing::TestWithParam<ReplaceInCueCase> {};

TEST_P(ReplaceInCueTest, ChangesOnlyThatCue) {
    const ReplaceInCueCase& c = GetParam();
    const QStringList before{"a cat", "cat cat", "dog"};
    Prepare(before, c.index);
    EXPECT_EQ(ReplaceInCue(doc, host, {c.pattern, false, false, false}, c.replacement, c.index),
              c.replaced);
    EXPECT_EQ(Texts(doc.Cues()), c.after);
    EXPECT_EQ(doc.CurrentCue(), c.currentAfter);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(doc.GetHistory().Count(), c.replaced ? 1 : 0);
    if (c.replaced) {
        EXPECT_EQ(doc.GetHistory().NextUndo()->name, "Replace");
        doc.OnEditUndo();
        EXPECT_EQ(Texts(doc.Cues()), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceInCueTest,
    ::testing::Values(
        ReplaceInCueCase{
            "EveryMatchInTheCue", 1, "cat", "cow", true, {"a cat", "cow cow", "dog"}, 1},
        ReplaceInCueCase{"Emptied", 1, "cat", "", true, {"a cat", "dog"}, -1},
        ReplaceInCueCase{"NoMatchInTheCue", 2, "cat", "cow", false, {"a cat", "cat cat", "dog"}, 2},
        ReplaceInCueCase{"NoCue", -1, "cat", "cow", false, {"a cat", "cat cat", "dog"}, -1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
