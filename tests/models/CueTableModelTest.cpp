#include "models/CueTableModel.h"

#include "actions/CueCommands.h"
#include "actions/CueMoves.h"
#include "document/CtarnDoc.h"
#include "models/CueChecks.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// 8000 Hz, 80000 frames: a second is 8000 frames.
class CueTableModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"),
                                   wav::Simple(2, 8000, std::vector<qint16>(2 * 80000))));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        AddCues(doc, {{8000, 16000, "one"}, {24000, 32000, "two\nlines"}, {40000, 48000, "3"}});
    }

    QString Cell(int row, int column, int role = Qt::DisplayRole) const {
        return model.data(model.index(row, column), role).toString();
    }

    /// Every row shows its cue: number, start and text as the document has them.
    void ExpectRowsMatchTheCues() const {
        const CueList& cues = doc.Cues();
        ASSERT_EQ(model.rowCount(), cues.Count());
        for (int i = 0; i < cues.Count(); ++i) {
            EXPECT_EQ(Cell(i, CueTableModel::kNumber), QString::number(i + 1));
            EXPECT_EQ(Cell(i, CueTableModel::kStart), FormatClockOf(cues.Start(i)));
            EXPECT_EQ(Cell(i, CueTableModel::kText, Qt::EditRole), cues.Text(i));
        }
    }

    static QString FormatClockOf(int frame) {
        return QStringLiteral("0:00:%1.000").arg(frame / 8000, 2, 10, QChar('0'));
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
    CueTableModel model{doc, host};
};

TEST_F(CueTableModelTest, ShowsTimesSpeedAndOneLineOfText) {
    EXPECT_EQ(Cell(1, CueTableModel::kStart), "0:00:03.000");
    EXPECT_EQ(Cell(1, CueTableModel::kEnd), "0:00:04.000");
    EXPECT_EQ(Cell(1, CueTableModel::kDuration), "0:00:01.000");
    EXPECT_EQ(Cell(1, CueTableModel::kCps), "8.0");
    EXPECT_EQ(Cell(1, CueTableModel::kText), QStringLiteral("two\u21B5lines"));
}

// Each edit, undo and redo tells the views the rows it touched; none resets the model.
TEST_F(CueTableModelTest, FollowsEditsUndoAndRedoRowByRow) {
    int resets = 0;
    int inserted = 0;
    int removed = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++inserted; });
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [&] { ++removed; });
    const struct {
        const char* name;
        std::function<void()> edit;
        int inserts, removes;
    } steps[] = {
        {"add",
         [&] {
             doc.SetSelection(0, 4000);
             host.texts = {QStringLiteral("zero")};
             AddSubtitle(doc, host, -1);
         },
         1, 0},
        {"move past a neighbour", [&] { MoveCue(doc, 0, 56000, 60000); }, 0, 0},
        {"delete", [&] { DeleteSubtitle(doc, 1); }, 0, 1},
        {"delete two",
         [&] {
             DeleteCues(doc, {0, 1});
         },
         0, 1},
        {"undo", [&] { doc.OnEditUndo(); }, 1, 0},
        {"redo", [&] { doc.OnEditRedo(); }, 0, 1},
        {"cut the audio under a cue",
         [&] {
             doc.SetSelection(50000, 70000);
             doc.OnEditCut();
         },
         0, 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        inserted = 0;
        removed = 0;
        step.edit();
        EXPECT_EQ(inserted, step.inserts);
        EXPECT_EQ(removed, step.removes);
        ExpectRowsMatchTheCues();
    }
    EXPECT_EQ(resets, 0);
}

TEST_F(CueTableModelTest, TypedTimesAndTextsChangeTheCueOrAreRefused) {
    const struct {
        const char* name;
        int row, column;
        QString typed;
        bool taken;
        int start, end; ///< of the edited cue afterwards, found by its text
    } cases[] = {
        {"start", 0, CueTableModel::kStart, "0:00:00.500", true, 4000, 16000},
        {"end in seconds", 0, CueTableModel::kEnd, "2.5", true, 8000, 20000},
        {"duration", 0, CueTableModel::kDuration, "00:03", true, 8000, 32000},
        {"start past the end", 0, CueTableModel::kStart, "0:00:02.000", false, 8000, 16000},
        {"negative", 0, CueTableModel::kStart, "-1", false, 8000, 16000},
        {"unreadable", 0, CueTableModel::kEnd, "soon", false, 8000, 16000},
        {"zero length", 0, CueTableModel::kDuration, "0", false, 8000, 16000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        host.messages.clear();
        const bool taken = model.setData(model.index(c.row, c.column), c.typed);
        EXPECT_EQ(taken, c.taken);
        EXPECT_EQ(host.messages.isEmpty(), c.taken);
        const int cue = doc.CurrentCue() >= 0 ? doc.CurrentCue() : 0;
        EXPECT_EQ(doc.Cues().Text(cue), "one");
        EXPECT_EQ(doc.Cues().Start(cue), c.start);
        EXPECT_EQ(doc.Cues().End(cue), c.end);
        EXPECT_EQ(doc.IsModified(), c.taken);
    }
}

TEST_F(CueTableModelTest, TypedTextIsOneStepAndAnEmptyOneIsRefused) {
    EXPECT_TRUE(model.setData(model.index(2, CueTableModel::kText), "  new\ntext "));
    EXPECT_EQ(doc.Cues().Text(2), "new\ntext");
    EXPECT_EQ(doc.CurrentCue(), 2);
    EXPECT_FALSE(model.setData(model.index(2, CueTableModel::kText), "   "));
    EXPECT_EQ(host.messages.size(), 1);
    doc.OnEditUndo();
    EXPECT_EQ(doc.Cues().Text(2), "3");
}

// The rules' verdict shows in the Problems column and colours the offending cells, and an
// edit that mends a cue clears them.
TEST_F(CueTableModelTest, ProblemsFollowTheRulesAndTheEdits) {
    CueChecks checks(doc, *BuiltInProfile(u"netflix"));
    model.SetChecks(&checks);
    // "3" lasts one second: fine. Cue 1 gets too long a line, cue 2 ends after cue 3 starts.
    doc.ChangeCues("Break the rules", [](CueList& cues) {
        cues.SetText(0, QString(43, QChar('x')));
        cues.SetEnd(1, 41000);
    });
    EXPECT_EQ(Cell(0, CueTableModel::kProblems), "cps, line");
    EXPECT_TRUE(
        model.data(model.index(0, CueTableModel::kText), CueTableModel::kBrokenRuleRole).toBool());
    EXPECT_EQ(Cell(1, CueTableModel::kProblems), "overlap");
    EXPECT_TRUE(
        model.data(model.index(1, CueTableModel::kEnd), CueTableModel::kBrokenRuleRole).toBool());
    EXPECT_FALSE(
        model.data(model.index(1, CueTableModel::kText), CueTableModel::kBrokenRuleRole).toBool());
    EXPECT_EQ(checks.FlaggedCount(), 2);
    EXPECT_EQ(checks.NextFlagged(-1, true), 1);

    EXPECT_TRUE(model.setData(model.index(1, CueTableModel::kEnd), "0:00:04"));
    EXPECT_EQ(Cell(1, CueTableModel::kProblems), "");
    EXPECT_EQ(checks.FlaggedCount(), 1);
    EXPECT_EQ(checks.NextFlagged(0, false), 0);
}

} // namespace
