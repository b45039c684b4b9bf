#include "document/CtarnDoc.h"
#include "media/FfmpegDecoder.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

/// One second of a tone as ffmpeg encodes it.
struct Part {
    int channels = 0;
    int rate = 0;
};

struct SwitchCase {
    const char* name;
    const char* codec;
    const char* extension;
    Part first;
    Part second;
    int channels;   ///< of the recording: the first part's, 1 or 2
    int tolerance;  ///< frames each encoding may add
    QString change; ///< how the status line ends
};

const SwitchCase kSwitches[] = {
    {"Ac3SurroundToStereo",
     "ac3",
     "ac3",
     {6, 48000},
     {2, 48000},
     2,
     2 * 1536,
     "The format changed at 0:00:01: stereo, 48000 Hz"},
    {"Ac3StereoToSurround",
     "ac3",
     "ac3",
     {2, 48000},
     {6, 48000},
     2,
     2 * 1536,
     "The format changed at 0:00:01: 6 channels, 48000 Hz"},
    {"Mp3StereoToMono",
     "libmp3lame",
     "mp3",
     {2, 44100},
     {1, 44100},
     2,
     3 * 1152,
     "The format changed at 0:00:01: mono, 44100 Hz"},
    {"Mp3MonoToStereo",
     "libmp3lame",
     "mp3",
     {1, 44100},
     {2, 44100},
     1,
     3 * 1152,
     "The format changed at 0:00:01: stereo, 44100 Hz"},
    {"Mp3RateDropResampled",
     "libmp3lame",
     "mp3",
     {2, 48000},
     {2, 32000},
     2,
     3 * 1152,
     "The format changed at 0:00:01: stereo, 32000 Hz"},
};

class FormatChangeTest : public ::testing::TestWithParam<SwitchCase> {};

// Broadcast recordings change format like these concatenations: a converter kept from the
// first part would read channels that the later part does not have.
TEST_P(FormatChangeTest, LaterPartJoinsInTheFirstPartsFormat) {
    const SwitchCase& c = GetParam();
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty()) {
        GTEST_SKIP() << "no ffmpeg command";
    }
    QTemporaryDir dir;
    const QString part = dir.filePath(QStringLiteral("part.") + c.extension);
    QByteArray joined;
    for (const Part& p : {c.first, c.second}) {
        const QString tone = QStringLiteral("sine=frequency=440:sample_rate=%1:duration=1");
        ASSERT_EQ(
            QProcess::execute(ffmpeg, {"-v", "error", "-y", "-f", "lavfi", "-i", tone.arg(p.rate),
                                       "-ac", QString::number(p.channels), "-c:a", c.codec, part}),
            0);
        joined += wav::ReadFile(part);
    }
    const QString path = dir.filePath(QStringLiteral("joined.") + c.extension);
    ASSERT_TRUE(wav::WriteFile(path, joined));

    OpenedAudio audio = OpenAudioFile(path);
    ASSERT_TRUE(audio.decoder) << audio.message.toStdString();
    FakeHost host;
    CtarnDoc doc(host);
    ASSERT_TRUE(doc.OnImportDocument(path, *audio.decoder));
    EXPECT_EQ(doc.GetRecording().SampleRate(), c.first.rate);
    EXPECT_EQ(doc.GetRecording().Header().NumOfChannel, c.channels);
    // The second second is resampled to the first one's rate.
    EXPECT_LE(std::abs(doc.GetRecording().Frames() - 2 * c.first.rate), 2 * c.tolerance)
        << doc.GetRecording().Frames();
    EXPECT_TRUE(host.statuses.value(0).endsWith(c.change)) << host.statuses.value(0).toStdString();

    const std::vector<qint16> left = ChannelOf(doc, 0);
    const auto peak = [&left](qint64 from, qint64 to) {
        const auto [lo, hi] = std::minmax_element(left.begin() + from, left.begin() + to);
        return std::max(-int(*lo), int(*hi));
    };
    const qint64 half = c.first.rate / 2;
    EXPECT_GT(peak(0, half), 1000);
    EXPECT_GT(peak(qint64(left.size()) - half, qint64(left.size())), 1000);
    if (c.channels == 1) {
        EXPECT_EQ(ChannelOf(doc, 1), left);
    }
}

INSTANTIATE_TEST_SUITE_P(Ffmpeg, FormatChangeTest, ::testing::ValuesIn(kSwitches),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
