#include "app/CMainFrame.h"
#include "audio/Transport.h"

#include "commands/CommandIds.h"
#include "commands/CoreCommands.h"
#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/FakeWaveOut.h"
#include "support/WavBytes.h"
#include "view/CtarnView.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <utility>

using namespace CommandId;

namespace {

// 8000 Hz, 100000 frames; half a second is 4000 frames, 10 ms are 80.
constexpr int kFrames = 100000;

/// The main window over a document that plays into a fake device.
class FrameKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"),
                                   wav::Simple(2, 8000, std::vector<qint16>(2 * kFrames))));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        AddCues(doc, {{16000, 24000, "a"}});
        view->SetDocument(doc, transport, host);
        AddCoreCommands(commands, {doc, host, transport, view->Strip()});
        view->AddCommands(commands);
        frame = std::make_unique<CMainFrame>(doc, *view, transport, host, commands);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        view->OnInitialUpdate();
        doc.SetSelection(16000, 40000);
        frame->RefreshCommandStates();
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(frame.get(), key, mods);
    }

    QTemporaryDir dir;
    FakeHost host;
    FakeWaveOut device;
    CtarnDoc doc{host};
    Transport transport{doc, host, &device};
    CtarnView* view = new CtarnView; // the frame owns it
    CommandTable commands;
    std::unique_ptr<CMainFrame> frame; ///< made once the commands are there
};

TEST_F(FrameKeysTest, SpaceAndEscapePlayAndStop) {
    EXPECT_FALSE(frame->Action(kStop)->isEnabled());
    Key(Qt::Key_Space);
    ASSERT_TRUE(transport.IsPlaying());
    EXPECT_EQ(device.written.size(), 24000 * 4);
    EXPECT_TRUE(frame->Action(kStop)->isEnabled());
    Key(Qt::Key_Space);
    EXPECT_FALSE(transport.IsPlaying());
    EXPECT_EQ(device.calls.last(), "unprepare");
    EXPECT_FALSE(frame->Action(kStop)->isEnabled());
    Key(Qt::Key_Space);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(transport.IsPlaying());
    EXPECT_EQ(frame->Action(kPlay)->toolTip(), "Play (Space)");
}

TEST_F(FrameKeysTest, EdgeKeysPlayHalfSecondsAroundTheSelection) {
    const struct {
        Qt::Key key;
        int start, end;
    } cases[] = {{Qt::Key_Z, 12000, 16000},
                 {Qt::Key_X, 16000, 20000},
                 {Qt::Key_C, 36000, 40000},
                 {Qt::Key_V, 40000, 44000}};
    for (const auto& c : cases) {
        Key(c.key);
        EXPECT_EQ(transport.PlayState().start, c.start) << c.key;
        EXPECT_EQ(transport.PlayState().end, c.end) << c.key;
    }
}

TEST_F(FrameKeysTest, NudgeZoomAndScrollKeys) {
    doc.SetCurrentCue(0);
    frame->RefreshCommandStates();
    Key(Qt::Key_BracketLeft);
    EXPECT_EQ(doc.Cues().Start(0), 16000 - 80);
    Key(Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(doc.Cues().Start(0), 16000 - 80 + 800);
    Key(Qt::Key_Period);
    EXPECT_EQ(doc.Cues().End(0), 24000 + 80);
    Key(Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(doc.Cues().End(0), 24000 + 80 - 800);

    const int zoom = view->Strip().Zoom();
    Key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(view->Strip().Zoom(), 2 * zoom);
    Key(Qt::Key_Equal, Qt::ControlModifier);
    Key(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(view->Strip().Zoom(), zoom / 2);
    for (int i = 0; i < 3; ++i) {
        Key(Qt::Key_Plus, Qt::ControlModifier);
    }
    Key(Qt::Key_End);
    EXPECT_EQ(view->horizontalScrollBar()->value(), view->horizontalScrollBar()->maximum());
    EXPECT_GT(view->horizontalScrollBar()->value(), 0);
    Key(Qt::Key_Home);
    EXPECT_EQ(view->horizontalScrollBar()->value(), 0);
}

TEST_F(FrameKeysTest, TimesPaneFollowsTheSelectionAndNoticesOutlastThePointer) {
    doc.SetSelection(8000, 20000);
    EXPECT_TRUE(frame->TimesPane()->text().startsWith("0:00:01.000 - 0:00:02.500 (0:00:01.500)"))
        << frame->TimesPane()->text().toStdString();
    frame->ShowNotice("Saved a.wav with its .txt, .sbv and .ass");
    // Over a toolbar button and on to the waveform: neither the button's tip nor the pointer's
    // line takes the notice's place.
    QToolBar* bar = frame->MainToolBar();
    QTest::mouseMove(bar->widgetForAction(bar->actions().first()), QPoint(5, 5));
    QTest::mouseMove(view->viewport(), QPoint(40, 20));
    EXPECT_EQ(frame->statusBar()->currentMessage(), "Saved a.wav with its .txt, .sbv and .ass");
    EXPECT_TRUE(frame->TimesPane()->text().endsWith("0:00:01.280"))
        << frame->TimesPane()->text().toStdString();
}

// The cue keys work without the mouse, and the status bar shows the current cue's figures.
TEST_F(FrameKeysTest, CueKeysWorkWithoutTheMouse) {
    AddCues(doc, {{40000, 48000, "b"}});
    doc.SetSelection(100, 100);
    frame->RefreshCommandStates();
    const auto cuePane = [this] { return frame->findChild<QLabel*>("cuePane")->text(); };

    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(doc.CurrentCue(), 0);
    EXPECT_EQ(std::pair(doc.SelStart(), doc.SelEnd()), std::pair(16000, 24000));
    EXPECT_EQ(cuePane(), "Cue 1: 0:00:02.000 - 0:00:03.000 (1.000 s, 1.0 cps)");
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(doc.CurrentCue(), 1);
    Key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(doc.CurrentCue(), 0);

    doc.SetSelection(60000, 64000);
    host.texts = {QStringLiteral("added")};
    frame->RefreshCommandStates();
    Key(Qt::Key_Insert);
    ASSERT_EQ(doc.Cues().Count(), 3);
    EXPECT_EQ(doc.CurrentCue(), 2);
    host.texts = {QStringLiteral("edited")};
    Key(Qt::Key_F2);
    EXPECT_EQ(doc.Cues().Text(2), "edited");
    Key(Qt::Key_Up, Qt::AltModifier);
    Key(Qt::Key_S);
    EXPECT_EQ(std::pair(doc.SelStart(), doc.SelEnd()), std::pair(40000, 48000));
    Key(Qt::Key_Delete);
    EXPECT_EQ(doc.Cues().Count(), 2);
    EXPECT_EQ(doc.CurrentCue(), -1);
    EXPECT_EQ(cuePane(), "");
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(doc.GetRecording().Frames(), kFrames - 8000) << "Shift+Delete still cuts the audio";
}

} // namespace
