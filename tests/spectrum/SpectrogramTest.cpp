#include "spectrum/SpectrogramColumns.h"
#include "spectrum/SpectrogramTiles.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kSilenceDb = -100.0;
constexpr qint32 kRate = 44100;

/// A stereo recording: channel 0 a sine of `hz` at `amplitude` from frame `onset` on, channel
/// 1 silent.
Recording ToneRecording(qint32 rate, double hz, double amplitude, int frames, int onset = 0) {
    WaveFormatData format;
    format.header.SampleRate = rate;
    ChannelSamples channels;
    channels.samples[0].assign(size_t(frames), 0);
    channels.samples[1].assign(size_t(frames), 0);
    for (int n = onset; n < frames; ++n) {
        channels.samples[0][size_t(n)] =
            qint16(std::lround(amplitude * std::sin(2.0 * std::numbers::pi * hz * n / rate)));
    }
    Recording recording;
    recording.Replace(std::move(format), std::move(channels));
    return recording;
}

/// The level (0 at -100 dB .. 255 at 0 dB) a pixel's colour stands for, -1 when none.
int Level(quint32 pixel) {
    for (int i = 0; i < 256; ++i) {
        if (SpectrogramColour(kSilenceDb - kSilenceDb * i / 255.0) == pixel) {
            return i;
        }
    }
    return -1;
}

/// The topmost of the brightest rows of column `column` of `pixels` (`width` columns).
int BrightestRow(const std::vector<quint32>& pixels, int width, int height, int column) {
    int best = 0;
    for (int r = 1; r < height; ++r) {
        if (Level(pixels[size_t(r * width + column)]) >
            Level(pixels[size_t(best * width + column)])) {
            best = r;
        }
    }
    return best;
}

struct ToneCase {
    qint32 rate;
    double hz;
    bool logFrequency;
};

class SpectrogramToneTest : public ::testing::TestWithParam<ToneCase> {};

TEST_P(SpectrogramToneTest, LightsTheRowOfItsFrequency) {
    const ToneCase& c = GetParam();
    constexpr int kHeight = 200;
    const int frames = c.rate / 2;
    const Recording recording = ToneRecording(c.rate, c.hz, 16384, frames);
    const double binHz = double(c.rate) / SpectrogramWindow(c.rate);
    const int expected = RowOfFrequency(c.hz, c.rate, kHeight, c.logFrequency);
    // The strongest bin may lie half a bin off the tone, and rows narrower than a bin share it.
    const int tolerance = RowOfFrequency(c.hz - binHz / 2, c.rate, kHeight, c.logFrequency) -
                          RowOfFrequency(c.hz + binHz / 2, c.rate, kHeight, c.logFrequency) + 1;
    for (int zoom : {1, 4096}) {
        const qint64 middle = frames / 2 / zoom;
        const std::vector<quint32> pixels =
            SpectrogramColumns(recording, 0, middle, 1, {zoom, kHeight, c.logFrequency});
        ASSERT_EQ(pixels.size(), size_t(kHeight));
        EXPECT_NEAR(BrightestRow(pixels, 1, kHeight, 0), expected, tolerance)
            << c.hz << " Hz at " << c.rate << ", zoom " << zoom;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tones, SpectrogramToneTest,
    ::testing::Values(ToneCase{44100, 440, true}, ToneCase{44100, 440, false},
                      ToneCase{44100, 1000, true}, ToneCase{44100, 1000, false},
                      ToneCase{44100, 5000, true}, ToneCase{44100, 5000, false},
                      ToneCase{16000, 3000, true}, ToneCase{16000, 3000, false}));

class SpectrogramLevelTest : public ::testing::TestWithParam<double> {};

// A tone's peak reads its level in dB relative to full scale, a single transform or several
// averaged.
TEST_P(SpectrogramLevelTest, PeakReadsTheTonesLevel) {
    const double db = GetParam();
    // On a bin's centre, so that the window loses nothing between bins.
    const double hz = 48.0 * kRate / SpectrogramWindow(kRate);
    const double amplitude = std::min(32767.0, 32768.0 * std::pow(10.0, db / 20.0));
    const Recording recording = ToneRecording(kRate, hz, amplitude, kRate);
    for (int zoom : {1, 4096}) {
        const std::vector<quint32> pixels =
            SpectrogramColumns(recording, 0, kRate / 2 / zoom, 1, {zoom, 100, true});
        const int peak = Level(pixels[size_t(BrightestRow(pixels, 1, 100, 0))]);
        EXPECT_NEAR(peak, Level(SpectrogramColour(db)), 1) << "zoom " << zoom;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, SpectrogramLevelTest, ::testing::Values(0.0, -20.0, -60.0));

struct SilenceCase {
    const char* name;
    int channel;
    qint64 first;
    int zoom;
    bool logFrequency;
};

class SpectrogramSilenceTest : public ::testing::TestWithParam<SilenceCase> {};

// The tone starts one second in: columns whose transforms end before it, columns past the
// end and the silent channel show nothing but the floor.
TEST_P(SpectrogramSilenceTest, ShowsTheFloorEverywhere) {
    const SilenceCase& c = GetParam();
    const Recording recording = ToneRecording(kRate, 1000, 32767, 2 * kRate, kRate);
    const std::vector<quint32> pixels =
        SpectrogramColumns(recording, c.channel, c.first, 8, {c.zoom, 64, c.logFrequency});
    ASSERT_EQ(pixels.size(), size_t(8 * 64)) << c.name;
    EXPECT_TRUE(std::ranges::all_of(pixels, [](quint32 p) {
        return p == SpectrogramColour(kSilenceDb);
    })) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Silence, SpectrogramSilenceTest,
    ::testing::Values(SilenceCase{"silent channel", 1, 40, 1024, true},
                      SilenceCase{"silent channel, linear", 1, 0, 4096, false},
                      SilenceCase{"before the tone", 0, 43000, 1, true},
                      SilenceCase{"before the tone, averaged", 0, 0, 4096, false},
                      SilenceCase{"past the end", 0, 2 * kRate / 256 + 8, 256, true},
                      SilenceCase{"before the start", 0, -20, 256, false}));

/// Runs the event loop until every tile of `keys` is ready or ten seconds passed.
bool WaitForTiles(SpectrogramTiles& tiles, const std::vector<TileKey>& keys) {
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    const auto allReady = [&] {
        return std::ranges::all_of(keys, [&](const TileKey& k) { return tiles.Tile(k); });
    };
    QObject::connect(&tiles, &SpectrogramTiles::tileReady, &loop, [&] {
        if (allReady()) {
            loop.quit();
        }
    });
    if (!allReady()) {
        loop.exec();
    }
    return allReady();
}

TEST(SpectrogramTilesTest, ComputesAskedTilesAndDropsTheEditedOnes) {
    constexpr int kZoom = 256;
    constexpr qint64 kTileFrames = kSpectrogramTileColumns * kZoom;
    const Recording recording = ToneRecording(kRate, 440, 8000, int(3 * kTileFrames));
    SpectrogramTiles tiles(recording);
    const std::vector<TileKey> keys = {
        {0, kZoom, 0, 32, true}, {0, kZoom, 1, 32, true}, {0, kZoom, 2, 32, true}};
    for (const TileKey& key : keys) {
        EXPECT_EQ(tiles.Tile(key), nullptr);
    }
    ASSERT_TRUE(WaitForTiles(tiles, keys));
    EXPECT_EQ(*tiles.Tile(keys[1]), SpectrogramColumns(recording, 0, kSpectrogramTileColumns,
                                                       kSpectrogramTileColumns, {kZoom, 32, true}));

    // A frame just before tile 2 is read by its first column's transform too.
    tiles.DropRange({int(2 * kTileFrames - 100), int(2 * kTileFrames - 99)});
    EXPECT_NE(tiles.Tile(keys[0]), nullptr);
    EXPECT_EQ(tiles.Tile(keys[1]), nullptr);
    EXPECT_EQ(tiles.Tile(keys[2]), nullptr);
    ASSERT_TRUE(WaitForTiles(tiles, keys));

    tiles.DropFrom(kTileFrames + kTileFrames / 2);
    EXPECT_NE(tiles.Tile(keys[0]), nullptr);
    EXPECT_EQ(tiles.Tile(keys[1]), nullptr);
    tiles.CancelAll();
}

} // namespace
