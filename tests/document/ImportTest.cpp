#include "document/CtarnDoc.h"
#include "recording/DecodedAudio.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

/// Hands over `blocks` blocks of `values`, or blocks without end when `blocks` is negative.
class FakeDecoder : public AudioDecoder {
public:
    FakeDecoder(int channels, std::vector<qint16> values, int blocks)
        : m_channels(channels), m_values(std::move(values)), m_blocks(blocks) {}

    qint32 SampleRate() const override { return 48000; }
    int Channels() const override { return m_channels; }
    int SourceChannels() const override { return m_channels; }
    qint64 ExpectedFrames() const override { return 0; }
    bool Next(std::vector<qint16>& block) override {
        block.clear();
        if (m_blocks == 0) {
            return false;
        }
        --m_blocks;
        block = m_values;
        return true;
    }

private:
    int m_channels;
    std::vector<qint16> m_values;
    int m_blocks;
};

/// A host whose user presses Cancel at the first sight of progress.
class CancellingHost : public FakeHost {
public:
    bool ReportProgress(const QString&, int done, int total) override { return done >= total; }
};

class ImportTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

TEST_F(ImportTest, DecodedFileIsTitledImportedWithTheSourcesCues) {
    ASSERT_TRUE(wav::WriteFile(Path("talk.mp3"), "not read: the decoder is a fake"));
    ASSERT_TRUE(wav::WriteFile(Path("talk.txt"), "[1,3]\na\n\n"));
    FakeDecoder decoder(2, {1, -1, 2, -2}, 3);
    ASSERT_TRUE(doc.OnImportDocument(Path("talk.mp3"), decoder));
    EXPECT_EQ(ChannelOf(doc, 0), (std::vector<qint16>{1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(ChannelOf(doc, 1), (std::vector<qint16>{-1, -2, -1, -2, -1, -2}));
    EXPECT_EQ(doc.File().GetTitle(), "talk.mp3 (imported)");
    EXPECT_EQ(doc.File().GetPathName(), "");
    EXPECT_EQ(doc.Cues().Count(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(host.statuses.value(0), "Opened talk.mp3: 48000 Hz stereo, decoded to 16 bits");

    ASSERT_TRUE(doc.OnSaveDocument(Path("talk.wav")));
    EXPECT_EQ(doc.File().GetTitle(), "talk.wav");
    EXPECT_EQ(doc.File().ImportSource(), "");
}

TEST_F(ImportTest, MonoStaysMonoInBothArraysAndSaysSo) {
    FakeDecoder decoder(1, {5, 6, 7}, 1);
    ASSERT_TRUE(doc.OnImportDocument(Path("memo.m4a"), decoder));
    EXPECT_EQ(ChannelOf(doc, 0), (std::vector<qint16>{5, 6, 7}));
    EXPECT_EQ(ChannelOf(doc, 1), (std::vector<qint16>{5, 6, 7}));
    EXPECT_EQ(host.statuses.value(0), "Opened memo.m4a: 48000 Hz mono, decoded to 16 bits");
}

TEST_F(ImportTest, CancelLeavesTheOpenDocumentAsItWas) {
    ASSERT_TRUE(wav::WriteFile(Path("open.wav"), wav::Simple(2, 8000, {3, 4})));
    CancellingHost cancelling;
    CtarnDoc opened(cancelling);
    ASSERT_TRUE(opened.OnOpenDocument(Path("open.wav")));
    FakeDecoder endless(2, std::vector<qint16>(8192, 9), -1);
    EXPECT_FALSE(opened.OnImportDocument(Path("long.mp3"), endless));
    EXPECT_EQ(ChannelOf(opened, 0), (std::vector<qint16>{3}));
    EXPECT_EQ(opened.File().GetTitle(), "open.wav");
    EXPECT_TRUE(cancelling.messages.isEmpty());
}

TEST(DecodeSinkTest, SummariesCoverEveryFrameAcrossBlocks) {
    // Blocks that end inside summary blocks, and a last partial one.
    std::vector<qint16> block(3000);
    for (size_t i = 0; i < block.size(); ++i) {
        block[i] = qint16(i % 2 == 0 ? int(i) : -int(i));
    }
    DecodeSink sink(2, 0);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(sink.Append(block.data(), qint64(block.size()) / 2));
    }
    const ChannelSamples samples = sink.Finish();
    ASSERT_EQ(samples.Frames(), 7500);
    for (const auto& [first, last] : {std::pair{0, 7499}, {4000, 4200}, {7000, 7499}}) {
        const MinMax left = samples.summary[0].Range(samples.samples[0].data(), first, last);
        const MinMax right = samples.summary[1].Range(samples.samples[1].data(), first, last);
        EXPECT_EQ(left.hi, *std::max_element(samples.samples[0].begin() + first,
                                             samples.samples[0].begin() + last + 1));
        EXPECT_EQ(right.lo, *std::min_element(samples.samples[1].begin() + first,
                                              samples.samples[1].begin() + last + 1));
    }
}

TEST(ImportSaveNameTest, BesideTheSourceNeverOnIt) {
    const struct {
        QString source;
        QString proposed;
    } cases[] = {
        {"/a/talk.mp3", "/a/talk.wav"},
        {"/a/take.two.m4a", "/a/take.two.wav"},
        {"/a/deep.wav", "/a/deep (16-bit).wav"},
        {"/a/LOUD.WAV", "/a/LOUD.wav"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ImportSaveName(c.source), c.proposed) << c.source.toStdString();
    }
}

} // namespace
