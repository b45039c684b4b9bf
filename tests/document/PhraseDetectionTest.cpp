#include "recording/PhraseDetection.h"
#include "actions/PhraseCommands.h"
#include "document/CtarnDoc.h"
#include "support/CliRun.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kRate = 8000;
constexpr int kPerMs = kRate / 1000;

/// Stretches of a synthetic recording, in milliseconds: a tone when loud, else a noise floor
/// about 70 dB down.
struct Stretch {
    int ms;
    bool loud;
};

std::vector<qint16> Synthesise(const std::vector<Stretch>& stretches) {
    std::vector<qint16> samples;
    quint32 noise = 1;
    for (const Stretch& s : stretches) {
        for (int i = 0; i < s.ms * kPerMs; ++i) {
            noise = noise * 1664525u + 1013904223u;
            const int floor = int(noise >> 28) - 8; // -8 .. 7
            const double tone = s.loud ? 8000.0 * std::sin(double(samples.size()) * 0.35) : 0.0;
            samples.push_back(qint16(int(tone) + floor));
        }
    }
    return samples;
}

struct PhraseCase {
    const char* name;
    std::vector<Stretch> stretches;
    std::vector<std::pair<int, int>> expectedMs; ///< phrases, in milliseconds
    quint16 channels = 2;
    std::optional<double> threshold = -40.0;
};

class PhraseDetectionTest : public ::testing::TestWithParam<PhraseCase> {};

TEST_P(PhraseDetectionTest, FindsThePhrasesToTheWindow) {
    const PhraseCase& c = GetParam();
    const std::vector<qint16> mono = Synthesise(c.stretches);
    std::vector<qint16> samples;
    for (qint16 v : mono) {
        samples.push_back(v);
        if (c.channels == 2) {
            samples.push_back(qint16(v / 4)); // the louder channel decides
        }
    }
    QTemporaryDir dir;
    ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"), wav::Simple(c.channels, kRate, samples)));
    FakeHost host;
    CtarnDoc doc(host);
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    PhraseSettings settings;
    settings.thresholdDb = c.threshold;
    const LevelTrack levels = MeasureSelectionLevels(doc);
    std::vector<std::pair<int, int>> found;
    for (const FrameRange& span : FindPhrases(levels, settings, kRate)) {
        found.emplace_back(span.lo / kPerMs, span.hi / kPerMs);
    }
    EXPECT_EQ(found, c.expectedMs);
}

INSTANTIATE_TEST_SUITE_P(
    Recordings, PhraseDetectionTest,
    ::testing::Values(
        PhraseCase{"OneBurstPadded", {{1000, false}, {500, true}, {1000, false}}, {{950, 1550}}},
        PhraseCase{"SilenceJustUnderTheMinimumJoins",
                   {{500, false}, {500, true}, {290, false}, {500, true}, {500, false}},
                   {{450, 1840}}},
        // The padding stops at the middle of a gap narrower than twice the padding.
        PhraseCase{"SilenceJustOverTheMinimumSplits",
                   {{500, false}, {500, true}, {310, false}, {500, true}, {500, false}},
                   {{450, 1050}, {1260, 1860}}},
        PhraseCase{"BurstsAtBothEndsAreClamped",
                   {{400, true}, {1000, false}, {400, true}},
                   {{0, 450}, {1350, 1800}}},
        PhraseCase{"ShortBlipNearAPhraseJoinsIt",
                   {{500, false}, {500, true}, {400, false}, {100, true}, {1000, false}},
                   {{450, 1550}}},
        PhraseCase{"ShortBlipFarFromSpeechIsDropped",
                   {{500, false}, {100, true}, {1000, false}, {500, true}, {500, false}},
                   {{1550, 2150}}},
        PhraseCase{"MonoFile", {{300, false}, {600, true}, {300, false}}, {{250, 950}}, 1},
        PhraseCase{"AutomaticThreshold",
                   {{1000, false}, {500, true}, {1000, false}},
                   {{950, 1550}},
                   2,
                   std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ApplyPhrasesTest, LaysThePlaceholdersInOrderAsOneStep) {
    QTemporaryDir dir;
    ASSERT_TRUE(
        wav::WriteFile(dir.filePath("a.wav"), wav::Simple(1, kRate, std::vector<qint16>(4000))));
    FakeHost host;
    CtarnDoc doc(host);
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    AddCues(doc, {{0, 1000, "#one"}, {1000, 2000, "kept"}, {2000, 3000, "#two"}});
    const LevelTrack levels = MeasureSelectionLevels(doc);
    const PhraseOutcome outcome =
        ApplyPhrases(doc, {{100, 900}, {2500, 3900}}, levels, {}, PhraseUse::LayScript);
    EXPECT_EQ(outcome.spans.size(), 2u);
    const std::vector<Cue> cues = doc.Cues().Records(0, doc.Cues().Count());
    ASSERT_EQ(cues.size(), 3u);
    EXPECT_EQ(std::tuple(cues[0].start, cues[0].end, cues[0].text), std::tuple(100, 900, "one"));
    EXPECT_EQ(std::tuple(cues[1].start, cues[1].text), std::tuple(1000, "kept"));
    EXPECT_EQ(std::tuple(cues[2].start, cues[2].end, cues[2].text), std::tuple(2500, 3900, "two"));
    EXPECT_TRUE(doc.IsModified());
    doc.OnEditUndo();
    EXPECT_EQ(doc.Cues().Text(0), "#one");
    EXPECT_FALSE(doc.IsModified());

    ApplyPhrases(doc, {{100, 900}}, levels, {}, PhraseUse::NewCues);
    EXPECT_EQ(doc.Cues().Count(), 4);
    EXPECT_EQ(doc.Cues().Text(1), "#");
}

TEST(PhraseSettingsTest, BadValuesAreRefused) {
    const struct {
        PhraseSettings settings;
        bool refused;
    } cases[] = {
        {{-40.0, 300, 200, 50}, false},   {{0.0, 0, 0, 0}, false},
        {{std::nullopt, 1, 1, 1}, false}, {{0.5, 300, 200, 50}, true},
        {{-40.0, -1, 200, 50}, true},     {{-40.0, 300, 200, -5}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(!CheckPhraseSettings(c.settings).isEmpty(), c.refused);
    }
    QTemporaryDir dir;
    ASSERT_TRUE(
        wav::WriteFile(dir.filePath("a.wav"), wav::Simple(1, kRate, std::vector<qint16>(100))));
    for (const QStringList& options : {QStringList{"--threshold", "1"},
                                       {"--pad", "-5"},
                                       {"--min-silence", "x"},
                                       {"--threshold"}}) {
        const CliRun run =
            RunCli(QStringList{"phrases", dir.filePath("a.wav"), dir.filePath("o.wav")} + options);
        EXPECT_EQ(run.status, 2) << options.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("o.wav")));
}

} // namespace
