#include "media/FfmpegDecoder.h"
#include "document/CtarnDoc.h"
#include "recording/DecodedAudio.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace {

QByteArray Int24(std::initializer_list<qint32> values) {
    QByteArray bytes;
    for (const qint32 v : values) {
        bytes.append(char(v & 0xff)).append(char((v >> 8) & 0xff)).append(char((v >> 16) & 0xff));
    }
    return bytes;
}

QByteArray Float32(std::initializer_list<float> values) {
    QByteArray bytes(qsizetype(values.size() * 4), Qt::Uninitialized);
    char* p = bytes.data();
    for (const float v : values) {
        qToLittleEndian(v, p);
        p += 4;
    }
    return bytes;
}

QByteArray WavOf(quint16 format, quint16 channels, quint16 bits, const QByteArray& data) {
    wav::Format f;
    f.audioFormat = format;
    f.channels = channels;
    f.bits = bits;
    return wav::File(f, wav::Chunk("data", data));
}

struct ExactCase {
    const char* name;
    QByteArray file;
    std::vector<qint16> left;
    std::vector<qint16> right;
};

// Rounded to the nearest 16-bit value, saturating at both limits.
const ExactCase kExact[] = {
    {"Int24MonoKeptInBothArrays",
     WavOf(1, 1, 24, Int24({0x7fffff, -0x800000, 0xc0, 0x40, -0xc0, 0x7fff40})),
     {32767, -32768, 1, 0, -1, 32767},
     {32767, -32768, 1, 0, -1, 32767}},
    {"Float32Stereo",
     WavOf(3, 2, 32,
           Float32({1.0f, -1.0f, 1.5f, -2.0f, 0.5f, 100.6f / 32768, -100.4f / 32768, 0.0f})),
     {32767, 32767, 16384, -100},
     {-32768, -32768, 101, 0}},
};

class ExactDecodeTest : public ::testing::TestWithParam<ExactCase> {};

TEST_P(ExactDecodeTest, ValuesAreRoundedAndSaturated) {
    QTemporaryDir dir;
    const QString path = dir.filePath("in.wav");
    ASSERT_TRUE(wav::WriteFile(path, GetParam().file));
    OpenedAudio audio = OpenAudioFile(path);
    ASSERT_TRUE(audio.decoder) << audio.message.toStdString();
    FakeHost host;
    CtarnDoc doc(host);
    ASSERT_TRUE(doc.OnImportDocument(path, *audio.decoder));
    EXPECT_EQ(ChannelOf(doc, 0), GetParam().left);
    EXPECT_EQ(ChannelOf(doc, 1), GetParam().right);
    EXPECT_EQ(doc.GetRecording().SampleRate(), 8000);
}

INSTANTIATE_TEST_SUITE_P(Wav, ExactDecodeTest, ::testing::ValuesIn(kExact),
                         [](const auto& info) { return std::string(info.param.name); });

struct MadeCase {
    const char* name;
    const char* file;
    QStringList ffmpegArgs; ///< between the input and the output; empty: the file is text
    QString message;        ///< what opening says; empty: it decodes
    int sourceChannels = 0;
    int frames = 0;
    int tolerance = 0; ///< frames the codec may add or drop
    bool rightSilent = false;
};

const QStringList kSine = {"-f", "lavfi", "-i", "sine=frequency=440:duration=0.5"};

const MadeCase kMade[] = {
    {"MonoFlac", "mono.flac", kSine + QStringList{"-ar", "8000"}, {}, 1, 4000, 0},
    {"SurroundMixedToStereo",
     "six.wav",
     kSine + QStringList{"-ar", "8000", "-af",
                         "pan=5.1|FL=c0|FR=0*c0|FC=0*c0|LFE=0*c0|BL=0*c0|BR=0*c0", "-c:a",
                         "pcm_s24le"},
     {},
     6,
     4000,
     0,
     true},
    {"Mp3WithinPriming",
     "talk.mp3",
     kSine + QStringList{"-ar", "44100", "-ac", "2"},
     {},
     2,
     22050,
     1152},
    {"VideoWithoutAudio",
     "silent.mp4",
     {"-f", "lavfi", "-i", "testsrc=duration=0.2:size=32x32", "-c:v", "mpeg4"},
     "silent.mp4 has no audio"},
    {"Text", "notes.txt", {}, "notes.txt cannot be opened as audio: "},
};

class MadeDecodeTest : public ::testing::TestWithParam<MadeCase> {};

TEST_P(MadeDecodeTest, DecodesOrSaysWhy) {
    const MadeCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(c.file);
    if (c.ffmpegArgs.isEmpty()) {
        ASSERT_TRUE(wav::WriteFile(path, "just some words\n"));
    } else {
        const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        if (ffmpeg.isEmpty()) {
            GTEST_SKIP() << "no ffmpeg command";
        }
        ASSERT_EQ(QProcess::execute(ffmpeg, QStringList{"-v", "error", "-y"} + c.ffmpegArgs +
                                                QStringList{path}),
                  0);
    }
    OpenedAudio audio = OpenAudioFile(path);
    if (!c.message.isEmpty()) {
        EXPECT_FALSE(audio.decoder);
        EXPECT_TRUE(audio.message.startsWith(c.message)) << audio.message.toStdString();
        return;
    }
    ASSERT_TRUE(audio.decoder) << audio.message.toStdString();
    EXPECT_EQ(audio.decoder->SourceChannels(), c.sourceChannels);
    FakeHost host;
    CtarnDoc doc(host);
    ASSERT_TRUE(doc.OnImportDocument(path, *audio.decoder));
    EXPECT_LE(std::abs(doc.GetRecording().Frames() - c.frames), c.tolerance)
        << doc.GetRecording().Frames();
    const auto peak = [&doc](int channel) {
        const std::vector<qint16> samples = ChannelOf(doc, channel);
        const auto [lo, hi] = std::minmax_element(samples.begin(), samples.end());
        return std::max(-int(*lo), int(*hi));
    };
    EXPECT_GT(peak(0), 1000);
    if (c.rightSilent) {
        EXPECT_LT(peak(1), 2);
    } else if (c.sourceChannels == 1) {
        EXPECT_EQ(ChannelOf(doc, 0), ChannelOf(doc, 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Ffmpeg, MadeDecodeTest, ::testing::ValuesIn(kMade),
                         [](const auto& info) { return std::string(info.param.name); });

/// `mp3` with the frame count of its Xing or Info frame set to 2^32 - 1.
QByteArray WithLyingFrameCount(QByteArray mp3) {
    qsizetype tag = mp3.indexOf("Info");
    if (tag < 0) {
        tag = mp3.indexOf("Xing");
    }
    const bool counted = tag >= 0 && (quint8(mp3.at(tag + 7)) & 1) != 0;
    return counted ? mp3.replace(tag + 8, 4, QByteArray(4, char(0xff))) : QByteArray();
}

struct LyingCase {
    const char* name;
    const char* file;
    QStringList ffmpegArgs; ///< the honest file whose count is then changed; empty: kLyingWav
    int frames = 0;
    int tolerance = 0;
};

// Float samples, which the decoder takes; 20 frames, a fact chunk claiming 2^32 - 1.
const QByteArray kLyingWav = wav::File(
    {3, 2, 48000, 32, {}}, wav::Chunk("fact", wav::U32(0xffffffff)) +
                               wav::ChunkDeclaring("data", 0xfffffff0, QByteArray(160, 0)));

const LyingCase kLying[] = {
    {"WavFactChunk", "claims.wav", {}, 20, 0},
    {"Mp3InfoFrame", "claims.mp3", kSine + QStringList{"-ar", "44100", "-ac", "2"}, 22050, 1152},
};

class LyingLengthTest : public ::testing::TestWithParam<LyingCase> {};

TEST_P(LyingLengthTest, ReservesWhatTheFileCanHoldAndDecodesWhatItHolds) {
    const LyingCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(c.file);
    if (c.ffmpegArgs.isEmpty()) {
        ASSERT_TRUE(wav::WriteFile(path, kLyingWav));
    } else {
        const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        if (ffmpeg.isEmpty()) {
            GTEST_SKIP() << "no ffmpeg command";
        }
        ASSERT_EQ(QProcess::execute(ffmpeg, QStringList{"-v", "error", "-y"} + c.ffmpegArgs +
                                                QStringList{path}),
                  0);
        const QByteArray lying = WithLyingFrameCount(wav::ReadFile(path));
        ASSERT_FALSE(lying.isEmpty()) << "no frame count to change";
        ASSERT_TRUE(wav::WriteFile(path, lying));
    }
    OpenedAudio audio = OpenAudioFile(path);
    ASSERT_TRUE(audio.decoder) << audio.message.toStdString();
    const DecodeSink sink(audio.decoder->Channels(), audio.decoder->ExpectedFrames());
    std::atomic<bool> stop = false;
    std::atomic<qint64> done = 0;
    const DecodeOutcome outcome = DecodeAll(*audio.decoder, stop, done);
    ASSERT_EQ(outcome.status, DecodeOutcome::Status::Ok);
    EXPECT_LE(std::abs(outcome.samples.Frames() - c.frames), c.tolerance)
        << outcome.samples.Frames();
    // Twice what it holds is room enough for any honest estimate.
    EXPECT_LE(sink.ReservedFrames(), 2 * c.frames) << sink.ReservedFrames();
}

INSTANTIATE_TEST_SUITE_P(Claims, LyingLengthTest, ::testing::ValuesIn(kLying),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
