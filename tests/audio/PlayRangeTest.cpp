#include "audio/PlayCursor.h"
#include "audio/RecordingStream.h"
#include "audio/Transport.h"
#include "document/CtarnDoc.h"
#include "support/FakeHost.h"
#include "support/FakeWaveOut.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#define TARN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARN_ASAN 1
#endif
#endif
#ifdef TARN_ASAN
// The sanitizer's runtime keeps the count (its header does not ship with every compiler).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

/// Bytes the process has allocated on the heap now.
size_t AllocatedBytes() {
#ifdef TARN_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

class PlayRangeTest : public ::testing::Test {
protected:
    /// Opens a stereo file of `frames` frames whose frame i holds i left and -i right.
    void Open(int frames, qint32 rate = 8000, const QString& name = "a.wav") {
        std::vector<qint16> interleaved;
        for (int i = 0; i < frames; ++i) {
            interleaved.push_back(qint16(i));
            interleaved.push_back(qint16(-i));
        }
        ASSERT_TRUE(wav::WriteFile(dir.filePath(name), wav::Simple(2, rate, interleaved)));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath(name)));
    }

    /// The buffer bytes of frames lo..hi of the ramp.
    static QByteArray RampBytes(int lo, int hi) {
        std::vector<qint16> values;
        for (int i = lo; i < hi; ++i) {
            values.push_back(qint16(i));
            values.push_back(qint16(-i));
        }
        return wav::Samples16(values);
    }

    QTemporaryDir dir;
    FakeHost host;
    FakeWaveOut device;
    CtarnDoc doc{host};
    Transport transport{doc, host, &device};
};

TEST_F(PlayRangeTest, RangesAreOrderedClampedAndEmptyMeansAll) {
    Open(100);
    const struct {
        int a, b, lo, hi;
    } cases[] = {
        {0, 0, 0, 100},     {80, 20, 20, 80},   {50, 500, 50, 100}, {-10, 30, 0, 30},
        {100, 100, 0, 100}, {300, 200, 0, 100}, {99, 100, 99, 100},
    };
    for (const auto& c : cases) {
        transport.PlayRange(c.a, c.b);
        EXPECT_EQ(transport.PlayState().start, c.lo) << c.a << ".." << c.b;
        EXPECT_EQ(transport.PlayState().end, c.hi) << c.a << ".." << c.b;
        EXPECT_EQ(device.written, RampBytes(c.lo, c.hi)) << c.a << ".." << c.b;
    }
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(PlayRangeTest, FirstPlayOpensSecondResetsTheFirst) {
    Open(10);
    host.tick = 500;
    transport.PlayRange(0, 4);
    host.tick = 900;
    doc.SetSelection(6, 8);
    transport.OnPlay();
    EXPECT_EQ(device.calls,
              (QStringList{"open", "prepare", "write", "reset", "unprepare", "prepare", "write"}));
    ASSERT_EQ(device.formats.size(), 1u);
    const WaveOutFormat f = device.formats[0];
    EXPECT_EQ(std::tuple(f.wFormatTag, f.nChannels, f.nSamplesPerSec, f.nAvgBytesPerSec,
                         f.nBlockAlign, f.wBitsPerSample, f.cbSize),
              std::tuple(1, 2, 8000, 32000u, 4, 16, 0));
    EXPECT_EQ(transport.PlayState().tick, 900u);
    EXPECT_EQ(transport.PlayState().start, 6);
    EXPECT_EQ(transport.PlayState().end, 8);
    EXPECT_TRUE(transport.GetPlayer().IsPrepared());
}

// The device reads the range as it plays, in whatever pieces it asks for, after seeks too.
TEST_F(PlayRangeTest, TheStreamHandsOutTheRangeInAnyPieces) {
    Open(1000);
    const FrameRange range{100, 900};
    for (const qint64 piece : {1, 7, 4096, 1 << 20}) {
        RecordingStream stream(doc.GetRecording(), range);
        ASSERT_TRUE(stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        EXPECT_EQ(stream.size(), 3200);
        QByteArray seen;
        while (!stream.atEnd()) {
            const QByteArray bytes = stream.read(piece);
            if (bytes.isEmpty()) {
                break;
            }
            seen += bytes;
        }
        EXPECT_EQ(seen, piece < 4 ? QByteArray() : RampBytes(100, 900)) << piece;
        ASSERT_TRUE(stream.seek(400));
        EXPECT_EQ(stream.read(8), RampBytes(200, 202)) << piece;
    }
}

// A play of a long range costs no copy of it: what it adds to the heap does not grow with
// the range, and the device is handed the first bytes at once.
TEST_F(PlayRangeTest, ALongPlayCostsNoCopyOfTheRange) {
    constexpr int kFrames = 2 << 20; // 8 MB as one play buffer
    ASSERT_TRUE(wav::WriteFile(dir.filePath("long.wav"),
                               wav::Simple(2, 8000, std::vector<qint16>(2 * kFrames, 3))));
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("long.wav")));
    device.readLimit = 8;
    const size_t before = AllocatedBytes();
    transport.PlayRange(0, 0);
    EXPECT_LT(AllocatedBytes(), before + (1 << 20));
    EXPECT_EQ(device.written, wav::Samples16({3, 3, 3, 3}));
    EXPECT_EQ(transport.PlayState().end, kFrames);

    // Slowed down, it is stretched as the device reads, not all before the first bytes: the
    // stretcher's own buffers (some 8 MB whatever the length) and no 16 MB of output.
    transport.SetSpeedTenths(5);
    device.readLimit = 4096;
    const size_t beforeSlow = AllocatedBytes();
    transport.PlayRange(0, 0);
    EXPECT_LT(AllocatedBytes(), beforeSlow + (12 << 20));
    EXPECT_EQ(device.written.size(), 4096);
}

// The device reads the channel arrays as it plays, so an edit of the samples stops it first.
TEST_F(PlayRangeTest, ASampleEditStopsThePlay) {
    Open(100);
    transport.PlayRange(0, 100);
    doc.SetSelection(10, 20);
    device.calls.clear();
    doc.OnEditCut();
    EXPECT_EQ(device.calls, (QStringList{"reset", "unprepare"}));
    EXPECT_FALSE(transport.IsPlaying());
    EXPECT_FALSE(transport.GetPlayer().IsPrepared());
}

TEST_F(PlayRangeTest, MonoPlaysTheSameSampleOnBothSides) {
    ASSERT_TRUE(wav::WriteFile(dir.filePath("m.wav"), wav::Simple(1, 8000, {5, -7})));
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("m.wav")));
    transport.PlayRange(0, 0);
    EXPECT_EQ(device.written, wav::Samples16({5, 5, -7, -7}));
}

struct FailureCase {
    const char* name = "";
    bool open = false;
    bool prepare = false;
    bool write = false;
    QString message;
};

class PlayFailureTest : public PlayRangeTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(PlayFailureTest, MessageAndThePreviousRecordStays) {
    const FailureCase& c = GetParam();
    Open(50);
    host.tick = 100;
    transport.PlayRange(10, 20);
    device.failOpen = c.open;
    device.failPrepare = c.prepare;
    device.failWrite = c.write;
    // Another rate asks for the device again; opening the file has stopped the old play.
    if (c.open) {
        Open(50, 16000, "b.wav");
    }
    const PlayRecord before = c.open ? PlayRecord{} : PlayRecord{10, 20, 100};
    host.tick = 700;
    transport.PlayRange(30, 40);
    EXPECT_EQ(host.messages, QStringList{c.message});
    EXPECT_EQ(transport.PlayState().start, before.start);
    EXPECT_EQ(transport.PlayState().end, before.end);
    EXPECT_EQ(transport.PlayState().tick, before.tick);
    EXPECT_EQ(transport.IsDeviceOpen(), !c.open);
}

INSTANTIATE_TEST_SUITE_P(Steps, PlayFailureTest,
                         ::testing::Values(FailureCase{"Open", true, false, false, "falkfdfjsew"},
                                           FailureCase{"Prepare", false, true, false,
                                                       "Jkldjsklfeew"},
                                           FailureCase{"Write", false, false, true, "GOOD MRONG"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayRangeTest, FailedOpenIsTriedAgainNextTime) {
    Open(10);
    device.failOpen = true;
    transport.PlayRange(0, 5);
    EXPECT_FALSE(transport.IsDeviceOpen());
    device.failOpen = false;
    transport.PlayRange(0, 5);
    EXPECT_TRUE(transport.IsDeviceOpen());
    EXPECT_EQ(device.calls, (QStringList{"open", "open", "prepare", "write"}));
    EXPECT_EQ(host.messages, QStringList{"falkfdfjsew"});
}

TEST_F(PlayRangeTest, AnotherRateReopensTheDevice) {
    Open(10, 8000);
    transport.PlayRange(0, 5);
    Open(10, 44100, "b.wav");
    transport.PlayRange(0, 5);
    EXPECT_EQ(device.calls, (QStringList{"open", "prepare", "write", "reset", "unprepare", "close",
                                         "open", "prepare", "write"}));
    EXPECT_EQ(device.formats.back().nSamplesPerSec, 44100);
}

TEST_F(PlayRangeTest, EmptyDocumentPlaysNothing) {
    doc.OnNewDocument();
    transport.PlayRange(0, 10);
    EXPECT_TRUE(device.calls.isEmpty());
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(transport.PlayState().start, transport.PlayState().end);
}

TEST(PlayDeviceLifetimeTest, ClosedWithTheDocument) {
    QTemporaryDir dir;
    FakeHost host;
    FakeWaveOut device;
    ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"), wav::Simple(2, 8000, {1, 2, 3, 4})));
    {
        CtarnDoc doc(host);
        Transport transport(doc, host, &device);
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        transport.PlayRange(0, 2);
        device.calls.clear();
    }
    EXPECT_EQ(device.calls, (QStringList{"reset", "unprepare", "close"}));
}

TEST(PlayCursorTest, KeepsPaceWithTheSound) {
    const struct {
        int start;
        quint32 tick, now;
        qint32 rate;
        qint64 frame;
    } cases[] = {
        {1000, 0, 500, 8000, 5000},
        {0, 0, 480000, 44100, 21168000},                         // eight minutes, not 21120000
        {7, 0xFFFFFF00u, 0x100u, 22050, 7 + 512 * 22050 / 1000}, // the tick wrapped
        {0, 100, 100, 48000, 0},
        {2000000000, 0, 3600000, 48000, 2000000000LL + 172800000LL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlayCursorFrame(c.start, c.tick, c.now, c.rate), c.frame) << c.now;
    }
}

} // namespace
