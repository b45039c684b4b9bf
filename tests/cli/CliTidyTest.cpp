#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Six silent seconds at 8 kHz. By default the minimum gap is 2 frames at 24 fps (667 frames
// here), gaps under 12 frames (4000) close and cues last at least 5/6 s (6667).
const QByteArray kSidecar = "[800,1600]\na\n\n[3000,12000]\nb\n\n[12100,20000]\nc\n\n";
const QString kListed = "1\t800\t1600\ta\n2\t3000\t12000\tb\n3\t12100\t20000\tc\n";

struct TidyCase {
    const char* name = "";
    QStringList options = {};
    int status = 0;
    QString out = {};
    QString listed = {}; ///< `cues` of what was written
};

class CliTidyTest : public ::testing::TestWithParam<TidyCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            wav::WriteFile(Path("in.wav"), wav::Simple(2, 8000, std::vector<qint16>(2 * 48000))));
        ASSERT_TRUE(wav::WriteFile(Path("in.txt"), kSidecar));
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_P(CliTidyTest, TidiesAndCounts) {
    const TidyCase& c = GetParam();
    const CliRun run = RunCli(QStringList{"tidy", Path("in.wav"), Path("out.wav")} + c.options);
    EXPECT_EQ(run.status, c.status) << run.err.toStdString();
    EXPECT_EQ(run.out, c.out);
    if (c.status == 0) {
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(RunCli({"cues", Path("out.wav")}).out, c.listed);
    } else {
        EXPECT_TRUE(run.err.startsWith("usage:")) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("out.wav")));
    }
}

const QString kTidied = "1\t800\t2333\ta\n2\t3000\t11433\tb\n3\t12100\t20000\tc\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, CliTidyTest,
    ::testing::Values(TidyCase{"Defaults", {}, 0, "2 cues changed\n", kTidied},
                      TidyCase{
                          "NoSpeechToSnapTo", {"--snap", "100"}, 0, "2 cues changed\n", kTidied},
                      TidyCase{"Leads",
                               {"--lead-in", "100", "--lead-out", "100"},
                               0,
                               "3 cues changed\n",
                               "1\t0\t2333\ta\n2\t3000\t11433\tb\n3\t12100\t20800\tc\n"},
                      TidyCase{"FramesOfAnotherVideo",
                               {"--fps", "25", "--profile", "netflix-children"},
                               0,
                               "2 cues changed\n",
                               "1\t800\t2360\ta\n2\t3000\t11460\tb\n3\t12100\t20000\tc\n"},
                      TidyCase{"NothingToDo",
                               {"--min-gap", "0", "--close-gaps", "0", "--min-duration", "0"},
                               0,
                               "0 cues changed\n",
                               kListed},
                      TidyCase{"NegativeTime", {"--snap", "-5"}, 2},
                      TidyCase{"UnknownProfile", {"--profile", "cinema"}, 2},
                      TidyCase{"FrameRateOfZero", {"--fps", "0"}, 2},
                      TidyCase{"OptionWithoutValue", {"--lead-in"}, 2},
                      TidyCase{"RepeatedOption", {"--lead-in", "1", "--lead-in", "2"}, 2},
                      TidyCase{"UnknownOption", {"--what", "3"}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliTidyUsageTest, NeedsTheOutput) {
    const CliRun run = RunCli({"tidy", "in.wav"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.startsWith("usage:"));
}

} // namespace
