#pragma once

#include <QtGlobal>

#include <array>
#include <vector>

/// The smallest and the largest of a run of samples.
struct MinMax {
    qint16 lo = 0;
    qint16 hi = 0;
};

/// Min/max of one channel per block of 256 frames and per block of 4096 frames (well under
/// 1 % of the samples' memory), so that the extremes of any run of frames cost at most a
/// few hundred reads of samples and summary entries, whatever the run's length.
class SampleSummary {
public:
    static constexpr int kFineShift = 8;
    static constexpr int kCoarseShift = 12;
    static constexpr int kFineBlock = 1 << kFineShift;
    static constexpr int kCoarseBlock = 1 << kCoarseShift;

    /// Sizes the summary for `frames` frames; the entries are computed by Compute.
    void Resize(int frames);
    /// Recomputes the blocks that frames from..to (to exclusive) touch, reading `samples`,
    /// which holds the `frames` frames Resize was given. Calls on ranges whose blocks do not
    /// share a coarse block may run at the same time.
    void Compute(const qint16* samples, int frames, int from, int to);
    /// Recomputes every block from the one holding frame `from` to the end, after the
    /// samples from there on moved (a cut or a paste) and the length became `frames`.
    void RebuildFrom(const qint16* samples, int frames, int from);

    /// Min and max of samples[first..last], both inclusive, 0 <= first <= last < frames.
    MinMax Range(const qint16* samples, qint64 first, qint64 last) const;

    /// Bytes the summary holds.
    qint64 MemoryBytes() const;

private:
    std::vector<MinMax> m_fine;
    std::vector<MinMax> m_coarse;
};
