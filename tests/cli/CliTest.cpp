#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using wav::Samples16;
using wav::U32;

class CliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wav::WriteFile(Path("in.wav"), kSource)); }

    QString Path(const QString& name) const { return dir.filePath(name); }

    /// Four stereo frames: left 1, 2, 3, 4 and right -1, -2, -3, -4.
    const QByteArray kSource = wav::Simple(2, 8000, {1, -1, 2, -2, 3, -3, 4, -4});
    QTemporaryDir dir;
};

QByteArray Stereo(const std::vector<qint16>& interleaved) {
    return wav::Simple(2, 8000, interleaved);
}

TEST_F(CliTest, InfoPrintsTheFormat) {
    const CliRun run = RunCli({"info", Path("in.wav")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "frames: 4\nrate: 8000\nchannels: 2\nbits: 16\ncues: 0\noverlaps: 0\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, InfoShowsChannelsAndBitsAsStored) {
    wav::Format mono8;
    mono8.channels = 1;
    mono8.bits = 8;
    mono8.rate = 11025;
    ASSERT_TRUE(wav::WriteFile(Path("m.wav"), wav::File(mono8, wav::Chunk("data", "abc"))));
    EXPECT_EQ(RunCli({"info", Path("m.wav")}).out,
              "frames: 3\nrate: 11025\nchannels: 1\nbits: 8\ncues: 0\noverlaps: 0\n");
}

TEST_F(CliTest, MessagesGoToStandardErrorWithStatusOne) {
    wav::Format floating;
    floating.audioFormat = 3;
    ASSERT_TRUE(wav::WriteFile(Path("f.wav"), wav::File(floating, wav::Chunk("data", "abcd"))));
    const struct {
        QStringList args;
        QString err;
    } cases[] = {
        {{"info", Path("missing.wav")}, "cannot read " + Path("missing.wav") + "\n"},
        {{"info", Path("f.wav")}, "AudioFormat must equ 1\n"},
        {{"save", Path("in.wav"), Path("no/dir/out.wav")},
         "write file error " + Path("no/dir/out.wav") + "\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, 1) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(CliTest, WrongUsagePrintsUsageWithStatusTwo) {
    const QStringList cases[] = {
        {},
        {"frobnicate"},
        {"info"},
        {"clip", Path("in.wav"), "1", "x", Path("c.wav")},
        {"edit", Path("in.wav"), Path("o.wav"), "select", "1"},
        {"edit", Path("in.wav"), Path("o.wav"), "shred"},
        {"peaks", Path("in.wav"), "3", "0", "1"},
        {"peaks", Path("in.wav"), "0", "0", "1"},
        {"peaks", Path("in.wav"), "8192", "0", "1"},
        {"peaks", Path("in.wav"), "2", "-1", "1"},
        {"peaks", Path("in.wav"), "2", "0", "-1"},
        {"peaks", Path("in.wav"), "2", "0"},
    };
    for (const QStringList& args : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("usage:")) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("o.wav")));
}

TEST_F(CliTest, PeaksPrintsTheColumnsThatExist) {
    // Five frames: left 1 .. 5, right -1 .. -5.
    ASSERT_TRUE(wav::WriteFile(Path("p.wav"), Stereo({1, -1, 2, -2, 3, -3, 4, -4, 5, -5})));
    const struct {
        QString zoom, first, count, out;
    } cases[] = {
        // The last column is partial: its missing frame is 0 and takes part in lo and hi.
        {"2", "0", "9", "0 1 1 2 2 -1 -1 -2 -2\n1 3 3 4 4 -3 -3 -4 -4\n2 5 5 0 0 -5 -5 0 0\n"},
        {"4", "1", "1", "1 5 5 0 0 -5 -5 0 0\n"},
        {"1", "5", "3", "5 0 0 0 0 0 0 0 0\n"},
        {"4096", "2", "5", ""},
        {"2", "0", "0", ""},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli({"peaks", Path("p.wav"), c.zoom, c.first, c.count});
        EXPECT_EQ(run.status, 0) << c.zoom.toStdString();
        EXPECT_EQ(run.out, c.out) << c.zoom.toStdString();
    }
}

TEST_F(CliTest, HelpPrintsUsage) {
    const CliRun run = RunCli({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains("tarn-cli edit WAV OUT OP..."));
}

TEST_F(CliTest, SaveWritesTheSameBytesBack) {
    EXPECT_EQ(RunCli({"save", Path("in.wav"), Path("out.wav")}).status, 0);
    EXPECT_EQ(wav::ReadFile(Path("out.wav")), kSource);
    EXPECT_EQ(RunCli({"save", Path("in.wav")}).status, 0);
    EXPECT_EQ(wav::ReadFile(Path("in.wav")), kSource);
}

TEST_F(CliTest, ClipWritesTheFrames) {
    EXPECT_EQ(RunCli({"clip", Path("in.wav"), "3", "1", Path("c.wav")}).status, 0);
    EXPECT_EQ(wav::ReadFile(Path("c.wav")), Stereo({2, -2, 3, -3}));
}

TEST_F(CliTest, EditAppliesOperationsInOrder) {
    const struct {
        QStringList ops;
        QByteArray expected;
    } cases[] = {
        {{"select", "1", "3", "cut"}, Stereo({1, -1, 4, -4})},
        {{"select", "0", "2", "copy", "select", "4", "4", "paste"},
         Stereo({1, -1, 2, -2, 3, -3, 4, -4, 1, -1, 2, -2})},
        {{"select", "3", "4", "softer"}, Stereo({1, -1, 2, -2, 3, -3, 3, -3})},
        {{}, kSource},
        // Nothing to undo or redo does nothing, quietly.
        {{"undo", "redo", "select", "1", "3", "cut", "undo"}, kSource},
        {{"select", "1", "3", "cut", "select", "0", "1", "cut", "undo", "undo", "redo"},
         Stereo({1, -1, 4, -4})},
    };
    for (const auto& c : cases) {
        QStringList args = {"edit", Path("in.wav"), Path("e.wav")};
        args += c.ops;
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 0) << c.ops.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(wav::ReadFile(Path("e.wav")), c.expected) << c.ops.join(' ').toStdString();
    }
}

} // namespace
