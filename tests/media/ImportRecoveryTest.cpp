#include "actions/Recovery.h"
#include "media/FfmpegDecoder.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CrashCase {
    const char* name;
    bool imported; ///< a decoded MP3; else a new document
    QString question;
};

class ImportRecoveryTest : public ::testing::TestWithParam<CrashCase> {
protected:
    bool Open(CtarnDoc& doc) {
        if (!GetParam().imported) {
            return doc.OnNewDocument();
        }
        OpenedAudio audio = OpenAudioFile(dir.filePath("talk.mp3"));
        return audio.decoder && doc.OnImportDocument(dir.filePath("talk.mp3"), *audio.decoder);
    }

    QTemporaryDir dir;
    FakeHost host;
};

// The way work was lost: a decoded file (or a new document) edited, the timer's record
// written, the program killed without closing; the next start offers it and replays it.
TEST_P(ImportRecoveryTest, TheTimersRecordIsOfferedAndReplayed) {
    const CrashCase& c = GetParam();
    if (c.imported) {
        const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        if (ffmpeg.isEmpty()) {
            GTEST_SKIP() << "no ffmpeg command";
        }
        ASSERT_EQ(QProcess::execute(ffmpeg, {"-v", "error", "-f", "lavfi", "-i",
                                             "sine=frequency=300:sample_rate=8000:duration=2",
                                             "-ac", "2", dir.filePath("talk.mp3")}),
                  0);
    }
    const QString folder = dir.filePath("recovery");
    std::vector<qint16> edited;
    std::vector<Cue> cues;
    {
        CtarnDoc crashed(host);
        RecoveryKeeper keeper(crashed, host, folder, 20);
        ASSERT_TRUE(Open(crashed));
        crashed.ChangeCues("Add", [](CueList& list) { list.AddCues({{800, 2400, "spoken"}}); });
        if (c.imported) {
            crashed.SetSelection(1000, 3000);
            crashed.ScaleSelection(11);
        }
        QDeadlineTimer deadline(5000);
        while (QDir(folder).isEmpty() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        edited = ChannelOf(crashed, 0);
        cues = crashed.Cues().Records(0, crashed.Cues().Count());
        // Nothing is saved or given up: the objects end as a killed program's would, without
        // the questions of the close path.
    }

    CtarnDoc doc(host);
    RecoveryKeeper keeper(doc, host, folder);
    ASSERT_TRUE(Open(doc));
    host.answers.push_back(true);
    if (c.imported) {
        keeper.OfferForOpenFile();
    } else {
        keeper.OfferAtStart();
    }
    EXPECT_EQ(host.questions, QStringList{c.question});
    EXPECT_EQ(ChannelOf(doc, 0), edited);
    ASSERT_EQ(doc.Cues().Count(), 1);
    EXPECT_EQ(doc.Cues().Records(0, 1)[0].text, cues[0].text);
    EXPECT_EQ(doc.Cues().Start(0), cues[0].start);
    EXPECT_TRUE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ImportRecoveryTest,
    ::testing::Values(CrashCase{"Imported", true, "Recover unsaved changes to talk.mp3?"},
                      CrashCase{"New", false, "Recover unsaved changes to a new document?"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
