#include "subtitles/CueList.h"

#include <benchmark/benchmark.h>

#include <QtGlobal>

#include <vector>

namespace {

constexpr int kCueCount = 2048;
constexpr int kRate = 44100;
constexpr int kSpanFrames = kRate * 3600;

/// Cues over an hour in no particular order, 1 to 5 seconds long, many overlapping, from a
/// fixed linear congruential sequence so that every run sorts the same list.
const std::vector<Cue>& SampleCues() {
    static const std::vector<Cue> cues = [] {
        std::vector<Cue> out;
        out.reserve(kCueCount);
        quint32 seed = 12345;
        const auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return seed >> 8;
        };
        for (int i = 0; i < kCueCount; ++i) {
            const int start = int(next() % quint32(kSpanFrames));
            const int length = kRate + int(next() % quint32(4 * kRate));
            out.push_back({start, start + length, QStringLiteral("cue %1").arg(i)});
        }
        return out;
    }();
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

// The same cues through the single adder, which sorts and recounts after every one.
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

} // namespace
