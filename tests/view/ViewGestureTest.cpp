#include "audio/Transport.h"
#include "view/CtarnView.h"

#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/FakeWaveOut.h"
#include "support/WavBytes.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// 8000 Hz stereo, 100000 frames, shown at 16 frames per column in an 800 x 400 window:
// cue 0 "z" spans columns 125..312 in the upper lane, around the window's middle.
constexpr int kFrames = 100000;
constexpr int kZoom = 16;
constexpr int kAboveY = 50;

class ViewGestureTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.SetDocument(doc, transport, host);
        view.resize(800, 400);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"),
                                   wav::Simple(2, 8000, std::vector<qint16>(2 * kFrames))));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        AddCues(doc, {{2000, 5000, "z"}, {20000, 30000, "a"}});
        view.Strip().SetZoom(kZoom);
        view.OnInitialUpdate();
        cueY = view.viewport()->height() / 2;
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::KeyboardModifiers mods = {}) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), button, held, mods);
        QApplication::sendEvent(view.viewport(), &event);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
        Mouse(QEvent::MouseButtonPress, from, mods);
        Mouse(QEvent::MouseMove, (from + to) / 2, mods);
        Mouse(QEvent::MouseMove, to, mods);
        Mouse(QEvent::MouseButtonRelease, to, mods);
    }
    void Wheel(QPoint at, int delta, Qt::KeyboardModifiers mods) {
        QWheelEvent event(at, view.viewport()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
    }
    QScrollBar* Bar() const { return view.horizontalScrollBar(); }

    int cueY = 0;

    QTemporaryDir dir;
    FakeHost host;
    FakeWaveOut device;
    CtarnDoc doc{host};
    Transport transport{doc, host, &device};
    CtarnView view;
};

TEST_F(ViewGestureTest, DragSelectsFromPressToReleaseAndStopsTheClicksPlay) {
    Drag({400, kAboveY}, {100, kAboveY});
    EXPECT_EQ(doc.SelStart(), 100 * kZoom);
    EXPECT_EQ(doc.SelEnd(), 400 * kZoom);
    EXPECT_FALSE(transport.IsPlaying());
    EXPECT_TRUE(device.calls.contains("reset"));

    // Shift+click moves the nearer edge and plays nothing.
    device.calls.clear();
    Mouse(QEvent::MouseButtonPress, {150, kAboveY}, Qt::ShiftModifier);
    Mouse(QEvent::MouseButtonRelease, {150, kAboveY}, Qt::ShiftModifier);
    EXPECT_EQ(doc.SelStart(), 150 * kZoom);
    EXPECT_EQ(doc.SelEnd(), 400 * kZoom);
    EXPECT_FALSE(device.calls.contains("write"));
}

TEST_F(ViewGestureTest, CueEdgesAndBodiesDragAsOneUndoStepEach) {
    const struct {
        const char* name;
        QPoint from, to;
        Qt::KeyboardModifiers mods;
        int start, end;
    } cases[] = {
        // The selection 2700..2800 lies 60 frames (under 8 px) from the dragged start.
        {"start edge snaps to the selection", {125, cueY}, {165, cueY}, {}, 2700, 5000},
        {"Alt drags without snapping", {125, cueY}, {165, cueY}, Qt::AltModifier, 2640, 5000},
        {"end edge never before the start", {314, cueY}, {20, cueY}, {}, 2000, 2001},
        {"whole cue keeps its length", {200, cueY}, {300, cueY}, Qt::AltModifier, 3600, 6600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.SetSelection(2700, 2800);
        Drag(c.from, c.to, c.mods);
        EXPECT_EQ(doc.Cues().Start(0), c.start);
        EXPECT_EQ(doc.Cues().End(0), c.end);
        EXPECT_EQ(doc.CurrentCue(), 0);
        EXPECT_TRUE(doc.IsModified());
        doc.OnEditUndo();
        EXPECT_EQ(doc.Cues().Start(0), 2000);
        EXPECT_EQ(doc.Cues().End(0), 5000);
        EXPECT_FALSE(doc.GetHistory().CanUndo());
    }
}

TEST_F(ViewGestureTest, CtrlWheelZoomsAroundThePointerAndTheWheelScrolls) {
    Bar()->setValue(1000);
    const int x = 300;
    const qint64 frame = qint64(x + 1000) * kZoom;
    for (int delta : {120, 120, -120, -120, -120}) {
        Wheel({x, kAboveY}, delta, Qt::ControlModifier);
        SCOPED_TRACE(view.Strip().Zoom());
        EXPECT_EQ(Bar()->value() + x, frame / view.Strip().Zoom());
    }
    EXPECT_EQ(view.Strip().Zoom(), 2 * kZoom);
    const int before = Bar()->value();
    Wheel({x, kAboveY}, -120, {});
    EXPECT_EQ(Bar()->value(), before + view.viewport()->width() / 10);
}

TEST_F(ViewGestureTest, ThePointerTurnsToAResizeCursorOverCueEdges) {
    Mouse(QEvent::MouseMove, {127, cueY});
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::SizeHorCursor);
    Mouse(QEvent::MouseMove, {200, cueY});
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::ArrowCursor);
}

} // namespace
