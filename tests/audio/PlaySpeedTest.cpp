#include "audio/PlaySpeed.h"
#include "audio/PlayCursor.h"
#include "audio/Transport.h"
#include "document/CtarnDoc.h"
#include "support/FakeHost.h"
#include "support/FakeWaveOut.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr qint32 kRate = 16000;
constexpr double kToneHz = 440.0;
/// The range the tests play: two seconds inside a file of three.
constexpr int kLo = kRate / 2;
constexpr int kHi = kLo + 2 * kRate;

class PlaySpeedTest : public ::testing::Test {
protected:
    void SetUp() override { OpenTone("tone.wav", 0); }

    /// Opens three seconds of a stereo tone, the same on both sides, silent for its first
    /// `silentFrames` frames, and selects the range.
    void OpenTone(const QString& name, int silentFrames) {
        std::vector<qint16> interleaved(size_t(2 * 3 * kRate), 0);
        for (int i = silentFrames; i < 3 * kRate; ++i) {
            const double phase = 2 * std::numbers::pi * kToneHz * i / kRate;
            interleaved[size_t(2 * i)] = interleaved[size_t(2 * i + 1)] =
                qint16(std::lround(8000 * std::sin(phase)));
        }
        ASSERT_TRUE(wav::WriteFile(dir.filePath(name), wav::Simple(2, kRate, interleaved)));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath(name)));
        doc.SetSelection(kLo, kHi);
    }

    /// The left samples of what the device was handed.
    std::vector<qint16> WrittenLeft() const {
        std::vector<qint16> left;
        for (qsizetype at = 0; at + 4 <= device.written.size(); at += 4) {
            left.push_back(qFromLittleEndian<qint16>(device.written.constData() + at));
        }
        return left;
    }

    /// The bytes of frames lo..hi of the file as the device receives them.
    QByteArray FileBytes(int lo, int hi) const {
        QByteArray bytes;
        for (int i = lo; i < hi; ++i) {
            const qint16 sample = doc.GetRecording().Samples(0)[size_t(i)];
            bytes += wav::Samples16({sample, sample});
        }
        return bytes;
    }

    QTemporaryDir dir;
    FakeHost host;
    FakeWaveOut device;
    CtarnDoc doc{host};
    Transport transport{doc, host, &device};
};

/// The frequency of the tone in the middle half of `samples`, from the first and the last
/// upward zero crossing there, each placed between its two samples.
double ToneHz(const std::vector<qint16>& samples) {
    std::optional<double> first;
    double last = 0;
    int cycles = -1;
    for (size_t i = samples.size() / 4 + 1; i < samples.size() * 3 / 4; ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) {
            last = double(i - 1) + double(-samples[i - 1]) / (samples[i] - samples[i - 1]);
            first = first.value_or(last);
            ++cycles;
        }
    }
    return cycles > 0 ? cycles * kRate / (last - *first) : 0.0;
}

// Slowed or sped up, the range lasts its length divided by the speed and the tone keeps its
// pitch; as recorded, the device gets the very bytes of the file.
TEST_F(PlaySpeedTest, SoundLastsLongerOrShorterAndKeepsItsPitch) {
    for (const int speed : {5, 7, 10, 13, 20}) {
        SCOPED_TRACE(speed);
        transport.SetSpeedTenths(speed);
        transport.OnPlay();
        const qint64 expected = qint64(kHi - kLo) * 10 / speed;
        const std::vector<qint16> left = WrittenLeft();
        EXPECT_NEAR(double(left.size()), double(expected), 0.03 * expected);
        EXPECT_NEAR(ToneHz(left), kToneHz, 0.01 * kToneHz);
        if (speed == PlaySpeed::kNormal) {
            EXPECT_EQ(device.written, FileBytes(kLo, kHi));
        }
        EXPECT_EQ(transport.PlayState().speedTenths, speed);
    }
    EXPECT_TRUE(host.messages.isEmpty());
}

// A loop of the selection hands the device the range again and again, at any speed, until
// it is stopped; other plays sound once.
TEST_F(PlaySpeedTest, ALoopStartsTheSelectionOver) {
    transport.SetLooping(true);
    for (const int speed : {10, 5, 20}) {
        SCOPED_TRACE(speed);
        transport.SetSpeedTenths(speed);
        const qint64 rangeBytes = qint64(kHi - kLo) * 4 * 10 / speed;
        device.readLimit = rangeBytes * 5 / 2;
        transport.OnPlay();
        EXPECT_TRUE(transport.PlayState().looping);
        EXPECT_EQ(device.written.size(), device.readLimit);
        if (speed == PlaySpeed::kNormal) {
            EXPECT_EQ(device.written,
                      FileBytes(kLo, kHi) + FileBytes(kLo, kHi) + FileBytes(kLo, (kLo + kHi) / 2));
        }
        EXPECT_NEAR(ToneHz(WrittenLeft()), kToneHz, 0.01 * kToneHz);
        device.calls.clear();
        transport.OnStop();
        EXPECT_EQ(device.calls, (QStringList{"reset", "unprepare"}));
        EXPECT_FALSE(transport.IsPlaying());
    }
    device.readLimit = -1;
    transport.SetSpeedTenths(PlaySpeed::kNormal);
    transport.PlayRange(kLo, kHi);
    EXPECT_FALSE(transport.PlayState().looping);
    EXPECT_EQ(device.written, FileBytes(kLo, kHi));
}

// The stretcher's delay is taken out: a sound that starts one second into the range starts
// one second divided by the speed into the output (within 10 ms), where the cursor is then.
TEST_F(PlaySpeedTest, TheSoundKeepsTimeWithTheCursor) {
    OpenTone("late.wav", kLo + kRate);
    for (const int speed : {5, 8, 16, 20}) {
        SCOPED_TRACE(speed);
        transport.SetSpeedTenths(speed);
        transport.OnPlay();
        const std::vector<qint16> left = WrittenLeft();
        const auto onset = std::find_if(left.begin(), left.end(),
                                        [](qint16 sample) { return std::abs(sample) > 4000; });
        const qint64 expected = qint64(kRate) * 10 / speed;
        EXPECT_NEAR(double(onset - left.begin()), double(expected), 0.01 * kRate);
        EXPECT_EQ(PlayCursorFrame(transport.PlayState(), quint32(1000 * 10 / speed), kRate),
                  kLo + kRate);
    }
}

TEST_F(PlaySpeedTest, SpeedIsClampedAndAnnouncedWhenItChanges) {
    std::vector<int> announced;
    QObject::connect(&transport, &Transport::speedChanged,
                     [&announced](int tenths) { announced.push_back(tenths); });
    for (const int tenths : {7, 7, 3, 25, 20, 10}) {
        transport.SetSpeedTenths(tenths);
    }
    EXPECT_EQ(announced, (std::vector<int>{7, 5, 20, 10}));
    EXPECT_EQ(transport.SpeedTenths(), 10);
}

TEST_F(PlaySpeedTest, AChangeOfSpeedGoesOnFromWhereThePlayIs) {
    device.readLimit = 4096;
    host.tick = 0;
    transport.PlayRange(kLo, kHi);
    host.tick = 500; // half a second in: frame kLo + kRate / 2
    transport.SetSpeedTenths(5);
    EXPECT_EQ(transport.PlayState().start, kLo + kRate / 2);
    EXPECT_EQ(transport.PlayState().end, kHi);
    EXPECT_EQ(transport.PlayState().speedTenths, 5);

    // A loop starts its range over at the new speed.
    transport.SetLooping(true);
    transport.OnPlay();
    host.tick = 900;
    transport.SetSpeedTenths(12);
    EXPECT_EQ(transport.PlayState().start, kLo);
    EXPECT_TRUE(transport.PlayState().looping);
    EXPECT_EQ(transport.PlayState().speedTenths, 12);
}

TEST(PlayCursorSpeedTest, FollowsTheSpeedAndWrapsInALoop) {
    const struct {
        PlayRecord play;
        quint32 now;
        qint32 rate;
        qint64 frame;
    } cases[] = {
        {{1000, 100000, 0, 5, false}, 1000, 8000, 5000},
        {{1000, 100000, 0, 10, false}, 1000, 8000, 9000},
        {{1000, 100000, 0, 20, false}, 1000, 8000, 17000},
        {{0, 100000, 0, 7, false}, 3, 44100, 92}, // 92.61 frames
        {{0, 2000000000, 0, 20, false}, 3600000, 48000, 345600000},
        {{100, 1100, 0, 10, true}, 500, 8000, 100},   // four whole passes
        {{100, 1100, 0, 10, true}, 560, 8000, 580},   // 4480 frames in
        {{100, 1100, 0, 5, true}, 1030, 8000, 220},   // 4120 frames in
        {{100, 1100, 0, 20, true}, 70, 8000, 220},    // 1120 frames in
        {{100, 1100, 0, 10, false}, 560, 8000, 4580}, // once: past the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlayCursorFrame(c.play, c.now, c.rate), c.frame)
            << c.play.speedTenths << (c.play.looping ? " loop " : " ") << c.now;
    }
}

TEST(PlaySpeedTextTest, ReadsAndWritesTenths) {
    const struct {
        const char* text;
        std::optional<int> tenths;
    } cases[] = {
        {"0.5", 5},
        {"0.7", 7},
        {"1", 10},
        {"1.0", 10},
        {"1.5", 15},
        {"2", 20},
        {"2.0", 20},
        {"0.4", std::nullopt},
        {"2.1", std::nullopt},
        {"0.75", std::nullopt},
        {".5", std::nullopt},
        {"1,5", std::nullopt},
        {"-1", std::nullopt},
        {"", std::nullopt},
        {"x", std::nullopt},
        {" 1", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSpeed(QString::fromLatin1(c.text)), c.tenths) << c.text;
    }
    EXPECT_EQ(SpeedText(5), "0.5x");
    EXPECT_EQ(SpeedText(10), "1.0x");
    EXPECT_EQ(SpeedText(17), "1.7x");
    EXPECT_EQ(SpeedText(20), "2.0x");
}

} // namespace
