// The cue list with 100,000 cues: what showing it adds to opening a file, and one edit typed
// into it, from the typed text to the list showing the cue in its new place.
#include "SilentHost.h"
#include "actions/CueMoves.h"
#include "base/TextFile.h"
#include "document/CtarnDoc.h"
#include "models/CueTableModel.h"
#include "subtitles/CueFormats.h"
#include "subtitles/CueList.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kRate = 8000;
constexpr int kCues = 100000;
/// Cues 50 ms apart, each 37.5 ms long: 100,000 of them in under an hour and a half.
constexpr int kStep = 400;
constexpr int kFrames = kStep * (kCues + 10);

/// A silent mono WAV of kFrames frames with kCues cues kStep frames apart.
class ManyCues {
public:
    ManyCues() {
        path = dir.filePath(QStringLiteral("many.wav"));
        QByteArray wav = "RIFF" + QByteArray(4, 0) + "WAVEfmt " + Le(16) +
                         QByteArray("\x01\x00\x01\x00", 4) + Le(kRate) + Le(2 * kRate) +
                         QByteArray("\x02\x00\x10\x00", 4) + "data" + Le(2 * kFrames) +
                         QByteArray(2 * qsizetype(kFrames), 0);
        CueList cues;
        std::vector<Cue> all;
        for (int i = 0; i < kCues; ++i) {
            all.push_back(
                {i * kStep, i * kStep + 300, QStringLiteral("cue %1 says a few words").arg(i)});
        }
        cues.AddCues(std::move(all));
        ready = WriteTextFile(dir.filePath(QStringLiteral("many.txt")), FormatCueTxt(cues)) &&
                WriteBytes(path, wav);
    }

    QTemporaryDir dir;
    QString path;
    bool ready = false;

private:
    static QByteArray Le(quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); }
    static bool WriteBytes(const QString& file, const QByteArray& bytes) {
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    }
};

const ManyCues& Files() {
    static const ManyCues files;
    return files;
}

/// Opens the file; with arg 1 the list is shown over the document and laid out.
void BM_OpenWithCueList(benchmark::State& state) {
    if (!Files().ready) {
        state.SkipWithError("cannot write the files");
        return;
    }
    SilentHost host;
    CtarnDoc doc(host);
    std::unique_ptr<CueTableModel> model;
    std::unique_ptr<QTableView> table;
    if (state.range(0) == 1) {
        model = std::make_unique<CueTableModel>(doc, host);
        table = std::make_unique<QTableView>();
        table->setModel(model.get());
        table->resize(1000, 300);
        table->show();
    }
    for (auto _ : state) {
        doc.OnOpenDocument(Files().path);
        QApplication::processEvents();
        if (table) {
            table->viewport()->repaint();
        }
    }
    state.counters["cues"] = doc.Cues().Count();
}
BENCHMARK(BM_OpenWithCueList)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

/// A start typed into the list that moves its cue past many others, and the list repainted.
void BM_EditOneCueInTheList(benchmark::State& state) {
    if (!Files().ready) {
        state.SkipWithError("cannot write the files");
        return;
    }
    SilentHost host;
    CtarnDoc doc(host);
    CueTableModel model(doc, host);
    QTableView table;
    table.setModel(&model);
    table.resize(1000, 300);
    table.show();
    doc.OnOpenDocument(Files().path);
    QApplication::processEvents();
    bool later = true;
    for (auto _ : state) {
        // Back and forth across the middle of the list, so that every edit re-sorts.
        model.setData(model.index(kCues / 2, CueTableModel::kStart),
                      later ? QStringLiteral("1000") : QStringLiteral("2500"));
        table.viewport()->repaint();
        later = !later;
    }
}
BENCHMARK(BM_EditOneCueInTheList)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
