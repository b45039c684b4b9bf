#include "view/CtarnView.h"

#include "audio/Transport.h"
#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/FakeWaveOut.h"
#include "support/WavBytes.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// 8000 Hz stereo, a minute of a tone that swells and fades, so that every column differs.
constexpr int kRate = 8000;
constexpr int kFrames = 60 * kRate;
constexpr int kLevelRulerWidth = 80;

class StripPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<qint16> samples;
        for (int i = 0; i < kFrames; ++i) {
            const double swell = 0.5 + 0.5 * std::sin(i * 0.0007);
            const auto s = qint16(20000 * swell * std::sin(i * 0.05));
            samples.push_back(s);
            samples.push_back(qint16(-s / 2));
        }
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"), wav::Simple(2, kRate, samples)));
        view.SetDocument(doc, transport, host);
        view.resize(700, 300);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        AddCues(doc, {{4000, 20000, "one"}, {30000, 52000, "two"}, {90000, 99000, "three"}});
        view.OnInitialUpdate();
    }

    /// What the window shows, through its kept picture.
    QImage Shown() {
        QCoreApplication::processEvents();
        return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    /// The same window painted from scratch.
    QImage FromScratch() {
        QImage image(view.viewport()->size(), QImage::Format_RGB32);
        image.fill(view.palette().color(QPalette::Base));
        QPainter painter(&image);
        view.OnDraw(painter, image.width(), image.height());
        return image;
    }

    void Scroll(int by) {
        QScrollBar* bar = view.horizontalScrollBar();
        bar->setValue(bar->value() + by);
    }

    QTemporaryDir dir;
    FakeHost host;
    FakeWaveOut device;
    CtarnDoc doc{host};
    Transport transport{doc, host, &device};
    CtarnView view;
};

TEST_F(StripPictureTest, TheKeptPictureIsWhatAPaintFromScratchGives) {
    const struct {
        const char* name;
        std::function<void()> step;
    } steps[] = {
        {"opened", [] {}},
        {"scrolled right a little", [&] { Scroll(37); }},
        {"scrolled left a little", [&] { Scroll(-11); }},
        {"scrolled a window away", [&] { Scroll(900); }},
        {"back to the start", [&] { view.OnGoToStart(); }},
        {"selected", [&] { doc.SetSelection(10000, 25000); }},
        {"selected elsewhere", [&] { doc.SetSelection(3000, 4000); }},
        {"louder", [&] { doc.ScaleSelection(11); }},
        {"cut",
         [&] {
             doc.SetSelection(6000, 9000);
             doc.OnEditCut();
         }},
        {"undone", [&] { doc.OnEditUndo(); }},
        {"cue made current", [&] { doc.SetCurrentCue(1); }},
        {"zoomed in", [&] { view.Strip().SetZoom(64); }},
        {"scrolled after the zoom", [&] { Scroll(120); }},
        {"magnified", [&] { view.Strip().SetAmplitude(4); }},
        {"back to x1", [&] { view.Strip().SetAmplitude(1); }},
        {"zoomed out", [&] { view.Strip().SetZoom(1024); }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        s.step();
        // The level marks of a magnified waveform sit over the picture at the left edge.
        const QRect compared = view.viewport()->rect().adjusted(kLevelRulerWidth, 0, 0, 0);
        const QImage shown = Shown().copy(compared);
        const QImage scratch = FromScratch().copy(compared);
        EXPECT_TRUE(shown == scratch);
    }
}

} // namespace
