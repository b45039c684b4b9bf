#include "document/CtarnDoc.h"
#include "support/CliRun.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

class SidecarTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }

    void WriteWav(const QString& name, int frames = 8000) {
        ASSERT_TRUE(wav::WriteFile(Path(name),
                                   wav::Simple(1, 8000, std::vector<qint16>(size_t(frames), 3))));
    }

    QStringList CueTexts() const {
        QStringList texts;
        for (int i = 0; i < doc.Cues().Count(); ++i) {
            texts << QStringLiteral("%1-%2:%3")
                         .arg(doc.Cues().Start(i))
                         .arg(doc.Cues().End(i))
                         .arg(doc.Cues().Text(i));
        }
        return texts;
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

TEST_F(SidecarTest, OpenReadsTheTxtBesideTheWave) {
    WriteWav("song.WAV");
    ASSERT_TRUE(wav::WriteFile(Path("song.txt"), kBom + "[300,400]\r\nb\r\n\r\n[0,100]\r\na\r\n"));
    ASSERT_TRUE(doc.OnOpenDocument(Path("song.WAV")));
    EXPECT_EQ(CueTexts(), (QStringList{"0-100:a", "300-400:b"}));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SidecarTest, PlainScriptIsSpreadWhenThereAreNoBlocks) {
    WriteWav("talk.wav", 300);
    ASSERT_TRUE(wav::WriteFile(Path("talk.txt"), "Hello there.\n\nSecond thought.\nGoes on.\n"));
    ASSERT_TRUE(doc.OnOpenDocument(Path("talk.wav")));
    EXPECT_EQ(CueTexts(),
              (QStringList{"0-150:#Hello there.\n", "150-300:#Second thought.\nGoes on.\n"}));
}

TEST_F(SidecarTest, SaveThenOpenGivesTheSameCuesAndTheSameBytes) {
    WriteWav("a.wav");
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    AddCues(doc, {{0, 4000, "one\ntwo"}, {2000, 6000, "#later"}, {7000, 7999, "end"}});
    ASSERT_TRUE(doc.OnSaveDocument(Path("b.wav")));
    EXPECT_TRUE(host.messages.isEmpty());
    const QStringList saved = CueTexts();

    const QStringList sidecars = {"b.wav", "b.txt", "b.sbv", "b.ass"};
    std::vector<QByteArray> first;
    for (const QString& name : sidecars) {
        first.push_back(wav::ReadFile(Path(name)));
    }
    EXPECT_TRUE(first[1].startsWith(kBom + "[0,4000]\r\none\r\ntwo\r\n\r\n[2000,6000]"));
    EXPECT_TRUE(first[2].startsWith(kBom + "0:00:00.000,0:00:00.500\r\n"));
    EXPECT_TRUE(first[3].contains("Dialogue: 0,0:00:00.25,0:00:00.75,Style0,,,,,,#later\r\n"));

    ASSERT_TRUE(doc.OnOpenDocument(Path("b.wav")));
    EXPECT_EQ(CueTexts(), saved);
    ASSERT_TRUE(doc.OnSaveDocument(Path("b.wav")));
    for (qsizetype i = 0; i < sidecars.size(); ++i) {
        EXPECT_EQ(wav::ReadFile(Path(sidecars[int(i)])), first[i])
            << sidecars[int(i)].toStdString();
    }
}

TEST_F(SidecarTest, EachSidecarFailsOnItsOwn) {
    WriteWav("a.wav");
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    AddCues(doc, {{0, 100, "x"}});
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(QDir(dir.path()).mkdir("c.sbv"));
    EXPECT_FALSE(doc.OnSaveDocument(Path("c.wav")));
    EXPECT_EQ(host.messages, QStringList{"open file error4"});
    EXPECT_TRUE(QFile::exists(Path("c.wav")));
    EXPECT_EQ(wav::ReadFile(Path("c.txt")), kBom + "[0,100]\r\nx\r\n\r\n");
    EXPECT_TRUE(wav::ReadFile(Path("c.ass")).startsWith(kBom + "[Script Info]\r\n"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.File().GetPathName(), Path("c.wav"));

    host.messages.clear();
    ASSERT_TRUE(QDir(dir.path()).mkdir("d.txt"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("d.ass"));
    EXPECT_FALSE(doc.OnSaveDocument(Path("d.wav")));
    EXPECT_EQ(host.messages,
              (QStringList{"open file error3 " + Path("d.txt"), "open file error2"}));
    EXPECT_TRUE(QFile::exists(Path("d.sbv")));
}

// A save stopped between the WAV and its sidecars leaves new audio beside old cues. Here the
// file-size limit ends tarn-cli as it writes the .txt, after the smaller WAV.
TEST_F(SidecarTest, OpenAfterASaveCutShortSaysTheCuesMayNotMatch) {
    WriteWav("a.wav", 8);
    const QByteArray txt = kBom + "[4,6]\r\n" + QByteArray(300, 'x') + "\r\n\r\n";
    ASSERT_TRUE(wav::WriteFile(Path("a.txt"), txt));
    QProcess cli;
    cli.setChildProcessModifier([] {
        const rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
    });
    cli.start(TARN_CLI_PATH, {"edit", Path("a.wav"), Path("a.wav"), "select", "0", "2", "cut"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(wav::ReadFile(Path("a.txt")), txt);

    const QString warning =
        "The last save of a.wav did not finish: its cues may not match its audio";
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    EXPECT_EQ(doc.GetRecording().Frames(), 6);
    EXPECT_EQ(host.messages, QStringList{warning});
    // A save that fails again keeps the warning; one that completes ends it.
    ASSERT_TRUE(QDir(dir.path()).mkdir("a.sbv"));
    EXPECT_FALSE(doc.OnSaveDocument(Path("a.wav")));
    host.messages.clear();
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    EXPECT_EQ(host.messages, QStringList{warning});
    // The warning is no refusal: an edit goes on and saves.
    ASSERT_TRUE(QDir(dir.path()).rmdir("a.sbv"));
    const CliRun edit = RunCli({"edit", Path("a.wav"), Path("a.wav"), "select", "0", "1", "cut"});
    EXPECT_EQ(edit.status, 1);
    EXPECT_EQ(edit.err, warning + "\n");
    host.messages.clear();
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    EXPECT_EQ(doc.GetRecording().Frames(), 5);
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(SidecarTest, EmptyListWritesOnlyByteOrderMarks) {
    WriteWav("a.wav");
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    ASSERT_TRUE(doc.OnSaveDocument(Path("a.wav")));
    EXPECT_EQ(wav::ReadFile(Path("a.txt")), kBom);
    EXPECT_EQ(wav::ReadFile(Path("a.sbv")), kBom);
}

} // namespace

namespace {

TEST_F(SidecarTest, OnlyACompleteSaveSaysWhatItWrote) {
    WriteWav("talk.wav");
    ASSERT_TRUE(doc.OnOpenDocument(Path("talk.wav")));
    ASSERT_TRUE(doc.OnSaveDocument(Path("copy.wav")));
    EXPECT_EQ(host.statuses, QStringList{"Saved copy.wav with its .txt, .sbv and .ass"});
    ASSERT_TRUE(QDir(Path("blocked.txt")).mkpath("."));
    EXPECT_FALSE(doc.OnSaveDocument(Path("blocked.wav")));
    EXPECT_EQ(host.statuses.size(), 1);
}

} // namespace
