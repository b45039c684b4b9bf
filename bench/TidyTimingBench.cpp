// Tidying the timing of a long cue list with snapping off, alone and as the document's step.

#include "subtitles/CueList.h"
#include "subtitles/TidyTiming.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kCueCount = 100000;
constexpr int kRate = 44100;

/// kCueCount cues, one every 0.4 s, of 0.2 s or 0.3 s in turn, so that every step has work:
/// short cues to lengthen and small gaps to close.
CueList ManyCues() {
    std::vector<Cue> cues;
    cues.reserve(kCueCount);
    for (int i = 0; i < kCueCount; ++i) {
        const int start = i * (kRate * 4 / 10);
        cues.push_back({start, start + kRate * (2 + i % 2) / 10, QStringLiteral("cue %1").arg(i)});
    }
    CueList list;
    list.AddCues(std::move(cues));
    return list;
}

void BM_TidyAllCues(benchmark::State& state) {
    const CueList original = ManyCues();
    TidySettings settings;
    settings.leadIn = {1, 100};
    settings.leadOut = {1, 100};
    settings.closeGaps = {1, 2};
    settings.minGap = {1, 12};
    settings.minDuration = {5, 6};
    for (auto _ : state) {
        state.PauseTiming();
        CueList cues = original;
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            TidyCueList(cues, {}, settings, {}, kRate, kCueCount * (kRate * 4 / 10)));
    }
}
BENCHMARK(BM_TidyAllCues)->Unit(benchmark::kMillisecond);

} // namespace
