#include "actions/Recovery.h"
#include "actions/CueCommands.h"
#include "document/CtarnDoc.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<qint16> interleaved;
        for (int i = 0; i < 2000; ++i) {
            interleaved.push_back(qint16(i * 13));
            interleaved.push_back(qint16(-i * 7));
        }
        ASSERT_TRUE(wav::WriteFile(Path("a.wav"), wav::Simple(2, 8000, interleaved)));
        ASSERT_TRUE(wav::WriteFile(Path("a.txt"), "[100,400]\nfirst\n\n[900,1500]\nsecond\n\n"));
    }

    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Folder() const { return dir.filePath("recovery"); }
    QString Record() const { return RecoveryPathFor(Folder(), Path("a.wav")); }

    /// Edits a.wav the way a user would, leaves a record and ends without saving or closing,
    /// as a crash would; saves what the edits made as expected.wav for comparison.
    void EditAndCrash() {
        FakeHost host;
        auto doc = std::make_unique<CtarnDoc>(host);
        auto keeper = std::make_unique<RecoveryKeeper>(*doc, host, Folder());
        ASSERT_TRUE(doc->OnOpenDocument(Path("a.wav")));
        doc->SetSelection(200, 700);
        doc->ScaleSelection(11);
        doc->OnEditCut();
        doc->SetSelection(50, 60);
        doc->OnEditPaste();
        host.texts.push_back(QStringLiteral("added"));
        doc->SetSelection(1000, 1200);
        AddSubtitle(*doc, host, -1);
        doc->SetSelection(10, 30);
        doc->OnEditUndo(); // the history need not end on a sample edit
        doc->OnEditRedo();
        keeper->WriteNow();
        keeper.reset();
        ASSERT_TRUE(QFile::exists(Record()));
        ASSERT_TRUE(doc->OnSaveDocument(Path("expected.wav")));
    }

    /// The WAV file and its sidecars written under `name`.
    std::vector<QByteArray> Files(const QString& name) const {
        std::vector<QByteArray> files;
        for (const char* extension : {".wav", ".txt", ".sbv", ".ass"}) {
            files.push_back(wav::ReadFile(Path(name + extension)));
        }
        return files;
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

TEST_F(RecoveryTest, ReplaysTheRecordOnTheFileAndRemovesItOnSave) {
    EditAndCrash();
    RecoveryKeeper keeper(doc, host, Folder());
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    host.answers.push_back(true);
    keeper.OfferForOpenFile();
    EXPECT_EQ(host.questions, QStringList{"Recover unsaved changes to a.wav?"});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.SelStart(), 10);
    EXPECT_EQ(doc.SelEnd(), 30);
    ASSERT_TRUE(doc.OnSaveDocument(Path("recovered.wav")));
    EXPECT_EQ(Files("recovered"), Files("expected"));
    EXPECT_FALSE(QFile::exists(Record()));
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(RecoveryTest, WrittenSoonAfterAChangeAndRemovedOnSave) {
    RecoveryKeeper keeper(doc, host, Folder(), 20);
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    doc.SetSelection(0, 100);
    doc.OnEditCut();
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(Record()) && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_TRUE(QFile::exists(Record()));
    ASSERT_TRUE(doc.OnSaveDocument(Path("a.wav")));
    EXPECT_FALSE(QFile::exists(Record()));
}

TEST_F(RecoveryTest, AChangedFileGetsOnlyTheCues) {
    EditAndCrash();
    // The file was replaced since: replaying sample edits on it would make nonsense.
    ASSERT_TRUE(wav::WriteFile(Path("a.wav"), wav::Simple(1, 8000, std::vector<qint16>(3000))));
    RecoveryKeeper keeper(doc, host, Folder());
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    host.answers.push_back(true);
    keeper.OfferForOpenFile();
    ASSERT_EQ(host.questions.size(), 1);
    EXPECT_TRUE(
        host.questions[0].endsWith("The file changed since: only the cues can be recovered."));
    EXPECT_EQ(doc.GetRecording().Frames(), 3000);
    EXPECT_TRUE(doc.IsModified());
    CtarnDoc expected(host);
    ASSERT_TRUE(expected.OnOpenDocument(Path("expected.wav")));
    ASSERT_EQ(doc.Cues().Count(), expected.Cues().Count());
    for (int i = 0; i < doc.Cues().Count(); ++i) {
        EXPECT_EQ(doc.Cues().Records(i, 1)[0].text, expected.Cues().Records(i, 1)[0].text);
    }
}

TEST_F(RecoveryTest, NoRemovesTheRecordAndLeavesTheFileAsItIs) {
    EditAndCrash();
    const QByteArray original = wav::ReadFile(Path("a.wav"));
    RecoveryKeeper keeper(doc, host, Folder());
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    keeper.OfferForOpenFile(); // answered No
    EXPECT_EQ(host.questions.size(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(QFile::exists(Record()));
    EXPECT_EQ(wav::ReadFile(Path("a.wav")), original);
}

TEST_F(RecoveryTest, ADamagedRecordIsSetAside) {
    ASSERT_TRUE(QDir().mkpath(Folder()));
    ASSERT_TRUE(wav::WriteFile(Record(), "not a record"));
    RecoveryKeeper keeper(doc, host, Folder());
    ASSERT_TRUE(doc.OnOpenDocument(Path("a.wav")));
    keeper.OfferForOpenFile();
    EXPECT_EQ(host.messages,
              QStringList{"The recovery record " + QDir::toNativeSeparators(Record()) +
                          " cannot be read and was set aside"});
    EXPECT_TRUE(host.questions.isEmpty());
    EXPECT_FALSE(QFile::exists(Record()));
    EXPECT_TRUE(QFile::exists(Record() + ".bad"));
}

TEST_F(RecoveryTest, AtStartAMissingFileIsOfferedWithItsCues) {
    EditAndCrash();
    ASSERT_TRUE(QFile::remove(Path("a.wav")));
    RecoveryKeeper keeper(doc, host, Folder());
    host.answers.push_back(true);
    keeper.OfferAtStart();
    ASSERT_EQ(host.questions.size(), 1);
    EXPECT_TRUE(host.questions[0].endsWith("The file no longer exists: only the cues can be "
                                           "recovered."));
    EXPECT_EQ(doc.GetRecording().Frames(), 0);
    EXPECT_EQ(doc.Cues().Count(), 3);
    EXPECT_TRUE(doc.IsModified());
}

} // namespace
