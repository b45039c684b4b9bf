#include "alignment/TimeWarp.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace {

/// The table of distances at the coarsest level holds at most this many cells.
constexpr qint64 kFullCells = 8'000'000;
/// A level is not halved below this many rows.
constexpr qint64 kFewestRows = 64;
/// How far around the coarser path, in rows of the finer level, the finer path may go.
constexpr qint64 kRadius = 12;
/// A row matched again costs at most this share of the edge price.
constexpr double kAgainShare = 0.85;

enum Step : quint8 { kDiagonal, kUp, kLeft, kStart };

/// The recording rows each reference row may match: lo .. hi, both rising with the row.
struct Band {
    std::vector<qint64> lo;
    std::vector<qint64> hi;
};

/// The cheapest path within `band`, with `edgeCost` the price of each recording row left out
/// before or after it. Nothing when stopped.
std::optional<WarpPath> WarpBand(const FeatureMatrix& ref, const FeatureMatrix& rec,
                                 const Band& band, float edgeCost,
                                 const std::function<bool(qint64)>& rowDone) {
    const qint64 rows = ref.Rows();
    const qint64 columns = rec.Rows();
    std::vector<qint64> offset(size_t(rows) + 1, 0);
    for (qint64 i = 0; i < rows; ++i) {
        offset[size_t(i) + 1] = offset[size_t(i)] + band.hi[size_t(i)] - band.lo[size_t(i)] + 1;
    }
    std::vector<quint8> steps(size_t(offset.back()));
    constexpr double kNone = std::numeric_limits<double>::infinity();
    std::vector<double> previous;
    std::vector<double> current;
    for (qint64 i = 0; i < rows; ++i) {
        const qint64 lo = band.lo[size_t(i)];
        const qint64 hi = band.hi[size_t(i)];
        const qint64 prevLo = i > 0 ? band.lo[size_t(i) - 1] : 0;
        const qint64 prevHi = i > 0 ? band.hi[size_t(i) - 1] : -1;
        current.assign(size_t(hi - lo + 1), kNone);
        quint8* rowSteps = steps.data() + offset[size_t(i)];
        const float* refRow = ref.Row(i);
        for (qint64 j = lo; j <= hi; ++j) {
            // A row matched again (up or left) costs at most the edge price: speech in one
            // signal that the other lacks is passed over rather than forced onto its neighbours.
            const double distance = double(FeatureDistance(refRow, rec.Row(j)));
            const double again = std::min(distance, double(edgeCost) * kAgainShare);
            double best = kNone;
            quint8 step = kStart;
            if (i == 0) {
                best = double(edgeCost) * double(j) + distance;
            } else {
                if (j - 1 >= prevLo && j - 1 <= prevHi) {
                    best = previous[size_t(j - 1 - prevLo)] + distance;
                    step = kDiagonal;
                }
                if (j >= prevLo && j <= prevHi && previous[size_t(j - prevLo)] + again < best) {
                    best = previous[size_t(j - prevLo)] + again;
                    step = kUp;
                }
            }
            if (j > lo && current[size_t(j - 1 - lo)] + again < best) {
                best = current[size_t(j - 1 - lo)] + again;
                step = kLeft;
            }
            current[size_t(j - lo)] = best;
            rowSteps[j - lo] = step;
        }
        previous.swap(current);
        if ((i & 1023) == 1023 && !rowDone(i + 1)) {
            return std::nullopt;
        }
    }
    // The cheapest end, with the rows after it left out.
    const qint64 lastLo = band.lo[size_t(rows) - 1];
    qint64 end = lastLo;
    double bestEnd = kNone;
    for (qint64 j = lastLo; j <= band.hi[size_t(rows) - 1]; ++j) {
        const double total =
            previous[size_t(j - lastLo)] + double(edgeCost) * double(columns - 1 - j);
        if (total < bestEnd) {
            bestEnd = total;
            end = j;
        }
    }
    WarpPath path;
    path.first.assign(size_t(rows), 0);
    path.last.assign(size_t(rows), 0);
    path.cost.assign(size_t(rows), 0.0f);
    std::vector<int> matches(size_t(rows), 0);
    qint64 i = rows - 1;
    qint64 j = end;
    path.last[size_t(i)] = j;
    while (true) {
        path.first[size_t(i)] = j;
        path.cost[size_t(i)] += FeatureDistance(ref.Row(i), rec.Row(j));
        ++matches[size_t(i)];
        const quint8 step = steps[size_t(offset[size_t(i)] + j - band.lo[size_t(i)])];
        if (step == kStart) {
            break;
        }
        if (step != kLeft) {
            --i;
            path.last[size_t(i)] = step == kDiagonal ? j - 1 : j;
        }
        if (step != kUp) {
            --j;
        }
    }
    for (size_t r = 0; r < path.cost.size(); ++r) {
        path.cost[r] /= float(std::max(matches[r], 1));
    }
    return path;
}

Band FullBand(qint64 rows, qint64 columns) {
    return {std::vector<qint64>(size_t(rows), 0), std::vector<qint64>(size_t(rows), columns - 1)};
}

/// The band at a level twice as fine as `path`'s, `kRadius` rows around it.
Band WidenedBand(const WarpPath& path, qint64 rows, qint64 columns) {
    std::vector<qint64> baseLo(static_cast<size_t>(rows));
    std::vector<qint64> baseHi(static_cast<size_t>(rows));
    for (qint64 k = 0; k < rows; ++k) {
        const size_t coarse = std::min(size_t(k / 2), path.first.size() - 1);
        baseLo[size_t(k)] = std::min(2 * path.first[coarse], columns - 1);
        baseHi[size_t(k)] = std::min(2 * path.last[coarse] + 1, columns - 1);
    }
    Band band;
    band.lo.resize(size_t(rows));
    band.hi.resize(size_t(rows));
    for (qint64 k = 0; k < rows; ++k) {
        band.lo[size_t(k)] =
            std::max<qint64>(0, baseLo[size_t(std::max<qint64>(0, k - kRadius))] - kRadius);
        band.hi[size_t(k)] =
            std::min(columns - 1, baseHi[size_t(std::min(rows - 1, k + kRadius))] + kRadius);
    }
    return band;
}

/// The mean distance of rows paired at random.
float ChanceCost(const FeatureMatrix& ref, const FeatureMatrix& rec) {
    std::mt19937 random(7);
    std::uniform_int_distribution<qint64> refRow(0, ref.Rows() - 1);
    std::uniform_int_distribution<qint64> recRow(0, rec.Rows() - 1);
    constexpr int kPairs = 4000;
    double sum = 0;
    for (int k = 0; k < kPairs; ++k) {
        sum += FeatureDistance(ref.Row(refRow(random)), rec.Row(recRow(random)));
    }
    return float(sum / kPairs);
}

/// The price of a recording row left out at a level whose rows paired at random cost
/// `chance`: halfway between that and what a row on `path` (found at this level or a coarser
/// one, its costs scaled to this level) costs, its median.
float EdgeCost(const WarpPath& path, float chance) {
    std::vector<float> costs = path.cost;
    const auto middle = costs.begin() + ptrdiff_t(costs.size() / 2);
    std::nth_element(costs.begin(), middle, costs.end());
    return 0.5f * (*middle * chance / path.chanceCost + chance);
}

} // namespace

std::optional<WarpPath> WarpSpeech(const FeatureMatrix& reference, const FeatureMatrix& recording,
                                   const WarpProgress& progress) {
    if (reference.Rows() == 0 || recording.Rows() == 0) {
        return std::nullopt;
    }
    // Level k averages 2^k rows; the coarser levels are made when their turn comes and let
    // go after it, so that only the finest rows and one coarser copy are ever held.
    int levels = 0;
    while ((reference.Rows() >> levels) * (recording.Rows() >> levels) > kFullCells &&
           std::min(reference.Rows(), recording.Rows()) >> (levels + 1) > kFewestRows) {
        ++levels;
    }
    // Rows of every level count towards the progress; the coarsest is warped twice.
    qint64 total = reference.Rows() >> levels;
    for (int level = 0; level <= levels; ++level) {
        total += reference.Rows() >> level;
    }
    qint64 done = 0;
    const auto rowDone = [&](qint64 rows) { return progress(done + rows, total); };
    const auto warp = [&](const FeatureMatrix& ref, const FeatureMatrix& rec, const Band& band,
                          float edge, float chance) {
        std::optional<WarpPath> path = WarpBand(ref, rec, band, edge, rowDone);
        done += ref.Rows();
        if (path) {
            path->chanceCost = chance;
        }
        return path;
    };

    std::optional<WarpPath> path;
    for (int level = levels; level >= 0 && (level == levels || path); --level) {
        FeatureMatrix coarseRef;
        FeatureMatrix coarseRec;
        if (level > 0) {
            coarseRef = reference.Coarsened(qint64(1) << level);
            coarseRec = recording.Coarsened(qint64(1) << level);
        }
        const FeatureMatrix& ref = level > 0 ? coarseRef : reference;
        const FeatureMatrix& rec = level > 0 ? coarseRec : recording;
        const float chance = ChanceCost(ref, rec);
        if (level == levels) {
            // A first path, with rows left out only where they match no better than chance,
            // tells what a matching row costs.
            const Band full = FullBand(ref.Rows(), rec.Rows());
            path = warp(ref, rec, full, chance, chance);
            if (path) {
                path = warp(ref, rec, full, EdgeCost(*path, chance), chance);
            }
        } else {
            path = warp(ref, rec, WidenedBand(*path, ref.Rows(), rec.Rows()),
                        EdgeCost(*path, chance), chance);
        }
    }
    return path;
}
