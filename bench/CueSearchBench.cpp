// Find and replace over a large cue list: a find that has to look at every text, and a
// replacement that changes every cue as one step of the history.

#include "SilentHost.h"

#include "actions/CueFind.h"
#include "document/CtarnDoc.h"
#include "subtitles/CueList.h"
#include "subtitles/CueSearch.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kCueCount = 100000;
constexpr int kRate = 16000;

/// `count` cues of two lines, one a second; only the last one says "needle".
std::vector<Cue> DialogueCues(int count) {
    std::vector<Cue> cues;
    cues.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const QString word = i == count - 1 ? QStringLiteral("needle") : QStringLiteral("thread");
        cues.push_back(
            {i * kRate, i * kRate + kRate * 4 / 5,
             QStringLiteral("Line %1 of the dialogue\nand its %2 in the second").arg(i).arg(word)});
    }
    return cues;
}

// Find next from the first cue: the expression is compiled (as each press does) and every
// text up to the last is looked at once.
void BM_FindNextOnlyLastMatches(benchmark::State& state, const CueQuery& query) {
    CueList cues;
    cues.AddCues(DialogueCues(kCueCount));
    for (auto _ : state) {
        const int found = CueSearch(query).Find(cues, 0, false);
        if (found != kCueCount - 1) {
            state.SkipWithError("the last cue was not found");
            return;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK_CAPTURE(BM_FindNextOnlyLastMatches, plain,
                  CueQuery{QStringLiteral("needle"), false, false, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindNextOnlyLastMatches, caseWords,
                  CueQuery{QStringLiteral("needle"), true, true, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindNextOnlyLastMatches, regex,
                  CueQuery{QStringLiteral("ne+dl(e|es)\\b"), false, false, true})
    ->Unit(benchmark::kMillisecond);

// Replace all where every cue has one match: the texts, their normalisation, the one history
// step and its cue records. The list is loaded again outside the timing each time.
void BM_ReplaceAll(benchmark::State& state) {
    SilentHost host;
    CtarnDoc doc(host);
    const std::vector<Cue> cues = DialogueCues(kCueCount);
    const CueQuery query{QStringLiteral("dialogue"), false, true, false};
    const QString replacement = QStringLiteral("talk");
    for (auto _ : state) {
        state.PauseTiming();
        doc.LoadCues(cues);
        state.ResumeTiming();
        const int replaced = ReplaceAll(doc, host, query, replacement);
        if (replaced != kCueCount) {
            state.SkipWithError("not every cue was replaced");
            return;
        }
    }
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);

} // namespace
