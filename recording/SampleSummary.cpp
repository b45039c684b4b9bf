#include "recording/SampleSummary.h"

#include <algorithm>

namespace {

MinMax Scan(const qint16* samples, qint64 from, qint64 to) {
    qint16 lo = samples[from];
    qint16 hi = lo;
    // A plain loop over contiguous values: the compiler turns it into vector min/max.
    for (qint64 k = from + 1; k < to; ++k) {
        lo = std::min(lo, samples[k]);
        hi = std::max(hi, samples[k]);
    }
    return {lo, hi};
}

MinMax Merge(MinMax a, MinMax b) {
    return {std::min(a.lo, b.lo), std::max(a.hi, b.hi)};
}

MinMax MergeBlocks(const std::vector<MinMax>& blocks, qint64 from, qint64 to, MinMax into) {
    for (qint64 b = from; b < to; ++b) {
        into = Merge(into, blocks[size_t(b)]);
    }
    return into;
}

qint64 RoundUp(qint64 v, int shift) {
    return ((v + (qint64(1) << shift) - 1) >> shift) << shift;
}

qint64 RoundDown(qint64 v, int shift) {
    return (v >> shift) << shift;
}

} // namespace

void SampleSummary::Resize(int frames) {
    m_fine.resize(size_t(RoundUp(frames, kFineShift) >> kFineShift));
    m_coarse.resize(size_t(RoundUp(frames, kCoarseShift) >> kCoarseShift));
}

void SampleSummary::Compute(const qint16* samples, int frames, int from, int to) {
    to = std::min(to, frames);
    if (from >= to) {
        return;
    }
    const qint64 coarseFrom = RoundDown(from, kCoarseShift) >> kCoarseShift;
    const qint64 coarseTo = RoundUp(to, kCoarseShift) >> kCoarseShift;
    const qint64 fineCount = qint64(m_fine.size());
    for (qint64 c = coarseFrom; c < coarseTo; ++c) {
        const qint64 fineFrom = c << (kCoarseShift - kFineShift);
        const qint64 fineTo = std::min(fineCount, (c + 1) << (kCoarseShift - kFineShift));
        for (qint64 f = fineFrom; f < fineTo; ++f) {
            const qint64 first = f << kFineShift;
            m_fine[size_t(f)] = Scan(samples, first, std::min<qint64>(first + kFineBlock, frames));
        }
        m_coarse[size_t(c)] = MergeBlocks(m_fine, fineFrom + 1, fineTo, m_fine[size_t(fineFrom)]);
    }
}

void SampleSummary::RebuildFrom(const qint16* samples, int frames, int from) {
    Resize(frames);
    Compute(samples, frames, int(RoundDown(std::max(from, 0), kCoarseShift)), frames);
}

MinMax SampleSummary::Range(const qint16* samples, qint64 first, qint64 last) const {
    const qint64 end = last + 1;
    const qint64 fineFrom = RoundUp(first, kFineShift);
    const qint64 fineTo = RoundDown(end, kFineShift);
    if (fineFrom >= fineTo) {
        return Scan(samples, first, end);
    }
    MinMax result = Scan(samples, first, first == fineFrom ? first + 1 : fineFrom);
    if (fineTo < end) {
        result = Merge(result, Scan(samples, fineTo, end));
    }
    const qint64 coarseFrom = RoundUp(fineFrom, kCoarseShift);
    const qint64 coarseTo = RoundDown(fineTo, kCoarseShift);
    if (coarseFrom >= coarseTo) {
        return MergeBlocks(m_fine, fineFrom >> kFineShift, fineTo >> kFineShift, result);
    }
    result = MergeBlocks(m_fine, fineFrom >> kFineShift, coarseFrom >> kFineShift, result);
    result = MergeBlocks(m_fine, coarseTo >> kFineShift, fineTo >> kFineShift, result);
    return MergeBlocks(m_coarse, coarseFrom >> kCoarseShift, coarseTo >> kCoarseShift, result);
}

qint64 SampleSummary::MemoryBytes() const {
    return qint64(m_fine.size() + m_coarse.size()) * qint64(sizeof(MinMax));
}
