// One spectrogram tile (256 columns, a lane of a 2560 x 800 window: 400 rows) of the hour, at
// the opening zoom and at the closest.
//   build/release/tarn_bench --benchmark_filter=SpectrogramTile

#include "HourFile.h"
#include "SilentHost.h"

#include "document/CtarnDoc.h"
#include "spectrum/SpectrogramColumns.h"
#include "spectrum/SpectrogramTiles.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SpectrogramTile(benchmark::State& state) {
    static SilentHost host;
    static CtarnDoc doc(host);
    static const bool opened = !HourFilePath().isEmpty() && doc.OnOpenDocument(HourFilePath());
    if (!opened) {
        state.SkipWithError("cannot open the hour file");
        return;
    }
    const int zoom = int(state.range(0));
    // Tiles from the middle of the hour, a new one each time.
    qint64 first = doc.GetRecording().Frames() / 2 / zoom;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SpectrogramColumns(doc.GetRecording(), 0, first,
                                                    kSpectrogramTileColumns, {zoom, 400, true})
                                     .data());
        first += kSpectrogramTileColumns;
    }
}
BENCHMARK(BM_SpectrogramTile)->Arg(1)->Arg(256)->Unit(benchmark::kMillisecond);

} // namespace
