#include "view/WaveformPainter.h"
#include "geometry/StripState.h"

#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

namespace colour = WaveformColour;

class WaveformPainterTest : public ::testing::Test {
protected:
    /// A stereo file whose left channel holds `left` in every frame and right channel 0.
    void Open(qint32 rate, int frames, qint16 left = 0) {
        std::vector<qint16> samples(size_t(frames) * 2, 0);
        for (size_t i = 0; i < samples.size(); i += 2) {
            samples[i] = left;
        }
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"), wav::Simple(2, rate, samples)));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    }

    QImage Paint(int x0, int curCue = -1, int width = 800, int height = 400) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        PaintBuffers buffers;
        PaintWaveform(p, doc, strip, curCue, {x0, width, height}, QColor(Qt::darkGray), buffers);
        return image;
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
    StripState strip{doc};
};

QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

/// Whether some pixel of the rectangle passes `test`.
template <typename Test> bool HasPixel(const QImage& image, const QRect& area, Test test) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(At(image, x, y))) {
                return true;
            }
        }
    }
    return false;
}

/// Whether some pixel of the rectangle is drawn in a bluish text colour.
bool HasBluishPixel(const QImage& image, const QRect& area) {
    return HasPixel(image, area, [](const QColor& c) { return c.blue() - c.red() >= 40; });
}

TEST_F(WaveformPainterTest, EmptyDocumentPaintsNothing) {
    ASSERT_TRUE(doc.OnNewDocument());
    QImage white(800, 400, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(Paint(0) == white);
}

TEST_F(WaveformPainterTest, ShadesColumnsWhoseFirstFrameIsSelected) {
    // 44100 Hz at zoom 256 puts the only mark of one second at column 0, clear of these.
    Open(44100, 44100);
    struct Case {
        int selStart = 0;
        int selEnd = 0;
        int firstShaded = 0;
        int lastShaded = 0;
    };
    for (const Case& c : {Case{60 * 256 + 100, 70 * 256, 61, 69}, Case{80 * 256, 80 * 256, 80, 80},
                          Case{90 * 256, 95 * 256 + 1, 90, 95}}) {
        doc.SetSelection(c.selStart, c.selEnd);
        const QImage image = Paint(0);
        for (int x = c.firstShaded - 2; x <= c.lastShaded + 2; ++x) {
            const bool shaded = x >= c.firstShaded && x <= c.lastShaded;
            SCOPED_TRACE(x);
            EXPECT_EQ(At(image, x, 150), shaded ? colour::kSelection : QColor(Qt::white));
            EXPECT_EQ(At(image, x, 0), shaded ? colour::kSelection : QColor(Qt::white));
            EXPECT_EQ(At(image, x, 399), shaded ? colour::kSelection : QColor(Qt::white));
        }
    }
}

TEST_F(WaveformPainterTest, RulerMarksTheSecondWithItsLabel) {
    Open(44100, 5 * 44100);
    const QImage image = Paint(400);
    // Frame 132300 (3 s) lies in column 516, 116 pixels into the window.
    EXPECT_EQ(At(image, 116, 150), colour::kSelection);
    EXPECT_EQ(At(image, 115, 150), QColor(Qt::white));
    EXPECT_EQ(At(image, 117, 150), QColor(Qt::white));
    EXPECT_TRUE(HasBluishPixel(image, QRect(119, 0, 42, 16)));
    // Half a second (86 columns) leaves room for a tick at 2.5 s, 30 pixels in, and at 3.5 s,
    // 202 pixels in. The second's label reads to the millisecond as theirs do ("00:03.000"
    // reaches past 165), and nothing lies between it and that tick.
    EXPECT_TRUE(HasBluishPixel(image, QRect(165, 0, 10, 16)));
    EXPECT_FALSE(HasBluishPixel(image, QRect(185, 0, 16, 16)));
    EXPECT_EQ(At(image, 30, 3), colour::kSelection);
    EXPECT_EQ(At(image, 30, 150), QColor(Qt::white));
}

TEST_F(WaveformPainterTest, RulerTicksBetweenTheSecondsAtZoom1) {
    Open(8000, 3 * 8000);
    strip.SetZoom(1);
    // Frame 800 (0.1 s) carries a tick whichever step of 100 ms or less the labels allow.
    const QImage image = Paint(700);
    for (int y : {0, 7, 392, 399}) {
        EXPECT_EQ(At(image, 100, y), colour::kSelection) << y;
        EXPECT_EQ(At(image, 99, y), QColor(Qt::white)) << y;
        EXPECT_EQ(At(image, 101, y), QColor(Qt::white)) << y;
    }
    EXPECT_EQ(At(image, 100, 8), QColor(Qt::white));
    EXPECT_EQ(At(image, 100, 200), QColor(Qt::white));
    // "00:00.100" beside it at the top and at the bottom.
    EXPECT_TRUE(HasBluishPixel(image, QRect(103, 0, 50, 16)));
    EXPECT_TRUE(HasBluishPixel(image, QRect(103, 385, 50, 15)));
    // The second's mark keeps its line through the whole height.
    EXPECT_EQ(At(Paint(7600), 400, 200), colour::kSelection);
}

TEST_F(WaveformPainterTest, WaveformsSitOnTheirChannelCentres) {
    Open(8000, 80000);
    QImage image = Paint(0);
    for (int x : {5, 100, 300}) {
        EXPECT_EQ(At(image, x, 100), colour::kWave) << x;
        EXPECT_EQ(At(image, x, 300), colour::kWave) << x;
    }
    // +16384 on the left lifts its line by 400 * 16384 / 131072 = 50 pixels.
    Open(8000, 8000, 16384);
    image = Paint(0);
    EXPECT_EQ(At(image, 10, 50), colour::kWave);
    EXPECT_NE(At(image, 10, 100), colour::kWave);
    EXPECT_EQ(At(image, 10, 300), colour::kWave);
}

TEST_F(WaveformPainterTest, CueBoxesFillByKindAndLane) {
    Open(8000, 800 * 256);
    AddCues(doc, {{100 * 256, 200 * 256, ""},       // 0: ordinary, clean lane
                  {300 * 256, 400 * 256, "#x"},     // 1: placeholder
                  {500 * 256, 600 * 256, "cur"},    // 2: current
                  {550 * 256, 650 * 256, "late"}}); // 3: overlaps 2, second lane
    const QImage image = Paint(0, 2);
    EXPECT_EQ(At(image, 190, 200), colour::kCue);
    EXPECT_EQ(At(image, 390, 200), colour::kPlaceholder);
    EXPECT_EQ(At(image, 300, 200), colour::kCue);
    EXPECT_EQ(At(image, 590, 200), colour::kCurrentCue);
    EXPECT_EQ(At(image, 640, 260), colour::kCue);
    EXPECT_EQ(At(image, 640, 200), QColor(Qt::white));
    // The shadow shows past the right and bottom edges of box 0.
    EXPECT_EQ(At(image, 202, 215), QColor(Qt::darkGray));
    EXPECT_EQ(At(image, 150, 232), QColor(Qt::darkGray));
    EXPECT_EQ(At(image, 150, 165), QColor(Qt::white));
    // Box 0's label "1." sits in its top-left corner.
    EXPECT_TRUE(HasBluishPixel(image, QRect(100, 170, 30, 16)));
    EXPECT_FALSE(HasBluishPixel(image, QRect(140, 190, 50, 30)));
    // The current box's label "3.cur" is white on its blue.
    const auto white = [](const QColor& c) { return c == QColor(Qt::white); };
    EXPECT_TRUE(HasPixel(image, QRect(502, 171, 30, 14), white));
    EXPECT_FALSE(HasPixel(image, QRect(540, 190, 50, 30), white));
}

TEST_F(WaveformPainterTest, WideWindowDrawsUnbrokenAcrossPolylines) {
    Open(8000, 6000);
    strip.SetZoom(1);
    const QImage image = Paint(0, -1, 5000);
    // 4998, not 4999: the final point of a flat polyline is not painted.
    for (int x : {3838, 3839, 3840, 3841, 4998}) {
        EXPECT_EQ(At(image, x, 100), colour::kWave) << x;
        EXPECT_EQ(At(image, x, 300), colour::kWave) << x;
    }
}

} // namespace
