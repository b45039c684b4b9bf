#include "spectrum/SpectrogramColumns.h"
#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Two seconds of a 1 kHz tone at 8 kHz on the left channel, silence on the right.
constexpr int kRate = 8000;
constexpr QRgb kWave = 0xFF0F9D58;

class CliRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<qint16> samples;
        for (int i = 0; i < 2 * kRate; ++i) {
            samples.push_back(qint16(16000 * std::sin(2 * M_PI * 1000.0 * i / kRate)));
            samples.push_back(0);
        }
        ASSERT_TRUE(wav::WriteFile(dir.filePath("in.wav"), wav::Simple(2, kRate, samples)));
    }

    CliRun Render(const QStringList& options) {
        return RunCli(QStringList{"render", dir.filePath("in.wav"), dir.filePath("out.png")} +
                      options);
    }

    QTemporaryDir dir;
};

TEST_F(CliRenderTest, DrawsTheWaveformOrTheSpectrogramAtTheSizeAsked) {
    ASSERT_EQ(Render({"--zoom", "16", "--width", "300", "--height", "200"}).status, 0);
    QImage image(dir.filePath("out.png"));
    ASSERT_EQ(image.size(), QSize(300, 200));
    // The tone swings the left lane around its centre; the right one stays a flat line.
    EXPECT_EQ(image.pixel(150, 50 - 20), kWave);
    EXPECT_NE(image.pixel(150, 150 - 20), kWave);

    ASSERT_EQ(Render({"--zoom", "16", "--width", "300", "--height", "200", "--view", "spectrogram"})
                  .status,
              0);
    image = QImage(dir.filePath("out.png"));
    ASSERT_EQ(image.size(), QSize(300, 200));
    const int toneRow = RowOfFrequency(1000.0, kRate, 100, true);
    const auto brightness = [&](int y) { return QColor(image.pixel(150, y)).lightness(); };
    EXPECT_GT(brightness(toneRow), brightness(toneRow + 20) + 60);
    EXPECT_EQ(image.pixel(150, 100 + toneRow), SpectrogramColour(-100.0));
}

TEST_F(CliRenderTest, RefusesBadOptionsAndWritesNothing) {
    for (const QStringList& options : {QStringList{"--zoom", "0"},
                                       {"--width", "0"},
                                       {"--view", "bars"},
                                       {"--first", "-1"},
                                       {"--zoom", "2", "--zoom", "4"},
                                       {"--height"}}) {
        SCOPED_TRACE(options.join(' ').toStdString());
        EXPECT_EQ(Render(options).status, 2);
        EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
    }
}

} // namespace
