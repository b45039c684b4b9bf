#include "recording/PhraseDetection.h"

#include "recording/Recording.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <future>

namespace {

constexpr float kSilenceDb = -200.0f;
constexpr double kAutomaticRise = 15.0;
constexpr double kAutomaticFloor = -60.0;
// Below this many windows (about ten minutes) a second thread costs more than it saves.
constexpr qint64 kParallelWindows = 60000;

/// Mean square of the larger channel over the window, as dBFS.
float WindowDb(const qint16* left, const qint16* right, FrameRange window) {
    qint64 sums[2] = {0, 0};
    const qint16* channels[2] = {left, right};
    for (int c = 0; c < 2; ++c) {
        const qint16* p = channels[c];
        qint64 sum = 0;
        for (int i = window.lo; i < window.hi; ++i) {
            sum += qint64(int(p[i]) * int(p[i]));
        }
        sums[c] = sum;
    }
    const double meanSquare = double(std::max(sums[0], sums[1])) / std::max(window.Length(), 1);
    if (meanSquare <= 0) {
        return kSilenceDb;
    }
    return float(10.0 * std::log10(meanSquare / (32768.0 * 32768.0)));
}

/// The span from the start of the one to the end of the other.
FrameRange Joined(const FrameRange& a, const FrameRange& b) {
    return {std::min(a.lo, b.lo), std::max(a.hi, b.hi)};
}

/// The phrases with those shorter than `minPhrase` frames joined to the nearer neighbour when
/// that gap is at most twice `minSilence` frames, else dropped: a breath or a click near
/// speech belongs to it; far from it, to nothing. Every phrase kept so far is long, so one
/// joined to the last kept stays long; one joined to the next is carried on and judged
/// again with it. One pass, whatever the settings.
std::vector<FrameRange> WithoutShortPhrases(const std::vector<FrameRange>& phrases,
                                            qint64 minPhrase, qint64 minSilence) {
    std::vector<FrameRange> kept;
    FrameRange carried;
    bool carrying = false;
    for (size_t i = 0; i < phrases.size(); ++i) {
        FrameRange phrase = phrases[i];
        if (carrying) {
            phrase = Joined(carried, phrase);
            carrying = false;
        }
        if (phrase.Length() >= minPhrase) {
            kept.push_back(phrase);
            continue;
        }
        const qint64 gapBefore = kept.empty() ? -1 : phrase.lo - kept.back().hi;
        const qint64 gapAfter = i + 1 < phrases.size() ? phrases[i + 1].lo - phrase.hi : -1;
        const bool before = gapBefore >= 0 && (gapAfter < 0 || gapBefore <= gapAfter);
        const qint64 gap = before ? gapBefore : gapAfter;
        if (gap < 0 || gap > 2 * minSilence) {
            continue;
        }
        if (before) {
            kept.back() = Joined(kept.back(), phrase);
        } else {
            carried = phrase;
            carrying = true;
        }
    }
    return kept;
}

/// Frames up to the middle of the gap between two neighbouring spans.
int Middle(const FrameRange& before, const FrameRange& after) {
    return int((qint64(before.hi) + after.lo) / 2);
}

} // namespace

QString CheckPhraseSettings(const PhraseSettings& settings) {
    if (settings.thresholdDb && !(*settings.thresholdDb <= 0.0)) {
        return QCoreApplication::translate("Message", "The threshold must be at most 0 dBFS.");
    }
    if (settings.minSilenceMs < 0 || settings.minPhraseMs < 0 || settings.padMs < 0) {
        return QCoreApplication::translate("Message", "Lengths must not be negative.");
    }
    return {};
}

FrameRange LevelTrack::Window(qint64 w) const {
    const qint64 lo = range.lo + w * windowFrames;
    return {int(lo), int(std::min<qint64>(lo + windowFrames, range.hi))};
}

LevelTrack MeasureLevels(const Recording& recording, FrameRange range) {
    LevelTrack levels;
    levels.range = range;
    levels.windowFrames = std::max(1, recording.SampleRate() / 100);
    const qint64 count = (qint64(range.Length()) + levels.windowFrames - 1) / levels.windowFrames;
    levels.db.resize(size_t(count));
    const qint16* left = recording.Samples(0).data();
    const qint16* right = recording.Samples(1).data();
    const auto measure = [&](qint64 from, qint64 to) {
        for (qint64 w = from; w < to; ++w) {
            levels.db[size_t(w)] = WindowDb(left, right, levels.Window(w));
        }
    };
    if (count < kParallelWindows) {
        measure(0, count);
    } else {
        std::future<void> second = std::async(std::launch::async, measure, count / 2, count);
        measure(0, count / 2);
        second.get();
    }
    return levels;
}

double AutomaticThreshold(const LevelTrack& levels) {
    if (levels.db.empty()) {
        return kAutomaticFloor;
    }
    std::vector<float> sorted = levels.db;
    const auto tenth = sorted.begin() + ptrdiff_t(sorted.size() / 10);
    std::nth_element(sorted.begin(), tenth, sorted.end());
    return std::max(kAutomaticFloor, double(*tenth) + kAutomaticRise);
}

double PhraseThreshold(const PhraseSettings& settings, const LevelTrack& levels) {
    return settings.thresholdDb ? *settings.thresholdDb : AutomaticThreshold(levels);
}

qint64 MsToFrames(int ms, qint32 rate) {
    return qint64(ms) * rate / 1000;
}

std::vector<FrameRange> FindPhrases(const LevelTrack& levels, const PhraseSettings& settings,
                                    qint32 rate) {
    if (rate <= 0) {
        return {};
    }
    const double threshold = PhraseThreshold(settings, levels);
    const qint64 minSilence = MsToFrames(settings.minSilenceMs, rate);
    const qint64 minPhrase = MsToFrames(settings.minPhraseMs, rate);
    const qint64 pad = MsToFrames(settings.padMs, rate);

    // Runs of sound, joined across silences shorter than the minimum.
    std::vector<FrameRange> phrases;
    for (qint64 w = 0; w < qint64(levels.db.size()); ++w) {
        if (levels.db[size_t(w)] <= threshold) {
            continue;
        }
        const FrameRange window = levels.Window(w);
        if (!phrases.empty() && window.lo - phrases.back().hi < minSilence) {
            phrases.back().hi = window.hi;
        } else {
            phrases.push_back(window);
        }
    }

    phrases = WithoutShortPhrases(phrases, minPhrase, minSilence);

    std::vector<FrameRange> padded = phrases;
    for (size_t i = 0; i < phrases.size(); ++i) {
        qint64 lo = std::max<qint64>(levels.range.lo, phrases[i].lo - pad);
        qint64 hi = std::min<qint64>(levels.range.hi, phrases[i].hi + pad);
        if (i > 0) {
            lo = std::max<qint64>(lo, Middle(phrases[i - 1], phrases[i]));
        }
        if (i + 1 < phrases.size()) {
            hi = std::min<qint64>(hi, Middle(phrases[i], phrases[i + 1]));
        }
        padded[i] = {int(lo), int(hi)};
    }
    return padded;
}
