#include "audio/Transport.h"
#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "commands/CoreCommands.h"
#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"
#include "view/CtarnView.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

class ViewZoomTest : public ::testing::Test {
protected:
    void Open(int frames, qint32 rate) {
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"),
                                   wav::Simple(1, rate, std::vector<qint16>(size_t(frames), 0))));
        view.SetDocument(doc, transport, host);
        AddCoreCommands(commands, {doc, host, transport, view.Strip()});
        view.resize(1000, 300);
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        view.OnInitialUpdate();
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
    Transport transport{doc, host};
    CtarnView view;
    CommandTable commands;
};

TEST_F(ViewZoomTest, ZoomStepsAndCoarseMarks) {
    Open(8000 * 60, 8000);
    const struct {
        bool in;
        int zoom;
        qint64 markPeriod;
    } steps[] = {
        {false, 512, 8000},   {false, 1024, 8000}, {false, 2048, 16000},
        {false, 4096, 32000}, {true, 2048, 16000}, {true, 1024, 16000},
    };
    for (const auto& s : steps) {
        commands.Execute(s.in ? CommandId::kZoomIn : CommandId::kZoomOut);
        EXPECT_EQ(view.Strip().Zoom(), s.zoom);
        EXPECT_EQ(view.Strip().MarkPeriod(), s.markPeriod) << s.zoom;
        EXPECT_EQ(view.Strip().StripColumns(), 8000 * 60 / s.zoom + 1);
    }
    for (int i = 0; i < 12; ++i) {
        commands.Execute(CommandId::kZoomIn);
    }
    EXPECT_EQ(view.Strip().Zoom(), 1);
}

TEST_F(ViewZoomTest, ZoomKeepsTheCentreFrameInTheCentre) {
    Open(8000 * 600, 8000);
    const int width = view.viewport()->width();
    view.horizontalScrollBar()->setValue(5000);
    const qint64 centreFrame = qint64(5000 + width / 2) * view.Strip().Zoom();
    commands.Execute(CommandId::kZoomIn);
    const qint64 after =
        qint64(view.horizontalScrollBar()->value() + width / 2) * view.Strip().Zoom();
    EXPECT_NEAR(double(after), double(centreFrame), 2.0 * view.Strip().Zoom());
}

TEST_F(ViewZoomTest, ScrollsFarBeyond65535Pixels) {
    Open(8000 * 60, 8000);
    for (int i = 0; i < 8; ++i) {
        commands.Execute(CommandId::kZoomIn);
    }
    ASSERT_EQ(view.Strip().Zoom(), 1);
    view.horizontalScrollBar()->setValue(400000);
    EXPECT_EQ(view.horizontalScrollBar()->value(), 400000);
}

// Whatever makes a cue current brings it into view when none of it is (Check Conflict on a
// cue near the start, a command, an undo, a redo); a cue in view leaves the window alone.
TEST_F(ViewZoomTest, TheCurrentCueComesIntoView) {
    Open(8000 * 120, 8000);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    // 3750 columns at zoom 256: "a" 312..375, "b" 343..390 (it overlaps "a"), "far" 3125..3187.
    AddCues(doc, {{80000, 96000, "a"}, {88000, 100000, "b"}, {800000, 816000, "far"}});
    QScrollBar& bar = *view.horizontalScrollBar();
    const int width = view.viewport()->width();
    const auto inView = [&](int cue) {
        const int zoom = view.Strip().Zoom();
        return doc.Cues().End(cue) / zoom >= bar.value() &&
               doc.Cues().Start(cue) / zoom < bar.value() + width;
    };
    const struct {
        const char* name;
        int scrollFrom;
        std::function<void()> act;
        int cue;      ///< current afterwards
        bool scrolls; ///< false: the window stays where it was
    } steps[] = {
        {"conflict far off", 2000, [&] { commands.Execute(CommandId::kCheckConflict); }, 1, true},
        {"conflict in view", 300, [&] { commands.Execute(CommandId::kCheckConflict); }, 1, false},
        {"added far off", 0,
         [&] {
             doc.SetSelection(850000, 860000);
             host.texts = {QStringLiteral("new")};
             commands.Execute(CommandId::kAddSubtitle);
         },
         3, true},
        {"undone", 1500, [&] { doc.OnEditUndo(); }, 1, true},
        {"redone", 0, [&] { doc.OnEditRedo(); }, 3, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        bar.setValue(step.scrollFrom);
        step.act();
        ASSERT_EQ(doc.CurrentCue(), step.cue);
        EXPECT_TRUE(inView(step.cue)) << bar.value();
        EXPECT_EQ(bar.value() != step.scrollFrom, step.scrolls);
    }
}

} // namespace
