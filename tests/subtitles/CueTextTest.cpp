#include "subtitles/CueText.h"
#include "subtitles/CueFigures.h"
#include "subtitles/CueList.h"

#include <gtest/gtest.h>

namespace {

TEST(CueTextTest, NormalizeTrimsLinesAndDropsEmptyOnes) {
    const struct {
        QString in;
        QString out;
    } cases[] = {
        {" a \r\n\n b ", "a\nb"},
        {"\t\n \r\n", ""},
        {"", ""},
        {"one", "one"},
        {"x\n\n\ny\n", "x\ny"},
        {"\r\r  keep  inner  spaces \r", "keep  inner  spaces"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeCueText(c.in), c.out) << c.in.toStdString();
    }
}

TEST(CueTextTest, LeadingIntReadsLikeAtoi) {
    const struct {
        QString in;
        int out;
    } cases[] = {
        {"123", 123},
        {"  42,7", 42},
        {"-5,50]", -5},
        {"+8x", 8},
        {"abc", 0},
        {"", 0},
        {"- 3", 0},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483648},
        {"2147483647", 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingInt(c.in), c.out) << c.in.toStdString();
    }
}

TEST(CueTextTest, ClockTimesMeanWhatTheirFormatsSay) {
    const struct {
        qint64 position;
        qint32 rate;
        const char* sbv;
        const char* ass;
    } cases[] = {
        {0, 44100, "0:00:00.000", "0:00:00.00"},
        {66150, 44100, "0:00:01.500", "0:00:01.50"},
        {qint64(3723) * 44100 + 11025, 44100, "1:02:03.250", "1:02:03.25"},
        {qint64(3600) * 8000 - 1, 8000, "0:59:59.999", "0:59:59.99"},
        {8000, 8000, "0:00:01.000", "0:00:01.00"},
        {2147483647, 8000, "74:33:55.455", "74:33:55.45"},
        {12345, 0, "0:00:00.000", "0:00:00.00"},
        {12345, -44100, "0:00:00.000", "0:00:00.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCueTime(c.position, c.rate), c.sbv) << c.position;
        EXPECT_EQ(FormatAssTime(c.position, c.rate), c.ass) << c.position;
    }
}

TEST(CueFiguresTest, CharactersSpeedAndTheStatusLine) {
    EXPECT_EQ(CueCharacters(QStringLiteral("ab\ncd")), 4);
    EXPECT_EQ(CueCharacters(QStringLiteral("\U0001F600 ok")), 4); // one code point, not two
    EXPECT_EQ(CpsText(CharsPerSecond(QStringLiteral("abcd"), 0, 8000, 8000)), "4.0");
    EXPECT_EQ(CpsText(CharsPerSecond(QStringLiteral("abc"), 100, 100, 8000)), "");
    CueList cues;
    cues.AddCues({{8000, 22200, "Fifteen letters"}, {30000, 30000, "none"}});
    EXPECT_EQ(CueStatusText(cues, 0, 8000), "Cue 1: 0:00:01.000 - 0:00:02.775 (1.775 s, 8.5 cps)");
    EXPECT_EQ(CueStatusText(cues, 1, 8000), "Cue 2: 0:00:03.750 - 0:00:03.750 (0.000 s)");
}

} // namespace
