#include "alignment/ScriptAlignment.h"

#include "alignment/PauseEdges.h"
#include "alignment/SpeechSynthesizer.h"
#include "alignment/TimeWarp.h"
#include "recording/PhraseDetection.h"
#include "recording/Recording.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <future>

namespace {

constexpr double kLeadSeconds = 0.3;           ///< silence before the first text and after the last
constexpr double kGapSeconds = 0.15;           ///< silence between two texts
constexpr double kSecondsPerCharacter = 0.075; ///< about the voice's pace
constexpr int kSnapMs = 150;                   ///< how far a boundary is drawn to a pause
constexpr int kPauseWindows = 5;               ///< 50 ms of silence make a pause
constexpr int kSpeakingShare = 250;            ///< of the progress, for speaking the script
constexpr int kRecordingShare = 250;           ///< and for the recording's features
constexpr int kBlockFrames = 1 << 16;          ///< frames of the recording read at a time
constexpr int kShortestCue = 20;               ///< frames
/// A text with no more confidence than this is taken to be missing from the recording.
constexpr float kMissingAtMost = 0.05f;
constexpr float kSqueezeToNone =
    0.2f; ///< squeezed rows beyond the typical share that leave no confidence

/// The text as it is spoken: without the placeholder mark and the line breaks.
QString SpokenText(const QString& text) {
    QString spoken = text.startsWith(QLatin1Char('#')) ? text.mid(1) : text;
    return spoken.replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

/// The samples from the first to the last that is clearly sound.
std::pair<size_t, size_t> SoundedPart(const std::vector<qint16>& samples) {
    int peak = 0;
    for (const qint16 s : samples) {
        peak = std::max(peak, std::abs(int(s)));
    }
    const int floor = std::max(peak / 50, 1);
    const auto loud = [floor](qint16 s) { return std::abs(int(s)) > floor; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    if (first == samples.end()) {
        return {0, 0};
    }
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud);
    return {size_t(first - samples.begin()), size_t(samples.rend() - last)};
}

/// The spoken script: its features and where each text's speech lies in it, in samples.
struct Reference {
    FeatureMatrix features;
    std::vector<std::pair<qint64, qint64>> spans;
    bool spokeAny = false;
};

Reference SpeakScript(const std::vector<QString>& texts, SpeechSynthesizer& voice, double topHz,
                      AlignmentProgress& progress, std::atomic<int>& spoken,
                      AlignmentTimes& times) {
    QElapsedTimer clock;
    clock.start();
    const qint32 rate = voice.SampleRate();
    qint64 characters = 0;
    for (const QString& text : texts) {
        characters += text.size();
    }
    // Room for the rows the voice will likely speak, so that they are not copied as they grow.
    FeatureExtractor extractor(rate, topHz,
                               std::llround((kSecondsPerCharacter * double(characters) +
                                             kGapSeconds * double(texts.size())) *
                                            rate));
    Reference reference;
    qint64 at = std::llround(kLeadSeconds * rate);
    extractor.AppendSilence(at);
    const qint64 gap = std::llround(kGapSeconds * rate);
    std::vector<float> scaled;
    for (size_t k = 0; k < texts.size() && !progress.stop; ++k) {
        const qint64 before = clock.nsecsElapsed();
        const std::vector<qint16> samples = voice.Speak(SpokenText(texts[k]));
        times.speaking += double(clock.nsecsElapsed() - before) / 1e9;
        const auto [first, last] = SoundedPart(samples);
        scaled.resize(last - first);
        for (size_t n = first; n < last; ++n) {
            scaled[n - first] = float(samples[n]) / 32768.0f;
        }
        if (k > 0 && !scaled.empty()) {
            extractor.AppendSilence(gap);
            at += gap;
        }
        reference.spans.emplace_back(at, at + qint64(scaled.size()));
        extractor.Append(scaled.data(), qint64(scaled.size()));
        at += qint64(scaled.size());
        reference.spokeAny = reference.spokeAny || !scaled.empty();
        spoken = int((k + 1) * kSpeakingShare / texts.size());
    }
    extractor.AppendSilence(std::llround(kLeadSeconds * rate));
    reference.features = extractor.Finish();
    times.referenceFeatures = double(clock.nsecsElapsed()) / 1e9 - times.speaking;
    return reference;
}

FeatureMatrix RecordingFeatures(const Recording& recording, FrameRange range, double topHz,
                                AlignmentProgress& progress, std::atomic<int>& measured) {
    FeatureExtractor extractor(recording.SampleRate(), topHz, range.Length());
    const qint16* left = recording.Samples(0).data();
    const qint16* right = recording.Samples(1).data();
    std::vector<float> mixed;
    for (qint64 at = range.lo; at < range.hi && !progress.stop; at += kBlockFrames) {
        const qint64 count = std::min<qint64>(kBlockFrames, range.hi - at);
        mixed.resize(size_t(count));
        for (qint64 n = 0; n < count; ++n) {
            mixed[size_t(n)] = (float(left[at + n]) + float(right[at + n])) / 65536.0f;
        }
        extractor.Append(mixed.data(), count);
        measured = int((at + count - range.lo) * kRecordingShare / range.Length());
    }
    return extractor.Finish();
}

float Median(std::vector<float> values) {
    if (values.empty()) {
        return 0.0f;
    }
    const auto middle = values.begin() + ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

/// How well rows lo .. hi - 1 of the reference match where the path put them, against how
/// well they match the recording a second or two away: near 0 for a real match, near 1 when
/// they match the recording anywhere as (badly) as there.
float MatchContrast(const WarpPath& path, const FeatureMatrix& ref, const FeatureMatrix& rec,
                    qint64 lo, qint64 hi) {
    static constexpr qint64 kShifts[] = {-200, -100, 100, 200};
    double onPath = 0;
    double shifted = 0;
    for (qint64 r = lo; r < hi; ++r) {
        const qint64 column = (path.first[size_t(r)] + path.last[size_t(r)]) / 2;
        onPath += FeatureDistance(ref.Row(r), rec.Row(column));
        for (const qint64 shift : kShifts) {
            shifted += FeatureDistance(
                ref.Row(r), rec.Row(std::clamp(column + shift, qint64(0), rec.Rows() - 1)));
        }
    }
    return float(onPath * std::size(kShifts) / std::max(shifted, 1e-9));
}

/// The share of rows lo + 1 .. hi - 1 that the path passed without moving on in the
/// recording: a text the recording lacks is squeezed into a few frames.
float SqueezedShare(const WarpPath& path, qint64 lo, qint64 hi) {
    int squeezed = 0;
    for (qint64 r = lo + 1; r < hi; ++r) {
        squeezed += path.first[size_t(r)] == path.last[size_t(r) - 1] ? 1 : 0;
    }
    return float(squeezed) / float(hi - lo);
}

/// How sure each text's place is: one whose rows stand out from the recording around them
/// as well as the typical text's gets 1, one that stands out no more than anywhere else 0;
/// so does one squeezed into a quarter of the typical time per row of speech or less (a text
/// the recording lacks), or stretched over four times, or one with a fifth more of its rows
/// squeezed than the typical text.
std::vector<float> Confidences(const WarpPath& path, const FeatureMatrix& ref,
                               const FeatureMatrix& rec,
                               const std::vector<std::pair<qint64, qint64>>& rows) {
    std::vector<float> contrasts;
    std::vector<float> ratios;
    std::vector<float> squeezed;
    for (const auto& [lo, hi] : rows) {
        contrasts.push_back(hi > lo ? MatchContrast(path, ref, rec, lo, hi) : 1.0f);
        squeezed.push_back(hi > lo ? SqueezedShare(path, lo, hi) : 1.0f);
        ratios.push_back(hi > lo ? float(path.first[size_t(hi)] - path.first[size_t(lo)]) /
                                       float(hi - lo)
                                 : 0.0f);
    }
    const float typicalContrast = std::min(Median(contrasts), 0.999f);
    const float typicalRatio = std::max(Median(ratios), 1e-3f);
    const float typicalSqueeze = Median(squeezed);
    std::vector<float> confidence;
    for (size_t k = 0; k < rows.size(); ++k) {
        const float byContrast = (1.0f - contrasts[k]) / (1.0f - typicalContrast);
        const float ratio = ratios[k] / typicalRatio;
        const float byLength = ratio > 0 ? 2.0f * std::min(ratio, 1.0f / ratio) : 0.0f;
        const float bySqueeze = 1.0f - (squeezed[k] - typicalSqueeze) / kSqueezeToNone;
        confidence.push_back(std::clamp(std::min({byContrast, byLength, bySqueeze}), 0.0f, 1.0f));
    }
    return confidence;
}

/// The rows of each text's speech in the spoken script, within the path.
std::vector<std::pair<qint64, qint64>> SpanRows(const Reference& reference, qint64 hop,
                                                const WarpPath& path) {
    const qint64 lastRow = qint64(path.first.size()) - 1;
    std::vector<std::pair<qint64, qint64>> rows;
    for (const auto& [lo, hi] : reference.spans) {
        rows.emplace_back(std::min(lo / hop, lastRow), std::min(hi / hop, lastRow));
    }
    return rows;
}

/// The spoken script without the texts marked `dropped` and the pause after each: their
/// spans become empty where they were, the later spans move up.
Reference WithoutTexts(const Reference& reference, const std::vector<bool>& dropped, qint64 hop) {
    Reference kept;
    kept.spokeAny = reference.spokeAny;
    const qint64 rows = reference.features.Rows();
    std::vector<bool> dropRow(size_t(rows), false);
    for (size_t k = 0; k < reference.spans.size(); ++k) {
        if (!dropped[k]) {
            continue;
        }
        const qint64 lo = reference.spans[k].first / hop;
        const qint64 hi = k + 1 < reference.spans.size() ? reference.spans[k + 1].first / hop
                                                         : reference.spans[k].second / hop;
        std::fill(dropRow.begin() + ptrdiff_t(std::min(lo, rows)),
                  dropRow.begin() + ptrdiff_t(std::min(hi, rows)), true);
    }
    // Rows dropped before each row, to move the spans by.
    std::vector<qint64> droppedBefore(size_t(rows) + 1, 0);
    for (qint64 r = 0; r < rows; ++r) {
        droppedBefore[size_t(r) + 1] = droppedBefore[size_t(r)] + (dropRow[size_t(r)] ? 1 : 0);
        if (!dropRow[size_t(r)]) {
            const float* row = reference.features.Row(r);
            kept.features.values.insert(kept.features.values.end(), row,
                                        row + FeatureMatrix::kDims);
        }
    }
    for (size_t k = 0; k < reference.spans.size(); ++k) {
        const auto [lo, hi] = reference.spans[k];
        const qint64 shift = droppedBefore[size_t(std::min(lo / hop, rows))] * hop;
        kept.spans.emplace_back(lo - shift, dropped[k] ? lo - shift : hi - shift);
    }
    return kept;
}

/// Cues with nothing found for them (an empty span: a text missing from the recording or
/// with nothing to speak) share the gap between their neighbours, so that each shows where
/// it belongs and can be taken hold of.
void SpreadOverGaps(std::vector<AlignedCue>& cues, FrameRange range) {
    for (size_t k = 0; k < cues.size();) {
        if (!cues[k].span.IsEmpty()) {
            ++k;
            continue;
        }
        size_t last = k;
        while (last + 1 < cues.size() && cues[last + 1].span.IsEmpty()) {
            ++last;
        }
        const int lo = k > 0 ? cues[k - 1].span.hi : range.lo;
        const int hi = std::max(lo, last + 1 < cues.size() ? cues[last + 1].span.lo : range.hi);
        const auto count = qint64(last - k + 1);
        for (size_t m = k; m <= last; ++m) {
            const auto index = qint64(m - k);
            cues[m].span = {int(lo + (hi - lo) * index / count),
                            int(lo + (hi - lo) * (index + 1) / count)};
        }
        k = last + 1;
    }
}

/// The boundaries kept in order: no cue starts before the one before it ends, none is
/// shorter than the shortest cue, none leaves the range.
void KeepInOrder(std::vector<AlignedCue>& cues, FrameRange range) {
    for (size_t k = 0; k < cues.size(); ++k) {
        FrameRange& span = cues[k].span;
        if (k > 0) {
            FrameRange& before = cues[k - 1].span;
            if (span.lo < before.hi) {
                const int middle = std::max(before.lo + kShortestCue, (before.hi + span.lo) / 2);
                before.hi = std::min(before.hi, middle);
                span.lo = std::max(span.lo, before.hi);
            }
        }
        span.lo = std::clamp(span.lo, range.lo, std::max(range.lo, range.hi - kShortestCue));
        span.hi = std::clamp(std::max(span.hi, span.lo + kShortestCue), span.lo, range.hi);
    }
}

} // namespace

ScriptAlignment AlignScript(const Recording& recording, FrameRange range,
                            const std::vector<QString>& texts, SpeechSynthesizer& voice,
                            AlignmentProgress& progress) {
    ScriptAlignment result;
    const qint32 rate = recording.SampleRate();
    if (texts.empty() || range.Length() < rate / 10 || rate <= 0 || voice.SampleRate() <= 0) {
        return result;
    }
    const double topHz = FeatureExtractor::CommonTopHz(rate, voice.SampleRate());
    std::atomic<int> spoken = 0;
    std::atomic<int> measured = 0;
    std::future<std::pair<FeatureMatrix, double>> recordingFeatures =
        std::async(std::launch::async, [&] {
            QElapsedTimer own;
            own.start();
            FeatureMatrix features = RecordingFeatures(recording, range, topHz, progress, measured);
            return std::make_pair(std::move(features), own.nsecsElapsed() / 1e9);
        });
    Reference reference = SpeakScript(texts, voice, topHz, progress, spoken, result.times);
    while (recordingFeatures.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        progress.done = spoken + measured;
    }
    auto [features, recordingSeconds] = recordingFeatures.get();
    result.times.recordingFeatures = recordingSeconds;
    if (progress.stop) {
        result.status = ScriptAlignment::Status::Stopped;
        return result;
    }
    if (!reference.spokeAny) {
        result.status = ScriptAlignment::Status::NothingToSpeak;
        return result;
    }

    QElapsedTimer clock;
    clock.start();
    const qint64 refHop = voice.SampleRate() / 100;
    const auto warp = [&](const Reference& spoken, int from, int to) {
        return WarpSpeech(spoken.features, features, [&](qint64 done, qint64 total) {
            progress.done = from + int(done * (to - from) / total);
            return !progress.stop;
        });
    };
    constexpr int kFirstWarpEnd = 850;
    std::optional<WarpPath> path = warp(reference, kSpeakingShare + kRecordingShare, kFirstWarpEnd);
    std::vector<float> confidence;
    if (path) {
        confidence =
            Confidences(*path, reference.features, features, SpanRows(reference, refHop, *path));
        // Texts the recording lacks pull their neighbours onto them: warp again without them.
        std::vector<bool> missing;
        for (const float c : confidence) {
            missing.push_back(c <= kMissingAtMost);
        }
        if (std::count(missing.begin(), missing.end(), true) > 0) {
            reference = WithoutTexts(reference, missing, refHop);
            path = warp(reference, kFirstWarpEnd, AlignmentProgress::kTotal);
            if (path) {
                confidence = Confidences(*path, reference.features, features,
                                         SpanRows(reference, refHop, *path));
                for (size_t k = 0; k < missing.size(); ++k) {
                    confidence[k] = missing[k] ? 0.0f : confidence[k];
                }
            }
        }
    }
    result.times.warping = clock.nsecsElapsed() / 1e9;
    if (!path) {
        result.status =
            progress.stop ? ScriptAlignment::Status::Stopped : ScriptAlignment::Status::NoAudio;
        return result;
    }

    const qint64 recHop = rate / 100;
    const qint64 lastRow = qint64(path->first.size()) - 1;
    // A sample of the spoken script as a frame of the recording, through the row holding it.
    const auto toFrame = [&](qint64 sample) {
        const qint64 row = std::min(sample / refHop, lastRow);
        const qint64 within = (sample - row * refHop) * rate / voice.SampleRate();
        return std::min<qint64>(range.lo + path->first[size_t(row)] * recHop + within, range.hi);
    };
    const LevelTrack levels = MeasureLevels(recording, range);
    const PauseEdges edges = FindPauseEdges(levels, AutomaticThreshold(levels), kPauseWindows);
    const qint64 reach = MsToFrames(kSnapMs, rate);
    for (size_t k = 0; k < reference.spans.size(); ++k) {
        const auto [lo, hi] = reference.spans[k];
        const qint64 start = SnapToEdge(edges.soundStarts, toFrame(lo), reach);
        const qint64 end = hi > lo ? SnapToEdge(edges.soundEnds, toFrame(hi), reach) : start;
        result.cues.push_back({{int(start), int(std::max(start, end))}, confidence[k]});
    }
    SpreadOverGaps(result.cues, range);
    KeepInOrder(result.cues, range);
    result.status = ScriptAlignment::Status::Aligned;
    progress.done = AlignmentProgress::kTotal;
    return result;
}
