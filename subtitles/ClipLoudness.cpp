#include "subtitles/ClipLoudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace {

/// The shortest clip a gated measurement takes: one 400 ms block.
constexpr qint64 kGateBlockMs = 400;

struct StateDeleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

/// The larger sample magnitude of both channels.
int SamplePeak(const std::vector<qint16>& left, const std::vector<qint16>& right) {
    int peak = 0;
    for (const std::vector<qint16>* channel : {&left, &right}) {
        for (const qint16 s : *channel) {
            peak = std::max(peak, std::abs(int(s)));
        }
    }
    return peak;
}

void ApplyGain(std::vector<qint16>& left, std::vector<qint16>& right, double gain) {
    for (std::vector<qint16>* channel : {&left, &right}) {
        for (qint16& s : *channel) {
            s = qint16(std::clamp(std::lround(s * gain), -32768L, 32767L));
        }
    }
}

/// The gain that brings the frames to the target, limited by the ceiling; nothing when
/// libebur128 cannot measure them.
std::optional<double> LoudnessGain(const std::vector<qint16>& left,
                                   const std::vector<qint16>& right, qint32 rate, double targetLufs,
                                   double ceilingDbtp) {
    const size_t frames = std::min(left.size(), right.size());
    if (rate <= 0 || qint64(frames) * 1000 < qint64(rate) * kGateBlockMs) {
        return std::nullopt;
    }
    const std::unique_ptr<ebur128_state, StateDeleter> state(
        ebur128_init(2, unsigned(rate), EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK));
    if (!state) {
        return std::nullopt;
    }
    std::vector<short> interleaved(2 * frames);
    for (size_t i = 0; i < frames; ++i) {
        interleaved[2 * i] = left[i];
        interleaved[2 * i + 1] = right[i];
    }
    double loudness = 0;
    double peaks[2] = {0, 0};
    if (ebur128_add_frames_short(state.get(), interleaved.data(), frames) != EBUR128_SUCCESS ||
        ebur128_loudness_global(state.get(), &loudness) != EBUR128_SUCCESS ||
        ebur128_true_peak(state.get(), 0, &peaks[0]) != EBUR128_SUCCESS ||
        ebur128_true_peak(state.get(), 1, &peaks[1]) != EBUR128_SUCCESS ||
        !std::isfinite(loudness)) {
        return std::nullopt;
    }
    // Rounding to 16 bits moves each sample by up to half a step, which the interpolated true
    // peak can carry over the ceiling: the limit leaves it one step.
    const double room = std::pow(10.0, ceilingDbtp / 20) - 1.0 / 32768;
    return std::min(std::pow(10.0, (targetLufs - loudness) / 20),
                    room / std::max(peaks[0], peaks[1]));
}

} // namespace

bool NormalisePeak(std::vector<qint16>& left, std::vector<qint16>& right) {
    const int peak = SamplePeak(left, right);
    if (peak == 0) {
        return false;
    }
    ApplyGain(left, right, 32768.0 * std::pow(10.0, -1.0 / 20.0) / peak);
    return true;
}

LoudnessOutcome NormaliseLoudness(std::vector<qint16>& left, std::vector<qint16>& right,
                                  qint32 rate, double targetLufs, double ceilingDbtp) {
    if (SamplePeak(left, right) == 0) {
        return LoudnessOutcome::Silent;
    }
    const std::optional<double> gain = LoudnessGain(left, right, rate, targetLufs, ceilingDbtp);
    if (!gain) {
        NormalisePeak(left, right);
        return LoudnessOutcome::PeakRule;
    }
    ApplyGain(left, right, std::max(*gain, 0.0));
    return LoudnessOutcome::Reached;
}
