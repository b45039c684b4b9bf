#include "subtitles/CueFormats.h"
#include "base/TextFile.h"
#include "support/WavBytes.h"

#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

using Cues = std::vector<std::tuple<int, int, QString>>;

Cues Flatten(const std::vector<Cue>& cues) {
    Cues out;
    for (const Cue& c : cues) {
        out.emplace_back(c.start, c.end, c.text);
    }
    return out;
}

CueList ListOf(const Cues& cues) {
    std::vector<Cue> batch;
    for (const auto& [s, e, t] : cues) {
        batch.push_back({s, e, t});
    }
    CueList list;
    list.AddCues(batch);
    return list;
}

struct TxtCase {
    const char* name = "";
    QStringList lines = {};
    Cues cues = {};
};

class ReadCueTxtTest : public ::testing::TestWithParam<TxtCase> {};

TEST_P(ReadCueTxtTest, ReadsBlocks) {
    EXPECT_EQ(Flatten(ReadCueTxt(GetParam().lines)), GetParam().cues);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadCueTxtTest,
    ::testing::Values(
        TxtCase{"TwoLines", {"[0,44100]", "Hello", "World", ""}, {{0, 44100, "Hello\nWorld"}}},
        TxtCase{"ShortCueLastsTwentyFrames", {"[100,110]", "x", ""}, {{100, 120, "x"}}},
        TxtCase{"NegativeStartIsZero", {"[-5,50]", "x", ""}, {{0, 50, "x"}}},
        TxtCase{"EndBeforeStart", {"[200,100]", "x", ""}, {{200, 220, "x"}}},
        TxtCase{"NumbersThatDoNotParse", {"[abc,def]", "x", ""}, {{0, 20, "x"}}},
        TxtCase{"BlanksAndCrTrimmed", {"[0,100]", "  a \r", "\tb", " \r", ""}, {{0, 100, "a\nb"}}},
        TxtCase{"BlankTextAddsNoCue", {"[0,100]", "   ", "", "[5,50]", "y", ""}, {{5, 50, "y"}}},
        TxtCase{"BracketInsideBlockIsText", {"[0,100]", "[aside]", ""}, {{0, 100, "[aside]"}}},
        TxtCase{"HeaderWithoutCommaMovesStartOnly",
                {"[0,100]", "a", "", "[300]", "ignored", "", "[,]", "b", ""},
                {{0, 100, "a"}, {0, 20, "b"}}},
        TxtCase{"LastBlockWithoutEmptyLineIsKept",
                {"[0,100]", "a", "", "[200,300]", "b"},
                {{0, 100, "a"}, {200, 300, "b"}}},
        TxtCase{"LinesOutsideBlocksSkipped",
                {"title", "[10,40]", "a", "", "trailer", ""},
                {{10, 40, "a"}}},
        TxtCase{"Empty", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImportPlainScriptTest, SpreadsParagraphsEvenly) {
    const QStringList script = {"one", "", "two", "lines", "", "", "three", ""};
    EXPECT_EQ(Flatten(ImportPlainScript(script, 300)),
              (Cues{{0, 100, "#one\n"}, {100, 200, "#two\nlines\n"}, {200, 300, "#three\n"}}));
}

TEST(ImportPlainScriptTest, LastParagraphWithoutEmptyLineCounts) {
    EXPECT_EQ(Flatten(ImportPlainScript({"a", "", "b"}, 101)),
              (Cues{{0, 50, "#a\n"}, {50, 100, "#b\n"}}));
}

TEST(ImportPlainScriptTest, NothingWithoutParagraphsOrFrames) {
    EXPECT_TRUE(ImportPlainScript({"", " ", ""}, 100).empty());
    EXPECT_TRUE(ImportPlainScript({"a", ""}, 0).empty());
}

const QString kAssHeader =
    "[Script Info]\nScriptType:v4.00+\nPlayResX:1280\nPlayResY:720\nWrapStyle:0\n"
    "[V4+ Styles]\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
    "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
    "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n"
    "Style: Style0, Microsoft YaHei, 64, &Hffffff, &Hffff00, &H000000, &H0, 1, 0, 0, 0, 100, "
    "100, 5, 0, 1, 13, 0, 2, , , 60, 0\n"
    "Style: Style1, Microsoft YaHei, 64, &H78c257, &Hffff00, &H000000, &H0, 1, 0, 0, 0, 100, "
    "100, 5, 0, 1, 13, 0, 2, , , 60, 0\n"
    "Style: Style2, Microsoft YaHei, 64, &Hffffff, &Hffff00, &H000000, &H0, 1, 0, 0, 0, 100, "
    "100, 5, 0, 1, 13, 0, 2, , , 60, 0\n"
    "Style: Style3, Microsoft YaHei, 64, &H78c257, &Hffff00, &H000000, &H0, 1, 0, 0, 0, 100, "
    "100, 5, 0, 1, 13, 0, 2, , , 60, 0\n"
    "[Events]\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n";

TEST(CueWritersTest, EmptyListWritesNoRecords) {
    const CueList none;
    EXPECT_EQ(FormatCueTxt(none), "");
    EXPECT_EQ(FormatCueSbv(none, 8000), "");
    EXPECT_EQ(FormatCueAss(none, 8000), kAssHeader);
}

TEST(CueWritersTest, RecordsOfEachFormat) {
    const CueList cues =
        ListOf({{0, 8000, " Hi "}, {12000, 20000, "a\n\n b \r\nc\nd\ne"}, {30000, 30100, " \n "}});
    EXPECT_EQ(FormatCueTxt(cues),
              "[0,8000]\nHi\n\n[12000,20000]\na\nb\nc\nd\ne\n\n[30000,30100]\n\n\n");
    EXPECT_EQ(FormatCueSbv(cues, 8000), "0:00:00.000,0:00:01.000\nHi\n\n"
                                        "0:00:01.500,0:00:02.500\na\nb\nc\nd\ne\n\n"
                                        "0:00:03.750,0:00:03.762\n\n\n");
    EXPECT_EQ(FormatCueAss(cues, 8000), kAssHeader +
                                            "Dialogue: 0,0:00:00.00,0:00:01.00,Style0,,,,,,Hi\n"
                                            "Dialogue: 0,0:00:01.50,0:00:02.50,Style0,,,,,,a\n"
                                            "Dialogue: 0,0:00:01.50,0:00:02.50,Style1,,,,,,b\n"
                                            "Dialogue: 0,0:00:01.50,0:00:02.50,Style2,,,,,,c\n"
                                            "Dialogue: 0,0:00:01.50,0:00:02.50,Style3,,,,,,de\n");
}

TEST(CueWritersTest, RateOfZeroWritesZeroTimes) {
    const CueList cues = ListOf({{100, 200, "x"}});
    EXPECT_EQ(FormatCueSbv(cues, 0), "0:00:00.000,0:00:00.000\nx\n\n");
    EXPECT_EQ(FormatCueAss(cues, 0),
              kAssHeader + "Dialogue: 0,0:00:00.00,0:00:00.00,Style0,,,,,,x\n");
}

TEST(CueWritersTest, WrittenTextReadsBack) {
    const CueList cues =
        ListOf({{0, 500, "first\nline two"}, {40, 90, "overlap"}, {600, 700, "z"}});
    const std::vector<Cue> read = ReadCueTxt(SplitTextLines(FormatCueTxt(cues)));
    CueList again;
    again.AddCues(read);
    EXPECT_EQ(FormatCueTxt(again), FormatCueTxt(cues));
    EXPECT_EQ(read.size(), 3u);
}

TEST(MergePairTextTest, FirstLineFramesTheSecondCue) {
    EXPECT_EQ(MergePairText("Q1\nR1", "X"), "Q1\nX\nR1\n");
    EXPECT_EQ(MergePairText("A", "B\nC"), "A\nB\nC\n");
    EXPECT_EQ(MergePairText("\nA", "B"), "\nA\nB\n");
}

TEST(SidecarBaseTest, DropsTheFinalExtensionOnly) {
    const struct {
        QString in;
        QString out;
    } cases[] = {
        {"/a/song.wav", "/a/song"}, {"/a/song.WAV", "/a/song"},   {"/a/b.c.wave", "/a/b.c"},
        {"/a/noext", "/a/noext"},   {"/a.d/noext", "/a.d/noext"}, {"/a/.hidden", "/a/.hidden"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SidecarBase(c.in), c.out) << c.in.toStdString();
    }
}

TEST(TextFileTest, ReadsEveryEncodingAndLineEnd) {
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"utf8", "a\r\nb\n\xc3\xa9", {"a", "b", QString::fromUtf8("\xc3\xa9")}},
        {"utf8bom", "\xEF\xBB\xBFx\n\n", {"x", ""}},
        {"utf16", QByteArray("\xFF\xFEh\0i\0\n\0\xAC\x20", 10), {"hi", QString(QChar(0x20AC))}},
        {"invalid", "\xFF\xC3(\n", {QString(QChar(0xFFFD)) + QChar(0xFFFD) + "("}},
        {"empty", "", {}},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.name);
        ASSERT_TRUE(wav::WriteFile(path, c.bytes));
        EXPECT_EQ(ReadTextLines(path), c.lines) << c.name;
    }
    EXPECT_EQ(ReadTextLines(dir.filePath("missing")), std::nullopt);
}

TEST(TextFileTest, WritesBomAndCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    ASSERT_TRUE(WriteTextFile(path, QString::fromUtf8("a\n\xc3\xa9\n")));
    EXPECT_EQ(wav::ReadFile(path), QByteArray("\xEF\xBB\xBF"
                                              "a\r\n\xc3\xa9\r\n"));
    EXPECT_FALSE(WriteTextFile(dir.filePath("none/out.txt"), "x"));
}

// Files of a few hundred KiB of random bytes, thick with line ends, multi-byte sequences and
// broken ones: read as decoding the whole file at once and splitting it would.
TEST(TextFileTest, LargeFilesReadAsOneWholeDecode) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.txt");
    const char alphabet[] = "a\r\n\0\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xD8\xDC\xFF";
    std::mt19937 random(11);
    const QByteArray marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE"};
    for (const QByteArray& mark : marks) {
        for (int round = 0; round < 4; ++round) {
            QByteArray body(200000 + round, '\0');
            for (char& c : body) {
                c = alphabet[random() % (sizeof alphabet - 1)];
            }
            ASSERT_TRUE(wav::WriteFile(path, mark + body));
            QStringDecoder decoder(mark.size() == 2 ? QStringDecoder::Utf16LE
                                                    : QStringDecoder::Utf8);
            EXPECT_EQ(ReadTextLines(path), SplitTextLines(decoder.decode(body)))
                << mark.toHex().toStdString() << " round " << round;
        }
    }
}

// A long repeated run of awkward neighbours (lone surrogates beside a pair, CR LF, a lone CR),
// shifted so that each of its characters meets a chunk boundary in one of the texts: the bytes
// are the mark and the UTF-8 of the whole text with CR LF for LF, and they read back as such.
TEST(TextFileTest, LargeTextsWriteAsOneWholeEncodeAndReadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.txt");
    const QString run = QString::fromUtf16(u"a\xD800\U0001F600\xDC00\r\n\r\u00E9\n\n\u20AC");
    for (qsizetype shift = 0; shift < run.size(); ++shift) {
        const QString text = QString(shift, QChar('a')) + run.repeated(200000 / run.size());
        ASSERT_TRUE(WriteTextFile(path, text));
        const QByteArray utf8 = QString(text).replace(QChar('\n'), QStringLiteral("\r\n")).toUtf8();
        EXPECT_EQ(wav::ReadFile(path), "\xEF\xBB\xBF" + utf8) << "shift " << shift;
        EXPECT_EQ(ReadTextLines(path), SplitTextLines(QString::fromUtf8(utf8)))
            << "shift " << shift;
    }
}

} // namespace
