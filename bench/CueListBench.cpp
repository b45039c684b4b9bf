#include "base/TextFile.h"
#include "subtitles/CueFormats.h"
#include "subtitles/CueList.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QtGlobal>

#include <vector>

namespace {

constexpr int kCueCount = 2048;
constexpr int kLargeCueCount = 100000;
constexpr int kRate = 44100;
constexpr int kSpanFrames = kRate * 3600;

/// `count` cues over an hour in no particular order, 1 to 5 seconds long, many overlapping,
/// from a fixed linear congruential sequence so that every run sorts the same list.
std::vector<Cue> RandomCues(int count) {
    std::vector<Cue> out;
    out.reserve(size_t(count));
    quint32 seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        // The high bits are the random ones; 28 of them reach past the hour's frames.
        return seed >> 4;
    };
    for (int i = 0; i < count; ++i) {
        const int start = int(next() % quint32(kSpanFrames));
        const int length = kRate + int(next() % quint32(4 * kRate));
        out.push_back({start, start + length, QStringLiteral("cue %1").arg(i)});
    }
    return out;
}

const std::vector<Cue>& SampleCues() {
    static const std::vector<Cue> cues = RandomCues(kCueCount);
    return cues;
}

// What a reader of a whole file does: one sort and one overlap count for all the cues.
void BM_LoadCues(benchmark::State& state) {
    const std::vector<Cue>& cues = SampleCues();
    for (auto _ : state) {
        CueList list;
        // The copy shares the texts, so it costs next to nothing beside the sort.
        list.AddCues(cues);
        int count = list.Count();
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_LoadCues)->Unit(benchmark::kMillisecond);

// The same cues through the single adder, which inserts each in place and updates the counts.
void BM_AddCueOneByOne(benchmark::State& state) {
    const std::vector<Cue>& cues = SampleCues();
    for (auto _ : state) {
        CueList list;
        for (const Cue& cue : cues) {
            list.AddCue(cue.start, cue.end, cue.text);
        }
        int count = list.Count();
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_AddCueOneByOne)->Unit(benchmark::kMillisecond);

// Opening a document with a large sidecar: reading the .txt file and loading its cues.
void BM_ReadLargeSidecar(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cues.txt"));
    {
        CueList written;
        written.AddCues(RandomCues(kLargeCueCount));
        if (!WriteTextFile(path, FormatCueTxt(written))) {
            state.SkipWithError("cannot write the sidecar");
            return;
        }
    }
    for (auto _ : state) {
        CueList list;
        list.AddCues(ReadCueSidecar(path, kSpanFrames));
        int count = list.Count();
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_ReadLargeSidecar)->Unit(benchmark::kMillisecond);

// One cue added to a large list, which is rebuilt outside the timing each time (a fixed
// number of times: the rebuilding takes far longer than the adding).
void BM_AddCueToLargeList(benchmark::State& state) {
    CueList large;
    large.AddCues(RandomCues(kLargeCueCount));
    const QString text = QStringLiteral("new");
    CueList list;
    for (auto _ : state) {
        state.PauseTiming();
        list = large;
        state.ResumeTiming();
        int index = list.AddCue(kSpanFrames / 2, kSpanFrames / 2 + 2 * kRate, text);
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_AddCueToLargeList)->Unit(benchmark::kMicrosecond)->Iterations(500);

} // namespace
