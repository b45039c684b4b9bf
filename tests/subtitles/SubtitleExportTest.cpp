#include "subtitles/CueList.h"
#include "subtitles/SubtitleReader.h"
#include "subtitles/SubtitleWriter.h"
#include "support/WavBytes.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CueList ListOf(std::vector<Cue> cues) {
    CueList list;
    list.AddCues(std::move(cues));
    return list;
}

struct WriteCase {
    SubtitleFormat format;
    QByteArray bytes; ///< the whole file, or with `part` a piece of it
    bool part = false;
};

class SubtitleWriteTest : public ::testing::TestWithParam<WriteCase> {};

// At 8000 frames per second, 12 frames are 1.5 ms: the new formats round, the sidecar formats
// cut as the sidecars always have.
TEST_P(SubtitleWriteTest, WritesTheFileOfEachFormat) {
    const WriteCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("out");
    const CueList cues = ListOf({{12, 12000, "#Hi"}, {3600 * 8000, 3600 * 8000 + 4, "a & <b>\nc"}});
    ASSERT_TRUE(WriteSubtitleFile(path, c.format, cues, 8000));
    const QByteArray written = wav::ReadFile(path);
    if (c.part) {
        EXPECT_TRUE(written.contains(c.bytes)) << written.toStdString();
    } else {
        EXPECT_EQ(written, c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SubtitleWriteTest,
    ::testing::Values(WriteCase{SubtitleFormat::Srt,
                                "1\r\n00:00:00,002 --> 00:00:01,500\r\nHi\r\n\r\n"
                                "2\r\n01:00:00,000 --> 01:00:00,001\r\na & <b>\r\nc\r\n\r\n"},
                      WriteCase{SubtitleFormat::WebVtt,
                                "WEBVTT\n\n00:00:00.002 --> 00:00:01.500\nHi\n\n"
                                "01:00:00.000 --> 01:00:00.001\na &amp; &lt;b&gt;\nc\n\n"},
                      WriteCase{SubtitleFormat::Labels,
                                "0.002000\t1.500000\tHi\n3600.000000\t3600.001000\ta & <b> c\n"},
                      WriteCase{SubtitleFormat::Sbv,
                                "\xEF\xBB\xBF"
                                "0:00:00.001,0:00:01.500\r\nHi\r\n\r\n",
                                true},
                      WriteCase{SubtitleFormat::Ass,
                                "Dialogue: 0,0:00:00.00,0:00:01.50,Style0,,,,,,Hi\r\n", true}));

struct RoundTripCase {
    SubtitleFormat format;
    qint64 unit = 1; ///< milliseconds the format's times are cut to (0: rounded to 1 ms)
};

class SubtitleRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(SubtitleRoundTripTest, ImportGivesTheWrittenTimesToTheMillisecond) {
    const RoundTripCase& c = GetParam();
    constexpr qint32 kRate = 44100;
    const std::vector<Cue> cues = {
        {0, 22050, "#placeholder"}, {44123, 90001, "two\nlines"}, {123456789, 123456999, "late"}};
    QTemporaryDir dir;
    const QString path = dir.filePath("out." + SubtitleExtension(c.format));
    ASSERT_TRUE(WriteSubtitleFile(path, c.format, ListOf(cues), kRate));
    const std::optional<SubtitleRead> read = ReadSubtitleFile(path, kRate);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->cues.size(), cues.size());
    const auto written = [&](qint64 frames) {
        return c.unit == 0 ? (frames * 1000 + kRate / 2) / kRate
                           : frames * 1000 / kRate / c.unit * c.unit;
    };
    const auto imported = [](qint64 frames) { return (frames * 1000 + kRate / 2) / kRate; };
    for (size_t i = 0; i < cues.size(); ++i) {
        EXPECT_EQ(imported(read->cues[i].start), written(cues[i].start)) << i;
        EXPECT_EQ(imported(read->cues[i].end), written(cues[i].end)) << i;
    }
    EXPECT_EQ(read->cues[0].text, "placeholder");
    EXPECT_EQ(read->cues[1].text, c.format == SubtitleFormat::Labels ? "two lines" : "two\nlines");
}

INSTANTIATE_TEST_SUITE_P(Formats, SubtitleRoundTripTest,
                         ::testing::Values(RoundTripCase{SubtitleFormat::Srt, 0},
                                           RoundTripCase{SubtitleFormat::WebVtt, 0},
                                           RoundTripCase{SubtitleFormat::Labels, 0},
                                           RoundTripCase{SubtitleFormat::Sbv, 1},
                                           RoundTripCase{SubtitleFormat::Ass, 10}));

class SubtitleFfmpegTest : public ::testing::TestWithParam<SubtitleFormat> {};

// Another reader of the written files: ffmpeg turns them into ASS, which this importer reads
// back. The times lie on whole hundredths, all ASS can hold.
TEST_P(SubtitleFfmpegTest, FfmpegReadsTheSameTimes) {
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty()) {
        GTEST_SKIP() << "no ffmpeg command";
    }
    constexpr qint32 kRate = 8000;
    const std::vector<Cue> cues = {
        {80, 12000, "#Hi"}, {16000, 16080, "a & b\nc"}, {3600 * kRate + 80, 3601 * kRate, "late"}};
    QTemporaryDir dir;
    const QString path = dir.filePath("out." + SubtitleExtension(GetParam()));
    ASSERT_TRUE(WriteSubtitleFile(path, GetParam(), ListOf(cues), kRate));
    QProcess process;
    process.start(ffmpeg, {"-v", "error", "-i", path, "-f", "ass", "-"});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    ASSERT_TRUE(wav::WriteFile(dir.filePath("back.ass"), process.readAllStandardOutput()));
    const std::optional<SubtitleRead> read = ReadSubtitleFile(dir.filePath("back.ass"), 1000);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->cues.size(), cues.size());
    for (size_t i = 0; i < cues.size(); ++i) {
        EXPECT_EQ(read->cues[i].start, cues[i].start / 8) << i;
        EXPECT_EQ(read->cues[i].end, cues[i].end / 8) << i;
    }
    EXPECT_EQ(read->cues[1].text, "a & b\nc");
}

INSTANTIATE_TEST_SUITE_P(Formats, SubtitleFfmpegTest,
                         ::testing::Values(SubtitleFormat::Srt, SubtitleFormat::WebVtt));

} // namespace
