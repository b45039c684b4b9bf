#include "media/FfmpegStillGrabber.h"
#include "support/WavBytes.h"

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

/// Four seconds at 25 frames a second, red, green, blue then white for a second each, a key
/// frame every two seconds, with a silent audio track.
QString MakeVideo(const QTemporaryDir& dir) {
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty()) {
        return {};
    }
    QStringList args{"-v", "error", "-y"};
    for (const char* colour : {"red", "green", "blue", "white"}) {
        args << "-f"
             << "lavfi"
             << "-i" << QString("color=c=%1:s=320x240:d=1:r=25").arg(colour);
    }
    args << "-f"
         << "lavfi"
         << "-i"
         << "anullsrc=r=8000:cl=mono"
         << "-filter_complex"
         << "[0][1][2][3]concat=n=4:v=1:a=0[v]"
         << "-map"
         << "[v]"
         << "-map"
         << "4"
         << "-t"
         << "4"
         << "-c:v"
         << "mpeg4"
         << "-q:v"
         << "2"
         << "-g"
         << "50"
         << "-c:a"
         << "aac";
    const QString path = dir.filePath("colours.mp4");
    return QProcess::execute(ffmpeg, args << path) == 0 ? path : QString();
}

struct StillCase {
    const char* name;
    qint64 ms;
    int height;
    QColor colour; ///< of the middle pixel
    int width;
};

// Each frame shows for 40 ms: the one at 960 ms is the last red one.
const StillCase kStills[] = {
    {"BeforeTheStartIsTheFirstPicture", -500, 120, Qt::red, 160},
    {"LastRedFrame", 999, 120, Qt::red, 160},
    {"FirstGreenFrame", 1000, 120, QColor(0, 128, 0), 160},
    {"GreenAfterAKeyFrame", 1500, 120, QColor(0, 128, 0), 160},
    {"BlueFromTheSecondKeyFrame", 2500, 120, Qt::blue, 160},
    {"OddHeightRoundsTheWidthToEven", 2500, 61, Qt::blue, 82},
    {"PastTheEndIsTheLastPicture", 60000, 120, Qt::white, 160},
};

class StillTest : public ::testing::TestWithParam<StillCase> {
protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<QTemporaryDir>();
        s_video = MakeVideo(*s_dir);
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline QString s_video;
};

TEST_P(StillTest, ShowsTheFrameOfThatTimeAtTheHeightAsked) {
    if (s_video.isEmpty()) {
        GTEST_SKIP() << "no video made by the ffmpeg command";
    }
    const StillCase& c = GetParam();
    FfmpegStillGrabber grabber(s_video);
    ASSERT_TRUE(grabber.IsOpen());
    ASSERT_TRUE(grabber.HasPicture());
    QByteArray jpeg;
    QString error;
    ASSERT_TRUE(grabber.GrabJpeg(c.ms, c.height, jpeg, error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    QImage image;
    ASSERT_TRUE(image.loadFromData(jpeg, "JPEG"));
    EXPECT_EQ(image.size(), QSize(c.width, c.height));
    const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
    constexpr int kTolerance = 24;
    EXPECT_LE(std::abs(middle.red() - c.colour.red()), kTolerance) << middle.name().toStdString();
    EXPECT_LE(std::abs(middle.green() - c.colour.green()), kTolerance)
        << middle.name().toStdString();
    EXPECT_LE(std::abs(middle.blue() - c.colour.blue()), kTolerance) << middle.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(FfmpegStill, StillTest, ::testing::ValuesIn(kStills),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* file; ///< "video": the coloured video; a .wav name: a second of silence
    int height;
    bool open;
    bool picture;
    const char* message; ///< the start of GrabJpeg's error
};

const RefusalCase kRefusals[] = {
    {"AudioOnly", "silence.wav", 120, true, false, "silence.wav has no picture"},
    {"Missing", "missing.mp4", 120, false, false, "missing.mp4 cannot be opened as video: "},
    {"NoHeight", "video", 0, true, true, "a still cannot be 0 pixels high"},
};

class StillRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(StillRefusalTest, SaysWhyThereIsNoStill) {
    const RefusalCase& c = GetParam();
    QTemporaryDir dir;
    QString path = dir.filePath(c.file);
    if (QString(c.file) == "video") {
        path = MakeVideo(dir);
        if (path.isEmpty()) {
            GTEST_SKIP() << "no video made by the ffmpeg command";
        }
    } else if (path.endsWith(".wav")) {
        ASSERT_TRUE(wav::WriteFile(path, wav::Simple(1, 8000, std::vector<qint16>(8000))));
    }
    FfmpegStillGrabber grabber(path);
    EXPECT_EQ(grabber.IsOpen(), c.open);
    EXPECT_EQ(grabber.HasPicture(), c.picture);
    QByteArray jpeg;
    QString error;
    EXPECT_FALSE(grabber.GrabJpeg(1000, c.height, jpeg, error));
    EXPECT_TRUE(jpeg.isEmpty());
    EXPECT_TRUE(error.startsWith(c.message)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(FfmpegStill, StillRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
