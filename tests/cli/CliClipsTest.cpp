#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr int kRate = 22050;
constexpr int kFrames = 3 * kRate;

struct Cue {
    int start;
    int end;
    const char* text;      ///< as in the .txt file
    const char* indexText; ///< as in the index
};

const Cue kCues[] = {
    {2205, 13230, "one", "one"},
    {22050, 33075, "two\nlines & more", "two<br>lines &amp; more"},
    {60000, 66150, "three", "three"},
};

/// in.wav (3 s of a 440 Hz tone at 22,050 Hz) and its cues in `dir`.
void WriteRecording(const QTemporaryDir& dir) {
    std::vector<qint16> samples;
    for (int i = 0; i < kFrames; ++i) {
        const auto v = qint16(8000 * std::sin(2 * M_PI * 440 * i / kRate));
        samples.insert(samples.end(), {v, v});
    }
    ASSERT_TRUE(wav::WriteFile(dir.filePath("in.wav"), wav::Simple(2, kRate, samples)));
    QByteArray cues;
    for (const Cue& c : kCues) {
        cues += QString("[%1,%2]\n%3\n\n").arg(c.start).arg(c.end).arg(c.text).toUtf8();
    }
    ASSERT_TRUE(wav::WriteFile(dir.filePath("in.txt"), cues));
}

/// The arguments with "@name" standing for the file `name` in `dir`.
QStringList InDir(const QStringList& args, const QTemporaryDir& dir) {
    QStringList out;
    for (const QString& a : args) {
        out << (a.startsWith('@') ? dir.filePath(a.mid(1)) : a);
    }
    return out;
}

struct FormatCase {
    const char* format;
    int rate;         ///< of the clips
    double tolerance; ///< seconds: one frame, or the encoder's frame
};

const FormatCase kFormats[] = {
    {"wav", kRate, 1.0 / kRate},
    {"flac", kRate, 1.0 / kRate},
    {"mp3", kRate, 1152.0 / kRate},
    {"opus", 48000, 0.02},
};

class CliClipsFormatTest : public ::testing::TestWithParam<FormatCase> {};

// Every clip as a real reader sees it: the cue with 150 ms before and 250 ms after, clamped
// to the recording; the index names each clip and its text.
TEST_P(CliClipsFormatTest, ClipsHaveTheirLengthsAndTheIndexNamesThem) {
    const QString ffprobe = QStandardPaths::findExecutable("ffprobe");
    if (ffprobe.isEmpty()) {
        GTEST_SKIP() << "no ffprobe command";
    }
    const FormatCase& c = GetParam();
    QTemporaryDir dir;
    WriteRecording(dir);
    const CliRun run =
        RunCli(InDir({"export-clips", "@in.wav", "@out", "--format", c.format}, dir));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList written = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(written.size(), 4);
    EXPECT_EQ(written[3], dir.filePath("out/index.tsv"));

    QStringList rows = QString::fromUtf8(wav::ReadFile(written[3])).split('\n', Qt::SkipEmptyParts);
    rows.removeIf([](const QString& row) { return row.startsWith('#'); });
    ASSERT_EQ(rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QString name = QFileInfo(written[i]).fileName();
        EXPECT_TRUE(name.endsWith(QString(".") + c.format)) << name.toStdString();
        const QStringList fields = rows[i].split('\t');
        ASSERT_EQ(fields.size(), 6) << rows[i].toStdString();
        EXPECT_EQ(fields[1], name);
        EXPECT_EQ(fields[4], kCues[i].indexText);
        EXPECT_EQ(fields[5], "[sound:" + name + "]");

        QProcess probe;
        probe.start(ffprobe, {"-v", "error", "-show_entries",
                              "format=duration:stream=sample_rate,start_time", "-of",
                              "default=noprint_wrappers=1", written[i]});
        ASSERT_TRUE(probe.waitForFinished(30000));
        std::map<QString, QString> values;
        for (const QString& line : QString(probe.readAllStandardOutput()).split('\n')) {
            values[line.section('=', 0, 0)] = line.section('=', 1);
        }
        const int lo = std::max(0, kCues[i].start - kRate * 150 / 1000);
        const int hi = std::min(kFrames, kCues[i].end + kRate * 250 / 1000);
        // A reported start is the encoder's priming, which the duration includes.
        const double priming = std::max(values["start_time"].toDouble(), 0.0);
        EXPECT_NEAR(values["duration"].toDouble() - priming, double(hi - lo) / kRate, c.tolerance)
            << name.toStdString();
        EXPECT_EQ(values["sample_rate"].toInt(), c.rate) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, CliClipsFormatTest, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.format); });

struct StatusCase {
    const char* name;
    QStringList args; ///< after "export-clips"
    int status;
    int lines;                  ///< printed on standard output
    QString err;                ///< null: not checked
    const char* made = nullptr; ///< a file made beforehand
};

const StatusCase kStatuses[] = {
    {"NoFolder", {"@in.wav"}, 2, 0, {}},
    {"UnknownFormat", {"@in.wav", "@out", "--format", "ogg"}, 2, 0, {}},
    {"NegativePadding", {"@in.wav", "@out", "--pad-before", "-1"}, 2, 0, {}},
    // Only the dialog's ranges: beyond them a number or a padding wraps in 32 bits.
    {"StartPastTheLargest", {"@in.wav", "@out", "--start", "2147483647"}, 2, 0, {}},
    {"NegativeStart", {"@in.wav", "@out", "--start", "-1"}, 2, 0, {}},
    {"PaddingPastTheLargest", {"@in.wav", "@out", "--pad-after", "2147483647"}, 2, 0, {}},
    {"LargestNumbers",
     {"@in.wav", "@out", "--start", "999999", "--pad-before", "10000", "--pad-after", "10000"},
     0,
     4,
     ""},
    {"CuesOfTheProgramOnly", {"@in.wav", "@out", "--cues", "current"}, 2, 0, {}},
    {"MissingValue", {"@in.wav", "@out", "--pattern"}, 2, 0, {}},
    {"NoIndex", {"@in.wav", "@out", "--no-index", "--fade", "--normalize"}, 0, 3, ""},
    {"Loudness", {"@in.wav", "@out", "--loudness", "-23"}, 0, 4, ""},
    {"LoudnessOfNoTarget", {"@in.wav", "@out", "--loudness", "-15"}, 2, 0, {}},
    {"LoudnessAndPeak", {"@in.wav", "@out", "--normalize", "--loudness", "-16"}, 2, 0, {}},
    {"IndexElsewhere", {"@in.wav", "@out", "--index", "@list.tsv", "--start", "0"}, 0, 4, ""},
    {"ExistingFilesAreKept",
     {"@in.wav", "@out", "--pattern", "{n}"},
     1,
     0,
     "Replace 1 existing files?\n",
     "out/2.wav"},
    {"FolderIsAFile", {"@in.wav", "@in.txt"}, 1, 0, {}},
    {"MissingRecording", {"@none.wav", "@out"}, 1, 0, {}},
    // The three cues are 400 and 1221.1 ms apart: one clip, its index and the deck.
    {"JoinedWithContextInADeck",
     {"@in.wav", "@out", "--join-gap", "1222", "--context", "--apkg", "@out/d.apkg", "--deck",
      "Cards"},
     0,
     3,
     ""},
    {"JoinedOnlyWhereCloseEnough", {"@in.wav", "@out", "--join-gap", "1220"}, 0, 3, ""},
    {"JoinGapPastTheLargest", {"@in.wav", "@out", "--join-gap", "10001"}, 2, 0, {}},
    {"HeightWithoutStills", {"@in.wav", "@out", "--snapshot-height", "200"}, 2, 0, {}},
    {"DeckNameWithoutPackage", {"@in.wav", "@out", "--deck", "Cards"}, 2, 0, {}},
    {"TranslationUnreadable", {"@in.wav", "@out", "--translation", "@none.srt"}, 1, 0, {}},
    {"StillsOfASourceWithoutPicture", {"@in.wav", "@out", "--snapshot"}, 1, 0, {}},
    // The clips and the index are written; the package never half.
    {"PackageUnwritable", {"@in.wav", "@out", "--apkg", "@nowhere/d.apkg"}, 1, 4, {}},
};

class CliClipsStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(CliClipsStatusTest, ExitsWithItsStatus) {
    const StatusCase& c = GetParam();
    QTemporaryDir dir;
    WriteRecording(dir);
    if (c.made) {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QFileInfo(dir.filePath(c.made)).path()));
        ASSERT_TRUE(wav::WriteFile(dir.filePath(c.made), "old"));
    }
    const CliRun run = RunCli(InDir(QStringList{"export-clips"} + c.args, dir));
    EXPECT_EQ(run.status, c.status) << run.err.toStdString();
    EXPECT_EQ(run.out.count('\n'), c.lines) << run.out.toStdString();
    if (!c.err.isNull()) {
        EXPECT_EQ(run.err, c.err);
    }
    if (c.made) {
        EXPECT_EQ(wav::ReadFile(dir.filePath(c.made)), "old");
        EXPECT_EQ(QDir(QFileInfo(dir.filePath(c.made)).path()).count(), 3u); // ".", "..", it
    }
}

INSTANTIATE_TEST_SUITE_P(Usage, CliClipsStatusTest, ::testing::ValuesIn(kStatuses),
                         [](const auto& info) { return std::string(info.param.name); });

// A video as the source: decoded for the clips, its pictures for the stills.
TEST(CliCardsTest, StillsTranslationAndDeckFromAVideo) {
    if (QStandardPaths::findExecutable("ffmpeg").isEmpty()) {
        GTEST_SKIP() << "ffmpeg is needed to make the video";
    }
    QTemporaryDir dir;
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-loglevel",
                            "error",
                            "-f",
                            "lavfi",
                            "-i",
                            "color=c=red:s=320x240:r=10:d=1",
                            "-f",
                            "lavfi",
                            "-i",
                            "color=c=blue:s=320x240:r=10:d=1",
                            "-f",
                            "lavfi",
                            "-i",
                            "sine=f=440:d=2",
                            "-filter_complex",
                            "[0][1]concat=n=2:v=1:a=0[v]",
                            "-map",
                            "[v]",
                            "-map",
                            "2",
                            "-c:v",
                            "mpeg4",
                            "-c:a",
                            "aac",
                            dir.filePath("in.mp4")});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
    // One cue in the blue second (at the decoded rate of 44.1 kHz), its translation.
    ASSERT_TRUE(wav::WriteFile(dir.filePath("in.txt"), "[48000,80000]\nBlue\n\n"));
    ASSERT_TRUE(
        wav::WriteFile(dir.filePath("t.srt"), "1\n00:00:01,100 --> 00:00:01,800\nBleu\n\n"));
    const CliRun run =
        RunCli(InDir({"export-clips", "@in.mp4", "@out", "--snapshot", "--snapshot-height", "120",
                      "--translation", "@t.srt", "--apkg", "@out/d.apkg"},
                     dir));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count('\n'), 4) << run.out.toStdString(); // clip, still, index, deck
    const QByteArray still = wav::ReadFile(dir.filePath("out/in 001 Blue.jpg"));
    EXPECT_TRUE(still.startsWith("\xFF\xD8")) << "a JPEG";
    const QByteArray index = wav::ReadFile(dir.filePath("out/index.tsv"));
    EXPECT_TRUE(index.contains("#columns:Number\tFile\tStart\tEnd\tText\tAudio\tTranslation\t"
                               "Picture\n#deck:in\n"))
        << index.toStdString();
    EXPECT_TRUE(index.contains("\tBleu\t<img src=\"in 001 Blue.jpg\">\n"));
    EXPECT_TRUE(QFileInfo(dir.filePath("out/d.apkg")).size() > still.size());
}

} // namespace
