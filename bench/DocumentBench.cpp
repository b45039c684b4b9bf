// Benchmarks of the document and the cue list; the document ones work on a one-hour
// recording (44.1 kHz, 16-bit stereo, about 635 MB).
//
// Run them with `make bench` (release build, five repetitions, aggregates only), or pick some:
//   build/release/tarn_bench --benchmark_filter=Cut
// The recording is written on first use to a temporary directory removed at exit; its path
// goes to standard error so that `dd if=FILE of=/dev/null bs=1M` can time a plain read of it
// while the benchmarks run. TARN_BENCH_WAV=PATH writes it there instead and keeps it.
//
// Peak memory of an open is not something these benchmarks can see; measure it with
//   /usr/bin/time -v build/release/tarn-cli info FILE
// and read "Maximum resident set size".

#include "HourFile.h"
#include "SilentHost.h"

#include "document/CtarnDoc.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>

#include <memory>
#include <string>

namespace {

constexpr int kTenSeconds = 441000;

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

/// The shared hour as an open leaves it (zoom 256, envelopes built, no selection), or
/// nothing after skipping the run.
CtarnDoc* HourAsOpened(benchmark::State& state) {
    SharedHour& hour = Hour();
    if (!hour.opened) {
        state.SkipWithError("cannot open the hour file");
        return nullptr;
    }
    CtarnDoc& doc = hour.doc;
    if (doc.Frames() != kHourFrames) {
        state.SkipWithError("the shared hour lost its length");
        return nullptr;
    }
    // Drops whatever envelopes an earlier benchmark left, the 3.8 GB of zoom 1 among them.
    doc.SetZoom(CtarnDoc::kOpenedZoom);
    doc.BuildAllEnvelopes();
    doc.SetSelection(0, 0);
    return &doc;
}

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

void BM_BuildAllEnvelopes(benchmark::State& state) {
    CtarnDoc* doc = HourAsOpened(state);
    if (doc == nullptr) {
        return;
    }
    const SilentHost& host = Hour().host;
    const int before = host.MessageCount();
    doc->SetZoom(int(state.range(0)));
    for (auto _ : state) {
        doc->BuildAllEnvelopes();
        if (!StillSilent(state, host, before)) {
            break;
        }
    }
}
BENCHMARK(BM_BuildAllEnvelopes)
    ->Arg(1)
    ->Arg(256)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_CutMiddle(benchmark::State& state) {
    CtarnDoc* doc = HourAsOpened(state);
    if (doc == nullptr) {
        return;
    }
    const SilentHost& host = Hour().host;
    const int before = host.MessageCount();
    const int start = (kHourFrames - kTenSeconds) / 2;
    for (auto _ : state) {
        doc->SetSelection(start, start + kTenSeconds);
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
    if (doc->Frames() != kHourFrames) {
        state.SkipWithError("cut and paste did not restore the length");
    }
}
BENCHMARK(BM_CutMiddle)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PasteMiddle(benchmark::State& state) {
    CtarnDoc* doc = HourAsOpened(state);
    if (doc == nullptr) {
        return;
    }
    const SilentHost& host = Hour().host;
    const int before = host.MessageCount();
    doc->SetSelection(0, kTenSeconds);
    doc->OnEditCopy();
    const int middle = kHourFrames / 2;
    const auto pasteInMiddle = [doc, middle] {
        doc->SetSelection(middle, middle);
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
    if (doc->Frames() != kHourFrames) {
        state.SkipWithError("paste and cut did not restore the length");
    }
}
BENCHMARK(BM_PasteMiddle)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
