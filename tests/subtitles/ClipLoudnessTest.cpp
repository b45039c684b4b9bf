#include "subtitles/ClipLoudness.h"

#include "recording/Recording.h"
#include "subtitles/ClipSet.h"
#include "subtitles/CueList.h"

#include <QTemporaryDir>

#include <ebur128.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

namespace {

constexpr double kCeilingDbtp = -1.5;
/// The peak rule's sample peak: -1 dBFS.
const int kPeakRule = int(std::lround(32768.0 * std::pow(10.0, -1.0 / 20.0)));

struct Level {
    double lufs;
    double truePeakDbtp;
};

/// The integrated loudness and the true peak of stereo frames, as libebur128 measures them.
Level Measure(const std::vector<qint16>& left, const std::vector<qint16>& right, int rate) {
    const std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> state(
        ebur128_init(2, unsigned(rate), EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK),
        [](ebur128_state* s) { ebur128_destroy(&s); });
    std::vector<short> frames;
    for (size_t i = 0; i < left.size(); ++i) {
        frames.insert(frames.end(), {left[i], right[i]});
    }
    ebur128_add_frames_short(state.get(), frames.data(), left.size());
    Level level{};
    ebur128_loudness_global(state.get(), &level.lufs);
    double peaks[2] = {0, 0};
    ebur128_true_peak(state.get(), 0, &peaks[0]);
    ebur128_true_peak(state.get(), 1, &peaks[1]);
    level.truePeakDbtp = 20 * std::log10(std::max(peaks[0], peaks[1]));
    return level;
}

/// A 1 kHz sine of `ms` milliseconds whose peak is `dbfs`.
std::vector<qint16> Tone(int rate, double dbfs, int ms) {
    std::vector<qint16> samples(size_t(qint64(rate) * ms / 1000));
    const double amplitude = 32767 * std::pow(10.0, dbfs / 20);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = qint16(std::lround(amplitude * std::sin(2 * M_PI * 1000 * double(i) / rate)));
    }
    return samples;
}

int Peak(const std::vector<qint16>& samples) {
    int peak = 0;
    for (const qint16 s : samples) {
        peak = std::max(peak, std::abs(int(s)));
    }
    return peak;
}

/// rate, the tone's peak in dBFS, the target in LUFS
class ToneLoudnessTest : public ::testing::TestWithParam<std::tuple<int, double, double>> {};

// A steady tone has a low crest: the target is reached well under the ceiling.
TEST_P(ToneLoudnessTest, ReachesTheTarget) {
    const auto [rate, dbfs, target] = GetParam();
    std::vector<qint16> left = Tone(rate, dbfs, 5000);
    std::vector<qint16> right = left;
    ASSERT_EQ(NormaliseLoudness(left, right, rate, target), LoudnessOutcome::Reached);
    const Level level = Measure(left, right, rate);
    EXPECT_NEAR(level.lufs, target, 0.5);
    EXPECT_LE(level.truePeakDbtp, kCeilingDbtp);
}

INSTANTIATE_TEST_SUITE_P(Tones, ToneLoudnessTest,
                         ::testing::Combine(::testing::Values(44100, 16000),
                                            ::testing::Values(-30.0, -10.0, -3.0),
                                            ::testing::Values(-16.0, -23.0)));

// Sparse full-scale clicks over a quiet tone: reaching -14 LUFS would clip them, so the gain
// stops where their true peak meets the ceiling.
TEST(ClipLoudnessTest, TruePeakLimitsTheGain) {
    constexpr int kRate = 44100;
    std::vector<qint16> left = Tone(kRate, -40, 5000);
    for (size_t i = 0; i < left.size(); i += kRate / 2) {
        left[i] = 30000;
    }
    std::vector<qint16> right = left;
    ASSERT_EQ(NormaliseLoudness(left, right, kRate, -14), LoudnessOutcome::Reached);
    const Level level = Measure(left, right, kRate);
    EXPECT_LT(level.lufs, -14 - 0.5);
    EXPECT_LE(level.truePeakDbtp, kCeilingDbtp);
    EXPECT_GT(level.truePeakDbtp, kCeilingDbtp - 0.1);
}

struct FallbackCase {
    const char* name;
    int ms;
    double dbfs; ///< the tone's peak; -200: silence
    LoudnessOutcome outcome;
    int peak; ///< afterwards
};

const FallbackCase kFallbacks[] = {
    {"ShortClipTakesThePeakRule", 200, -20, LoudnessOutcome::PeakRule, kPeakRule},
    {"BelowTheGateTakesThePeakRule", 1000, -80, LoudnessOutcome::PeakRule, kPeakRule},
    {"SilenceStaysSilent", 1000, -200, LoudnessOutcome::Silent, 0},
};

class ClipLoudnessFallbackTest : public ::testing::TestWithParam<FallbackCase> {};

TEST_P(ClipLoudnessFallbackTest, SaysWhatItDid) {
    const FallbackCase& c = GetParam();
    std::vector<qint16> left = Tone(16000, c.dbfs, c.ms);
    std::vector<qint16> right = left;
    EXPECT_EQ(NormaliseLoudness(left, right, 16000, -16), c.outcome);
    EXPECT_EQ(Peak(left), c.peak);
    EXPECT_EQ(right, left);
}

INSTANTIATE_TEST_SUITE_P(Clips, ClipLoudnessFallbackTest, ::testing::ValuesIn(kFallbacks),
                         [](const auto& info) { return std::string(info.param.name); });

// Three clips of 1 s and five of 100 ms, written on several threads: the short ones are
// counted once each.
TEST(ClipLoudnessTest, ExportCountsTheClipsThatTookThePeakRule) {
    constexpr int kRate = 8000;
    QTemporaryDir dir;
    Recording recording;
    ChannelSamples channels;
    const std::vector<qint16> tone = Tone(kRate, -20, 10000);
    for (SampleVector& samples : channels.samples) {
        samples.assign(tone.begin(), tone.end());
    }
    WaveFormatData format;
    format.header.SampleRate = kRate;
    recording.Replace(format, channels);
    CueList cues;
    for (int k = 0; k < 8; ++k) {
        cues.AddCue(kRate * k, kRate * k + (k < 3 ? kRate : kRate / 10), QString::number(k));
    }
    ClipSetOptions options;
    options.folder = dir.path();
    options.pattern = "{n}";
    options.padBeforeMs = options.padAfterMs = 0;
    options.loudnessLufs = -16;
    const std::vector<PlannedClip> plan =
        PlanClipSet(cues, options, 0, 0, -1, recording.Frames(), kRate, "b");
    WavClipEncoder encoder;
    const ClipSetResult result =
        WriteClipSet(recording, plan, options, encoder, [](int, int) { return true; });
    EXPECT_EQ(result.written.size(), 8);
    EXPECT_EQ(result.peakRuleClips, 5);
}

} // namespace
