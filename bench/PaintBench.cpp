// A full paint of a 2560 x 800 window into an image, on the hour, with 200 cues in view:
// what one frame of scrolling costs at the closest, the opening and the widest zoom, and
// what one step of dragging the selection or a cue's edge costs at the closest.
//   build/release/tarn_paint_bench

#include "HourFile.h"
#include "SilentHost.h"
#include "geometry/StripState.h"

#include "document/CtarnDoc.h"
#include "geometry/CueGrip.h"
#include "view/StripPicture.h"
#include "view/WaveformPainter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

namespace {

constexpr int kWidth = 2560;
constexpr int kHeight = 800;
constexpr int kCuesInView = 200;

CtarnDoc& HourDoc() {
    static SilentHost host;
    static CtarnDoc doc(host);
    return doc;
}

StripState& HourStrip() {
    static StripState strip(HourDoc());
    return strip;
}

/// The hour at `zoom` with kCuesInView cues across a window in its middle, and
/// `cuesElsewhere` more spread over the rest of the hour; the window's first column, or -1
/// when the hour file cannot be opened.
int PrepareHour(int zoom, int cuesElsewhere = 0) {
    CtarnDoc& doc = HourDoc();
    static const bool opened = !HourFilePath().isEmpty() && doc.OnOpenDocument(HourFilePath());
    if (!opened) {
        return -1;
    }
    HourStrip().SetZoom(zoom);
    const int x0 = int(HourStrip().StripColumns() / 2 - kWidth / 2);
    // Cues side by side across the window, every fifth one overlapping its neighbour.
    const qint64 firstFrame = qint64(x0) * zoom;
    const qint64 step = qint64(kWidth) * zoom / kCuesInView;
    std::vector<Cue> cues;
    for (int i = 0; i < kCuesInView; ++i) {
        const int start = int(firstFrame + i * step);
        const int end = int(start + step * (i % 5 == 0 ? 3 : 1) / 2);
        cues.push_back({start, end, QStringLiteral("cue %1 with a few words").arg(i)});
    }
    const qint64 window = qint64(kWidth) * zoom;
    for (int i = 0; i < cuesElsewhere; ++i) {
        // Before the window's stretch or after it, never inside.
        const qint64 spot = qint64(i) * (doc.GetRecording().Frames() - window) / cuesElsewhere;
        const int start = int(spot < firstFrame ? spot : spot + window);
        cues.push_back({start, start + 1000, QStringLiteral("elsewhere")});
    }
    doc.ChangeCues(QStringLiteral("Cues in view"), [&cues](CueList& list) {
        list.Clear();
        list.AddCues(cues);
    });
    return x0;
}

/// Full paints of the window prepared at column x0 (a negative x0: the hour is missing).
void PaintWindow(benchmark::State& state, int x0) {
    if (x0 < 0) {
        state.SkipWithError("cannot open the hour file");
        return;
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    PaintBuffers buffers;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintWaveform(painter, HourDoc(), HourStrip(), 3, {x0, kWidth, kHeight},
                      QColor(Qt::darkGray), buffers);
    }
}

void BM_PaintHour(benchmark::State& state) {
    PaintWindow(state, PrepareHour(int(state.range(0))));
}
BENCHMARK(BM_PaintHour)->Arg(1)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);

/// The same window at zoom 256 among 100,000 cues elsewhere in the hour: a paint costs the
/// cues near the window, not the list.
void BM_PaintHourAmongManyCues(benchmark::State& state) {
    PaintWindow(state, PrepareHour(256, 100000));
}
BENCHMARK(BM_PaintHourAmongManyCues)->Unit(benchmark::kMillisecond);

/// One step of a drag at zoom 1: the new span of a cue's edge (snapping against every cue
/// and the selection) or the new selection, and the repaint that shows it. Arg 0 drags the
/// selection, 1 a cue's end.
void BM_DragRepaintHour(benchmark::State& state) {
    const int x0 = PrepareHour(1);
    if (x0 < 0) {
        state.SkipWithError("cannot open the hour file");
        return;
    }
    CtarnDoc& doc = HourDoc();
    const bool cue = state.range(0) == 1;
    const int dragged = kCuesInView / 2;
    const CueList& cues = doc.Cues();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    PaintBuffers buffers;
    int step = 0;
    for (auto _ : state) {
        step = (step + 7) % 400;
        PaintArea area{x0, kWidth, kHeight};
        if (cue) {
            const SnapTargets targets{&cues, dragged, doc.SelStart(), doc.SelEnd()};
            const CueSpan span = DragCue({cues.Start(dragged), cues.End(dragged)}, CuePart::End,
                                         step, targets, kSnapPixels, doc.GetRecording().Frames());
            area.movedCue = dragged;
            area.movedStart = span.start;
            area.movedEnd = span.end;
        } else {
            doc.SetSelection(qint64(x0) + 100, qint64(x0) + 100 + step);
        }
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintWaveform(painter, doc, HourStrip(), dragged, area, QColor(Qt::darkGray), buffers);
    }
}
BENCHMARK(BM_DragRepaintHour)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

/// The picture of the window at zoom 256, painted once, and then what the cached picture
/// costs: Arg 0 one frame of the play line (the picture copied where the line and the bar
/// were and are, then the line and the bar drawn), Arg 1 a scroll of 100 columns (the picture
/// moved and the new columns painted), Arg 2 copying the whole picture to the window.
void BM_CachedPicture(benchmark::State& state) {
    int x0 = PrepareHour(256);
    if (x0 < 0) {
        state.SkipWithError("cannot open the hour file");
        return;
    }
    const int mode = int(state.range(0));
    StripPicture picture;
    PaintBuffers buffers;
    const auto paint = [&](QPainter& painter, ColumnRange columns) {
        PaintArea area{x0, kWidth, kHeight};
        area.dirty = columns;
        PaintWaveform(painter, HourDoc(), HourStrip(), 3, area, QColor(Qt::darkGray), buffers);
    };
    const QSize size(kWidth, kHeight);
    picture.Update(x0, size, Qt::white, paint);
    QImage window(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    int line = 0;
    for (auto _ : state) {
        if (mode == 1) {
            x0 += 100;
            benchmark::DoNotOptimize(picture.Update(x0, size, Qt::white, paint).bits());
            continue;
        }
        const QImage& image = picture.Update(x0, size, Qt::white, paint);
        QPainter painter(&window);
        if (mode == 2) {
            painter.drawImage(0, 0, image);
            continue;
        }
        const QRect bar(0, kHeight / 4 - 2, line + 1, 4);
        for (const QRect& rect :
             {QRect(line, 0, 1, kHeight), QRect(line + 4, 0, 1, kHeight), bar}) {
            painter.drawImage(rect, image, rect);
        }
        line = (line + 4) % (kWidth - 8);
        painter.setPen(QPen(QColor(0x80, 0, 0), 1));
        painter.drawLine(line, 0, line, kHeight - 1);
        painter.fillRect(bar, QColor(0x80, 0, 0));
    }
}
BENCHMARK(BM_CachedPicture)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Widgets too: the cue list is measured here as well.
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
