#include "support/FullDisk.h"
#include "actions/ClipSaves.h"
#include "actions/SubtitleTransfer.h"
#include "document/CtarnDoc.h"
#include "document/RecoveryRecord.h"
#include "subtitles/ClipSet.h"
#include "subtitles/Sidecars.h"
#include "support/CliRun.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

/// A folder on a full disk, holding an old version of every file a writer replaces, and a
/// document opened from its a.wav with cues of its own.
struct World {
    QString Path(const QString& name) const { return dir.filePath(name); }

    /// One planned clip of one frame, written as WAV with the index after it.
    bool WriteClips(const QString& clipName) {
        ClipSetOptions options;
        options.folder = dir.path();
        options.indexPath = Path("index.tsv");
        WavClipEncoder encoder;
        const ClipSetResult result =
            WriteClipSet(doc.GetRecording(), {{1, clipName, 0, 1, 0, 1, "x"}}, options, encoder,
                         [](int, int) { return true; });
        if (!result.error.isEmpty()) {
            host.ShowMessage(result.error);
        }
        return result.error.isEmpty();
    }

    /// tarn-cli with `args`; its standard error taken as the messages it showed.
    bool Cli(const QStringList& args) {
        const CliRun run = RunCli(args);
        host.messages << run.err.split(QChar('\n'), Qt::SkipEmptyParts);
        return run.status == 0;
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

struct WriterCase {
    const char* name;
    const char* target;
    std::function<bool(World&)> write;
    /// What the writer says; %1 stands for the target's path, %2 for the system's reason.
    QStringList messages;
    /// Bytes the disk takes before it is full, for a writer whose first files must fit.
    qint64 room = 0;
    /// Files the writer completes before the one that fails.
    QStringList created = {};
};

// A one-frame stereo WAV clip.
constexpr qint64 kOneFrameWav = 44 + 4;

const WriterCase kWriters[] = {
    {"TxtSidecar",
     "a.txt",
     [](World& w) { return WriteCueTxt(w.Path("a.txt"), w.doc.Cues(), w.host); },
     {"open file error3 %1"}},
    {"SbvSidecar",
     "a.sbv",
     [](World& w) {
         return WriteCueSbv(w.Path("a.sbv"), w.doc.GetRecording(), w.doc.Cues(), w.host);
     },
     {"open file error4"}},
    {"AssSidecar",
     "a.ass",
     [](World& w) {
         return WriteCueAss(w.Path("a.ass"), w.doc.GetRecording(), w.doc.Cues(), w.host);
     },
     {"open file error2"}},
    {"SrtExport",
     "x.srt",
     [](World& w) { return ExportSubtitles(w.doc, w.host, w.Path("x.srt"), SubtitleFormat::Srt); },
     {"Cannot write %1"}},
    {"WebVttExport",
     "x.vtt",
     [](World& w) {
         return ExportSubtitles(w.doc, w.host, w.Path("x.vtt"), SubtitleFormat::WebVtt);
     },
     {"Cannot write %1"}},
    {"LabelExport",
     "labels.txt",
     [](World& w) {
         return ExportSubtitles(w.doc, w.host, w.Path("labels.txt"), SubtitleFormat::Labels);
     },
     {"Cannot write %1"}},
    {"RecoveryRecord",
     "r.tarnrec",
     [](World& w) {
         RecoveryRecord record;
         record.cues = w.doc.Cues().Records(0, w.doc.Cues().Count());
         return WriteRecoveryFile(w.Path("r.tarnrec"), record);
     },
     {}},
    // The WAV fails first: the sidecars, which would not match the old audio, stay too.
    {"DocumentSave",
     "a.wav",
     [](World& w) { return w.doc.OnSaveDocument(w.Path("a.wav")); },
     {"write file error %1"}},
    {"SaveClip",
     "c.wav",
     [](World& w) {
         w.host.savePaths.push_back(w.Path("c.wav"));
         OnSaveClip(w.doc, w.host);
         return w.host.messages.isEmpty();
     },
     {"write file error %1"}},
    {"ClipSetWav", "k.wav", [](World& w) { return w.WriteClips("k.wav"); }, {"%1: %2"}},
    {"ClipIndex",
     "index.tsv",
     [](World& w) { return w.WriteClips("new.wav"); },
     {"%1: %2"},
     kOneFrameWav,
     {"new.wav"}},
    {"CliSave",
     "a.wav",
     [](World& w) {
         return w.Cli({"save", w.Path("a.wav")});
     },
     {"write file error %1"}},
    {"CliExportSubs",
     "x.srt",
     [](World& w) {
         return w.Cli({"export-subs", w.Path("a.wav"), w.Path("x.srt")});
     },
     {"Cannot write %1"}},
};

void PrintTo(const WriterCase& c, std::ostream* out) {
    *out << c.name;
}

class FullDiskTest : public ::testing::TestWithParam<WriterCase> {};

// Small files failed silently: Qt's commit() renamed an empty temporary file over the old one
// when only the flush at its end ran out of room.
TEST_P(FullDiskTest, LeavesTheOldFileAndSaysSo) {
    const WriterCase& c = GetParam();
    World w;
    FullDisk disk(w.dir.path());
    if (!disk.Unavailable().isEmpty()) {
        GTEST_SKIP() << "no way to fill a disk here: " << disk.Unavailable().toStdString();
    }
    std::map<QString, QByteArray> old = {
        {"a.wav", wav::Simple(2, 8000, std::vector<qint16>(2000, 7))},
        {"a.txt", "\xEF\xBB\xBF[0,10]\r\nold\r\n\r\n"},
    };
    for (const char* name : {"a.sbv", "a.ass", "x.srt", "x.vtt", "labels.txt", "r.tarnrec", "c.wav",
                             "k.wav", "index.tsv"}) {
        old[name] = QByteArray("old ") + name;
    }
    for (const auto& [name, bytes] : old) {
        ASSERT_TRUE(wav::WriteFile(w.Path(name), bytes));
    }
    ASSERT_TRUE(w.doc.OnOpenDocument(w.Path("a.wav")));
    AddCues(w.doc, {{10, 400, "new"}, {500, 900, "newer"}});
    w.doc.SetSelection(0, 100);

    ASSERT_TRUE(disk.Fill(c.room));
    const bool written = c.write(w);
    disk.Release();

    EXPECT_FALSE(written);
    QStringList messages;
    for (const QString& message : c.messages) {
        messages << QString(message).replace("%1", w.Path(c.target)).replace("%2", disk.Reason());
    }
    EXPECT_EQ(w.host.messages, messages) << w.host.messages.join(" | ").toStdString();
    QStringList expected = c.created;
    for (const auto& [name, bytes] : old) {
        EXPECT_EQ(wav::ReadFile(w.Path(name)), bytes) << name.toStdString();
        expected << name;
    }
    // No temporary file and no mark of an unfinished save stay behind.
    QStringList present = QDir(w.dir.path()).entryList(QDir::Files | QDir::Hidden);
    present.removeAll(FullDisk::FillerName());
    expected.sort();
    present.sort();
    EXPECT_EQ(present, expected);
}

INSTANTIATE_TEST_SUITE_P(Writers, FullDiskTest, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
