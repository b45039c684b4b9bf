#include "actions/SubtitleTransfer.h"
#include "document/CtarnDoc.h"
#include "subtitles/SubtitleFormat.h"
#include "subtitles/SubtitleReader.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

/// "start-end:text" per cue, so that a failure shows every cue.
QStringList Describe(const std::vector<Cue>& cues) {
    QStringList out;
    for (const Cue& c : cues) {
        out << QStringLiteral("%1-%2:%3").arg(c.start).arg(c.end).arg(c.text);
    }
    return out;
}

QByteArray Utf16WithMark(const QString& text) {
    return QByteArray("\xFF\xFE", 2) +
           QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

struct ParseCase {
    const char* name = "";
    QByteArray bytes;
    const char* fileName = "in.srt";
    QStringList cues; ///< at 1000 frames per second unless `rate` says otherwise
    int skipped = 0;
    qint64 firstSkippedLine = 0;
    qint32 rate = 1000;
};

class SubtitleParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(SubtitleParseTest, ReadsCuesAndCountsMalformedBlocks) {
    const ParseCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(c.fileName));
    ASSERT_TRUE(wav::WriteFile(path, c.bytes));
    const std::optional<SubtitleRead> read = ReadSubtitleFile(path, c.rate);
    ASSERT_TRUE(read);
    EXPECT_EQ(Describe(read->cues), c.cues);
    EXPECT_EQ(read->skipped, c.skipped);
    EXPECT_EQ(read->firstSkippedLine, c.firstSkippedLine);
}

const QByteArray kSrt = "1\r\n00:00:01,000 --> 00:00:02,500\r\n<i>Hello</i>\r\n  World \r\n\r\n"
                        "2\r\n00:00:03,000 --> 00:00:04,000\r\n{\\an8}Bye\r\n";

INSTANTIATE_TEST_SUITE_P(
    Formats, SubtitleParseTest,
    ::testing::Values(
        ParseCase{
            "SrtCrLfTagsAndLines", kSrt, "in.srt", {"1000-2500:Hello\nWorld", "3000-4000:Bye"}},
        ParseCase{"SrtUtf16WithMark",
                  Utf16WithMark(QString::fromUtf8(kSrt) + QStringLiteral("\r\n3\r\n00:00:05,000 "
                                                                         "--> 00:00:06,000\r\n"
                                                                         "Grüße\r\n")),
                  "in.srt",
                  {"1000-2500:Hello\nWorld", "3000-4000:Bye", "5000-6000:Grüße"}},
        ParseCase{"SrtMalformedBlocks",
                  "1\n00:00:01,000 --> 00:00:02,000\na\n\n2\n00:00:0x,000 --> 00:00:03,000\nb\n\n"
                  "just text\n\n\n4\n00:00:04,000 --> 00:00:05,000\nd\n",
                  "in.srt",
                  {"1000-2000:a", "4000-5000:d"},
                  2,
                  5},
        ParseCase{"OverlongBlockIsMalformed",
                  QByteArray("00:00:01,000 --> 00:00:02,000\n") +
                      QByteArray(300, 'x').replace("x", "x\n") +
                      "\n00:00:03,000 --> 00:00:04,000\nb\n",
                  "in.srt",
                  {"3000-4000:b"},
                  1,
                  1},
        ParseCase{"EndNotAfterStartGetsMinimumAndTimesRound",
                  "00:00:05,000 --> 00:00:04,000\na\n\n00:00:00,050 --> 00:00:00,116\nb\n",
                  "in.srt",
                  {"150-170:a", "2-3:b"},
                  0,
                  0,
                  30},
        ParseCase{"WebVttSkipsNotesSettingsAndMarkup",
                  "WEBVTT - title\n\nNOTE a comment\nmore\n\nid-1\n00:01.000 --> 00:02.000 "
                  "align:start\nA &amp; B <c.red>red</c> &lt;3\n\n"
                  "01:00:00.000 --> 01:00:01.500\n<v Ann>Hour\n",
                  "in.vtt",
                  {"1000-2000:A & B red <3", "3600000-3601500:Hour"}},
        ParseCase{"AssOverrideTagsBreaksAndFieldOrder",
                  "[Script Info]\nScriptType: v4.00\n\n[Events]\n"
                  "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
                  "Text\n"
                  "Dialogue: Marked=0,0:00:01.00,0:00:02.50,Default,,0,0,0,,{\\i1}Hi, "
                  "there{\\i0}\\Nnext\n"
                  "Comment: 0,0:00:02.00,0:00:03.00,Default,,0,0,0,,ignored\n"
                  "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,x\\ny\\hz\n"
                  "Dialogue: 0,bad,0:00:04.00,Default,,0,0,0,,z\n",
                  "in.ssa",
                  {"1000-2500:Hi, there\nnext", "3000-4000:x\ny z"},
                  1,
                  9},
        ParseCase{"AssEventsWithTheSameTimesAreOneCue",
                  "[Events]\nDialogue: 0,0:00:01.00,0:00:02.00,Style0,,,,,,a\n"
                  "Dialogue: 0,0:00:01.00,0:00:02.00,Style1,,,,,,b\n"
                  "Dialogue: 0,0:00:01.00,0:00:03.00,Style0,,,,,,c\n",
                  "in.ass",
                  {"1000-2000:a\nb", "1000-3000:c"}},
        ParseCase{"SbvBlocks",
                  "0:00:01.000,0:00:02.000\nOne\ntwo\n\nbroken,0:00:03.000\nx\n\n"
                  "0:00:03.000,0:00:04.000\nThree\n",
                  "in.sbv",
                  {"1000-2000:One\ntwo", "3000-4000:Three"},
                  1,
                  5},
        ParseCase{"LabelsSkipFrequencyLines",
                  "1.000000\t2.500000\tfirst\n\\\t100.0\t2000.0\n3.25\t3.25\tpoint\n"
                  "oops\t1\tx\n4.0004\t5\t\n6\t7\tlast one\n",
                  "in.txt",
                  {"1000-2500:first", "3250-3270:point", "6000-7000:last one"},
                  1,
                  4},
        // Times past the last frame a cue can start at stay there instead of wrapping:
        // 9,999,999 h at 384 kHz is beyond 64 bits, 1:33:13 beyond 32.
        ParseCase{"HugeTimesAtHighRatesClamp",
                  "9999999:00:00,000 --> 9999999:00:01,000\nfar\n\n"
                  "01:33:12,000 --> 01:33:13,000\nnear\n",
                  "in.srt",
                  {"2147483627-2147483647:far", "2147328000-2147483627:near"},
                  0,
                  0,
                  384000},
        ParseCase{"LabelTimesClampAtTheLargestRate",
                  "999999999\t999999999.5\tfar\n0.5\t1\tnear\n",
                  "in.txt",
                  {"2147483627-2147483647:far", "1073741824-2147483627:near"},
                  0,
                  0,
                  2147483647}),
    [](const auto& info) { return std::string(info.param.name); });

struct DetectCase {
    const char* name = "";
    QStringList lines;
    const char* fileName = "";
    std::optional<SubtitleFormat> format;
};

class SubtitleDetectTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(SubtitleDetectTest, ContentDecidesAndTheNameBreaksTies) {
    const DetectCase& c = GetParam();
    EXPECT_EQ(DetectSubtitleFormat(c.lines, QString::fromLatin1(c.fileName)), c.format);
}

const QStringList kArrow = {"1", "00:00:01,000 --> 00:00:02,000", "a"};

INSTANTIATE_TEST_SUITE_P(
    Formats, SubtitleDetectTest,
    ::testing::Values(
        DetectCase{"ArrowIsSrt", kArrow, "a.txt", SubtitleFormat::Srt},
        DetectCase{"ArrowNamedVttIsWebVtt", kArrow, "a.VTT", SubtitleFormat::WebVtt},
        DetectCase{"HeaderBeatsName", {"WEBVTT", ""}, "a.srt", SubtitleFormat::WebVtt},
        DetectCase{"SbvNamedSrt", {"0:00:01.000,0:00:02.000", "x"}, "a.srt", SubtitleFormat::Sbv},
        DetectCase{"LabelsNamedSrt", {"1.5\t2.5\tx"}, "a.srt", SubtitleFormat::Labels},
        DetectCase{"AssNamedTxt", {"", "[Script Info]"}, "a.txt", SubtitleFormat::Ass},
        DetectCase{"NothingKnownTakesTheName", {"hello"}, "a.sbv", SubtitleFormat::Sbv},
        DetectCase{"NothingAtAll", {"hello"}, "a.doc", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct FixtureCase {
    const char* file = "";
    int cues = 2;
    int skipped = 0;
    const char* firstText = "Hello there\nsecond line"; ///< label files hold one line a cue
};

class SubtitleFixtureTest : public ::testing::TestWithParam<FixtureCase> {};

// The files come from tests/fixtures/make-subtitle-fixtures.sh: the same two cues in every
// format, the ASS one as ffmpeg writes it.
TEST_P(SubtitleFixtureTest, ReadsFilesMadeByOtherTools) {
    const FixtureCase& c = GetParam();
    const std::optional<SubtitleRead> read =
        ReadSubtitleFile(QStringLiteral(TARN_FIXTURES_DIR "/subtitles/") + c.file, 1000);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->skipped, c.skipped);
    ASSERT_EQ(int(read->cues.size()), c.cues);
    if (c.skipped == 0) {
        EXPECT_EQ(Describe(read->cues),
                  (QStringList{QStringLiteral("1000-2500:") + c.firstText, "3250-4000:Bye & go"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, SubtitleFixtureTest,
    ::testing::Values(FixtureCase{"sample.srt"}, FixtureCase{"sample.vtt"},
                      FixtureCase{"sample.ass"}, FixtureCase{"sample.sbv"},
                      FixtureCase{"sample-labels.txt", 2, 0, "Hello there second line"},
                      FixtureCase{"utf16.srt"}, FixtureCase{"malformed.srt", 2, 2}));

class SubtitleImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"),
                                   wav::Simple(1, 1000, std::vector<qint16>(10000, 0))));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        AddCues(doc, {{0, 500, "old"}});
    }

    QString Write(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(wav::WriteFile(path, bytes));
        return path;
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

TEST_F(SubtitleImportTest, ReplacesTheCuesAsOneStepAndTellsWhatWasSkipped) {
    OnImportSubtitles(doc, host,
                      Write("s.srt", "00:00:01,000 --> 00:00:02,000\na\n\nbad\n\n"
                                     "00:00:03,000 --> 00:00:04,000\nb\n"));
    EXPECT_EQ(Describe(doc.Cues().Records(0, doc.Cues().Count())),
              (QStringList{"1000-2000:a", "3000-4000:b"}));
    EXPECT_EQ(host.messages,
              QStringList{"Imported 2 cues; skipped 1 malformed blocks (first at line 4)"});
    EXPECT_TRUE(host.questions.isEmpty());
    doc.OnEditUndo();
    EXPECT_EQ(Describe(doc.Cues().Records(0, doc.Cues().Count())), QStringList{"0-500:old"});
}

// Cues that start at or after the last of the 10000 frames are counted in a message; the
// import keeps them.
TEST_F(SubtitleImportTest, CountsTheCuesPastTheEndOfTheRecording) {
    const struct {
        const char* name;
        QByteArray srt;
        const char* message;
    } cases[] = {
        {"from the last frame on",
         "00:00:09,999 --> 00:00:11,000\na\n\n00:00:10,000 --> 00:00:11,000\nb\n\n"
         "00:00:12,000 --> 00:00:13,000\nc\n",
         "Imported 3 cues; 2 cues lie past the end of the recording"},
        {"after the skipped blocks",
         "00:00:01,000 --> 00:00:02,000\na\n\nbad\n\n00:00:30,000 --> 00:00:31,000\nb\n",
         "Imported 2 cues; skipped 1 malformed blocks (first at line 4); 1 cues lie past the end "
         "of the recording"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.messages.clear();
        host.answers = {true};
        OnImportSubtitles(doc, host, Write("s.srt", c.srt));
        EXPECT_EQ(host.messages, QStringList{c.message});
        EXPECT_TRUE(host.statuses.isEmpty());
    }
}

TEST_F(SubtitleImportTest, AsksFirstWhenModifiedAndChangesNothingWithoutCues) {
    doc.SetModifiedFlag();
    const QString srt = Write("s.srt", "00:00:01,000 --> 00:00:02,000\na\n");
    OnImportSubtitles(doc, host, srt);
    EXPECT_EQ(host.questions.size(), 1);
    host.answers = {true};
    OnImportSubtitles(doc, host, srt);
    EXPECT_EQ(host.statuses, QStringList{"Imported 1 cues"});
    host.answers = {true};
    OnImportSubtitles(doc, host, Write("empty.srt", "nothing here\n"));
    EXPECT_EQ(
        host.messages,
        QStringList{"No cues found in empty.srt; skipped 1 malformed blocks (first at line 1)"});
    EXPECT_EQ(Describe(doc.Cues().Records(0, doc.Cues().Count())), QStringList{"1000-2000:a"});
}

// A text with no times is read as the .txt cue sidecar is; its report, whatever the file's
// name, is a status. (A prose file named .srt stays a malformed SRT file, as above.)
TEST_F(SubtitleImportTest, TextsWithoutTimesAreReadAsTheCueSidecarIs) {
    const struct {
        const char* file;
        QByteArray bytes;
        QStringList cues; ///< over the 10000 frames of the recording
        const char* status;
    } cases[] = {
        {"notes; draft.txt",
         "First line\n  second \n\n\nTwo\n",
         {"0-5000:#First line\nsecond\n", "5000-10000:#Two\n"},
         "Read notes; draft.txt as a plain script: 2 cues"},
        {"cues", "[100,300]\nhello\n\n", {"100-300:hello"}, "Imported 1 cues"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        host.statuses.clear();
        host.answers = {true};
        OnImportSubtitles(doc, host, Write(c.file, c.bytes));
        EXPECT_EQ(Describe(doc.Cues().Records(0, doc.Cues().Count())), c.cues);
        EXPECT_EQ(host.statuses, QStringList{c.status});
        EXPECT_TRUE(host.messages.isEmpty());
    }
}

} // namespace
