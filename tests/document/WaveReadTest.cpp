#include "document/CtarnDoc.h"
#include "geometry/StripState.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using wav::Chunk;
using wav::ChunkDeclaring;
using wav::Samples16;
using wav::U32;

struct ReadCase {
    const char* name = "";
    QByteArray bytes = {};
    QString message = {}; ///< empty: the file opens
    std::vector<qint16> left = {};
    std::vector<qint16> right = {};
    QByteArray fmtExtra = {};
    QByteArray fact = {};
    QByteArray list = {};
    QString status = {}; ///< the status line of an opened file, empty for none
};

wav::Format Fmt(quint16 channels, quint16 bits = 16, quint16 audioFormat = 1) {
    wav::Format f;
    f.channels = channels;
    f.bits = bits;
    f.audioFormat = audioFormat;
    return f;
}

wav::Format FmtWithExtra(const QByteArray& extra) {
    wav::Format f = Fmt(2);
    f.extra = extra;
    return f;
}

const QByteArray kStereo4 = Samples16({10, 20, 30, 40});
const QString kNotWav = QStringLiteral("not a PCM WAV file");

std::vector<ReadCase> ReadCases() {
    return {
        {"Mono16",
         wav::File(Fmt(1), Chunk("data", Samples16({1, -2, 3}))),
         {},
         {1, -2, 3},
         {1, -2, 3}},
        {"Stereo16", wav::File(Fmt(2), Chunk("data", kStereo4)), {}, {10, 30}, {20, 40}},
        {"Mono8IsUnsigned",
         wav::File(Fmt(1, 8), Chunk("data", QByteArray("\x00\x80\xff", 3))),
         {},
         {-32768, 0, 32512},
         {-32768, 0, 32512}},
        {"Stereo8",
         wav::File(Fmt(2, 8), Chunk("data", QByteArray("\x80\x00\xff\x81", 4))),
         {},
         {0, 32512},
         {-32768, 256}},
        {"FmtExtension",
         wav::File(FmtWithExtra("\x01\x02"), Chunk("data", kStereo4)),
         {},
         {10, 30},
         {20, 40},
         "\x01\x02"},
        {"OddFmtExtensionIsPadded",
         wav::File(FmtWithExtra("\x07"), Chunk("data", kStereo4)),
         {},
         {10, 30},
         {20, 40},
         "\x07"},
        {"FactBeforeData",
         wav::File(Fmt(2), Chunk("fact", U32(2)) + Chunk("data", kStereo4)),
         {},
         {10, 30},
         {20, 40},
         {},
         U32(2)},
        {"ListBeforeFact",
         wav::File(Fmt(2),
                   Chunk("LIST", "INFOabcd") + Chunk("fact", U32(2)) + Chunk("data", kStereo4)),
         {},
         {10, 30},
         {20, 40},
         {},
         U32(2),
         "INFOabcd"},
        {"JunkIsSkipped",
         wav::File(Fmt(2), Chunk("JUNK", QByteArray(28, 'j')) + Chunk("data", kStereo4)),
         {},
         {10, 30},
         {20, 40}},
        {"OddChunksArePadded",
         wav::File(Fmt(2), Chunk("bext", "abc") + Chunk("LIST", "INFOx") + Chunk("data", kStereo4)),
         {},
         {10, 30},
         {20, 40},
         {},
         {},
         "INFOx"},
        {"LargeListKeptWhole",
         wav::File(Fmt(2), Chunk("LIST", QByteArray(1000, 'L')) + Chunk("data", kStereo4)),
         {},
         {10, 30},
         {20, 40},
         {},
         {},
         QByteArray(1000, 'L')},
        {"DataSizeAllOnesTakesTheRest",
         wav::File(Fmt(2), ChunkDeclaring("data", 0xFFFFFFFF, kStereo4)),
         {},
         {10, 30},
         {20, 40}},
        {"DataSizePastEndIsCut",
         wav::File(Fmt(2), ChunkDeclaring("data", 1000, kStereo4)),
         {},
         {10, 30},
         {20, 40},
         {},
         {},
         {},
         "case.wav is shorter than its header says: 2 frames read"},
        {"TrailingPartialFrameIgnored",
         wav::File(Fmt(2), Chunk("data", Samples16({10, 20, 30}))),
         {},
         {10},
         {20}},
        {"EmptyDataOpensEmpty", wav::File(Fmt(2), Chunk("data", {})), {}, {}, {}},
        {"EmptyFile", QByteArray(), kNotWav},
        {"ShorterThanHeader", wav::File(Fmt(2), {}).left(30), kNotWav},
        {"NoDataChunk", wav::File(Fmt(2), Chunk("LIST", "INFO")), kNotWav},
        {"ChunkRunsPastEnd",
         wav::File(Fmt(2), ChunkDeclaring("JUNK", 500, "xx") + Chunk("data", kStereo4)), kNotWav},
        {"FactRunsPastEnd", wav::File(Fmt(2), ChunkDeclaring("fact", 0x7FFFFFFF, "")), kNotWav},
        {"FmtExtensionPastEnd", wav::File(FmtWithExtra(QByteArray(5, 'e')), {}).left(38), kNotWav},
        {"AudioFormatFloat", wav::File(Fmt(2, 16, 3), Chunk("data", kStereo4)),
         "AudioFormat must equ 1"},
        {"BitsCheckedBeforeFormat", wav::File(Fmt(2, 24, 3), Chunk("data", kStereo4)),
         "bitsPerSample must equ 16 or 8"},
        {"NoChannels", wav::File(Fmt(0), Chunk("data", kStereo4)), "NumOfChannel must be 1 or 2"},
        {"ThreeChannels", wav::File(Fmt(3), Chunk("data", QByteArray(12, 'x'))),
         "NumOfChannel must be 1 or 2"},
    };
}

class WaveReadTest : public ::testing::TestWithParam<ReadCase> {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
    StripState strip{doc};
};

TEST_P(WaveReadTest, OpensOrRefusesWithoutTouchingThePreviousDocument) {
    const ReadCase& c = GetParam();
    ASSERT_TRUE(wav::WriteFile(Path("before.wav"), wav::Simple(1, 22050, {7, 8, 9, 10, 11})));
    ASSERT_TRUE(doc.OnOpenDocument(Path("before.wav")));
    doc.SetSelection(1, 3);
    strip.SetZoom(2);
    AddCues(doc, {{0, 4, "kept"}});
    doc.SetModifiedFlag(true);
    std::vector<qint16> envelopeBefore;
    strip.BuildEnvelope(0, 0, int(strip.StripColumns()), envelopeBefore);

    ASSERT_TRUE(wav::WriteFile(Path("case.wav"), c.bytes));
    const bool opened = doc.OnOpenDocument(Path("case.wav"));
    EXPECT_EQ(host.statuses, c.status.isEmpty() ? QStringList() : QStringList{c.status});

    if (c.message.isEmpty()) {
        EXPECT_TRUE(opened);
        EXPECT_TRUE(host.messages.isEmpty()) << host.messages.join('|').toStdString();
        EXPECT_EQ(ChannelOf(doc, 0), c.left);
        EXPECT_EQ(ChannelOf(doc, 1), c.right);
        EXPECT_EQ(doc.GetRecording().Frames(), int(c.left.size()));
        EXPECT_EQ(doc.GetRecording().Format().fmtExtra, c.fmtExtra);
        EXPECT_EQ(doc.GetRecording().Format().fact, c.fact);
        EXPECT_EQ(doc.GetRecording().Format().list, c.list);
        EXPECT_EQ(strip.Zoom(), StripState::kOpenedZoom);
        EXPECT_EQ(doc.SelStart(), 0);
        EXPECT_EQ(doc.SelEnd(), 0);
        EXPECT_EQ(doc.Cues().Count(), 0);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.File().GetPathName(), Path("case.wav"));
        return;
    }
    EXPECT_FALSE(opened);
    EXPECT_EQ(host.messages, QStringList{c.message});
    EXPECT_EQ(ChannelOf(doc, 0), (std::vector<qint16>{7, 8, 9, 10, 11}));
    EXPECT_EQ(ChannelOf(doc, 1), (std::vector<qint16>{7, 8, 9, 10, 11}));
    EXPECT_EQ(doc.GetRecording().Frames(), 5);
    EXPECT_EQ(doc.GetRecording().Header().SampleRate, 22050);
    EXPECT_EQ(doc.GetRecording().Header().NumOfChannel, 1);
    EXPECT_EQ(doc.SelStart(), 1);
    EXPECT_EQ(doc.SelEnd(), 3);
    EXPECT_EQ(strip.Zoom(), 2);
    std::vector<qint16> envelopeAfter;
    strip.BuildEnvelope(0, 0, int(strip.StripColumns()), envelopeAfter);
    EXPECT_EQ(envelopeAfter, envelopeBefore);
    EXPECT_EQ(doc.Cues().Count(), 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.File().GetPathName(), Path("before.wav"));
}

INSTANTIATE_TEST_SUITE_P(Files, WaveReadTest, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WaveOpenTest, UnreadableFileNamesThePath) {
    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc(host);
    const QString path = dir.filePath("missing.wav");
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(host.messages, QStringList{"cannot read " + path});
    EXPECT_EQ(doc.File().GetTitle(), "noname");
}

TEST(WaveOpenTest, NewDocumentKeepsTheClipboard) {
    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc(host);
    const StripState strip(doc);
    ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"), wav::Simple(2, 8000, {1, 2, 3, 4})));
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
    doc.SetSelection(doc.SelStart(), 2);
    doc.OnEditCopy();
    doc.OnNewDocument();
    EXPECT_EQ(doc.GetRecording().Frames(), 0);
    EXPECT_EQ(strip.Zoom(), 1);
    EXPECT_EQ(strip.StripColumns(), 0);
    EXPECT_EQ(doc.GetRecording().ClipLength(), 2);
    EXPECT_EQ(doc.File().GetTitle(), "noname");
}

} // namespace
