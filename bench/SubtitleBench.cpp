#include "subtitles/CueList.h"
#include "subtitles/SubtitleReader.h"
#include "subtitles/SubtitleWriter.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <vector>

namespace {

constexpr int kCueCount = 100000;
/// Low enough that a day and more of cues fits the 32-bit frame positions.
constexpr int kRate = 16000;

/// `count` cues of two lines, one a second and 0.8 s long, as an SRT file holds them.
CueList SrtLikeCues(int count) {
    std::vector<Cue> cues;
    cues.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int start = i * kRate;
        cues.push_back({start, start + kRate * 4 / 5,
                        QStringLiteral("Line %1 of the dialogue\nand its second line").arg(i)});
    }
    CueList list;
    list.AddCues(std::move(cues));
    return list;
}

// "Import subtitles" of a large SRT file: reading it a chunk at a time, parsing the blocks and
// loading the cues into a list (goal: 300 ms for 100,000 cues).
void BM_ImportLargeSrt(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cues.srt"));
    if (!WriteSubtitleFile(path, SubtitleFormat::Srt, SrtLikeCues(kCueCount), kRate)) {
        state.SkipWithError("cannot write the SRT file");
        return;
    }
    for (auto _ : state) {
        std::optional<SubtitleRead> read = ReadSubtitleFile(path, kRate);
        if (!read) {
            state.SkipWithError("cannot read the SRT file");
            break;
        }
        CueList list;
        list.AddCues(std::move(read->cues));
        int count = list.Count();
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_ImportLargeSrt)->Unit(benchmark::kMillisecond);

// "Export subtitles" of the same cues as SRT.
void BM_ExportLargeSrt(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cues.srt"));
    const CueList cues = SrtLikeCues(kCueCount);
    for (auto _ : state) {
        bool written = WriteSubtitleFile(path, SubtitleFormat::Srt, cues, kRate);
        benchmark::DoNotOptimize(written);
    }
}
BENCHMARK(BM_ExportLargeSrt)->Unit(benchmark::kMillisecond);

} // namespace
