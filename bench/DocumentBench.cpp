// Benchmarks of the document: drawing data for the visible columns, opening the hour, the
// edits in its middle, and the start of a play of all of it. The hour is a 44.1 kHz 16-bit stereo
// recording (about 635 MB).
//
// Run them with `make bench` (release build, five repetitions, aggregates only), or pick some:
//   build/release/tarn_bench --benchmark_filter=Visible
// The hour file is written on first use to a temporary directory removed at exit; its path
// goes to standard error. TARN_BENCH_WAV=PATH writes it there instead and keeps it.
// bench/open-vs-sox.sh times the open beside `sox FILE -n` and measures peak memory.

#include "HourFile.h"
#include "SilentHost.h"
#include "SyntheticRecording.h"

#include "actions/Recovery.h"
#include "audio/Player.h"
#include "audio/RecordingStream.h"
#include "document/CtarnDoc.h"
#include "recording/PhraseDetection.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kOneSecond = 44100;
constexpr int kMinuteFrames = 60 * kOneSecond;
constexpr int kTenMinutes = 10 * kMinuteFrames;
constexpr int kThreeHourFrames = 3 * kHourFrames;
/// Columns of a window 2560 pixels wide.
constexpr int kVisibleColumns = 2560;

/// Skips the run when the host was shown a message since `before`.
/// Returns whether the run goes on.
bool StillSilent(benchmark::State& state, const SilentHost& host, int before) {
    if (host.MessageCount() == before) {
        return true;
    }
    const std::string message = host.LastMessage().toStdString();
    state.SkipWithError(message.c_str());
    return false;
}

/// The hour, opened once and shared: a document per benchmark would only raise the peak.
struct SharedHour {
    SharedHour() : doc(host) {
        opened = !HourFilePath().isEmpty() && doc.OnOpenDocument(HourFilePath());
    }

    SilentHost host;
    CtarnDoc doc;
    bool opened = false;
};

SharedHour& Hour() {
    static SharedHour hour;
    return hour;
}

/// The shared hour with no selection, or nothing after skipping the run.
CtarnDoc* HourAsOpened(benchmark::State& state) {
    SharedHour& hour = Hour();
    if (!hour.opened) {
        state.SkipWithError("cannot open the hour file");
        return nullptr;
    }
    if (hour.doc.GetRecording().Frames() != kHourFrames) {
        state.SkipWithError("the shared hour lost its length");
        return nullptr;
    }
    hour.doc.SetSelection(0, 0);
    return &hour.doc;
}

// What one paint asks for: the entries of a window's columns of both channels, in the
// middle of the recording. range(0) is the zoom, range(1) the length in frames.
void BM_VisibleEntries(benchmark::State& state) {
    const int zoom = int(state.range(0));
    const Recording& recording = SyntheticRecording(int(state.range(1)));
    const qint64 columns = recording.Frames() / zoom + 1;
    const qint64 first = std::max<qint64>(0, columns / 2 - kVisibleColumns / 2);
    std::vector<qint16> entries(size_t(kVisibleColumns) * 4);
    for (auto _ : state) {
        for (int channel = 0; channel < 2; ++channel) {
            recording.BuildEnvelope(channel, zoom, first, kVisibleColumns, entries.data());
            benchmark::DoNotOptimize(entries.data());
        }
    }
}
void VisibleEntryArgs(benchmark::internal::Benchmark* b) {
    for (int frames : {kMinuteFrames, kThreeHourFrames}) {
        for (int zoom = 1; zoom <= 4096; zoom *= 2) {
            b->Args({zoom, frames});
        }
    }
}
BENCHMARK(BM_VisibleEntries)->Apply(VisibleEntryArgs)->Unit(benchmark::kMicrosecond);

void BM_OpenHourFile(benchmark::State& state) {
    const QString& path = HourFilePath();
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the hour file");
        return;
    }
    SilentHost host;
    for (auto _ : state) {
        auto doc = std::make_unique<CtarnDoc>(host);
        const bool opened = doc->OnOpenDocument(path);
        state.PauseTiming();
        // Handing the samples back to the system is not part of an open.
        doc.reset();
        state.ResumeTiming();
        if (!StillSilent(state, host, 0)) {
            break;
        }
        if (!opened) {
            state.SkipWithError("the open failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_OpenHourFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_VolumeOneSecondInTheMiddle(benchmark::State& state) {
    CtarnDoc* doc = HourAsOpened(state);
    if (doc == nullptr) {
        return;
    }
    const int start = (kHourFrames - kOneSecond) / 2;
    int k = 11;
    for (auto _ : state) {
        doc->SetSelection(start, start + kOneSecond);
        doc->ScaleSelection(k);
        k = 20 - k; // up, then down again
    }
}
BENCHMARK(BM_VolumeOneSecondInTheMiddle)->Unit(benchmark::kMicrosecond);

void BM_CutOneSecondInTheMiddle(benchmark::State& state) {
    CtarnDoc* doc = HourAsOpened(state);
    if (doc == nullptr) {
        return;
    }
    const SilentHost& host = Hour().host;
    const int before = host.MessageCount();
    const int start = (kHourFrames - kOneSecond) / 2;
    for (auto _ : state) {
        doc->SetSelection(start, start + kOneSecond);
        doc->OnEditCut();
        state.PauseTiming();
        // The cut frames are on the clipboard and the selection is empty where they were:
        // pasting puts the hour back as it was.
        doc->OnEditPaste();
        state.ResumeTiming();
        if (!StillSilent(state, host, before)) {
            break;
        }
    }
    if (doc->GetRecording().Frames() != kHourFrames) {
        state.SkipWithError("cut and paste did not restore the length");
    }
}
BENCHMARK(BM_CutOneSecondInTheMiddle)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PasteOneSecondInTheMiddle(benchmark::State& state) {
    CtarnDoc* doc = HourAsOpened(state);
    if (doc == nullptr) {
        return;
    }
    const SilentHost& host = Hour().host;
    const int before = host.MessageCount();
    doc->SetSelection(0, kOneSecond);
    doc->OnEditCopy();
    constexpr int kMiddle = kHourFrames / 2;
    const auto pasteInMiddle = [doc] {
        doc->SetSelection(kMiddle, kMiddle);
        doc->OnEditPaste();
    };
    // The first paste after an open grows both arrays; one round beforehand makes every
    // iteration do the same work.
    pasteInMiddle();
    doc->OnEditCut();
    for (auto _ : state) {
        pasteInMiddle();
        state.PauseTiming();
        // The paste left its frames selected: cutting them restores the hour, and puts the
        // same frames back on the clipboard.
        doc->OnEditCut();
        state.ResumeTiming();
        if (!StillSilent(state, host, before)) {
            break;
        }
    }
    if (doc->GetRecording().Frames() != kHourFrames) {
        state.SkipWithError("paste and cut did not restore the length");
    }
}
BENCHMARK(BM_PasteOneSecondInTheMiddle)->Unit(benchmark::kMillisecond)->Iterations(10);

/// The shared hour with ten minutes cut from its middle, the cut the last step.
CtarnDoc* HourWithTenMinutesCut(benchmark::State& state) {
    CtarnDoc* doc = HourAsOpened(state);
    if (doc == nullptr) {
        return nullptr;
    }
    const int start = (kHourFrames - kTenMinutes) / 2;
    doc->SetSelection(start, start + kTenMinutes);
    doc->OnEditCut();
    return doc;
}

void BM_UndoTenMinuteCut(benchmark::State& state) {
    CtarnDoc* doc = HourWithTenMinutesCut(state);
    if (doc == nullptr) {
        return;
    }
    for (auto _ : state) {
        doc->OnEditUndo();
        state.PauseTiming();
        doc->OnEditRedo();
        state.ResumeTiming();
    }
    state.counters["history_MB"] = double(doc->GetHistory().MemoryBytes()) / (1 << 20);
    state.counters["cut_MB"] = double(kTenMinutes) * 4 / (1 << 20);
    doc->OnEditUndo();
}
BENCHMARK(BM_UndoTenMinuteCut)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RedoTenMinuteCut(benchmark::State& state) {
    CtarnDoc* doc = HourWithTenMinutesCut(state);
    if (doc == nullptr) {
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        doc->OnEditUndo();
        state.ResumeTiming();
        doc->OnEditRedo();
    }
    state.counters["history_MB"] = double(doc->GetHistory().MemoryBytes()) / (1 << 20);
    doc->OnEditUndo();
}
BENCHMARK(BM_RedoTenMinuteCut)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor for a cut or a paste in the middle: moving the second half of both channels by
// one second, and back.
void BM_MemmoveHalfTheHour(benchmark::State& state) {
    std::vector<qint16> channels[2];
    for (std::vector<qint16>& channel : channels) {
        channel.assign(size_t(kHourFrames) + kOneSecond, 1);
    }
    const size_t middle = kHourFrames / 2;
    const size_t tail = kHourFrames - middle;
    int direction = 1;
    for (auto _ : state) {
        for (std::vector<qint16>& channel : channels) {
            qint16* at = channel.data() + middle;
            if (direction > 0) {
                std::memmove(at + kOneSecond, at, tail * sizeof(qint16));
            } else {
                std::memmove(at, at + kOneSecond, tail * sizeof(qint16));
            }
            benchmark::DoNotOptimize(at);
        }
        direction = -direction;
    }
}
BENCHMARK(BM_MemmoveHalfTheHour)->Unit(benchmark::kMillisecond)->Iterations(10);

// Scanning the whole hour for phrases: the window levels and the phrases from them, what
// "Detect phrases..." and tarn-cli phrases do before they touch the cues.
void BM_DetectPhrasesHour(benchmark::State& state) {
    CtarnDoc* doc = HourAsOpened(state);
    if (doc == nullptr) {
        return;
    }
    size_t phrases = 0;
    for (auto _ : state) {
        const LevelTrack levels =
            MeasureLevels(doc->GetRecording(), {0, doc->GetRecording().Frames()});
        phrases = FindPhrases(levels, PhraseSettings{}, doc->GetRecording().SampleRate()).size();
        benchmark::DoNotOptimize(phrases);
    }
    state.counters["phrases"] = double(phrases);
}
BENCHMARK(BM_DetectPhrasesHour)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The recovery record after 100 edits of the hour (volume, cuts and pastes of a second, in
// turn): what writing it costs every 30 s while the changes are unsaved.
void BM_RecoveryRecordAfterHundredEdits(benchmark::State& state) {
    CtarnDoc* doc = HourAsOpened(state);
    if (doc == nullptr) {
        return;
    }
    doc->SetSelection(0, kOneSecond);
    doc->OnEditCopy();
    for (int i = 0; i < 100; ++i) {
        const int start = kOneSecond * (10 + 30 * i);
        doc->SetSelection(start, start + kOneSecond);
        switch (i % 3) {
        case 0:
            doc->ScaleSelection(9);
            break;
        case 1:
            doc->OnEditCut();
            break;
        default:
            doc->OnEditPaste();
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hour.tarnrec"));
    for (auto _ : state) {
        const std::optional<RecoveryRecord> record = CaptureRecovery(*doc);
        if (!record || !WriteRecoveryFile(path, *record)) {
            state.SkipWithError("no record written");
            break;
        }
    }
    state.counters["record_MB"] = double(QFileInfo(path).size()) / (1 << 20);
    state.counters["steps"] = doc->GetHistory().Count();
}
BENCHMARK(BM_RecoveryRecordAfterHundredEdits)->Unit(benchmark::kMillisecond)->Iterations(5);

/// Bytes the process holds on the heap, small blocks and mapped ones alike.
size_t HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

/// An output that takes the first 4 KB of each play, as a sound device's first request does.
class FirstBytesOut : public WaveOut {
public:
    bool Open(const WaveOutFormat&) override { return true; }
    void Reset() override {}
    bool Prepare(const WaveOutBuffer&) override { return true; }
    void Unprepare(const WaveOutBuffer&) override {}
    bool Write(const WaveOutBuffer& buffer) override {
        first = buffer.source->read(4096);
        return first.size() == 4096;
    }
    void Close() override {}
    std::optional<qint64> PlayedBytes() const override { return std::nullopt; }
    bool IsPlaying() const override { return false; }

    QByteArray first;
};

// Space with no selection on the hour: from the key to the first bytes in the device's
// hands, and what the play adds to the heap.
void BM_PlayWholeHourStart(benchmark::State& state) {
    const CtarnDoc* doc = HourAsOpened(state);
    if (!doc) {
        return;
    }
    SilentHost host;
    FirstBytesOut out;
    Player player(host, &out);
    const size_t before = HeapBytes();
    size_t added = 0;
    for (auto _ : state) {
        player.PlayRange(doc->GetRecording(), 0, 0);
        benchmark::DoNotOptimize(out.first.data());
        added = std::max(added, HeapBytes() - std::min(before, HeapBytes()));
    }
    state.counters["added_MB"] = double(added) / (1 << 20);
    state.counters["hour_as_buffer_MB"] = double(kHourFrames) * 4 / (1 << 20);
    StillSilent(state, host, 0);
}
BENCHMARK(BM_PlayWholeHourStart)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The reference beside it: what the hour costs as one interleaved play buffer.
void BM_HourAsOnePlayBuffer(benchmark::State& state) {
    const CtarnDoc* doc = HourAsOpened(state);
    if (!doc) {
        return;
    }
    for (auto _ : state) {
        RecordingStream stream(doc->GetRecording(), {0, doc->GetRecording().Frames()});
        stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        const QByteArray buffer = stream.readAll();
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_HourAsOnePlayBuffer)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
