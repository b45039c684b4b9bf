#include "actions/CueCommands.h"
#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

namespace {

using Span = std::tuple<int, int, QString>;

std::vector<Span> Spans(const CueList& cues) {
    std::vector<Span> v;
    for (int i = 0; i < cues.Count(); ++i) {
        v.emplace_back(cues.Start(i), cues.End(i), cues.Text(i));
    }
    return v;
}

/// A recording of 1000 silent frames holding `cues`, with the selection a..b and nothing
/// modified.
class CueCommandsFixture {
protected:
    void Prepare(const std::vector<Cue>& cues, int a, int b) {
        const QString path = dir.filePath("a.wav");
        ASSERT_TRUE(wav::WriteFile(path, wav::Simple(1, 8000, std::vector<qint16>(1000, 0))));
        ASSERT_TRUE(doc.OnOpenDocument(path));
        AddCues(doc, cues);
        doc.SetSelection(a, b);
        ASSERT_FALSE(doc.IsModified());
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

// AddSubtitle

struct AddCase {
    const char* name = "";
    std::vector<Cue> before;
    int selStart = 0;
    int selEnd = 0;
    QString text;
    int expectedCur = -1;
    std::vector<Span> after;
};

class AddSubtitleTest : public CueCommandsFixture, public ::testing::TestWithParam<AddCase> {};

TEST_P(AddSubtitleTest, AddsOverTheSelectionAndMakesItCurrent) {
    const AddCase& c = GetParam();
    Prepare(c.before, c.selStart, c.selEnd);
    host.texts.push_back(c.text);
    const CueCommandResult r = AddSubtitle(doc, host, 7);
    EXPECT_EQ(host.textRequests, QStringList{QString()});
    EXPECT_EQ(host.textTitles, QStringList{"Add Subtitle"});
    EXPECT_EQ(r.curCue, c.expectedCur);
    EXPECT_TRUE(r.changed);
    EXPECT_FALSE(r.scrollPos);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Spans(doc.Cues()), c.after);
    EXPECT_TRUE(host.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddSubtitleTest,
    ::testing::Values(
        AddCase{"IntoEmptyList", {}, 10, 50, "hi", 0, {{10, 50, "hi"}}},
        AddCase{"BetweenTwo",
                {{0, 5, "a"}, {100, 200, "c"}},
                50,
                60,
                "two\nlines",
                1,
                {{0, 5, "a"}, {50, 60, "two\nlines"}, {100, 200, "c"}}},
        AddCase{"AfterAll", {{0, 5, "a"}}, 300, 400, "z", 1, {{0, 5, "a"}, {300, 400, "z"}}},
        // The earlier cue with the same start wins the index; the new one follows it.
        AddCase{"SameStartAsExisting",
                {{0, 5, "a"}, {50, 90, "old"}, {70, 80, "later"}},
                50,
                70,
                "new",
                1,
                {{0, 5, "a"}, {50, 90, "old"}, {50, 70, "new"}, {70, 80, "later"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AddSubtitleCancelTest, CancelChangesNothing) {
    FakeHost host;
    CtarnDoc doc(host);
    doc.OnNewDocument();
    AddCues(doc, {{0, 10, "a"}, {20, 30, "b"}});
    doc.SetSelection(40, 60);
    const CueCommandResult r = AddSubtitle(doc, host, 1);
    EXPECT_EQ(host.textRequests.size(), 1);
    EXPECT_EQ(r.curCue, 1);
    EXPECT_FALSE(r.changed);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Spans(doc.Cues()), (std::vector<Span>{{0, 10, "a"}, {20, 30, "b"}}));
}

// DeleteSubtitle

struct DeleteCase {
    const char* name = "";
    std::vector<Cue> before;
    int cur = -1;
    bool deletes = false;
    std::vector<Span> after;
};

class DeleteSubtitleTest : public CueCommandsFixture,
                           public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteSubtitleTest, RemovesOnlyAValidCurrentCue) {
    const DeleteCase& c = GetParam();
    Prepare(c.before, 0, 0);
    const CueCommandResult r = DeleteSubtitle(doc, c.cur);
    EXPECT_EQ(Spans(doc.Cues()), c.after);
    EXPECT_EQ(r.curCue, c.deletes ? -1 : c.cur);
    EXPECT_EQ(r.changed, c.deletes);
    EXPECT_EQ(doc.IsModified(), c.deletes);
    EXPECT_TRUE(host.messages.isEmpty());
}

const std::vector<Cue> kThree = {{0, 10, "a"}, {20, 30, "b"}, {40, 50, "c"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteSubtitleTest,
    ::testing::Values(
        DeleteCase{"First", kThree, 0, true, {{20, 30, "b"}, {40, 50, "c"}}},
        DeleteCase{"Middle", kThree, 1, true, {{0, 10, "a"}, {40, 50, "c"}}},
        DeleteCase{"Last", kThree, 2, true, {{0, 10, "a"}, {20, 30, "b"}}},
        DeleteCase{"OnlyOne", {{5, 9, "x"}}, 0, true, {}},
        DeleteCase{"NoneCurrent", kThree, -1, false, {{0, 10, "a"}, {20, 30, "b"}, {40, 50, "c"}}},
        DeleteCase{"PastTheEnd", kThree, 3, false, {{0, 10, "a"}, {20, 30, "b"}, {40, 50, "c"}}},
        DeleteCase{"EmptyList", {}, 0, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Atach

struct AttachCase {
    const char* name = "";
    std::vector<Cue> cues;
    int cur = -1;
    int selStart = 0;
    int selEnd = 0;
    std::vector<Span> expected; ///< the whole list afterwards, in start order
};

class AtachTest : public CueCommandsFixture, public ::testing::TestWithParam<AttachCase> {};

TEST_P(AtachTest, MovesTheCueAndSpreadsPlaceholderRuns) {
    const AttachCase& c = GetParam();
    Prepare(c.cues, c.selStart, c.selEnd);
    const CueCommandResult r = Atach(doc, host, c.cur);
    EXPECT_EQ(Spans(doc.Cues()), c.expected);
    EXPECT_EQ(r.curCue, c.cur);
    EXPECT_TRUE(r.changed);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(host.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AtachTest,
    ::testing::Values(
        // Plain cue: moves alone and the list is re-sorted.
        AttachCase{"PlainCueIsResorted",
                   {{0, 50, "a"}, {60, 80, "b"}},
                   0,
                   100,
                   110,
                   {{60, 80, "b"}, {100, 110, "a"}}},
        // A cue without "#" leaves placeholder neighbours alone.
        AttachCase{"PlainCueIgnoresPlaceholders",
                   {{0, 100, "#a"}, {100, 200, "b"}, {200, 300, "#c"}},
                   1,
                   120,
                   180,
                   {{0, 100, "#a"}, {120, 180, "b"}, {200, 300, "#c"}}},
        AttachCase{"LonePlaceholder",
                   {{0, 10, "a"}, {20, 30, "#solo"}, {40, 50, "b"}},
                   1,
                   22,
                   35,
                   {{0, 10, "a"}, {22, 35, "solo"}, {40, 50, "b"}}},
        // Before: 0..250 over 2 cues, step 125. After: 330..500 over 2 cues, step 85.
        // The run before reaches index 0; the run after stops at the plain "f".
        AttachCase{"RunsOnBothSides",
                   {{0, 100, "#a"},
                    {100, 200, "#b"},
                    {200, 300, "##c"},
                    {300, 400, "#d"},
                    {400, 500, "#e"},
                    {500, 600, "f"}},
                   2,
                   250,
                   330,
                   {{0, 125, "#a"},
                    {125, 250, "#b"},
                    {250, 330, "#c"},
                    {330, 415, "#d"},
                    {415, 500, "#e"},
                    {500, 600, "f"}}},
        // Before: (61 - 20) / 3 = 13, the remainder dropped. After: the run reaches the
        // last cue and goes backwards, 81 towards 70 in one step of -11.
        AttachCase{"UnevenStepsAndRunToTheLastCue",
                   {{10, 20, "x"},
                    {20, 30, "#p"},
                    {30, 40, "#q"},
                    {40, 50, "#r"},
                    {50, 60, "#s"},
                    {60, 70, "#t"}},
                   4,
                   61,
                   81,
                   {{10, 20, "x"},
                    {20, 33, "#p"},
                    {33, 46, "#q"},
                    {46, 59, "#r"},
                    {61, 81, "s"},
                    {81, 70, "#t"}}},
        // After: (30 - 37) / 2 = -3 (towards zero, not -4): #n 37..34, #o 34..31, re-sorted.
        AttachCase{"NegativeStepAfter",
                   {{0, 10, "#m"}, {10, 20, "#n"}, {20, 30, "#o"}},
                   0,
                   17,
                   37,
                   {{17, 37, "m"}, {34, 31, "#o"}, {37, 34, "#n"}}},
        // Width exactly 10. Before: (93 - 100) / 2 = -3: #a 100..97, #b 97..94, re-sorted.
        AttachCase{"NegativeStepBeforeAtMinimumWidth",
                   {{100, 110, "#a"}, {110, 120, "#b"}, {120, 130, "#c"}},
                   2,
                   93,
                   103,
                   {{93, 103, "c"}, {97, 94, "#b"}, {100, 97, "#a"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct AttachRefusedCase {
    const char* name = "";
    int cur = -1;
    int selStart = 0;
    int selEnd = 0;
    QStringList messages;
};

class AtachRefusedTest : public CueCommandsFixture,
                         public ::testing::TestWithParam<AttachRefusedCase> {};

TEST_P(AtachRefusedTest, ChangesNothing) {
    const AttachRefusedCase& c = GetParam();
    const std::vector<Cue> cues = {{0, 50, "#a"}, {60, 80, "#b"}};
    Prepare(cues, c.selStart, c.selEnd);
    const CueCommandResult r = Atach(doc, host, c.cur);
    EXPECT_EQ(host.messages, c.messages);
    EXPECT_EQ(r.curCue, c.cur);
    EXPECT_FALSE(r.changed);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Spans(doc.Cues()), (std::vector<Span>{{0, 50, "#a"}, {60, 80, "#b"}}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AtachRefusedTest,
    ::testing::Values(
        AttachRefusedCase{"NineFramesWide", 0, 100, 109, {"left=100 right=109"}},
        AttachRefusedCase{"Inverted", 1, 109, 100, {"left=109 right=100"}},
        AttachRefusedCase{"EmptyAtZero", 0, 0, 0, {"left=0 right=0"}},
        // The width is judged before the cue, so an invalid cue still gets the message.
        AttachRefusedCase{"NarrowAndNoCue", -1, 5, 6, {"left=5 right=6"}},
        AttachRefusedCase{"NoCue", -1, 100, 200, {}},
        AttachRefusedCase{"PastTheEnd", 2, 100, 200, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// CheckConflict

struct ConflictCase {
    const char* name = "";
    std::vector<std::pair<int, int>> spans;
    int zoom = 1;
    int clientWidth = 0;
    int expectedCur = -1;
    std::optional<int> scroll;
};

class CheckConflictTest : public CueCommandsFixture,
                          public ::testing::TestWithParam<ConflictCase> {};

TEST_P(CheckConflictTest, MakesTheFirstOverlapCurrentAndCentresIt) {
    const ConflictCase& c = GetParam();
    std::vector<Cue> cues;
    for (const auto& [s, e] : c.spans) {
        cues.push_back({s, e, QStringLiteral("t")});
    }
    Prepare(cues, 0, 0);
    const CueCommandResult r = CheckConflict(doc, host, 0, c.zoom, c.clientWidth);
    EXPECT_EQ(r.curCue, c.expectedCur);
    EXPECT_EQ(r.scrollPos, c.scroll);
    EXPECT_EQ(r.changed, c.scroll.has_value());
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_FALSE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckConflictTest,
    ::testing::Values(
        // Middle (150 + 50) / 2 = 100; 100 / 1 - 40 / 2 = 80.
        ConflictCase{"Crossing", {{0, 100}, {50, 150}}, 1, 40, 1, 80},
        // Middle 100; 100 / 3 = 33; 41 / 2 = 20; 13.
        ConflictCase{"ZoomAndOddWidth", {{0, 100}, {50, 150}}, 3, 41, 1, 13},
        // Middle 201 / 2 = 100; 100 / 7 = 14; 9 / 2 = 4; 10.
        ConflictCase{"OddMiddle", {{0, 101}, {50, 151}}, 7, 9, 1, 10},
        // Two overlapping cues; the lower index is taken. Middle 150; 150 / 10 - 3 = 12.
        ConflictCase{"LowestIndex", {{0, 1000}, {100, 200}, {300, 400}}, 10, 6, 1, 12},
        ConflictCase{"ExactlyZero", {{0, 100}, {50, 150}}, 1, 200, 1, 0},
        ConflictCase{"BeforeTheStart", {{0, 100}, {50, 150}}, 1, 400, 1, std::nullopt},
        // Middle (2,140,000,000 + 2,050,000,000) / 2 = 2,095,000,000 does not fit a 32-bit
        // sum; / 1000 = 2,095,000; minus 500.
        ConflictCase{"LargePositions",
                     {{2000000000, 2100000000}, {2050000000, 2140000000}},
                     1000,
                     1000,
                     1,
                     2094500}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckConflictNotFoundTest, SaysNotFoundAndKeepsTheCurrentCue) {
    const std::vector<std::vector<Cue>> lists = {
        {}, {{0, 100, "a"}, {100, 200, "b"}}, {{0, 10, "a"}, {20, 30, "b"}, {40, 50, "c"}}};
    for (const std::vector<Cue>& cues : lists) {
        FakeHost host;
        CtarnDoc doc(host);
        doc.OnNewDocument();
        AddCues(doc, cues);
        const CueCommandResult r = CheckConflict(doc, host, 1, 1, 100);
        EXPECT_EQ(host.messages, QStringList{"NOT FOUND"}) << cues.size();
        EXPECT_EQ(r.curCue, 1);
        EXPECT_FALSE(r.scrollPos);
        EXPECT_FALSE(r.changed);
    }
}

} // namespace
