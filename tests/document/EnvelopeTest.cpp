#include "recording/Envelope.h"
#include "document/CtarnDoc.h"
#include "geometry/StripState.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

/// The envelope rule applied to a whole track, frame by frame: for each column start s the
/// first frame, the extremes of first, last and every frame between (in signal order) and
/// the last frame, 0 where the last frame lies past the end; columns frames / zoom + 1.
std::vector<qint16> WholeEnvelope(const std::vector<qint16>& track, int zoom) {
    const qint64 n = qint64(track.size());
    std::vector<qint16> out(size_t(n / zoom + 1) * 4, 0);
    for (qint64 s = 0, e = 0; s < n; s += zoom, e += 4) {
        const qint16 first = track[size_t(s)];
        const qint16 last = s + zoom - 1 < n ? track[size_t(s + zoom - 1)] : qint16(0);
        qint16 lo = std::min(first, last);
        qint16 hi = std::max(first, last);
        for (qint64 j = s + 1; j <= s + zoom - 2 && j < n; ++j) {
            lo = std::min(lo, track[size_t(j)]);
            hi = std::max(hi, track[size_t(j)]);
        }
        out[size_t(e)] = first;
        out[size_t(e + 1)] = first < last ? lo : hi;
        out[size_t(e + 2)] = first < last ? hi : lo;
        out[size_t(e + 3)] = last;
    }
    return out;
}

/// Columns first .. first + count - 1 computed from the summary, as the view asks for them.
std::vector<qint16> Columns(const std::vector<qint16>& track, int zoom, qint64 first, int count) {
    SampleSummary summary;
    summary.Resize(int(track.size()));
    summary.Compute(track.data(), int(track.size()), 0, int(track.size()));
    std::vector<qint16> out(size_t(count) * 4);
    BuildEnvelope(track.data(), int(track.size()), summary, zoom, first, count, out.data());
    return out;
}

std::vector<qint16> AllColumns(const std::vector<qint16>& track, int zoom) {
    return Columns(track, zoom, 0, int(EnvelopeColumns(qint64(track.size()), zoom)));
}

struct EnvelopeCase {
    const char* name;
    std::vector<qint16> track;
    int zoom;
    std::vector<qint16> expected;
};

class EnvelopeTest : public ::testing::TestWithParam<EnvelopeCase> {};

TEST_P(EnvelopeTest, ColumnsHoldFirstExtremesInOrderAndLast) {
    const EnvelopeCase& c = GetParam();
    EXPECT_EQ(AllColumns(c.track, c.zoom), c.expected);
    EXPECT_EQ(WholeEnvelope(c.track, c.zoom), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, EnvelopeTest,
    ::testing::Values(
        // The last column's missing frame counts as 0.
        EnvelopeCase{
            "FiveFramesAtZoomTwo", {1, 2, 3, 4, 5}, 2, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 0, 0}},
        EnvelopeCase{"RisingColumnLowThenHigh", {-1, 5, -7, 3}, 4, {-1, -7, 5, 3, 0, 0, 0, 0}},
        EnvelopeCase{"FallingColumnHighThenLow", {10, -3, 7, 2}, 4, {10, 10, -3, 2, 0, 0, 0, 0}},
        EnvelopeCase{
            "ZoomOneRepeatsEachSample", {4, -4}, 1, {4, 4, 4, 4, -4, -4, -4, -4, 0, 0, 0, 0}},
        EnvelopeCase{"ZoomWiderThanTrack", {3, 9, 1}, 8, {3, 9, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<qint16> RandomTrack(QRandomGenerator& random, int frames) {
    std::vector<qint16> track(static_cast<size_t>(frames));
    // Runs of loud and quiet stretches, so that the extremes sit anywhere in a block.
    for (int i = 0; i < frames; ++i) {
        const int scale = (i / 700) % 3 == 0 ? 32768 : 300;
        track[size_t(i)] = qint16(random.bounded(-scale, scale));
    }
    return track;
}

// Windows of columns anywhere in the strip, past its end included, at every zoom and for
// lengths around the summary's block sizes, against the frame-by-frame rule.
TEST(EnvelopeWindowTest, EveryWindowEqualsTheWholeTrackRule) {
    QRandomGenerator random(7);
    for (int frames : {1, 255, 256, 257, 4095, 4096, 4097, 70001}) {
        const std::vector<qint16> track = RandomTrack(random, frames);
        for (int zoom = 1; zoom <= 4096; zoom *= 2) {
            const std::vector<qint16> whole = WholeEnvelope(track, zoom);
            const qint64 columns = EnvelopeColumns(frames, zoom);
            ASSERT_EQ(qint64(whole.size()), 4 * columns);
            for (int trial = 0; trial < 4; ++trial) {
                const qint64 first = random.bounded(int(columns));
                const int count = 1 + random.bounded(300);
                std::vector<qint16> expected(size_t(count) * 4, 0);
                for (qint64 e = 4 * first; e < std::min<qint64>(whole.size(), 4 * (first + count));
                     ++e) {
                    expected[size_t(e - 4 * first)] = whole[size_t(e)];
                }
                ASSERT_EQ(Columns(track, zoom, first, count), expected)
                    << frames << " frames, zoom " << zoom << ", from " << first;
            }
        }
    }
}

// After volume changes, cuts and pastes the summaries still give the rule's entries.
TEST(EnvelopeWindowTest, EditsKeepTheSummaryExact) {
    QRandomGenerator random(11);
    const std::vector<qint16> track = RandomTrack(random, 30000);
    std::vector<qint16> interleaved;
    for (size_t i = 0; i < track.size(); ++i) {
        interleaved.push_back(track[i]);
        interleaved.push_back(qint16(-track[i] / 2));
    }
    QTemporaryDir dir;
    ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"), wav::Simple(2, 8000, interleaved)));
    FakeHost host;
    CtarnDoc doc(host);
    StripState strip(doc);
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    // Well under 1 % of the samples' memory.
    EXPECT_LE(doc.GetRecording().Summary(0).MemoryBytes(), qint64(track.size()) * 2 / 100);
    for (int step = 0; step < 40; ++step) {
        const int a = random.bounded(doc.GetRecording().Frames() + 1);
        const int b = random.bounded(doc.GetRecording().Frames() + 1);
        doc.SetSelection(std::min(a, b), std::max(a, b));
        switch (step % 4) {
        case 0:
            doc.ScaleSelection(11);
            break;
        case 1:
            doc.ScaleSelection(9);
            break;
        case 2:
            doc.OnEditCut();
            break;
        default:
            doc.OnEditPaste();
        }
        for (int channel = 0; channel < 2; ++channel) {
            const SampleVector& samples = doc.GetRecording().Samples(channel);
            const std::vector<qint16> plain(samples.begin(), samples.end());
            for (int zoom : {1, 16, 256, 4096}) {
                strip.SetZoom(zoom);
                std::vector<qint16> entries;
                strip.BuildEnvelope(channel, 0, int(strip.StripColumns()), entries);
                ASSERT_EQ(entries, WholeEnvelope(plain, zoom)) << "step " << step;
            }
        }
    }
    EXPECT_TRUE(host.messages.isEmpty());
}

struct MarkCase {
    int frames;
    int zoom;
    qint64 period;
};

class MarkColumnTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarkColumnTest, MarkedExactlyWhenAFrameOfTheColumnIsMarked) {
    const MarkCase& c = GetParam();
    for (qint64 column = 0; column <= c.frames / c.zoom + 1; ++column) {
        bool marked = false;
        for (qint64 k = column * c.zoom; k < std::min<qint64>(c.frames, (column + 1) * c.zoom);
             ++k) {
            marked = marked || (c.period > 0 && k % c.period == 0);
        }
        EXPECT_EQ(ColumnHasMark(column, c.zoom, c.frames, c.period), marked) << column;
    }
}

INSTANTIATE_TEST_SUITE_P(Periods, MarkColumnTest,
                         ::testing::Values(MarkCase{1, 1, 8000}, MarkCase{20000, 256, 8000},
                                           MarkCase{16001, 1024, 8000}, MarkCase{17, 4, 3},
                                           MarkCase{17, 4, 1}, MarkCase{100, 2, 0},
                                           MarkCase{50, 3, 2}, MarkCase{9, 16, 4},
                                           MarkCase{24001, 4096, 8000}, MarkCase{33, 5, 5},
                                           MarkCase{12, 3, 4}, MarkCase{1000, 7, 13}));

TEST(EnvelopeColumnsTest, OneMoreThanTheWholeColumnsAndNoneWithoutFrames) {
    EXPECT_EQ(EnvelopeColumns(5, 2), 3);
    EXPECT_EQ(EnvelopeColumns(0, 256), 0);
    EXPECT_EQ(EnvelopeColumns(std::numeric_limits<int>::max(), 1), qint64(1) << 31);
}

class DocumentEnvelopeTest : public ::testing::Test {
protected:
    void Open(quint16 channels, qint32 rate, int frames) {
        std::vector<qint16> samples(size_t(frames) * channels, 0);
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"), wav::Simple(channels, rate, samples)));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    }

    std::vector<int> MarkedColumns() const {
        std::vector<int> columns;
        for (qint64 c = 0; c < strip.StripColumns(); ++c) {
            if (strip.ColumnHasMark(c)) {
                columns.push_back(int(c));
            }
        }
        return columns;
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
    StripState strip{doc};
};

TEST_F(DocumentEnvelopeTest, MarksFallOnWholeSeconds) {
    Open(1, 8000, 8000);
    EXPECT_EQ(MarkedColumns(), std::vector<int>{0});
    Open(1, 8000, 16000);
    EXPECT_EQ(MarkedColumns(), (std::vector<int>{0, 8000 / 256}));
    EXPECT_EQ(strip.StripColumns(), 16000 / 256 + 1);
}

TEST_F(DocumentEnvelopeTest, RateOfZeroOpensWithoutMarks) {
    Open(2, 0, 300);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(doc.GetRecording().Frames(), 300);
    EXPECT_TRUE(MarkedColumns().empty());
}

} // namespace
