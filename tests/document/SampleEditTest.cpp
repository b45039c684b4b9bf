#include "document/CtarnDoc.h"
#include "geometry/StripState.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <numeric>

namespace {

class SampleEditTest : public ::testing::Test {
protected:
    /// Opens a stereo file whose frame i holds i on the left and -i on the right.
    void OpenRamp(int frames) {
        std::vector<qint16> interleaved;
        for (int i = 0; i < frames; ++i) {
            interleaved.push_back(qint16(i));
            interleaved.push_back(qint16(-i));
        }
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"), wav::Simple(2, 8000, interleaved)));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    }

    void Select(int a, int b) { doc.SetSelection(a, b); }

    static std::vector<qint16> Ramp(int from, int to) {
        std::vector<qint16> v(size_t(to - from));
        std::iota(v.begin(), v.end(), qint16(from));
        return v;
    }

    static std::vector<qint16> Concat(std::vector<qint16> a, const std::vector<qint16>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
    const StripState strip{doc};
};

struct VolumeCase {
    int k;
    qint16 in;
    qint16 out;
};

class VolumeTest : public ::testing::TestWithParam<VolumeCase> {};

TEST_P(VolumeTest, ScalesByTenthsAndSaturates) {
    const VolumeCase& c = GetParam();
    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc(host);
    ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"), wav::Simple(2, 8000, {c.in, c.in, 77, 77})));
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    doc.SetSelection(doc.SelStart(), 1);
    doc.ScaleSelection(c.k);
    EXPECT_EQ(ChannelOf(doc, 0), (std::vector<qint16>{c.out, 77}));
    EXPECT_EQ(ChannelOf(doc, 1), (std::vector<qint16>{c.out, 77}));
    EXPECT_TRUE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Samples, VolumeTest,
                         ::testing::Values(VolumeCase{11, 10000, 11000}, VolumeCase{11, 5, 5},
                                           VolumeCase{11, -5, -5}, VolumeCase{9, -7, -6},
                                           VolumeCase{11, 32767, 32767},
                                           VolumeCase{11, -32768, -32768},
                                           VolumeCase{11, 30000, 32767},
                                           VolumeCase{9, -32768, -29491}));

TEST_F(SampleEditTest, VolumeStaysInsideTheAudio) {
    OpenRamp(5);
    Select(3, 1000);
    doc.ScaleSelection(11);
    EXPECT_EQ(ChannelOf(doc, 0), (std::vector<qint16>{0, 1, 2, 3, 4}));
    Select(20, 30);
    doc.ScaleSelection(11);
    Select(4, 1);
    doc.ScaleSelection(9);
    EXPECT_EQ(ChannelOf(doc, 0), (std::vector<qint16>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(SampleEditTest, EmptySelectionChangesNoSampleButMarksModified) {
    OpenRamp(20);
    Select(5, 5);
    doc.ScaleSelection(11);
    EXPECT_EQ(ChannelOf(doc, 0), Ramp(0, 20));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SampleEditTest, CutMovesTheRestAndFillsTheClipboard) {
    OpenRamp(100);
    AddCues(doc, {{50, 60, "after"}});
    Select(10, 20);
    doc.OnEditCut();
    EXPECT_EQ(doc.GetRecording().Frames(), 90);
    EXPECT_EQ(ChannelOf(doc, 0), Concat(Ramp(0, 10), Ramp(20, 100)));
    EXPECT_EQ(ChannelOf(doc, 1)[10], -20);
    EXPECT_EQ(doc.SelStart(), 10);
    EXPECT_EQ(doc.SelEnd(), 10);
    EXPECT_EQ(ClipOf(doc, 0), Ramp(10, 20));
    EXPECT_EQ(doc.GetRecording().ClipLength(), 10);
    EXPECT_EQ(doc.Cues().Start(0), 40);
    EXPECT_EQ(doc.Cues().End(0), 50);
    EXPECT_EQ(strip.StripColumns(), 90 / 256 + 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SampleEditTest, CutWithEmptySelectionTouchesNothing) {
    OpenRamp(30);
    Select(2, 4);
    doc.OnEditCopy();
    Select(8, 8);
    doc.OnEditCut();
    Select(9, 3);
    doc.OnEditCut();
    EXPECT_EQ(doc.GetRecording().Frames(), 30);
    EXPECT_EQ(ClipOf(doc, 0), Ramp(2, 4));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SampleEditTest, CuttingEverythingLeavesNothingToDraw) {
    OpenRamp(300);
    Select(0, 300);
    doc.OnEditCut();
    EXPECT_EQ(doc.GetRecording().Frames(), 0);
    EXPECT_EQ(strip.StripColumns(), 0);
}

TEST_F(SampleEditTest, PasteInsertsAtAnEmptySelectionAndSelectsThePastedFrames) {
    OpenRamp(100);
    Select(0, 10);
    doc.OnEditCut();
    Select(50, 50);
    doc.OnEditPaste();
    EXPECT_EQ(doc.GetRecording().Frames(), 100);
    EXPECT_EQ(ChannelOf(doc, 0), Concat(Concat(Ramp(10, 60), Ramp(0, 10)), Ramp(60, 100)));
    EXPECT_EQ(doc.SelStart(), 50);
    EXPECT_EQ(doc.SelEnd(), 60);
    EXPECT_EQ(doc.GetRecording().ClipLength(), 10);
}

TEST_F(SampleEditTest, PasteOverASelectionMovesTheCues) {
    OpenRamp(100);
    Select(0, 4);
    doc.OnEditCopy();
    AddCues(doc, {{40, 60, "after"},
                  {25, 28, "inside"},
                  {25, 45, "from inside"},
                  {5, 25, "into"},
                  {1, 3, "before"}});
    Select(20, 30);
    doc.OnEditPaste();
    EXPECT_EQ(doc.GetRecording().Frames(), 94);
    EXPECT_EQ(ChannelOf(doc, 0), Concat(Concat(Ramp(0, 20), Ramp(0, 4)), Ramp(30, 100)));
    ASSERT_EQ(doc.Cues().Count(), 4);
    const std::vector<std::tuple<int, int, QString>> expected = {
        {1, 3, "before"}, {5, 20, "into"}, {24, 39, "from inside"}, {34, 54, "after"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(std::tuple(doc.Cues().Start(i), doc.Cues().End(i), doc.Cues().Text(i)),
                  expected[size_t(i)]);
    }
    EXPECT_EQ(doc.SelStart(), 20);
    EXPECT_EQ(doc.SelEnd(), 24);
}

TEST_F(SampleEditTest, PasteClampsASelectionPastTheEnd) {
    OpenRamp(10);
    Select(0, 2);
    doc.OnEditCopy();
    Select(8, 500);
    doc.OnEditPaste();
    EXPECT_EQ(ChannelOf(doc, 0), Concat(Ramp(0, 8), Ramp(0, 2)));
    EXPECT_EQ(doc.SelStart(), 8);
    EXPECT_EQ(doc.SelEnd(), 10);
}

TEST_F(SampleEditTest, PasteWithAnEmptyClipboardDoesNothing) {
    OpenRamp(10);
    Select(2, 5);
    doc.OnEditPaste();
    EXPECT_EQ(doc.GetRecording().Frames(), 10);
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
