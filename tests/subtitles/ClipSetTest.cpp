#include "subtitles/ClipSet.h"

#include "recording/Recording.h"
#include "subtitles/CueList.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* name;
    QString text;
    QString expected;
};

const NameCase kNames[] = {
    {"Plain", "Hello, world", "Hello, world"},
    {"ReservedCharactersBecomeBlanks", "a/b\\c:d*e?f\"g<h>i|j", "a b c d e f g h i j"},
    {"ControlCharacters", QString("tab\there") + QChar(1) + "x", "tab here x"},
    {"TrailingDotsAndBlanks", "Wait... . ", "Wait"},
    {"FirstLineOnly", "first\nsecond", "first"},
    {"BlanksCollapsed", "  spaced   out ", "spaced out"},
    {"NonAscii", "日本語のテキスト", "日本語のテキスト"},
    {"SixtyCharactersNotBytes", QString(70, QChar(0xe9)), QString(60, QChar(0xe9))},
    {"SurrogatePairIsOneCharacter", QString::fromUtf8("😀").repeated(61),
     QString::fromUtf8("😀").repeated(60)},
    {"CutThenTrimmed", QString(59, 'a') + " bcd", QString(59, 'a')},
};

class SafeFileTextTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SafeFileTextTest, IsSafeOnEverySystem) {
    EXPECT_EQ(SafeFileText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, SafeFileTextTest, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

struct PatternCase {
    QString pattern;
    int number;
    QString expected;
};

TEST(ExpandClipPatternTest, FillsEveryField) {
    // Start 3,723,004 frames at 1000 Hz: 1 h 2 min 3.004 s.
    const PatternCase cases[] = {
        {"{base} {n:03} {text}", 7, "talk 007 Hi there"},
        {"{n}-{n:05}-{n:02}", 123, "123-00123-123"},
        {"{n:03}", -5, "-005"},
        {"{start}", 1, "1-02-03.004"},
        {"{x} {n {N}", 1, "{x} {n {N}"},
    };
    for (const PatternCase& c : cases) {
        EXPECT_EQ(ExpandClipPattern(c.pattern, c.number, "Hi: there\nmore", 3723004, 1000, "talk"),
                  c.expected)
            << c.pattern.toStdString();
    }
}

struct PlanCase {
    const char* name;
    ClipSetOptions options;
    int selStart = 0;
    int selEnd = 0;
    int current = -1;
    /// "number name start end" per clip, joined with "; ".
    const char* expected;
};

ClipSetOptions Options(ClipCues cues, bool placeholders, QString pattern = "{text}",
                       int startNumber = 1) {
    ClipSetOptions o;
    o.cues = cues;
    o.placeholders = placeholders;
    o.pattern = std::move(pattern);
    o.startNumber = startNumber;
    return o;
}

ClipSetOptions Joining(int gapMs) {
    ClipSetOptions o = Options(ClipCues::All, false);
    o.joinGapMs = gapMs;
    return o;
}

// 10,000 frames at 1000 Hz, so that the default padding is 150 and 250 frames.
const PlanCase kPlans[] = {
    {"AllWithoutPlaceholdersClampedAndDeduplicated", Options(ClipCues::All, false), 0, 0, -1,
     "1 a.wav 0 450; 2 A (2).wav 4850 6250; 3 last.wav 9750 10000"},
    {"PlaceholdersWhenAsked", Options(ClipCues::All, true), 0, 0, -1,
     "1 a.wav 0 450; 2 p.wav 0 650; 3 A (2).wav 4850 6250; 4 last.wav 9750 10000"},
    {"Current", Options(ClipCues::Current, false), 0, 0, 2, "1 A.wav 4850 6250"},
    {"CurrentPlaceholderLeftOut", Options(ClipCues::Current, false), 0, 0, 1, ""},
    {"SelectionReversed", Options(ClipCues::Selection, true), 390, 160, -1,
     "1 a.wav 0 450; 2 p.wav 0 650"},
    {"SelectionTouchingIsNotOverlapping", Options(ClipCues::Selection, false), 6000, 9900, -1, ""},
    {"EmptySelectionPicksTheCueUnderIt", Options(ClipCues::Selection, false), 5500, 5500, -1,
     "1 A.wav 4850 6250"},
    {"NumberedFromTheStart", Options(ClipCues::All, false, "{n:03}", 9), 0, 0, -1,
     "9 009.wav 0 450; 10 010.wav 4850 6250; 11 011.wav 9750 10000"},
    {"PatternWithoutFieldsIsDeduplicated", Options(ClipCues::All, false, "clip"), 0, 0, -1,
     "1 clip.wav 0 450; 2 clip (2).wav 4850 6250; 3 clip (3).wav 9750 10000"},
    {"UnsafeCharactersOfThePattern", Options(ClipCues::All, false, "con/{text}."), 0, 0, -1,
     "1 con a.wav 0 450; 2 con A (2).wav 4850 6250; 3 con last.wav 9750 10000"},
    {"PercentSignsStayText", Options(ClipCues::All, false, "50%1"), 0, 0, -1,
     "1 50%1.wav 0 450; 2 50%1 (2).wav 4850 6250; 3 50%1 (3).wav 9750 10000"},
    {"JoinedWhereTheGapIsAtMostTheLimit", Joining(3900), 0, 0, -1,
     "1 a.wav 0 450; 2 A (2).wav 4850 10000"},
    {"NotJoinedAFrameOver", Joining(3899), 0, 0, -1,
     "1 a.wav 0 450; 2 A (2).wav 4850 6250; 3 last.wav 9750 10000"},
};

class PlanClipSetTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanClipSetTest, ChoosesNamesAndPads) {
    CueList cues;
    cues.AddCues({{100, 200, "a"}, {150, 400, "#p"}, {5000, 6000, "A"}, {9900, 9990, "last"}});
    const PlanCase& c = GetParam();
    QStringList got;
    for (const PlannedClip& clip :
         PlanClipSet(cues, c.options, c.selStart, c.selEnd, c.current, 10000, 1000, "talk")) {
        got << QString::number(clip.number) + ' ' + clip.fileName + ' ' +
                   QString::number(clip.start) + ' ' + QString::number(clip.end);
    }
    EXPECT_EQ(got.join("; ").toStdString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cues, PlanClipSetTest, ::testing::ValuesIn(kPlans),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlanClipSetTest, WindowsDeviceNamesGetAMark) {
    CueList cues;
    cues.AddCues({{0, 10, "Con"}, {20, 30, "lpt1"}, {40, 50, "console"}});
    QStringList names;
    for (const PlannedClip& clip :
         PlanClipSet(cues, Options(ClipCues::All, false), 0, 0, -1, 100, 1000, "b")) {
        names << clip.fileName;
    }
    EXPECT_EQ(names, QStringList({"_Con.wav", "_lpt1.wav", "console.wav"}));
}

// Naming must not start over at " (2)" for every repeat: 20,000 repeats would take
// 200 million tries, tens of seconds, where remembering the next suffix takes 20,000.
TEST(PlanClipSetTest, RepeatedNamesCountOnWithoutReusingATakenOne) {
    constexpr int kCues = 20000;
    std::vector<Cue> records;
    for (int i = 0; i < kCues; ++i) {
        // Cue 1 takes the name the third "same" would get; names differ only in case.
        records.push_back({i, i + 1, i == 1 ? "SAME (3)" : "same"});
    }
    CueList cues;
    cues.AddCues(std::move(records));
    const std::vector<PlannedClip> plan =
        PlanClipSet(cues, Options(ClipCues::All, false), 0, 0, -1, kCues, 1000, "b");
    ASSERT_EQ(plan.size(), size_t(kCues));
    for (int i = 0; i < kCues; ++i) {
        const QString expected = i == 0   ? QString("same.wav")
                                 : i == 1 ? QString("SAME (3).wav")
                                          : QString("same (%1).wav").arg(i == 2 ? 2 : i + 1);
        ASSERT_EQ(plan[size_t(i)].fileName, expected) << i;
    }
}

// Flashcard programs drop media names over 119 bytes: names are cut at a character, the
// " (2)" kept, for the longest extension of the clip and its still.
TEST(PlanClipSetTest, NamesFitInBytesCutAtACharacter) {
    const QString wide = QString(60, QChar(0x65E5)); // three bytes each in UTF-8
    CueList cues;
    cues.AddCues({{0, 10, wide}, {20, 30, wide}, {40, 50, QString(200, 'a')}});
    for (const ClipFormat format : {ClipFormat::Wav, ClipFormat::Opus}) {
        ClipSetOptions options = Options(ClipCues::All, false, "{text} {text}");
        options.format = format;
        options.stills = true;
        const std::vector<PlannedClip> plan = PlanClipSet(cues, options, 0, 0, -1, 100, 1000, "b");
        ASSERT_EQ(plan.size(), 3u);
        const int room = format == ClipFormat::Wav ? 115 : 114; // before ".wav" / ".opus"
        EXPECT_EQ(plan[0].fileName, QString(room / 3, QChar(0x65E5)) + '.' + ClipExtension(format));
        EXPECT_TRUE(plan[1].fileName.endsWith(" (2)." + ClipExtension(format)));
        for (const PlannedClip& clip : plan) {
            EXPECT_LE(clip.fileName.toUtf8().size(), kMaxClipNameBytes);
            EXPECT_LE(clip.stillName.toUtf8().size(), kMaxClipNameBytes);
            EXPECT_FALSE(clip.fileName.contains(QChar::ReplacementCharacter));
        }
    }
}

TEST(AddClipTranslationsTest, TakesCuesOverlappingHalfTheShorterSpan) {
    std::vector<PlannedClip> plan(1);
    plan[0].cueStart = 1000;
    plan[0].cueEnd = 2000;
    const struct {
        Cue cue;
        bool taken;
    } cases[] = {
        {{1500, 2600, "half of the clip"}, true}, {{1501, 2600, "just under"}, false},
        {{1990, 2010, "half of itself"}, true},   {{1991, 2011, "under half"}, false},
        {{0, 5000, "covers it"}, true},           {{2000, 2500, "touching"}, false},
    };
    for (const auto& c : cases) {
        AddClipTranslations(plan, {c.cue});
        EXPECT_EQ(!plan[0].translation.isEmpty(), c.taken) << c.cue.text.toStdString();
    }
    AddClipTranslations(plan, {{900, 1400, "One & <two>"}, {1400, 1900, "Three\nfour"}});
    EXPECT_EQ(plan[0].translation, "One &amp; &lt;two&gt;<br>Three<br>four");
}

TEST(ClipIndexTextTest, NamesItsColumnsAndDeckWhenAskedForMore) {
    CueList cues;
    cues.AddCues({{0, 100, "before"}, {200, 300, "this"}, {400, 500, "after"}});
    ClipSetOptions options = Options(ClipCues::Current, false);
    options.context = true;
    options.stills = true;
    options.translationPath = "t.srt";
    options.deckPath = "d.apkg";
    options.deckName = "Deck: one";
    std::vector<PlannedClip> plan = PlanClipSet(cues, options, 0, 0, 1, 1000, 1000, "b");
    AddClipTranslations(plan, {{200, 300, "ceci"}});
    EXPECT_EQ(ClipIndexText(plan, 1000, options),
              QByteArray("#separator:tab\n#html:true\n#columns:Number\tFile\tStart\tEnd\tText\t"
                         "Audio\tTranslation\tContext before\tContext after\tPicture\n"
                         "#deck:Deck one\n1\tthis.wav\t0:00:00.200\t0:00:00.300\tthis\t"
                         "[sound:this.wav]\tceci\tbefore\tafter\t<img src=\"this.jpg\">\n"));
}

// The index rounds to the millisecond, as SRT and WebVTT do: 8.589625 s is 8.590, not 8.589.
TEST(ClipIndexTextTest, TimesRoundToTheMillisecond) {
    const std::vector<PlannedClip> plan = {{1, "a.wav", 68717, 68719, 0, 0, "x"}};
    EXPECT_EQ(ClipIndexText(plan, 8000),
              QByteArray("#separator:tab\n#html:true\n1\ta.wav\t"
                         "0:00:08.590\t0:00:08.590\tx\t[sound:a.wav]\n"));
}
struct ShapeCase {
    const char* name;
    std::vector<qint16> left;
    std::vector<qint16> right;
    bool fade;
    bool normalize;
    std::vector<qint16> expectedLeft;
    std::vector<qint16> expectedRight;
};

// At 200 Hz a 10 ms fade is 2 frames; -1 dBFS is 29204.95 of 32768.
const ShapeCase kShapes[] = {
    {"Fade",
     {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000},
     {-8, -8, -8, -8, -8, -8, -8, -8},
     true,
     false,
     {0, 500, 1000, 1000, 1000, 1000, 500, 0},
     {0, -4, -8, -8, -8, -8, -4, 0}},
    {"FadeOfAShortClipMeetsInTheMiddle",
     {1000, 1000, 1000},
     {0, 0, 0},
     true,
     false,
     {0, 1000, 0},
     {0, 0, 0}},
    {"NormalizeByThePeakOfBothChannels",
     {100, -100},
     {-2000, 1000},
     false,
     true,
     {1460, -1460},
     {-29205, 14602}},
    {"NormalizeLowersFullScale", {-32768, 32767}, {0, 0}, false, true, {-29205, 29204}, {0, 0}},
    {"SilenceStaysSilent", {0, 0, 0}, {0, 0, 0}, true, true, {0, 0, 0}, {0, 0, 0}},
    {"FadeThenNormalize",
     {1000, 1000, 1000, 1000, 1000, 1000},
     {0, 0, 0, 0, 0, 0},
     true,
     true,
     {0, 14602, 29205, 29205, 14602, 0},
     {0, 0, 0, 0, 0, 0}},
};

class ShapeClipTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeClipTest, FadesAndNormalises) {
    const ShapeCase& c = GetParam();
    std::vector<qint16> left = c.left;
    std::vector<qint16> right = c.right;
    ShapeClip(left, right, 200, c.fade, c.normalize);
    EXPECT_EQ(left, c.expectedLeft);
    EXPECT_EQ(right, c.expectedRight);
}

INSTANTIATE_TEST_SUITE_P(Samples, ShapeClipTest, ::testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

/// Fails the clip of the given length.
class RefusingEncoder : public WavClipEncoder {
public:
    explicit RefusingEncoder(int refusedFrames) : m_refusedFrames(refusedFrames) {}
    bool Encode(ClipFormat format, const qint16* left, const qint16* right, int frames, qint32 rate,
                QByteArray& out, QString& error) override {
        if (frames == m_refusedFrames) {
            error = "refused";
            return false;
        }
        return WavClipEncoder::Encode(format, left, right, frames, rate, out, error);
    }

private:
    int m_refusedFrames;
};

struct WriteCase {
    const char* name;
    int cancelAtCall; ///< the progress call that answers "stop"; 0: none
    int refusedClip;  ///< 1-based clip the encoder fails; 0: none
    bool blocked;     ///< a folder stands where clip 3 goes
};

const WriteCase kWrites[] = {
    {"All", 0, 0, false},
    {"Cancelled", 1, 0, false},
    {"EncoderFails", 0, 4, false},
    {"FileCannotBeWritten", 0, 0, true},
};

class WriteClipSetTest : public ::testing::TestWithParam<WriteCase> {};

// Eight cues of 10 + k frames each (so that each clip's length names it), no padding.
TEST_P(WriteClipSetTest, LeavesOnlyCompleteFilesAndListsThem) {
    const WriteCase& c = GetParam();
    QTemporaryDir dir;
    Recording recording;
    ChannelSamples channels;
    channels.samples[0].assign(1000, 7);
    channels.samples[1].assign(1000, -7);
    WaveFormatData format;
    format.header.SampleRate = 1000;
    recording.Replace(format, channels);
    CueList cues;
    for (int k = 1; k <= 8; ++k) {
        cues.AddCue(100 * k, 100 * k + 10 + k, QString("cue %1").arg(k));
    }
    ClipSetOptions options;
    options.folder = dir.path();
    options.pattern = "{n}";
    options.padBeforeMs = options.padAfterMs = 0;
    options.indexPath = DefaultClipIndexPath(dir.path());
    const std::vector<PlannedClip> plan =
        PlanClipSet(cues, options, 0, 0, -1, recording.Frames(), 1000, "b");
    if (c.blocked) {
        ASSERT_TRUE(QDir(dir.path()).mkdir("3.wav"));
    }
    RefusingEncoder encoder(c.refusedClip > 0 ? 10 + c.refusedClip : -1);
    int calls = 0;
    const ClipSetResult result = WriteClipSet(recording, plan, options, encoder,
                                              [&](int, int) { return ++calls != c.cancelAtCall; });

    const bool complete = c.cancelAtCall == 0 && c.refusedClip == 0 && !c.blocked;
    EXPECT_EQ(result.cancelled, c.cancelAtCall != 0);
    const QString failed = c.blocked ? "3.wav" : c.refusedClip ? "4.wav" : "";
    EXPECT_EQ(result.error.section(": ", 0, 0), failed.isEmpty() ? "" : dir.filePath(failed))
        << result.error.toStdString();
    if (complete) {
        EXPECT_EQ(result.written.size(), 9);
    }
    EXPECT_EQ(result.written.contains(options.indexPath), complete);
    // Every file in the folder is listed and whole: 44 bytes of header, 4 per frame.
    QStringList present = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QStringList listed;
    for (const QString& path : result.written) {
        listed << QFileInfo(path).fileName();
        if (path != options.indexPath) {
            const int k = QFileInfo(path).baseName().toInt();
            EXPECT_EQ(QFileInfo(path).size(), 44 + 4 * (10 + k)) << path.toStdString();
        }
    }
    listed.sort();
    EXPECT_EQ(present, listed);
}

INSTANTIATE_TEST_SUITE_P(Runs, WriteClipSetTest, ::testing::ValuesIn(kWrites),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
