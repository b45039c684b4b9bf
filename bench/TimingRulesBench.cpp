// Holding 100,000 cues to the timing rules: the whole list, and the rows one edit touches.

#include "subtitles/CueList.h"
#include "subtitles/TimingRules.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kCueCount = 100000;
constexpr int kRate = 44100;

/// kCueCount cues of two lines and 0.4 s, one every 0.48 s: thirteen hours, as far as frames
/// at 44.1 kHz reach. Every cue is too short and too fast, so that reports have figures.
CueList ManyCues() {
    std::vector<Cue> cues;
    cues.reserve(kCueCount);
    for (int i = 0; i < kCueCount; ++i) {
        const int start = i * (kRate * 48 / 100);
        cues.push_back({start, start + kRate * 4 / 10,
                        QStringLiteral("Cue number %1 says\nwhat it has to say").arg(i)});
    }
    CueList list;
    list.AddCues(std::move(cues));
    return list;
}

void BM_CheckAllCues(benchmark::State& state) {
    const CueList cues = ManyCues();
    const TimingProfile profile = BuiltInProfile(u"netflix").value();
    TimingCheck check;
    for (auto _ : state) {
        check.CheckAll(cues, kRate, profile);
        benchmark::DoNotOptimize(check.FlaggedCount());
    }
}
BENCHMARK(BM_CheckAllCues)->Unit(benchmark::kMillisecond);

// A cue in the middle gets a text of three lines and back, as typing into it does.
void BM_RecheckOneCue(benchmark::State& state) {
    CueList cues = ManyCues();
    const TimingProfile profile = BuiltInProfile(u"netflix").value();
    TimingCheck check;
    check.CheckAll(cues, kRate, profile);
    const int row = kCueCount / 2;
    const QString texts[] = {cues.Text(row), QStringLiteral("one\ntwo\nthree")};
    int turn = 0;
    for (auto _ : state) {
        turn = 1 - turn;
        cues.SetText(row, texts[turn]);
        check.Recheck(cues, kRate, profile, row, row);
        benchmark::DoNotOptimize(check.FlaggedCount());
    }
}
BENCHMARK(BM_RecheckOneCue)->Unit(benchmark::kMicrosecond);

} // namespace
