#include "document/History.h"
#include "actions/CueCommands.h"
#include "actions/CueMoves.h"
#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

/// What a save writes: the WAV and its three sidecars, as bytes.
std::vector<QByteArray> SavedBytes(CtarnDoc& doc, const QString& path) {
    doc.OnSaveDocument(path);
    std::vector<QByteArray> files;
    for (const char* extension : {".wav", ".txt", ".sbv", ".ass"}) {
        files.push_back(wav::ReadFile(path.left(path.size() - 4) + extension));
    }
    return files;
}

using Where = std::tuple<int, int, int>; ///< selection start, end, current cue

Where StateOf(const CtarnDoc& doc) {
    return {doc.SelStart(), doc.SelEnd(), doc.CurrentCue()};
}

/// One of the edits that are steps, on a random selection and current cue. Returns the
/// selection and current cue the edit started from.
Where RandomEdit(CtarnDoc& doc, FakeHost& host, QRandomGenerator& random) {
    const int frames = std::max(doc.GetRecording().Frames(), 1);
    const int a = random.bounded(frames + 1);
    const int b = random.bounded(frames + 1);
    doc.SetSelection(std::min(a, b), std::max(a, b));
    const int cues = doc.Cues().Count();
    doc.SetCurrentCue(cues > 0 ? random.bounded(cues) : -1);
    const int edit = random.bounded(8);
    if (edit == 3) {
        doc.OnEditCopy();
        doc.SetSelection(doc.SelStart(), doc.SelStart() + random.bounded(3) * 7);
    }
    const Where start = StateOf(doc);
    switch (edit) {
    case 0:
        doc.ScaleSelection(9);
        break;
    case 1:
        doc.ScaleSelection(11);
        break;
    case 2:
        doc.OnEditCut();
        break;
    case 3:
        doc.OnEditPaste();
        break;
    case 4:
        host.texts.push_back(QStringLiteral("new %1").arg(random.bounded(100)));
        doc.SetCurrentCue(AddSubtitle(doc, host, doc.CurrentCue()).curCue);
        break;
    case 5:
        doc.SetCurrentCue(DeleteSubtitle(doc, doc.CurrentCue()).curCue);
        break;
    case 6:
        doc.SetCurrentCue(Atach(doc, host, doc.CurrentCue()).curCue);
        break;
    default:
        // An empty text deletes the cue.
        host.texts.push_back(random.bounded(3) == 0 ? QString() : QStringLiteral("edited"));
        doc.SetCurrentCue(EditCueText(doc, host, doc.CurrentCue()).curCue);
    }
    return start;
}

// Undoing every edit gives back the file as it was read, byte for byte, with the selection
// and the current cue of each step; redoing them all gives the edited file again.
TEST(HistoryPropertyTest, UndoAllRestoresRedoAllReapplies) {
    for (quint32 seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        std::vector<qint16> interleaved;
        for (int i = 0; i < 400; ++i) {
            interleaved.push_back(qint16(random.bounded(-30000, 30000)));
            interleaved.push_back(qint16(i * 50));
        }
        ASSERT_TRUE(wav::WriteFile(dir.filePath("in.wav"), wav::Simple(2, 8000, interleaved)));
        ASSERT_TRUE(
            wav::WriteFile(dir.filePath("in.txt"),
                           "[0,100]\na\n\n[50,150]\n#b\n\n[200,260]\n#c\n\n[300,390]\nd\n\n"));
        FakeHost host;
        CtarnDoc original(host);
        ASSERT_TRUE(original.OnOpenDocument(dir.filePath("in.wav")));
        const std::vector<QByteArray> untouched = SavedBytes(original, dir.filePath("u.wav"));

        CtarnDoc doc(host);
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("in.wav")));
        std::vector<Where> before;
        const int edits = 25;
        for (int i = 0; i < edits; ++i) {
            const int steps = doc.GetHistory().Count();
            const Where start = RandomEdit(doc, host, random);
            if (doc.GetHistory().Count() > steps) {
                before.push_back(start);
            }
        }
        const std::vector<QByteArray> edited = SavedBytes(doc, dir.filePath("e.wav"));
        ASSERT_EQ(doc.GetHistory().Count(), int(before.size()));

        for (auto it = before.rbegin(); it != before.rend(); ++it) {
            doc.OnEditUndo();
            EXPECT_EQ(StateOf(doc), *it);
        }
        EXPECT_FALSE(doc.GetHistory().CanUndo());
        EXPECT_EQ(SavedBytes(doc, dir.filePath("undone.wav")), untouched);
        for (size_t i = 0; i < before.size(); ++i) {
            doc.OnEditRedo();
        }
        EXPECT_FALSE(doc.GetHistory().CanRedo());
        EXPECT_EQ(SavedBytes(doc, dir.filePath("redone.wav")), edited);
        // Atach refuses narrow selections with a message; nothing else may complain.
        for (const QString& message : host.messages) {
            EXPECT_TRUE(message.startsWith("left=")) << message.toStdString();
        }
    }
}

// A cue command's undo makes current the cue that was current before it, and its redo the
// cue it made current, whatever was made current in between (a click on another cue).
TEST(HistoryCurrentCueTest, UndoAndRedoBringBackTheCommandsCurrentCue) {
    using Command = std::function<void(CtarnDoc&, Host&)>;
    const struct {
        const char* name;
        Command command;
        int after; ///< the current cue after the command; cue 3 is current before it
    } cases[] = {
        {"add", [](CtarnDoc& d, Host& h) { AddSubtitle(d, h, d.CurrentCue()); }, 2},
        {"delete", [](CtarnDoc& d, Host&) { DeleteSubtitle(d, d.CurrentCue()); }, -1},
        {"atach keeps the position", [](CtarnDoc& d, Host& h) { Atach(d, h, d.CurrentCue()); }, 3},
        {"edit", [](CtarnDoc& d, Host& h) { EditCueText(d, h, d.CurrentCue()); }, 3},
        {"move", [](CtarnDoc& d, Host&) { MoveCue(d, d.CurrentCue(), 10, 20); }, 1},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(
        wav::WriteFile(dir.filePath("a.wav"), wav::Simple(1, 8000, std::vector<qint16>(400, 0))));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        host.texts = {QStringLiteral("new")};
        CtarnDoc doc(host);
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        AddCues(doc, {{0, 100, "a"}, {50, 150, "b"}, {200, 260, "c"}, {300, 390, "d"}});
        doc.SetSelection(120, 180);
        doc.SetCurrentCue(3);
        c.command(doc, host);
        ASSERT_EQ(doc.GetHistory().Count(), 1);
        EXPECT_EQ(doc.CurrentCue(), c.after);
        doc.SetCurrentCue(0);
        doc.OnEditUndo();
        EXPECT_EQ(doc.CurrentCue(), 3);
        doc.SetCurrentCue(0);
        doc.OnEditRedo();
        EXPECT_EQ(doc.CurrentCue(), c.after);
    }
}

// Accepting a cue's timing is one step: undo brings its confidence, and so its mark, back.
TEST(HistoryConfidenceTest, AcceptIsOneStepThatUndoTakesBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(
        wav::WriteFile(dir.filePath("a.wav"), wav::Simple(1, 8000, std::vector<qint16>(400, 0))));
    FakeHost host;
    CtarnDoc doc(host);
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    AddCues(doc, {{0, 100, "a", 0.2f}, {200, 300, "b", 0.9f}});
    int pushed = 0;
    QObject::connect(&doc, &CtarnDoc::historyChanged, [&pushed](HistoryChange change) {
        pushed += change == HistoryChange::Pushed ? 1 : 0;
    });
    const auto accept = [&doc] {
        doc.ChangeCues(QStringLiteral("Accept timing"),
                       [](CueList& cues) { cues.SetConfidence(0, kNoConfidence); });
    };
    const struct {
        const char* name;
        std::function<void()> action;
        float confidence; ///< cue 0's after the action
        int steps;
    } cases[] = {
        {"accept", accept, kNoConfidence, 1},
        {"accept again changes nothing", accept, kNoConfidence, 1},
        {"undo", [&doc] { doc.OnEditUndo(); }, 0.2f, 1},
        {"redo", [&doc] { doc.OnEditRedo(); }, kNoConfidence, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.action();
        EXPECT_EQ(doc.Cues().Confidence(0), c.confidence);
        EXPECT_EQ(doc.Cues().Confidence(1), 0.9f);
        EXPECT_EQ(pushed, c.steps);
    }
}

TEST(HistoryModifiedTest, FollowsTheSavedState) {
    QTemporaryDir dir;
    ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"),
                               wav::Simple(1, 8000, std::vector<qint16>(100, 1000))));
    FakeHost host;
    CtarnDoc doc(host);
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    doc.SetSelection(10, 20);
    doc.ScaleSelection(11);
    doc.ScaleSelection(11);
    EXPECT_TRUE(doc.IsModified());
    doc.OnEditUndo();
    doc.OnEditUndo();
    EXPECT_FALSE(doc.IsModified()); // back to the opened state
    doc.OnEditRedo();
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("a.wav")));
    doc.OnEditUndo();
    EXPECT_TRUE(doc.IsModified());
    doc.OnEditRedo();
    EXPECT_FALSE(doc.IsModified()); // the saved state
    // A new edit after an undo drops the redo steps, and with them the saved state.
    doc.OnEditUndo();
    doc.OnEditCut();
    EXPECT_FALSE(doc.GetHistory().CanRedo());
    doc.OnEditUndo();
    EXPECT_TRUE(doc.IsModified());
}

EditStep StepOfBytes(const QString& name, int frames) {
    EditStep step;
    step.name = name;
    step.samples = SampleSwap{0, 0, {SampleVector(size_t(frames)), SampleVector(size_t(frames))}};
    return step;
}

TEST(HistoryCapTest, DropsTheOldestStepsAndKeepsTheNewest) {
    History history;
    history.SetCapacity(4000); // 1000 frames of two channels
    for (const char* name : {"a", "b", "c", "d"}) {
        history.Push(StepOfBytes(name, 400)); // 1600 bytes each
    }
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(history.NextUndo()->name, "d");
    EXPECT_LE(history.MemoryBytes(), 4000);
    EXPECT_FALSE(history.StepsSinceClean()); // the opened state's way back was dropped
    history.Push(StepOfBytes("huge", 5000));
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.NextUndo()->name, "huge");
}

} // namespace
