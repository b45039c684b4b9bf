#include "alignment/SpokenSet.h"
#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList kSentences = {"Good evening and welcome to the news.",
                                "Tonight we look at the weather in the north."};

class CliAlignTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(CliAlignTest, LaysThePlaceholdersSavesAndPrintsEachCue) {
    const SpokenSet set = SpokenSet::Make(kSentences, {700}, 800, false);
    ASSERT_FALSE(set.truth.empty()) << "flite is needed to speak the test sentences";
    ASSERT_TRUE(set.Write(Path("in.wav")));
    // A plain script: its paragraphs come in as placeholder cues.
    ASSERT_TRUE(wav::WriteFile(Path("in.txt"),
                               kSentences[0].toUtf8() + "\n\n" + kSentences[1].toUtf8() + "\n\n"));

    const CliRun run = RunCli({"align", Path("in.wav"), Path("out.wav"), "--language", "en"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    for (int k = 0; k < 2; ++k) {
        const QStringList fields = lines[k].split(' ');
        ASSERT_EQ(fields.size(), 3) << lines[k].toStdString();
        EXPECT_NEAR(fields[0].toInt(), set.truth[size_t(k)].lo, SpokenSet::kRate / 5);
        EXPECT_NEAR(fields[1].toInt(), set.truth[size_t(k)].hi, SpokenSet::kRate / 5);
        EXPECT_EQ(fields[2].size(), 4) << "two decimals";
    }
    const QByteArray saved = wav::ReadFile(Path("out.txt"));
    EXPECT_TRUE(saved.contains(kSentences[1].toUtf8()));
    EXPECT_FALSE(saved.contains('#'));
}

struct RefusalCase {
    const char* name;
    QByteArray sidecar;
    QStringList options;
    int status;
};

class CliAlignRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CliAlignRefusalTest, SaysWhyAndWritesNothing) {
    const RefusalCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(wav::WriteFile(dir.filePath("in.wav"),
                               wav::Simple(2, 8000, std::vector<qint16>(2 * 16000, 1000))));
    ASSERT_TRUE(wav::WriteFile(dir.filePath("in.txt"), c.sidecar));
    const CliRun run =
        RunCli(QStringList{"align", dir.filePath("in.wav"), dir.filePath("out.wav")} + c.options);
    EXPECT_EQ(run.status, c.status);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("out.wav")));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, CliAlignRefusalTest,
    ::testing::Values(
        RefusalCase{"NoPlaceholders", "[0,8000]\nHello there\n\n", {"--language", "en"}, 1},
        RefusalCase{"UnknownLanguage", "[0,8000]\n#Hello there\n\n", {"--language", "xx-none"}, 1},
        RefusalCase{"NothingToSpeak", "[0,8000]\n#\n\n", {"--language", "en"}, 1},
        RefusalCase{"WrongCues", "[0,8000]\n#Hello\n\n", {"--cues", "some"}, 2},
        RefusalCase{"NoCuesAtAll", "", {"--cues", "all", "--language", "en"}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
