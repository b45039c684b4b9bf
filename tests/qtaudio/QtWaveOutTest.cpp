#include "qtaudio/QtWaveOut.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr qint32 kRate = 22050;

bool AudioRequired() {
    return qEnvironmentVariable("TARN_REQUIRE_AUDIO") == QStringLiteral("1");
}

/// Runs the event loop until `done` holds or `ms` milliseconds have passed.
bool RunUntil(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return done();
}

/// A 440 Hz tone of `seconds`, 16-bit stereo.
QByteArray Tone(double seconds) {
    const int frames = int(seconds * kRate);
    QByteArray bytes(qsizetype(frames) * 4, '\0');
    for (int i = 0; i < frames; ++i) {
        const auto v = qint16(8000 * std::sin(2 * M_PI * 440 * i / kRate));
        std::memcpy(bytes.data() + qsizetype(i) * 4, &v, 2);
        std::memcpy(bytes.data() + qsizetype(i) * 4 + 2, &v, 2);
    }
    return bytes;
}

/// The streams the sound server is playing for this process, where it can be asked
/// (other tests may be playing at the same time).
std::optional<int> OwnServerStreams() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {"list", "sink-inputs"});
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
        return std::nullopt;
    }
    const QByteArray ownPid = "application.process.id = \"" +
                              QByteArray::number(QCoreApplication::applicationPid()) + '"';
    return int(pactl.readAllStandardOutput().count(ownPid));
}

/// A play's source over bytes in memory.
struct MemorySource {
    explicit MemorySource(QByteArray bytes) : data(std::move(bytes)) {
        device.setBuffer(&data);
        device.open(QIODevice::ReadOnly);
    }
    WaveOutBuffer Buffer() { return {&device, data.size()}; }

    QByteArray data;
    QBuffer device;
};

TEST(QtWaveOutTest, PlaysAndANewPlayStopsTheOldAtOnce) {
    if (!QtWaveOut::HasOutputDevice()) {
        if (AudioRequired()) {
            FAIL() << "TARN_REQUIRE_AUDIO=1 but there is no default audio output device";
        }
        GTEST_SKIP() << "no default audio output device (start a sound server, or set "
                        "TARN_REQUIRE_AUDIO=1 to make this a failure)";
    }
    QtWaveOut out;
    WaveOutFormat format;
    format.nSamplesPerSec = kRate;
    format.nAvgBytesPerSec = kRate * 4;
    ASSERT_TRUE(out.Open(format));

    MemorySource longTone(Tone(5.0));
    ASSERT_TRUE(out.Prepare(longTone.Buffer()));
    ASSERT_TRUE(out.Write(longTone.Buffer()));
    EXPECT_TRUE(out.IsPlaying());
    ASSERT_TRUE(RunUntil([&] { return out.PlayedBytes().value_or(0) > 0; }, 5000))
        << "the device reported no progress";
    const std::optional<int> streamsWhilePlaying = OwnServerStreams();

    out.Reset();
    out.Unprepare(longTone.Buffer());
    EXPECT_FALSE(out.IsPlaying());
    EXPECT_EQ(out.PlayedBytes(), std::nullopt);
    if (streamsWhilePlaying) {
        EXPECT_EQ(*streamsWhilePlaying, 1);
        // The server drops the old stream as soon as it hears of the reset.
        EXPECT_TRUE(RunUntil([] { return OwnServerStreams() == 0; }, 1000))
            << "the old sound is still playing";
    }

    MemorySource shortTone(Tone(0.3));
    ASSERT_TRUE(out.Prepare(shortTone.Buffer()));
    ASSERT_TRUE(out.Write(shortTone.Buffer()));
    ASSERT_TRUE(RunUntil([&] { return !out.IsPlaying(); }, 10000))
        << "the short play never finished";
    out.Close();
}

TEST(QtWaveOutTest, RefusesARateOfZero) {
    QtWaveOut out;
    EXPECT_FALSE(out.Open(WaveOutFormat{}));
    MemorySource silence(QByteArray(4, '\0'));
    EXPECT_FALSE(out.Prepare(silence.Buffer()));
    EXPECT_FALSE(out.Write(silence.Buffer()));
}

} // namespace
