// How near the script's cues come to where each sentence is spoken, laid by "Align script"
// and by "Detect phrases", on a set that bench/make-speech-set.sh made.
//
//   tarn_align_accuracy SET_DIR [LANGUAGE]
// Prints, for each way, the median, 95th percentile and largest error of the boundaries
// (starts and ends) in ms, the share within 200 ms, and the cues out of order;
// TARN_ALIGN_DETAIL=1 also prints each cue's errors and the confidences.

#include "SilentHost.h"
#include "actions/PhraseCommands.h"
#include "alignment/ScriptAlignment.h"
#include "document/CtarnDoc.h"
#include "speech/EspeakVoice.h"
#include "subtitles/CueText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

std::vector<FrameRange> ReadTruth(const QString& path) {
    std::vector<FrameRange> truth;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        QTextStream in(&file);
        int lo = 0;
        int hi = 0;
        while (!(in >> lo >> hi).atEnd() || in.status() == QTextStream::Ok) {
            if (in.status() != QTextStream::Ok) {
                break;
            }
            truth.push_back({lo, hi});
        }
    }
    return truth;
}

void Report(const char* way, const std::vector<FrameRange>& laid,
            const std::vector<FrameRange>& truth, qint32 rate, double seconds) {
    std::vector<double> errors;
    int outOfOrder = 0;
    for (size_t k = 0; k < truth.size(); ++k) {
        if (k >= laid.size()) {
            errors.push_back(1e9);
            errors.push_back(1e9);
            continue;
        }
        if (qEnvironmentVariableIsSet("TARN_ALIGN_DETAIL")) {
            std::printf("%3zu  start %+8.1f ms  end %+8.1f ms\n", k + 1,
                        (laid[k].lo - truth[k].lo) * 1000.0 / rate,
                        (laid[k].hi - truth[k].hi) * 1000.0 / rate);
        }
        errors.push_back(std::abs(laid[k].lo - truth[k].lo) * 1000.0 / rate);
        errors.push_back(std::abs(laid[k].hi - truth[k].hi) * 1000.0 / rate);
        outOfOrder += k > 0 && laid[k].lo < laid[k - 1].lo ? 1 : 0;
    }
    std::sort(errors.begin(), errors.end());
    const auto at = [&](double share) { return errors[size_t(share * double(errors.size() - 1))]; };
    const auto within =
        std::count_if(errors.begin(), errors.end(), [](double e) { return e <= 200; });
    std::printf("%-15s median %7.1f ms  p95 %8.1f ms  max %9.1f ms  within 200 ms %5.1f %%  "
                "over 1 s %zd  out of order %d  (%.2f s)\n",
                way, at(0.5), at(0.95), errors.back(),
                100.0 * double(within) / double(errors.size()),
                std::count_if(errors.begin(), errors.end(), [](double e) { return e > 1000; }),
                outOfOrder, seconds);
}

/// The peak resident memory so far, in MB.
double PeakMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return 0;
}

std::vector<QString> PlaceholderTexts(const CueList& cues) {
    std::vector<QString> texts;
    for (int i = 0; i < cues.Count(); ++i) {
        if (IsPlaceholderText(cues.Text(i))) {
            texts.push_back(cues.Text(i));
        }
    }
    return texts;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarn_align_accuracy SET_DIR [LANGUAGE]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    SilentHost host;
    CtarnDoc doc(host);
    if (!doc.OnOpenDocument(folder + QStringLiteral("/speech.wav"))) {
        std::fprintf(stderr, "cannot open %s/speech.wav\n", argv[1]);
        return 1;
    }
    const std::vector<FrameRange> truth = ReadTruth(folder + QStringLiteral("/truth.txt"));
    const Recording& recording = doc.GetRecording();
    const qint32 rate = recording.SampleRate();

    const double audioMegabytes = double(recording.Frames()) * 4.0 / (1024.0 * 1024.0);
    const double openedPeak = PeakMegabytes();
    EspeakVoice voice(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en"));
    AlignmentProgress progress;
    QElapsedTimer clock;
    clock.start();
    const ScriptAlignment aligned = AlignScript(recording, {0, recording.Frames()},
                                                PlaceholderTexts(doc.Cues()), voice, progress);
    const double alignSeconds = clock.nsecsElapsed() / 1e9;
    std::printf("peak memory: %.0f MB once opened, %.0f MB after aligning; the audio %.0f MB "
                "(%.2f x)\n",
                openedPeak, PeakMegabytes(), audioMegabytes, PeakMegabytes() / audioMegabytes);
    std::vector<FrameRange> spans;
    for (const AlignedCue& cue : aligned.cues) {
        spans.push_back(cue.span);
    }
    Report("align script", spans, truth, rate, alignSeconds);
    if (qEnvironmentVariableIsSet("TARN_ALIGN_DETAIL")) {
        for (const AlignedCue& cue : aligned.cues) {
            std::printf("%.2f ", cue.confidence);
        }
        std::printf("\n");
    }
    std::printf("                speaking %.2f s, its features %.2f s, the recording's features "
                "%.2f s (alongside), warping %.2f s; confidence under 0.5: %zd\n",
                aligned.times.speaking, aligned.times.referenceFeatures,
                aligned.times.recordingFeatures, aligned.times.warping,
                std::count_if(aligned.cues.begin(), aligned.cues.end(),
                              [](const AlignedCue& c) { return c.confidence < 0.5f; }));

    clock.restart();
    const PhraseSettings settings;
    const LevelTrack levels = MeasureSelectionLevels(doc);
    const PhraseOutcome phrases = ApplyPhrases(doc, FindPhrases(levels, settings, rate), levels,
                                               settings, PhraseUse::LayScript);
    Report("detect phrases", phrases.spans, truth, rate, clock.nsecsElapsed() / 1e9);
    return 0;
}
