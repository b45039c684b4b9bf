// A full paint of a 2560 x 800 window into an image, on the hour, with 200 cues in view:
// what one frame of scrolling costs at the closest, the opening and the widest zoom.
//   build/release/tarn_paint_bench

#include "HourFile.h"
#include "SilentHost.h"

#include "document/CtarnDoc.h"
#include "view/WaveformPainter.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

constexpr int kWidth = 2560;
constexpr int kHeight = 800;
constexpr int kCuesInView = 200;

void BM_PaintHour(benchmark::State& state) {
    static SilentHost host;
    static CtarnDoc doc(host);
    static const bool opened = !HourFilePath().isEmpty() && doc.OnOpenDocument(HourFilePath());
    if (!opened) {
        state.SkipWithError("cannot open the hour file");
        return;
    }
    const int zoom = int(state.range(0));
    doc.SetZoom(zoom);
    const int x0 = int(doc.StripColumns() / 2 - kWidth / 2);
    // Cues side by side across the window, every fifth one overlapping its neighbour.
    const qint64 firstFrame = qint64(x0) * zoom;
    const qint64 step = qint64(kWidth) * zoom / kCuesInView;
    std::vector<Cue> cues;
    for (int i = 0; i < kCuesInView; ++i) {
        const int start = int(firstFrame + i * step);
        const int end = int(start + step * (i % 5 == 0 ? 3 : 1) / 2);
        cues.push_back({start, end, QStringLiteral("cue %1 with a few words").arg(i)});
    }
    doc.ChangeCues(QStringLiteral("Cues in view"), [&cues](CueList& list) {
        list.Clear();
        list.AddCues(cues);
    });

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    PaintBuffers buffers;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintWaveform(painter, doc, 3, {x0, kWidth, kHeight}, QColor(Qt::darkGray), buffers);
    }
}
BENCHMARK(BM_PaintHour)->Arg(1)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
