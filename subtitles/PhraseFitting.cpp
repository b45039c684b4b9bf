#include "subtitles/PhraseFitting.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <numeric>
#include <optional>
#include <span>
#include <utility>

namespace {

// Cut places times cuts beyond which the places are thinned: the choice keeps one index per
// place and cut, and a phrase of an hour cut a thousand times would not fit in memory.
constexpr qint64 kMaxChoices = qint64(1) << 22;

/// A place where a phrase can be cut: the piece before ends at `end`, the next begins at
/// `start` (frames).
struct Cut {
    int end = 0;
    int start = 0;
    int pauseWindows = 0; ///< windows of the pause cut in; 0 for a cut in a sound window
    double rise = 0.0;    ///< dB the sound window cut in lies above the threshold; 0 for a pause

    double Middle() const { return (double(end) + start) / 2; }
};

/// How good a choice of cuts is, summed over them: the longer the pauses, the better; then the
/// quieter (and the fewer) the sound windows; then the fewer frames between each cut and where
/// the characters put it.
struct Score {
    qint64 pauseWindows = 0;
    double rise = 0.0;
    double drift = 0.0;

    Score operator+(const Score& other) const {
        return {pauseWindows + other.pauseWindows, rise + other.rise, drift + other.drift};
    }
    bool IsBetterThan(const Score& other) const {
        if (pauseWindows != other.pauseWindows) {
            return pauseWindows > other.pauseWindows;
        }
        if (rise != other.rise) {
            return rise < other.rise;
        }
        return drift < other.drift;
    }
};

int Middle(qint64 lo, qint64 hi) {
    return int((lo + hi) / 2);
}

/// The places `phrase` can be cut, in order: each pause and each sound window between its
/// first and last sound windows (the windows wholly inside it).
std::vector<Cut> CutPlaces(const FrameRange& phrase, const LevelTrack& levels, double threshold,
                           qint64 pad) {
    const qint64 w = levels.windowFrames;
    qint64 first = (qint64(phrase.lo) - levels.range.lo + w - 1) / w;
    qint64 last =
        std::min<qint64>((qint64(phrase.hi) - levels.range.lo) / w, qint64(levels.db.size())) - 1;
    const auto sound = [&levels, threshold](qint64 k) { return levels.db[size_t(k)] > threshold; };
    while (first <= last && !sound(first)) {
        ++first;
    }
    while (last > first && !sound(last)) {
        --last;
    }
    std::vector<Cut> places;
    for (qint64 k = first + 1; k < last; ++k) {
        if (sound(k)) {
            const FrameRange window = levels.Window(k);
            const int middle = Middle(window.lo, window.hi);
            places.push_back({middle, middle, 0, levels.db[size_t(k)] - threshold});
            continue;
        }
        qint64 end = k;
        while (!sound(end + 1)) {
            ++end;
        }
        const qint64 lo = levels.Window(k).lo;
        const qint64 hi = levels.Window(end).hi;
        const int middle = Middle(lo, hi);
        places.push_back({int(std::min<qint64>(lo + pad, middle)),
                          int(std::max<qint64>(hi - pad, middle)), int(end - k + 1), 0.0});
        k = end;
    }
    return places;
}

/// `places` thinned to the best of every `group` neighbours: the longest pause, else the
/// quietest window.
std::vector<Cut> Thin(const std::vector<Cut>& places, size_t group) {
    std::vector<Cut> kept;
    for (size_t i = 0; i < places.size(); i += group) {
        const auto end = places.begin() + ptrdiff_t(std::min(places.size(), i + group));
        kept.push_back(
            *std::min_element(places.begin() + ptrdiff_t(i), end, [](const Cut& a, const Cut& b) {
                return Score{a.pauseWindows, a.rise, 0}.IsBetterThan({b.pauseWindows, b.rise, 0});
            }));
    }
    return kept;
}

/// The most pieces `places` can cut `phrase` into, none shorter than `minLength` frames.
/// Taking each place as soon as the piece before is long enough is best: the pieces' starts
/// only grow from place to place.
int Capacity(const FrameRange& phrase, const std::vector<Cut>& places, qint64 minLength) {
    int pieces = 1;
    qint64 from = phrase.lo;
    for (const Cut& place : places) {
        if (place.end - from >= minLength && phrase.hi - place.start >= minLength) {
            ++pieces;
            from = place.start;
        }
    }
    return pieces;
}

/// How many texts each phrase takes: in order, from one up to its capacity, as many texts in
/// all as the phrases can take, the ends of the phrases' shares nearest the ends of the texts'.
std::vector<int> ShareTexts(const std::vector<FrameRange>& phrases,
                            const std::vector<int>& capacity, const std::vector<int>& chars) {
    const size_t n = phrases.size();
    const int texts =
        std::min<int>(int(chars.size()), std::reduce(capacity.begin(), capacity.end()));
    std::vector<double> charsBefore(size_t(texts) + 1, 0.0);
    std::partial_sum(chars.begin(), chars.begin() + texts, charsBefore.begin() + 1);
    double duration = 0;
    for (const FrameRange& phrase : phrases) {
        duration += phrase.Length();
    }
    // Phrase i takes the texts up to b, i + 1 <= b <= texts - (n - 1 - i): offset b - i - 1.
    const size_t band = size_t(texts) - n + 1;
    constexpr double kNever = std::numeric_limits<double>::infinity();
    std::vector<double> before(band, kNever);
    std::vector<double> now(band);
    std::vector<int> from(n * band, 0);
    std::deque<size_t> best;
    double durationBefore = 0;
    for (size_t i = 0; i < n; ++i) {
        durationBefore += phrases[i].Length();
        const size_t cap = size_t(capacity[i]);
        for (size_t o = 0; o < band; ++o) {
            const size_t b = i + 1 + o;
            const double miss = i + 1 < n ? std::abs(charsBefore[b] / charsBefore[size_t(texts)] -
                                                     durationBefore / std::max(duration, 1.0))
                                          : 0.0;
            if (i == 0) {
                now[o] = b <= cap ? miss : kNever;
                continue;
            }
            // The best end p of the phrases before, o + 1 - cap <= p <= o (the earliest of
            // equals): `best` holds the candidates in order, their costs rising.
            while (!best.empty() && before[best.back()] > before[o]) {
                best.pop_back();
            }
            best.push_back(o);
            if (best.front() + cap <= o) {
                best.pop_front();
            }
            const size_t p = best.front();
            now[o] = before[p] + miss;
            if (before[p] != kNever) {
                from[i * band + o] = int(p);
            }
        }
        best.clear();
        std::swap(before, now);
    }
    std::vector<int> shares(n);
    size_t o = band - 1;
    for (size_t i = n; i-- > 0;) {
        const size_t p = i > 0 ? size_t(from[i * band + o]) : 0;
        shares[i] = int(i > 0 ? o + 1 - p : o + 1);
        o = p;
    }
    return shares;
}

/// The pieces of `phrase` cut at the `chars.size() - 1` places that score best, none shorter
/// than `minLength` frames; the phrase's capacity must allow that many.
std::vector<FrameRange> CutPhrase(const FrameRange& phrase, const std::vector<Cut>& places,
                                  std::span<const int> chars, qint64 minLength) {
    const size_t cuts = chars.size() - 1;
    const size_t n = places.size();
    const double total = std::reduce(chars.begin(), chars.end(), 0.0);
    std::vector<std::optional<Score>> best(n);
    std::vector<std::optional<Score>> next(n);
    std::vector<int> from(cuts * n, 0);
    double charsBefore = 0;
    for (size_t j = 0; j < cuts; ++j) {
        charsBefore += chars[j];
        const double aim = phrase.lo + phrase.Length() * charsBefore / total;
        size_t reach = 0;
        std::optional<size_t> lead; // the best of best[0 .. reach)
        for (size_t c = 0; c < n; ++c) {
            const Cut& place = places[c];
            while (reach < c && place.end - places[reach].start >= minLength) {
                if (best[reach] && (!lead || best[reach]->IsBetterThan(*best[*lead]))) {
                    lead = reach;
                }
                ++reach;
            }
            next[c].reset();
            const bool fitsBefore = j == 0 ? place.end - phrase.lo >= minLength : lead.has_value();
            const bool fitsAfter = j + 1 < cuts || phrase.hi - place.start >= minLength;
            if (!fitsBefore || !fitsAfter) {
                continue;
            }
            next[c] = Score{place.pauseWindows, place.rise, std::abs(place.Middle() - aim)};
            if (j > 0) {
                *next[c] = *best[*lead] + *next[c];
                from[j * n + c] = int(*lead);
            }
        }
        std::swap(best, next);
    }
    std::optional<size_t> c;
    for (size_t k = 0; k < n; ++k) {
        if (best[k] && (!c || best[k]->IsBetterThan(*best[*c]))) {
            c = k;
        }
    }
    std::vector<size_t> chosen(cuts);
    for (size_t j = cuts; j-- > 0;) {
        chosen[j] = *c;
        c = size_t(from[j * n + *c]);
    }
    std::vector<FrameRange> pieces;
    int lo = phrase.lo;
    for (size_t k : chosen) {
        pieces.push_back({lo, places[k].end});
        lo = places[k].start;
    }
    pieces.push_back({lo, phrase.hi});
    return pieces;
}

/// `phrases` with their `bridges` shortest gaps bridged (of equal gaps, the earlier first):
/// bridging a gap leaves the others as they were, so bridging the shortest one by one comes
/// to this.
std::vector<FrameRange> BridgeShortestGaps(const std::vector<FrameRange>& phrases, size_t bridges) {
    std::vector<std::pair<int, size_t>> gaps; // length, index of the phrase before it
    for (size_t i = 0; i + 1 < phrases.size(); ++i) {
        gaps.emplace_back(phrases[i + 1].lo - phrases[i].hi, i);
    }
    std::nth_element(gaps.begin(), gaps.begin() + ptrdiff_t(bridges), gaps.end());
    std::vector<bool> bridged(phrases.size(), false);
    for (size_t g = 0; g < bridges; ++g) {
        bridged[gaps[g].second] = true;
    }
    std::vector<FrameRange> joined;
    for (size_t i = 0; i < phrases.size(); ++i) {
        if (i > 0 && bridged[i - 1]) {
            joined.back().hi = phrases[i].hi;
        } else {
            joined.push_back(phrases[i]);
        }
    }
    return joined;
}

} // namespace

FittedPhrases FitPhrases(std::vector<FrameRange> phrases, const std::vector<int>& textChars,
                         const LevelTrack& levels, const PhraseSettings& settings, qint32 rate) {
    FittedPhrases fitted;
    const int count = int(textChars.size());
    if (count > 0 && int(phrases.size()) > count) {
        fitted.joined = int(phrases.size()) - count;
        phrases = BridgeShortestGaps(phrases, size_t(fitted.joined));
    }
    if (phrases.empty() || int(phrases.size()) >= count || rate <= 0) {
        fitted.spans = std::move(phrases);
        return fitted;
    }

    const double threshold = PhraseThreshold(settings, levels);
    const qint64 minLength = MsToFrames(settings.minPhraseMs, rate);
    const qint64 pad = MsToFrames(settings.padMs, rate);
    const qint64 mostTexts = count - qint64(phrases.size()) + 1;
    std::vector<std::vector<Cut>> places;
    std::vector<int> capacity;
    for (const FrameRange& phrase : phrases) {
        places.push_back(CutPlaces(phrase, levels, threshold, pad));
        const qint64 group = 1 + qint64(places.back().size()) * (mostTexts - 1) / kMaxChoices;
        if (group > 1) {
            places.back() = Thin(places.back(), size_t(group));
        }
        capacity.push_back(Capacity(phrase, places.back(), minLength));
    }
    std::vector<int> chars;
    for (int c : textChars) {
        chars.push_back(std::max(1, c));
    }
    const std::vector<int> shares = ShareTexts(phrases, capacity, chars);
    size_t text = 0;
    for (size_t i = 0; i < phrases.size(); ++i) {
        const std::span<const int> own(chars.data() + text, size_t(shares[i]));
        for (const FrameRange& piece : CutPhrase(phrases[i], places[i], own, minLength)) {
            fitted.spans.push_back(piece);
        }
        fitted.split += shares[i] - 1;
        text += size_t(shares[i]);
    }
    return fitted;
}
