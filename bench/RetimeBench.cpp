// Shifting every cue of a long cue list, alone and as the document's undoable step.

#include "SilentHost.h"

#include "actions/RetimeCues.h"
#include "document/CtarnDoc.h"
#include "recording/WaveWriter.h"
#include "subtitles/Retime.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace {

constexpr int kCueCount = 100000;
constexpr int kRate = 44100;

/// kCueCount cues of 0.3 s, one every 0.4 s: eleven hours, as far as frames at 44.1 kHz
/// reach.
std::vector<Cue> ManyCues() {
    std::vector<Cue> cues;
    cues.reserve(kCueCount);
    for (int i = 0; i < kCueCount; ++i) {
        const int start = i * (kRate * 4 / 10);
        cues.push_back({start, start + kRate * 3 / 10, QStringLiteral("cue %1").arg(i)});
    }
    return cues;
}

/// 10.5 ms forwards and back in turn, so that the times stay where they were.
CueShift NextShift(bool& forwards) {
    forwards = !forwards;
    return {{forwards ? 105 : -105, 1}};
}

void BM_ShiftAllCues(benchmark::State& state) {
    CueList cues;
    cues.AddCues(ManyCues());
    bool forwards = false;
    for (auto _ : state) {
        const RetimeResult result = RetimeCueList(cues, {}, NextShift(forwards), kRate);
        if (!result.refusal.isEmpty()) {
            state.SkipWithError(result.refusal.toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(BM_ShiftAllCues)->Unit(benchmark::kMillisecond);

// What the user waits for: the shift and the step of the history that holds it.
void BM_RetimeAllCuesInTheDocument(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("second.wav"));
    QFile file(path);
    WaveFormatData format;
    format.header.SampleRate = kRate;
    const std::vector<qint16> silence(kRate);
    if (!file.open(QIODevice::WriteOnly) ||
        !WriteWave(file, format, silence, silence, {0, kRate})) {
        state.SkipWithError("cannot write the recording");
        return;
    }
    file.close();
    SilentHost host;
    CtarnDoc doc(host);
    if (!doc.OnOpenDocument(path)) {
        state.SkipWithError("cannot open the recording");
        return;
    }
    doc.LoadCues(ManyCues());
    bool forwards = false;
    for (auto _ : state) {
        if (!RetimeCues(doc, host, {}, NextShift(forwards))) {
            state.SkipWithError(host.LastMessage().toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(BM_RetimeAllCuesInTheDocument)->Unit(benchmark::kMillisecond);

} // namespace
