#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Three seconds at 8 kHz, 8 frames a millisecond; the netflix limits are 5/6 s to 7 s,
// 20 cps, 2 frames at 24 fps (83.333 ms) between cues, 42 characters a line and 2 lines.
const QByteArray kClean = "[0,8000]\nhello\n\n[16000,24000]\nworld\n\n";
const QByteArray kFaulty = "[0,4000]\nhello\n\n[4500,12500]\na\nb\nc\n\n"
                           "[12000,20000]\n" +
                           QByteArray(50, 'x') + "\n\n";

struct CheckCase {
    const char* name = "";
    QByteArray sidecar;
    QStringList options; ///< after "check WAV"
    int status = 0;
    QString out;
};

class CliCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CliCheckTest, PrintsEachProblemAndSaysWhetherThereIsAny) {
    const CheckCase& c = GetParam();
    QTemporaryDir dir;
    const QString wav = dir.filePath("in.wav");
    ASSERT_TRUE(wav::WriteFile(wav, wav::Simple(1, 8000, std::vector<qint16>(24000))));
    ASSERT_TRUE(wav::WriteFile(dir.filePath("in.txt"), c.sidecar));
    const CliRun run = RunCli(QStringList{"check", wav} + c.options);
    EXPECT_EQ(run.status, c.status) << run.err.toStdString();
    EXPECT_EQ(run.out, c.out);
    if (c.status == 2) {
        EXPECT_TRUE(run.err.startsWith("usage:")) << run.err.toStdString();
    } else {
        EXPECT_EQ(run.err, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliCheckTest,
    ::testing::Values(
        CheckCase{"Clean", kClean, {}, 0, ""},
        CheckCase{"Faulty",
                  kFaulty,
                  {},
                  1,
                  "1\tshort\t500\t833.333\n1\tgap\t62.5\t83.333\n2\toverlap\t62.5\t0\n"
                  "2\tlines\t3\t2\n3\tcps\t50.0\t20.0\n3\tline\t50\t42\n"},
        CheckCase{"FaultyWithLooserLimits",
                  kFaulty,
                  {"--max-lines", "3", "--max-cps", "50", "--min-duration", "500", "--min-gap",
                   "62.5", "--max-chars", "50", "--profile", "netflix-children"},
                  1,
                  "2\toverlap\t62.5\t0\n"},
        CheckCase{"GapAtAnOverride", kClean, {"--min-gap", "1000"}, 0, ""},
        CheckCase{
            "GapPastAnOverride", kClean, {"--min-gap", "1000.001"}, 1, "1\tgap\t1000\t1000.001\n"},
        CheckCase{"GapOfVideoFrames", kClean, {"--fps", "0.002"}, 1, "1\tgap\t1000\t1000000\n"},
        CheckCase{"UnknownProfile", kClean, {"--profile", "cinema"}, 2, ""},
        CheckCase{"NegativeCount", kClean, {"--max-chars", "-1"}, 2, ""},
        CheckCase{"FrameRateOfZero", kClean, {"--fps", "0"}, 2, ""},
        CheckCase{"UnknownOption", kClean, {"--max-words", "3"}, 2, ""},
        CheckCase{"OptionWithoutValue", kClean, {"--max-cps"}, 2, ""},
        CheckCase{"RepeatedOption", kClean, {"--max-lines", "1", "--max-lines", "2"}, 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliCheckUsageTest, WithoutARecordingIsWrongUsage) {
    const CliRun run = RunCli({"check"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.startsWith("usage:")) << run.err.toStdString();
}

} // namespace
