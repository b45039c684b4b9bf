#include "actions/ClipSaves.h"
#include "document/CtarnDoc.h"
#include "recording/WaveWriter.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using wav::Chunk;
using wav::Samples16;
using wav::U16;
using wav::U32;

/// The 36 header bytes tarn writes for 16-bit stereo at `rate`.
QByteArray ExpectedHeader(quint32 chunkSize, qint32 rate, quint32 fmtSize = 16) {
    return QByteArray("RIFF") + U32(chunkSize) + "WAVE" + "fmt " + U32(fmtSize) + U16(1) + U16(2) +
           U32(quint32(rate)) + U32(quint32(rate) * 4) + U16(4) + U16(16);
}

class WaveWriteTest : public ::testing::Test {
protected:
    void Open(const QByteArray& bytes) {
        ASSERT_TRUE(wav::WriteFile(dir.filePath("src.wav"), bytes));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("src.wav")));
    }

    QByteArray Clip(int a, int b) {
        doc.SetSelection(a, b);
        host.savePaths.push_back(dir.filePath("clip.wav"));
        OnSaveClip(doc, host);
        return wav::ReadFile(dir.filePath("clip.wav"));
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

TEST_F(WaveWriteTest, ClipOfThreeFramesIsFiftySixBytes) {
    Open(wav::Simple(2, 8000, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    const QByteArray expected =
        ExpectedHeader(48, 8000) + "data" + U32(12) + Samples16({3, 4, 5, 6, 7, 8});
    EXPECT_EQ(Clip(1, 4), expected);
    EXPECT_EQ(host.recentFiles, QStringList{dir.filePath("clip.wav")});
    ASSERT_EQ(host.saveRequests.size(), 1u);
    EXPECT_EQ(host.saveRequests[0].title, "Save clip to file");
    EXPECT_EQ(host.saveRequests[0].filter, "Wave files(*.wav)");
    EXPECT_EQ(host.saveRequests[0].defaultExtension, ".wav");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(WaveWriteTest, MonoIsWrittenAsStereoAndTheDocumentKeepsTwoChannels) {
    Open(wav::Simple(1, 8000, {5, -6}));
    EXPECT_EQ(Clip(0, 2), ExpectedHeader(44, 8000) + "data" + U32(8) + Samples16({5, 5, -6, -6}));
    EXPECT_EQ(doc.GetRecording().Header().NumOfChannel, 2);
}

TEST_F(WaveWriteTest, RangeIsOrderedAndClamped) {
    Open(wav::Simple(2, 8000, {1, 2, 3, 4}));
    const QByteArray all = ExpectedHeader(44, 8000) + "data" + U32(8) + Samples16({1, 2, 3, 4});
    EXPECT_EQ(Clip(99, -5), all);
    EXPECT_EQ(Clip(1, 1), ExpectedHeader(36, 8000) + "data" + U32(0));
}

TEST_F(WaveWriteTest, ExtraChunksAreWrittenBackWithPadBytes) {
    wav::Format format;
    format.extra = QByteArray("\x01\x02", 2);
    Open(wav::File(format, Chunk("LIST", "odd") + Chunk("fact", U32(9)) +
                               Chunk("data", Samples16({1, 2}))));
    const QByteArray expected = ExpectedHeader(4 + 24 + 2 + 12 + 12 + 12, 8000, 18) + U16(0x0201) +
                                "fact" + U32(4) + U32(9) + "LIST" + U32(3) + "odd" + '\0' + "data" +
                                U32(4) + Samples16({1, 2});
    EXPECT_EQ(Clip(0, 1), expected);
}

TEST_F(WaveWriteTest, SavedDocumentReadsBackAsIs) {
    const QByteArray source = wav::Simple(2, 44100, {100, -100, 32767, -32768, 0, 1});
    Open(source);
    doc.SetModifiedFlag(true);
    const QString out = dir.filePath("saved.wav");
    ASSERT_TRUE(doc.OnSaveDocument(out));
    EXPECT_EQ(wav::ReadFile(out), source);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.File().GetPathName(), out);
    EXPECT_EQ(doc.File().GetTitle(), "saved.wav");
}

TEST_F(WaveWriteTest, CancelledClipWritesNothing) {
    Open(wav::Simple(2, 8000, {1, 2, 3, 4}));
    doc.SetSelection(doc.SelStart(), 2);
    OnSaveClip(doc, host);
    EXPECT_TRUE(host.recentFiles.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("clip.wav")));
}

TEST_F(WaveWriteTest, UnwritablePathIsReportedAndTheDocumentStaysModified) {
    Open(wav::Simple(2, 8000, {1, 2}));
    doc.SetModifiedFlag(true);
    const QString bad = dir.filePath("no/such/folder/out.wav");
    EXPECT_FALSE(doc.OnSaveDocument(bad));
    EXPECT_EQ(host.messages, QStringList{"write file error " + bad});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.File().GetPathName(), dir.filePath("src.wav"));

    host.messages.clear();
    host.savePaths.push_back(bad);
    OnSaveClip(doc, host);
    EXPECT_EQ(host.messages, QStringList{"write file error " + bad});
    EXPECT_TRUE(host.recentFiles.isEmpty());
}

/// Records the size of every write, to see the staging of the samples.
class RecordingDevice : public QBuffer {
public:
    std::vector<qint64> writes;

protected:
    qint64 writeData(const char* data, qint64 size) override {
        writes.push_back(size);
        return QBuffer::writeData(data, size);
    }
};

TEST(WaveWriterTest, SamplesGoOutInBlocksOf8192Bytes) {
    const std::vector<qint16> left(5000, 1);
    const std::vector<qint16> right(5000, -1);
    RecordingDevice device;
    device.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteWave(device, {}, left, right, {0, 5000}));
    const std::vector<qint64> sampleWrites(device.writes.end() - 3, device.writes.end());
    EXPECT_EQ(sampleWrites, (std::vector<qint64>{8192, 8192, 1808 * 2}));
    EXPECT_EQ(device.data().size(), 44 + 5000 * 4);
}

TEST(WaveWriterTest, RefusedWriteIsReported) {
    const std::vector<qint16> samples(10, 0);
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(WriteWave(readOnly, {}, samples, samples, {0, 10}));
}

} // namespace
