#include "document/Envelope.h"
#include "document/CtarnDoc.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

struct EnvelopeCase {
    const char* name;
    std::vector<qint16> track;
    int zoom;
    std::vector<qint16> expected;
};

class EnvelopeTest : public ::testing::TestWithParam<EnvelopeCase> {};

TEST_P(EnvelopeTest, ColumnsHoldFirstExtremesInOrderAndLast) {
    const EnvelopeCase& c = GetParam();
    EXPECT_EQ(BuildEnvelope(c.track, c.zoom), c.expected);
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

struct MarkCase {
    int frames;
    int zoom;
    qint64 period;
};

class MarkEnvelopeTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarkEnvelopeTest, EqualsTheEnvelopeOfEveryFrame) {
    const MarkCase& c = GetParam();
    const SecondMarkTrack track(c.frames, c.period);
    std::vector<qint16> everyFrame(size_t(c.frames), 0);
    for (qint64 k = 0; k < c.frames; ++k) {
        everyFrame[size_t(k)] = (c.period > 0 && k % c.period == 0) ? 50 : 0;
    }
    EXPECT_EQ(BuildMarkEnvelope(track, c.zoom), BuildEnvelope(everyFrame, c.zoom));
}

INSTANTIATE_TEST_SUITE_P(Periods, MarkEnvelopeTest,
                         ::testing::Values(MarkCase{1, 1, 8000}, MarkCase{20000, 256, 8000},
                                           MarkCase{16001, 1024, 8000}, MarkCase{17, 4, 3},
                                           MarkCase{17, 4, 1}, MarkCase{100, 2, 0},
                                           MarkCase{50, 3, 2}, MarkCase{9, 16, 4},
                                           MarkCase{24001, 4096, 8000}, MarkCase{33, 5, 5},
                                           MarkCase{12, 3, 4}, MarkCase{1000, 7, 13}));

TEST(EnvelopeLengthTest, RefusesLengthsBeyond32Bits) {
    EXPECT_EQ(EnvelopeLength(5, 2), 12);
    EXPECT_EQ(EnvelopeLength(std::numeric_limits<int>::max(), 1), std::nullopt);
    EXPECT_TRUE(EnvelopeLength(std::numeric_limits<int>::max(), 4096).has_value());
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
        for (int e = 0; e < doc.m_nEnvelopeLen; e += 4) {
            if (doc.m_pMarkEnvelope[size_t(e)] || doc.m_pMarkEnvelope[size_t(e + 1)] ||
                doc.m_pMarkEnvelope[size_t(e + 2)] || doc.m_pMarkEnvelope[size_t(e + 3)]) {
                columns.push_back(e / 4);
            }
        }
        return columns;
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

TEST_F(DocumentEnvelopeTest, MarksFallOnWholeSeconds) {
    Open(1, 8000, 8000);
    EXPECT_EQ(MarkedColumns(), std::vector<int>{0});
    Open(1, 8000, 16000);
    EXPECT_EQ(MarkedColumns(), (std::vector<int>{0, 8000 / 256}));
    EXPECT_EQ(doc.m_nEnvelopeLen, 4 * (16000 / 256) + 4);
}

TEST_F(DocumentEnvelopeTest, RateOfZeroOpensWithoutMarks) {
    Open(2, 0, 300);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(doc.m_nSamples, 300);
    EXPECT_TRUE(MarkedColumns().empty());
}

} // namespace
