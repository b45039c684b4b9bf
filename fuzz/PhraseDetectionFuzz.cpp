// Phrase detection on samples and settings from the input, little-endian:
//   byte 0       threshold: 255 automatic, else -b/2 dBFS
//   bytes 1-12   minimum silence, minimum phrase, padding: three signed 32-bit ms
//   byte 13      the rate, an index into kRates
//   byte 14      how many times the frames are laid end to end, less one
//   the rest     stereo frames, two signed 16-bit samples each
// Laying the frames end to end lets a short input stand for a long, regular recording.
#include "FuzzCheck.h"

#include "recording/PhraseDetection.h"
#include "recording/Recording.h"

#include <QtEndian>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>

namespace {

constexpr std::size_t kHeaderBytes = 15;
/// Frames of one recording at most: 16 s at 16 kHz; below 200 Hz every frame is a window.
constexpr qint64 kMaxFrames = 1 << 18;
constexpr qint32 kRates[] = {8000, 16000, 44100, 48000, 384000,
                             100,  1,     0,     -8000, std::numeric_limits<qint32>::max()};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderBytes) {
        return 0;
    }
    PhraseSettings settings;
    settings.thresholdDb =
        data[0] == 255 ? std::nullopt : std::optional<double>(-double(data[0]) / 2.0);
    settings.minSilenceMs = qFromLittleEndian<qint32>(data + 1);
    settings.minPhraseMs = qFromLittleEndian<qint32>(data + 5);
    settings.padMs = qFromLittleEndian<qint32>(data + 9);
    if (!CheckPhraseSettings(settings).isEmpty()) {
        return 0;
    }
    const qint32 rate = kRates[data[13] % std::size(kRates)];
    const qint64 given = qint64(size - kHeaderBytes) / 4;
    const qint64 frames = std::min(given * (data[14] + 1), kMaxFrames);

    WaveFormatData format;
    format.header.SampleRate = rate;
    ChannelSamples channels;
    for (int c = 0; c < 2; ++c) {
        channels.samples[c].resize(size_t(frames));
        for (qint64 i = 0; i < frames; ++i) {
            const std::uint8_t* frame = data + kHeaderBytes + (i % given) * 4;
            channels.samples[c][size_t(i)] = qFromLittleEndian<qint16>(frame + 2 * c);
        }
    }
    Recording recording;
    recording.Replace(std::move(format), std::move(channels));
    const FrameRange range{0, int(frames)};
    const LevelTrack levels = MeasureLevels(recording, range);
    const std::vector<FrameRange> phrases = FindPhrases(levels, settings, rate);
    int last = range.lo;
    for (const FrameRange& phrase : phrases) {
        FUZZ_REQUIRE(last <= phrase.lo && phrase.lo < phrase.hi && phrase.hi <= range.hi);
        last = phrase.hi;
    }
    return 0;
}
