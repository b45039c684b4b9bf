#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kBom = QByteArray("\xEF\xBB\xBF");
constexpr int kFrames = 1000;

/// Frame i of the recording holds i on the left and -i on the right.
std::vector<qint16> Ramp(int from, int to) {
    std::vector<qint16> interleaved;
    for (int i = from; i < to; ++i) {
        interleaved.push_back(qint16(i));
        interleaved.push_back(qint16(-i));
    }
    return interleaved;
}

class CliCueTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wav::WriteFile(Path("in.wav"), wav::Simple(2, 8000, Ramp(0, kFrames))));
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    /// A recording `name`.wav with a .txt sidecar holding `cues`.
    void WriteWithCues(const QString& name, const QByteArray& cues) {
        ASSERT_TRUE(wav::WriteFile(Path(name + ".wav"), wav::Simple(2, 8000, Ramp(0, kFrames))));
        ASSERT_TRUE(wav::WriteFile(Path(name + ".txt"), cues));
    }

    QStringList Files(const QString& folder) const {
        QStringList names = QDir(Path(folder)).entryList(QDir::Files);
        names.sort();
        return names;
    }

    QTemporaryDir dir;
};

TEST_F(CliCueTest, AddTakesBackslashNAsALineBreak) {
    const CliRun run = RunCli(
        {"edit", Path("in.wav"), Path("out.wav"), "select", "0", "100", "add", "hello\\nworld"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(wav::ReadFile(Path("out.txt")), kBom + "[0,100]\r\nhello\r\nworld\r\n\r\n");
    EXPECT_TRUE(RunCli({"info", Path("out.wav")}).out.contains("\ncues: 1\n"));
}

struct EditCueCase {
    const char* name = "";
    QStringList ops;
    int status = 0;
    QString out;
    QString err;
    QByteArray txt; ///< out.txt after the byte-order mark; nothing is written with status 1
};

class CliEditCueTest : public CliCueTest, public ::testing::WithParamInterface<EditCueCase> {};

TEST_P(CliEditCueTest, AppliesCueOperations) {
    const EditCueCase& c = GetParam();
    QStringList args = {"edit", Path("in.wav"), Path("out.wav")};
    args += c.ops;
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    if (c.status == 0) {
        EXPECT_EQ(wav::ReadFile(Path("out.txt")), kBom + c.txt);
    } else {
        EXPECT_FALSE(QFile::exists(Path("out.wav")));
        EXPECT_FALSE(QFile::exists(Path("out.txt")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliEditCueTest,
    ::testing::Values(
        EditCueCase{"CheckPrintsTheOverlappingCue",
                    {"select", "0", "100", "add", "a", "select", "50", "150", "add", "b", "check"},
                    0,
                    "1\n",
                    "",
                    "[0,100]\r\na\r\n\r\n[50,150]\r\nb\r\n\r\n"},
        EditCueCase{"CheckWithoutOverlap",
                    {"select", "0", "100", "add", "a", "select", "200", "300", "add", "b", "check"},
                    1,
                    "",
                    "NOT FOUND\n",
                    ""},
        EditCueCase{"CheckWithoutCues", {"check"}, 1, "", "NOT FOUND\n", ""},
        EditCueCase{
            "Delete",
            {"select", "0", "100", "add", "a", "select", "200", "300", "add", "b", "delete", "0"},
            0,
            "",
            "",
            "[200,300]\r\nb\r\n\r\n"},
        EditCueCase{"DeleteMissingCue",
                    {"select", "0", "100", "add", "a", "delete", "5"},
                    0,
                    "",
                    "",
                    "[0,100]\r\na\r\n\r\n"},
        EditCueCase{"Attach",
                    {"select", "0", "100", "add", "a", "select", "200", "300", "add", "b", "select",
                     "400", "500", "attach", "0"},
                    0,
                    "",
                    "",
                    "[200,300]\r\nb\r\n\r\n[400,500]\r\na\r\n\r\n"},
        // "#b" goes to 50..150 and loses its mark; "#a" before it is laid 0..50.
        EditCueCase{"AttachPlaceholder",
                    {"select", "0", "100", "add", "#a", "select", "100", "200", "add", "#b",
                     "select", "50", "150", "attach", "1"},
                    0,
                    "",
                    "",
                    "[0,50]\r\n#a\r\n\r\n[50,150]\r\nb\r\n\r\n"},
        EditCueCase{"AttachToANarrowSelection",
                    {"select", "0", "100", "add", "a", "select", "10", "15", "attach", "0"},
                    1,
                    "",
                    "left=10 right=15\n",
                    ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExportCase {
    const char* name = "";
    QString flag;
    QStringList files;
};

class CliExportTest : public CliCueTest, public ::testing::WithParamInterface<ExportCase> {};

TEST_P(CliExportTest, WritesNumberedClips) {
    WriteWithCues("src", "[0,100]\nA\n\n[100,200]\nB\n\n[200,300]\nC\n\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    const CliRun run = RunCli({"export", Path("src.wav"), Path("out/10.wav"), GetParam().flag});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Files("out"), GetParam().files);
    EXPECT_EQ(wav::ReadFile(Path("out/10.wav")), wav::Simple(2, 8000, Ramp(0, 100)));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CliExportTest,
    ::testing::Values(
        ExportCase{"Pairs", "--pairs", {"10.txt", "10.wav", "10v.wav", "11.txt", "11.wav"}},
        ExportCase{
            "Single", "--single", {"10.txt", "10.wav", "11.txt", "11.wav", "12.txt", "12.wav"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliCueTest, ExportPairTextAndCompanion) {
    WriteWithCues("src", "[0,100]\nQ1\nR1\n\n[100,200]\nX\n\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    EXPECT_EQ(RunCli({"export", Path("src.wav"), Path("out/4.wav"), "--pairs"}).status, 0);
    EXPECT_EQ(wav::ReadFile(Path("out/4.txt")), kBom + "Q1\r\nX\r\nR1");
    EXPECT_EQ(wav::ReadFile(Path("out/4v.wav")), wav::Simple(2, 8000, Ramp(100, 200)));
}

TEST_F(CliCueTest, ExportIntoAMissingFolderShowsTheMessage) {
    WriteWithCues("src", "[0,100]\nA\n\n");
    const CliRun run = RunCli({"export", Path("src.wav"), Path("missing/5.wav"), "--single"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Open error " + Path("missing/5.wav") + "\n");
}

TEST_F(CliCueTest, ExportWrongUsage) {
    const QStringList cases[] = {
        {"export", Path("in.wav"), Path("p.wav"), "--both"},
        {"export", Path("in.wav"), Path("p.wav")},
        {"export", Path("in.wav"), Path("p.wav"), "--pairs", "--single"},
    };
    for (const QStringList& args : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("usage:"));
    }
    EXPECT_EQ(Files(""), QStringList{"in.wav"});
}

TEST_F(CliCueTest, ExecSavetestRewritesTheSidecar) {
    WriteWithCues("src", "[0,100]\nA1\nA2\n\n[200,300]\nB\n\n");
    const CliRun run = RunCli({"exec", Path("src.wav"), "  savetest more"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(wav::ReadFile(Path("src.txt")),
              kBom + "[0,100]\r\nA1\r\nA2\r\n\r\n[200,300]\r\nB\r\n\r\n");
}

TEST_F(CliCueTest, ExecUnknownCommand) {
    const CliRun run = RunCli({"exec", Path("in.wav"), "nonsense"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "unknow command\n");
    EXPECT_FALSE(QFile::exists(Path("in.txt")));
}

TEST_F(CliCueTest, InfoCountsOverlappingCues) {
    const struct {
        QByteArray sidecar;
        QString tail;
    } cases[] = {
        {"[0,100]\na\n\n[50,150]\nb\n\n", "cues: 2\noverlaps: 1\n"},
        {"[0,300]\na\n\n[10,50]\nb\n\n[60,100]\nc\n\n", "cues: 3\noverlaps: 2\n"},
        {"[0,100]\na\n\n[100,200]\nb\n\n", "cues: 2\noverlaps: 0\n"},
    };
    for (const auto& c : cases) {
        WriteWithCues("src", c.sidecar);
        const CliRun run = RunCli({"info", Path("src.wav")});
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.out.endsWith(c.tail)) << run.out.toStdString();
    }
}

} // namespace
