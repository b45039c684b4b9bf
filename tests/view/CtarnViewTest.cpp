#include "view/CtarnView.h"
#include "audio/Transport.h"

#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/FakeWaveOut.h"
#include "support/WavBytes.h"

#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// 8000 Hz stereo, 100000 frames: two seconds are 16000 frames, one column 256 frames.
constexpr int kFrames = 100000;
constexpr int kRate = 8000;

class CtarnViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.SetDocument(doc, transport, host);
        view.resize(800, 400);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        Load();
        view.OnInitialUpdate();
    }

    /// (Re)opens the recording with three cues, sorted by start: 0 "z", 1 "a", 2 "b";
    /// "b" collides with "a" and so sits in the lower band.
    void Load() {
        ASSERT_TRUE(WriteSilence("a.wav"));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        AddCues(doc, {{2000, 5000, "z"}, {20000, 30000, "a"}, {25000, 35000, "b"}});
        ASSERT_EQ(view.Strip().Zoom(), 256);
        ASSERT_EQ(doc.Cues().Count(), 3);
        ASSERT_EQ(doc.Cues().Overlap(2), 1);
        doc.SetModifiedFlag(false);
    }

    bool WriteSilence(const QString& name) {
        return wav::WriteFile(dir.filePath(name),
                              wav::Simple(2, kRate, std::vector<qint16>(2 * kFrames)));
    }

    int Mid() const { return view.viewport()->height() / 2; }

    QTemporaryDir dir;
    FakeHost host;
    FakeWaveOut device;
    CtarnDoc doc{host};
    Transport transport{doc, host, &device};
    CtarnView view;
};

/// Vertical offset from the middle that lies well above the cue bands.
constexpr int kAbove = -150;

TEST_F(CtarnViewTest, ClicksSelectAndPlay) {
    const struct {
        const char* name = "";
        Qt::MouseButton button = Qt::LeftButton;
        bool ctrl = false;
        int x = 0;
        int dy = kAbove;
        int cue = -1; ///< the cue the click makes current; -1: a plain selection click
        bool plays = true;
        int selStart = 1000, selEnd = 5000;
        int playFrom = 0, playTo = 0;
    } cases[] = {
        {"left inside selection keeps end", Qt::LeftButton, false, 12, kAbove, -1, true, 3072, 5000,
         3072, 19072},
        {"left past end takes two seconds", Qt::LeftButton, false, 24, kAbove, -1, true, 6144,
         22144, 6144, 22144},
        {"ctrl left starts at zero", Qt::LeftButton, true, 24, kAbove, -1, true, 0, 5000, 0, 16000},
        {"left past last frame", Qt::LeftButton, false, 391, kAbove, -1, false, 1000, 5000},
        {"left far right", Qt::LeftButton, false, 395, kAbove, -1, false, 1000, 5000},
        {"right before start takes two seconds", Qt::RightButton, false, 2, kAbove, -1, true, 0,
         512, 0, 512},
        {"right after start keeps start", Qt::RightButton, false, 40, kAbove, -1, true, 1000, 10240,
         0, 10240},
        {"ctrl right ends at the end", Qt::RightButton, true, 2, kAbove, -1, true, 1000, 100000,
         84000, 100000},
        {"right past last frame", Qt::RightButton, false, 391, kAbove, -1, false, 1000, 5000},
        {"cue in ordinary band", Qt::LeftButton, false, 100, 0, 1, true, 20000, 30000, 20000,
         30000},
        {"cue at band bottom", Qt::LeftButton, false, 100, 30, 1, true, 20000, 30000, 20000, 30000},
        {"cue first column", Qt::LeftButton, false, 78, 0, 1, true, 20000, 30000, 20000, 30000},
        {"cue last column", Qt::LeftButton, false, 117, 0, 1, true, 20000, 30000, 20000, 30000},
        {"right button on cue", Qt::RightButton, false, 100, 0, 1, true, 20000, 30000, 20000,
         30000},
        {"overlapping cue in lower band", Qt::LeftButton, false, 100, 60, 2, true, 25000, 35000,
         25000, 35000},
        {"first cue", Qt::LeftButton, false, 10, 0, 0, true, 2000, 5000, 2000, 5000},
        {"above band is no cue", Qt::LeftButton, false, 100, -30, -1, true, 25600, 41600, 25600,
         41600},
        {"left of cue", Qt::LeftButton, false, 77, 0, -1, true, 19712, 35712, 19712, 35712},
        {"right of cue", Qt::LeftButton, false, 118, 0, -1, true, 30208, 46208, 30208, 46208},
        {"lower band without cue", Qt::LeftButton, false, 140, 60, -1, true, 35840, 51840, 35840,
         51840},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.SetSelection(1000, 5000);
        transport.EndPlayCursor();
        const qsizetype writes = device.calls.count("write");
        ASSERT_EQ(view.horizontalScrollBar()->value(), 0);
        QTest::mousePress(view.viewport(), c.button,
                          c.ctrl ? Qt::ControlModifier : Qt::KeyboardModifiers(),
                          QPoint(c.x, Mid() + c.dy));
        EXPECT_EQ(doc.SelStart(), c.selStart);
        EXPECT_EQ(doc.SelEnd(), c.selEnd);
        if (c.cue >= 0) {
            EXPECT_EQ(view.CurrentCue(), c.cue);
        }
        if (c.plays) {
            EXPECT_EQ(device.calls.count("write"), writes + 1);
            EXPECT_EQ(transport.PlayState().start, c.playFrom);
            EXPECT_EQ(transport.PlayState().end, c.playTo);
        } else {
            EXPECT_EQ(device.calls.count("write"), writes);
            EXPECT_FALSE(transport.PlayState().IsShowing());
        }
    }
}

TEST_F(CtarnViewTest, OpeningAnotherFileForgetsTheCurrentCue) {
    EXPECT_EQ(view.CurrentCue(), -1);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(100, Mid()));
    ASSERT_EQ(view.CurrentCue(), 1);
    ASSERT_TRUE(WriteSilence("b.wav"));
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("b.wav")));
    EXPECT_EQ(view.CurrentCue(), -1);
}

TEST_F(CtarnViewTest, DoubleClickEditsTheCueText) {
    const struct {
        const char* name = "";
        std::optional<QString> answer;
        int count = 3;
        int current = 1;
        QString secondText; ///< text of cue 1 afterwards
        bool modified = false;
    } cases[] = {
        {"trimmed", QString("  new text \n"), 3, 1, "new text", true},
        {"empty deletes", QString(""), 2, -1, "b", true},
        {"blanks delete", QString("   "), 2, -1, "b", true},
        {"cancel", std::nullopt, 3, 1, "a", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Load();
        host.texts = {c.answer};
        host.textRequests.clear();
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(100, Mid()));
        EXPECT_EQ(host.textRequests, QStringList{"a"});
        ASSERT_EQ(doc.Cues().Count(), c.count);
        EXPECT_EQ(doc.Cues().Text(1), c.secondText);
        EXPECT_EQ(doc.Cues().Text(0), "z");
        EXPECT_EQ(view.CurrentCue(), c.current);
        EXPECT_EQ(doc.IsModified(), c.modified);
    }
}

TEST_F(CtarnViewTest, PlayCursorShowsPlayedAndComingParts) {
    const QColor played(0x80, 0x00, 0x00);
    const QColor coming(0x0F, 0x9D, 0x58);
    const int h = view.viewport()->height();
    // Silence draws a green line at h/4, so the bar's other rows tell it apart.
    const int rows[] = {h / 4 - 2, h / 4, h / 4 + 1};
    host.tick = 0;
    transport.PlayRange(0, 80000); // columns 0..312
    host.tick = 5000;              // 5 s at 8000 Hz: frame 40000, column 156

    view.OnTimer();
    QImage img = view.viewport()->grab().toImage();
    for (int y : rows) {
        EXPECT_EQ(img.pixelColor(50, y), played) << y;
        EXPECT_EQ(img.pixelColor(200, y), coming) << y;
    }
    EXPECT_NE(img.pixelColor(350, h / 4 - 2), coming);

    host.tick = 20000; // past the end: the whole range once more in green, then no cursor
    view.OnTimer();
    img = view.viewport()->grab().toImage();
    for (int y : rows) {
        EXPECT_EQ(img.pixelColor(50, y), coming) << y;
        EXPECT_EQ(img.pixelColor(200, y), coming) << y;
    }
    EXPECT_NE(img.pixelColor(350, h / 4 - 2), coming);
    EXPECT_EQ(transport.PlayState().start, 0);
    EXPECT_EQ(transport.PlayState().end, 0);
}

/// Counts the paint events of the object it filters.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// However many announcements an edit makes, the window is painted once for it.
TEST_F(CtarnViewTest, AnEditRepaintsOnce) {
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    const struct {
        const char* name;
        std::function<void()> edit;
    } edits[] = {
        {"cut", [&] { doc.OnEditCut(); }},
        {"paste", [&] { doc.OnEditPaste(); }},
        {"undo", [&] { doc.OnEditUndo(); }},
        {"redo", [&] { doc.OnEditRedo(); }},
        {"volume", [&] { doc.ScaleSelection(11); }},
        {"cue",
         [&] {
             doc.ChangeCuesToCurrent("Move", [](CueList& cues) {
                 cues.SetEnd(0, 6000);
                 return 0;
             });
         }},
    };
    doc.SetSelection(1000, 9000);
    for (const auto& e : edits) {
        SCOPED_TRACE(e.name);
        QCoreApplication::processEvents();
        counter.paints = 0;
        e.edit();
        QCoreApplication::processEvents();
        EXPECT_EQ(counter.paints, 1);
    }
}

TEST_F(CtarnViewTest, AnEmptyDocumentSaysHowToOpenOneInTheMiddle) {
    ASSERT_TRUE(doc.OnNewDocument());
    const QImage img = view.viewport()->grab().toImage();
    const QColor base = view.viewport()->palette().color(QPalette::Base);
    const auto inked = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < img.width(); ++x) {
                if (img.pixelColor(x, y) != base) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(inked(Mid() - 10, Mid() + 10));
    EXPECT_FALSE(inked(0, Mid() - 30));
    EXPECT_FALSE(inked(Mid() + 30, img.height()));
}

TEST_F(CtarnViewTest, MovingThePointerUpdatesTheStatusLine) {
    QSignalSpy spy(&view, &CtarnView::statusTextChanged);
    QTest::mouseMove(view.viewport(), QPoint(40, 20));
    ASSERT_FALSE(spy.isEmpty());
    EXPECT_TRUE(spy.last().at(0).toString().startsWith("SCREEN.X="))
        << spy.last().at(0).toString().toStdString();
}

} // namespace
