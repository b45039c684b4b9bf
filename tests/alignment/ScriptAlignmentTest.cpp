#include "alignment/ScriptAlignment.h"

#include "actions/AlignCues.h"
#include "alignment/SpokenSet.h"
#include "document/CtarnDoc.h"
#include "speech/EspeakVoice.h"
#include "subtitles/TimingRules.h"
#include "support/FakeHost.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QStringList kSentences = {
    "The morning train to the city was late again today.",
    "Nobody on the platform seemed surprised by it.",
    "A small child was reading a book about mountains.",
    "Her father kept looking at the clock above the door.",
    "When the train finally arrived, everyone hurried inside.",
};

/// The errors of the boundaries, starts and ends, in milliseconds, sorted.
std::vector<double> BoundaryErrors(const std::vector<AlignedCue>& cues,
                                   const std::vector<FrameRange>& truth) {
    std::vector<double> errors;
    for (size_t k = 0; k < truth.size(); ++k) {
        errors.push_back(std::abs(cues[k].span.lo - truth[k].lo) * 1000.0 / SpokenSet::kRate);
        errors.push_back(std::abs(cues[k].span.hi - truth[k].hi) * 1000.0 / SpokenSet::kRate);
    }
    std::sort(errors.begin(), errors.end());
    return errors;
}

/// A document holding a set's recording.
class SpokenDocument {
public:
    explicit SpokenDocument(const SpokenSet& set) : doc(host) {
        const QString path = folder.filePath(QStringLiteral("speech.wav"));
        opened = set.Write(path) && doc.OnOpenDocument(path);
    }

    ScriptAlignment Align(const QStringList& script) {
        EspeakVoice voice(QStringLiteral("en"));
        AlignmentProgress progress;
        return AlignScript(doc.GetRecording(), {0, doc.GetRecording().Frames()},
                           std::vector<QString>(script.begin(), script.end()), voice, progress);
    }

    QTemporaryDir folder;
    FakeHost host;
    CtarnDoc doc;
    bool opened = false;
};

struct LayoutCase {
    const char* name;
    std::vector<int> pausesMs;
    int edgeMs;
    bool edgeNoise;
};

class ScriptAlignmentTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ScriptAlignmentTest, FindsEverySentenceWhereAnotherVoiceSaysIt) {
    const LayoutCase& c = GetParam();
    const SpokenSet set = SpokenSet::Make(kSentences, c.pausesMs, c.edgeMs, c.edgeNoise);
    ASSERT_FALSE(set.truth.empty()) << "flite is needed to speak the test sentences";
    SpokenDocument spoken(set);
    ASSERT_TRUE(spoken.opened);

    const ScriptAlignment aligned = spoken.Align(kSentences);
    ASSERT_EQ(aligned.status, ScriptAlignment::Status::Aligned);
    ASSERT_EQ(aligned.cues.size(), set.truth.size());
    const std::vector<double> errors = BoundaryErrors(aligned.cues, set.truth);
    EXPECT_LE(errors[errors.size() / 2], 50.0);
    EXPECT_LE(errors.back(), 200.0);
    for (size_t k = 1; k < aligned.cues.size(); ++k) {
        EXPECT_LE(aligned.cues[k - 1].span.hi, aligned.cues[k].span.lo) << "cue " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, ScriptAlignmentTest,
                         ::testing::Values(LayoutCase{"Pauses", {700, 300, 1200, 500}, 1500, false},
                                           LayoutCase{"NoPauses", {0, 0, 0, 0}, 1500, false},
                                           LayoutCase{
                                               "HissAround", {400, 0, 800, 100}, 2500, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptAlignmentTest, ASentenceTheRecordingLacksIsUncertainAndLeavesItsNeighboursRight) {
    QStringList spokenSentences = kSentences;
    spokenSentences.removeAt(2);
    const SpokenSet set = SpokenSet::Make(spokenSentences, {600, 500, 700}, 1000, false);
    ASSERT_FALSE(set.truth.empty()) << "flite is needed to speak the test sentences";
    SpokenDocument spoken(set);
    ASSERT_TRUE(spoken.opened);

    const ScriptAlignment aligned = spoken.Align(kSentences);
    ASSERT_EQ(aligned.cues.size(), size_t(kSentences.size()));
    EXPECT_LT(aligned.cues[2].confidence, kUncertainBelow);
    // It takes the pause between its neighbours, where it belongs.
    EXPECT_EQ(aligned.cues[2].span.lo, aligned.cues[1].span.hi);
    EXPECT_EQ(aligned.cues[2].span.hi, aligned.cues[3].span.lo);
    std::vector<AlignedCue> present = aligned.cues;
    present.erase(present.begin() + 2);
    EXPECT_LE(BoundaryErrors(present, set.truth).back(), 200.0);
}

TEST(ScriptAlignmentTest, CancelChangesNothing) {
    const SpokenSet set = SpokenSet::Make(kSentences.mid(0, 2), {500}, 500, false);
    ASSERT_FALSE(set.truth.empty()) << "flite is needed to speak the test sentences";
    SpokenDocument spoken(set);
    ASSERT_TRUE(spoken.opened);
    std::vector<Cue> placeholders;
    for (const QString& text : kSentences.mid(0, 2)) {
        placeholders.push_back({0, 100, QStringLiteral("#") + text});
    }
    spoken.doc.LoadCues(placeholders);

    class CancellingHost : public FakeHost {
        bool ReportProgress(const QString&, int done, int total) override { return done >= total; }
    } host;
    EspeakVoice voice(QStringLiteral("en"));
    const AlignOutcome outcome = AlignCues(
        spoken.doc, host, CuesToAlign(spoken.doc.Cues(), AlignChoice::Placeholders, {}), voice);
    EXPECT_TRUE(outcome.cues.empty());
    EXPECT_FALSE(spoken.doc.GetHistory().CanUndo());
    EXPECT_EQ(spoken.doc.Cues().Records(0, 2)[1].text, placeholders[1].text);
    EXPECT_TRUE(host.messages.isEmpty());
}

} // namespace
