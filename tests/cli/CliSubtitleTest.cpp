#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct SubsCase {
    const char* name = "";
    QStringList args; ///< "IN" stands for the WAV, other names for files in the folder
    int status = 0;
    QString err;
    const char* written = ""; ///< a file that exists afterwards exactly when status is 0
};

class CliSubtitleTest : public ::testing::TestWithParam<SubsCase> {};

// in.wav: one second at 1000 frames per second with one cue; good.srt two cues, one
// malformed block; bad.srt none.
TEST_P(CliSubtitleTest, ImportsAndExportsWithTheirExitStatus) {
    const SubsCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(
        wav::WriteFile(dir.filePath("in.wav"), wav::Simple(2, 1000, std::vector<qint16>(2000, 0))));
    ASSERT_TRUE(wav::WriteFile(dir.filePath("in.txt"), "[100,200]\nhello\n\n"));
    ASSERT_TRUE(wav::WriteFile(dir.filePath("good.srt"),
                               "1\n00:00:00,100 --> 00:00:00,200\na\n\nbroken\n\n"
                               "00:00:00,300 --> 00:00:00,400\nb\n"));
    ASSERT_TRUE(wav::WriteFile(dir.filePath("bad.srt"), "nothing\n"));
    QStringList args;
    for (const QString& a : c.args) {
        args << (a.contains('.') && !a.startsWith('-') ? dir.filePath(a) : a);
    }
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, c.status);
    if (!c.err.isNull()) {
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(QFile::exists(dir.filePath(c.written)), c.status == 0) << c.written;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliSubtitleTest,
    ::testing::Values(
        SubsCase{"ImportSome",
                 {"import-subs", "in.wav", "good.srt", "out.wav"},
                 0,
                 "Imported 2 cues; skipped 1 malformed blocks (first at line 5)\n",
                 "out.txt"},
        SubsCase{"ImportNone",
                 {"import-subs", "in.wav", "bad.srt", "out.wav"},
                 1,
                 "No cues found in bad.srt; skipped 1 malformed blocks (first at line 1)\n",
                 "out.wav"},
        SubsCase{"ImportMissing", {"import-subs", "in.wav", "no.srt", "out.wav"}, 1, {}, "out.wav"},
        SubsCase{"ImportUsage", {"import-subs", "in.wav", "good.srt"}, 2, {}, "out.wav"},
        SubsCase{"ExportByExtension", {"export-subs", "in.wav", "out.vtt"}, 0, "", "out.vtt"},
        SubsCase{"ExportNamed",
                 {"export-subs", "in.wav", "out.x", "--format", "labels"},
                 0,
                 "",
                 "out.x"},
        SubsCase{"ExportUnknownExtension", {"export-subs", "in.wav", "out.x"}, 2, {}, "out.x"},
        SubsCase{"ExportUnknownFormat",
                 {"export-subs", "in.wav", "out.srt", "--format", "doc"},
                 2,
                 {},
                 "out.srt"},
        SubsCase{"ExportOverTheSidecar",
                 {"export-subs", "in.wav", "in.txt"},
                 1,
                 "in.txt is the cue file of in.wav\n",
                 "out.srt"},
        SubsCase{"ExportUnwritable",
                 {"export-subs", "in.wav", "no/such/dir.srt"},
                 1,
                 {},
                 "no/such/dir.srt"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
